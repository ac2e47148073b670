// One call of an effect as the caller makes it.
#pragma once

#include "area.h"
#include "gdi_handles.h"

// Kinds of the image handed to an effect.
constexpr int kBitmapImage = 2;     // a GDI bitmap handle
constexpr int kPackedDibImage = 8;  // a global memory handle holding a packed DIB

struct EffectRequest {
    HDC dc;
    Area area;
    HANDLE image;
    int imageKind;
    PaletteChoice palette;
};
