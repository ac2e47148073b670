// The new image of an effect, stretched once to the target size in a bitmap compatible with
// the target DC; every step of the effect copies from it.
#pragma once

#include "effect_request.h"

// Null when the image kind is unknown, the image cannot be read (a bitmap without size, a DIB
// handle that cannot be locked or a DIB that fails its checks) or the bitmap cannot be made.
OwnedBitmap StretchedImage(const EffectRequest& request);

// A black image of the target size, for passes that draw black before the new image.
OwnedBitmap BlackImage(HDC target, int width, int height);
