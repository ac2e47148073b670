// A picture as clients receive it: a packed 24-bit DIB (header and bottom-up rows) in a
// byte array, which COM copies into the client's process.
#pragma once

#include <windows.h>
#include <oleauto.h>

// `source` (a packed DIB of any depth GDI can draw) stretched to width x height; black
// without a source. Null when the size is empty or memory runs out.
SAFEARRAY* PackFrame(const BITMAPINFOHEADER* source, long width, long height);
