// A 32-bit DIB section selected into a memory DC, for drawing into and reading pixels back.
// Shared by the tests of the imaging layer and of the bitmap object built on it.
#pragma once

#include <windows.h>

#include <cstdint>

class TestCanvas {
public:
    TestCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down: row y is at bits + y * width
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, section_);
        Fill(fill);
    }
    ~TestCanvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(section_);
        DeleteDC(dc_);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF colour)
    {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i)
            bits_[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    COLORREF Pixel(int x, int y) const
    {
        GdiFlush();
        const uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP section_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
