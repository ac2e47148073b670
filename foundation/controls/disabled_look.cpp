// The grey checkerboard that marks a disabled button: the picture is ANDed with a mask that
// clears the chosen pixels, then ORed with a pattern that lights them grey.
#include "controls_internal.h"

namespace {

constexpr int PatternSize = 32;
constexpr int SquareFirst = 3;
constexpr int SquareLast = 28;
constexpr DWORD White = 0xFFFFFF;
constexpr DWORD Grey = 0xC0C0C0;  // light grey, the same in RGB and in DIB byte order

bool Greyed(int x, int y)
{
    return x >= SquareFirst && x <= SquareLast && y >= SquareFirst && y <= SquareLast && (x + y) % 2 == 0;
}

// One 32 x 32 pattern in a memory DC, for the duration of one blit.
class Pattern {
public:
    Pattern(HDC compatible, DWORD greyed, DWORD other)
        : dc_(CreateCompatibleDC(compatible)), bitmap_(nullptr), previous_(nullptr)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = PatternSize;
        info.bmiHeader.biHeight = -PatternSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        DWORD* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        if (!dc_ || !bitmap_)
            return;
        for (int y = 0; y < PatternSize; ++y)
            for (int x = 0; x < PatternSize; ++x)
                bits[y * PatternSize + x] = Greyed(x, y) ? greyed : other;
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Pattern()
    {
        if (previous_)
            SelectObject(dc_, previous_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    Pattern(const Pattern&) = delete;
    Pattern& operator=(const Pattern&) = delete;

    void Blit(HDC target, DWORD rop) const
    {
        if (previous_)
            BitBlt(target, 0, 0, PatternSize, PatternSize, dc_, 0, 0, rop);
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace

void LayDisabledLook(HDC dc)
{
    Pattern(dc, 0, White).Blit(dc, SRCAND);
    Pattern(dc, Grey, 0).Blit(dc, SRCPAINT);
}
