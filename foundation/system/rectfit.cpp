// Fitting a content rectangle into a frame.
#include "qxutil.h"

#include <cmath>

namespace {

LONG Rounded(double value) { return static_cast<LONG>(std::lround(value)); }

}  // namespace

int StretchRectToFit(RECT* out, const RECT* frame, const RECT* content, int always)
{
    if (!out || !frame || !content)
        return 0;
    const double frameWidth = frame->right - frame->left;
    const double frameHeight = frame->bottom - frame->top;
    double width = content->right - content->left;
    double height = content->bottom - content->top;
    if (always || width > frameWidth || height > frameHeight) {
        const double ratio = width ? height / width : 0.0;
        if (frameHeight >= frameWidth * ratio) {
            width = frameWidth;
            height = frameWidth * ratio;
        } else {
            width = ratio ? frameHeight / ratio : 0.0;
            height = frameHeight;
        }
    }
    // Computed in floating point and rounded once per edge, so that a centred content
    // never drifts by more than half a pixel.
    const double left = frame->left + (frameWidth - width) / 2;
    const double top = frame->top + (frameHeight - height) / 2;
    *out = RECT{Rounded(left), Rounded(top), Rounded(left + width), Rounded(top + height)};
    return 1;
}
