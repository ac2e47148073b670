// The engine's documents on the Windows clipboard: its private record-stream format (registered
// by the caller, "RTEDOC"), plain text and metafile pictures. The caller opens and closes the
// clipboard.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rte_environment.h"
#include "rte_object_records.h"

// What RtePutClipboard puts.
constexpr int16_t RTE_PUT_ALL = 0;           // the private format, then text or the picture
constexpr int16_t RTE_PUT_PRIVATE = 1;
constexpr int16_t RTE_PUT_TEXT = 2;
constexpr int16_t RTE_PUT_TEXT_ONLY = 3;
constexpr int16_t RTE_PUT_PICTURE = 4;

// 1 when something was put; the first data put empties the clipboard.
int32_t RtePutClipboard(RteHandle doc, UINT privateFormat, int16_t what);
// A new document from the best format on offer, or null.
RteHandle RteDocFromClipboard(RteEnvironment* env, UINT privateFormat, RteObjectProc callback);
int32_t RteClipboardHas(UINT privateFormat);
// A memory metafile that draws the bitmap; the rect gets 0, 0 and the bitmap's size.
HMETAFILE RteBitmapToMetafile(RteEnvironment* env, HBITMAP bitmap, RteRect* rect);

// Metafile extents (0.01 mm in the isotropic modes) as screen pixels, and back.
int32_t RteExtentToPixels(int32_t mappingMode, int32_t extent);
int32_t RtePixelsToExtent(int32_t pixels);
