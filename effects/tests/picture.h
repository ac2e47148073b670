// Pixels as 0x00RRGGBB values, row by row from the top, and the pictures the tests draw with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A picture in which neighbouring pixels differ, so that a misplaced copy shows.
Picture NewImagePicture(int width, int height);
// A picture that differs from NewImagePicture in every pixel.
Picture OldPicture(int width, int height);
// `picture` enlarged by whole factors, each pixel repeated.
Picture Enlarged(const Picture& picture, int factorX, int factorY);

// A GDI bitmap (a device-dependent one, as the kernel hands over) holding the picture.
HBITMAP BitmapOf(const Picture& picture);

// Counts the pixels of `actual` that differ from `expected` in the rectangle, and describes the
// first of them; empty when they all agree.
std::string Differences(const Picture& actual, const Picture& expected, const RECT& where);
