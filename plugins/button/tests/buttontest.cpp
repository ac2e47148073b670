// The button tests' shared pieces.
#include "buttontest.h"

#include "qxbmp.h"

#include <algorithm>
#include <cstdlib>

extern "C" __declspec(dllimport) OBJET* AllocObjet(KERNEL* kernel);

BOUTON* NewButton(KERNEL* kernel) { return static_cast<BOUTON*>(AllocObjet(kernel)); }

Canvas::Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i)
        bits_[i] = 0x00FF00FF;
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const
{
    GdiFlush();
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
}

RECT Canvas::BoxOf(COLORREF colour) const
{
    RECT box{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (At(x, y) == colour) {
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
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            n += At(x, y) == colour;
    return n;
}

void Canvas::SaveForViewing(const std::string& name) const
{
    const char* folder = std::getenv("QXPUSH_LOOKS");
    if (!folder)
        return;
    BMP picture;
    picture.NewFromBitmap(dc_, static_cast<HBITMAP>(GetCurrentObject(dc_, OBJ_BITMAP)));
    picture.Export((std::string(folder) + "\\" + name + ".png").c_str(), BMP_FORMAT_PNG, 24);
}

void Paint(BOUTON* b, const Canvas& canvas)
{
    MSGL msg{0, nullptr, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0};
    b->WindowsMessage(&msg);
}
