// Painting an ImageBitmap into device contexts and exchanging it with GDI bitmaps.
#pragma once

#include "imagebitmap.h"

// Paints the source rectangle of the image into its paint rectangle (stretched when the
// sizes differ) with the raster operation; when playback transparency is on, pixels of
// the transparent colour are left out instead.
int PaintImage(HDC dc, const ImageBitmap& image, DWORD rop);
// Prints the source rectangle at (x, y) with size w by h in device units; a zero size
// keeps the image's size in inches, taking the screen as 96 pixels an inch.
int PrintImage(HDC dc, const ImageBitmap& image, int x, int y, int w, int h);
// A device-dependent bitmap of the image for the device context; null on failure.
HBITMAP ImageToBitmap(const ImageBitmap& image, HDC dc);
// Replaces the image by the bitmap's pixels (more than 8 bits give 24).
int ImageFromBitmap(ImageBitmap* image, HDC dc, HBITMAP bitmap);
