// A 32-bit top-down DIB section selected into a memory DC: tests draw into it, read the pixels
// back and save them as a PNG file to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class TestCanvas {
public:
    TestCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~TestCanvas();
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF colour);
    // The pixel as RGB() makes it.
    COLORREF Pixel(int x, int y) const;
    // The pixel as the section holds it, 0x00RRGGBB.
    uint32_t Raw(int x, int y) const;
    // Every pixel, row by row from the top, 0x00RRGGBB.
    std::vector<uint32_t> Pixels() const;
    // Writes the pixels as a PNG file through the imaging component; false when it fails.
    bool SavePng(const wchar_t* path) const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP section_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
