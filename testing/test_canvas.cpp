#include "test_canvas.h"

TestCanvas::TestCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y starts at bits + y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, section_);
    Fill(fill);
}

TestCanvas::~TestCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(section_);
    DeleteDC(dc_);
}

void TestCanvas::Fill(COLORREF colour)
{
    GdiFlush();
    const uint32_t raw = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = raw;
}

uint32_t TestCanvas::Raw(int x, int y) const
{
    GdiFlush();
    return bits_[y * width_ + x] & 0x00FFFFFF;
}

COLORREF TestCanvas::Pixel(int x, int y) const
{
    const uint32_t raw = Raw(x, y);
    return RGB((raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF);
}

std::vector<uint32_t> TestCanvas::Pixels() const
{
    GdiFlush();
    std::vector<uint32_t> pixels(bits_, bits_ + width_ * height_);
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}
