// Drawing a picture that the media server handed over as a packed DIB in a byte array.
#pragma once

#include "qxbase.h"

#include <oaidl.h>

// Draws `frame` (VT_ARRAY | VT_UI1) at x, y: at its own size with `ownSize`, else
// stretched to w x h. Nothing is drawn when it holds no bytes.
void DrawMediaFrame(const VARIANT& frame, HDC dc, long x, long y, long w, long h, bool ownSize);
