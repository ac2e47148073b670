// The keep-ratio rectangle of a picture.
#include "image_fit.h"

RECT FitKeepingRatio(int x, int y, int w, int h, int pictureW, int pictureH)
{
    if (pictureW <= 0 || pictureH <= 0)
        return RECT{x, y, x + w, y + h};
    // Compare h / pictureH with w / pictureW without division.
    const long long byHeight = static_cast<long long>(h) * pictureW;
    const long long byWidth = static_cast<long long>(w) * pictureH;
    if (byHeight == byWidth)
        return RECT{x, y, x + w, y + h};
    if (byHeight > byWidth) {
        const int fittedH = static_cast<int>(static_cast<long long>(w) * pictureH / pictureW);
        const int top = y + (h - fittedH) / 2;
        return RECT{x, top, x + w, top + fittedH};
    }
    const int fittedW = static_cast<int>(static_cast<long long>(h) * pictureW / pictureH);
    const int left = x + (w - fittedW) / 2;
    return RECT{left, y, left + fittedW, y + h};
}
