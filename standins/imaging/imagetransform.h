// Geometric and colour transformations of an ImageBitmap, done in place.
#pragma once

#include "imagebitmap.h"

int CopyImage(const ImageBitmap& from, ImageBitmap* to);
// Turns clockwise by `hundredths` of a degree; only quarter turns are supported. With
// `resizeToFit` width and height swap on a quarter turn; without it the image keeps its
// size and what falls outside is lost (the uncovered area is left zero).
int RotateImage(ImageBitmap* image, int hundredths, bool resizeToFit);
// Top row becomes the bottom row.
int FlipImage(ImageBitmap* image);
// Left column becomes the right column.
int ReverseImage(ImageBitmap* image);
// Keeps the rectangle given in stored-row coordinates (row 0 is the first row in memory,
// the bottom one for a bottom-up image), clipped to the image; an empty result is refused.
int CropImage(ImageBitmap* image, const RECT& stored);
// Nearest-neighbour scaling to width by height.
int ResizeImage(ImageBitmap* image, int width, int height);
// 8 bits per pixel with a palette: the image's own colours when it has at most 256, else
// a uniform 6 x 7 x 6 colour cube with each pixel mapped to its nearest entry.
int ReduceTo8Bits(ImageBitmap* image);
