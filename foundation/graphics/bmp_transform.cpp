// BMP: colour reduction, scaling, rotation with its angle bookkeeping, flips and crop.
#include "qxbmp.h"

#include "bmp_result.h"
#include "imagebitmap.h"
#include "imageresult.h"
#include "imagetransform.h"

int BMP::DemoteTo8Bits()
{
    if (!Active())
        return 1;
    return RecordImagingResult(ReduceTo8Bits(bitmap)) == IMAGE_SUCCESS ? 0 : 1;
}

int BMP::Resize(int w, int h)
{
    if (!Active())
        return 1;
    return RecordImagingResult(ResizeImage(bitmap, w, h)) == IMAGE_SUCCESS ? 0 : 1;
}

int BMP::Rotate(int turn, int absolute)
{
    if (turn == 0 && (!absolute || angle == 0))
        return angle;
    if ((turn != 0 && turn != 90 && turn != 180 && turn != 270) || !Active())
        return angle;
    int d = turn;
    if (absolute) {
        d = turn - angle;
        if (d < 0)
            d += 360;
    }
    if (d != 0 && RecordImagingResult(RotateImage(bitmap, d * 100, true)) == IMAGE_SUCCESS) {
        angle = absolute ? turn : angle + turn;
        if (angle >= 360)
            angle -= 360;
    }
    return angle;
}

int BMP::FlipVertical()
{
    return Active() ? RecordImagingResult(FlipImage(bitmap)) == IMAGE_SUCCESS : 0;
}

int BMP::FlipVert()
{
    return FlipVertical();
}

int BMP::FlipHorizontal()
{
    return Active() ? RecordImagingResult(ReverseImage(bitmap)) == IMAGE_SUCCESS : 0;
}

int BMP::SetCrop(int left, int top, int right, int bottom)
{
    if (!Active())
        return 0;
    RECT stored{left, top, right, bottom};
    // The layer counts rows as they lie in memory; ours are counted from the top.
    if (bitmap->IsBottomUp()) {
        stored.top = bitmap->Height() - bottom;
        stored.bottom = bitmap->Height() - top;
    }
    return RecordImagingResult(CropImage(bitmap, stored)) == IMAGE_SUCCESS;
}
