// Targets of the picture readers: the foundation's DIB file reader, and the bitmap object over
// the imaging layer (any file the imaging component decodes, and packed DIBs as the clipboard
// hands them). What was read is also drawn, so that its sizes are used as a page would.
#include "fuzz_files.h"
#include "fuzz_targets.h"

#include "qxbmp.h"
#include "qxdib.h"

#include <cstring>

namespace {

constexpr size_t BMP_FILE_HEADER = 14;

// A memory DC on a small bitmap, as an object's offscreen picture.
class Canvas {
public:
    Canvas()
    {
        const HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 64, 64);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

void DrawBmp(BMP& picture)
{
    int width = 0, height = 0;
    if (!picture.GetWH(width, height))
        return;
    Canvas canvas;
    picture.Draw(canvas.Dc(), 0, 0, 64, 64, SRCCOPY, 0);
    DeleteObject(picture.CreateHBITMAP());
    if (const HGLOBAL dib = picture.CreateDIB())
        GlobalFree(dib);
}

}  // namespace

void ReadDibFile(const std::string& path)
{
    const HANDLE dib = _LoadDIB(path.c_str());
    if (!dib)
        return;
    const HPALETTE palette = _CreateDIBPalette(dib);
    DeleteObject(_DIBToBitmap(dib, palette));
    Canvas canvas;
    RECT area = {0, 0, 64, 64};
    const auto header = static_cast<LPSTR>(GlobalLock(dib));
    RECT source = {0, 0, static_cast<LONG>(_DIBWidth(header)), static_cast<LONG>(_DIBHeight(header))};
    GlobalUnlock(dib);
    _PaintDIB(canvas.Dc(), &area, dib, &source, palette);
    if (palette)
        DeleteObject(palette);
    _DestroyDIB(dib);
}

void ReadImageFile(const std::string& path)
{
    {
        BMP picture;
        if (picture.Import(path.c_str()) == 0)
            DrawBmp(picture);
    }
    // A BMP file less its file header is the packed DIB of the clipboard.
    const std::string bytes = FileBytes(path);
    if (bytes.size() <= BMP_FILE_HEADER || bytes.compare(0, 2, "BM") != 0)
        return;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() - BMP_FILE_HEADER);
    if (!block)
        return;
    std::memcpy(GlobalLock(block), bytes.data() + BMP_FILE_HEADER, bytes.size() - BMP_FILE_HEADER);
    GlobalUnlock(block);
    BMP pasted;
    if (pasted.Paste(block) == 0)
        DrawBmp(pasted);
    GlobalFree(block);
}
