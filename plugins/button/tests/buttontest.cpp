// The button tests' shared pieces.
#include "buttontest.h"

#include "qxbmp.h"
#include "qxfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

extern "C" __declspec(dllimport) OBJET* AllocObjet(KERNEL* kernel);

BOUTON* NewButton(KERNEL* kernel) { return static_cast<BOUTON*>(AllocObjet(kernel)); }

RECT Canvas::BoxOf(COLORREF colour) const
{
    return BoxWhere([&](COLORREF pixel) { return pixel == colour; });
}

RECT Canvas::BoxOfAllBut(COLORREF background) const
{
    return BoxWhere([&](COLORREF pixel) { return pixel != background; });
}

RECT Canvas::BoxWhere(const std::function<bool(COLORREF)>& wanted) const
{
    RECT box{Width(), Height(), -1, -1};
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (wanted(At(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
    return box;
}

int Canvas::CountOf(COLORREF colour) const
{
    int n = 0;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            n += At(x, y) == colour;
    return n;
}

void Canvas::SaveForViewing(const std::string& name) const
{
    const char* folder = std::getenv("QXPUSH_LOOKS");
    if (!folder)
        return;
    BMP picture;
    picture.NewFromBitmap(Dc(), static_cast<HBITMAP>(GetCurrentObject(Dc(), OBJ_BITMAP)));
    picture.Export((std::string(folder) + "\\" + name + ".png").c_str(), BMP_FORMAT_PNG, 24);
}

void Paint(BOUTON* b, const Canvas& canvas)
{
    MSGL msg{0, nullptr, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0};
    b->WindowsMessage(&msg);
}

std::vector<std::string> SavedRecord(BOUTON* b, const ScratchDir& dir)
{
    QXFILE file = QXopen((dir / "button.rec").c_str(), 1);
    int pixels = 0;
    EXPECT_EQ(b->Save(file, pixels, 1), 1);
    QXclose(file);
    const std::string text = dir.Read("button.rec");
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
