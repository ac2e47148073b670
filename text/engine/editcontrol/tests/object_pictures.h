// The pictures the object tests embed: a metafile of one filled blue rect, easy to find among
// the text's pixels.
#pragma once

#include <windows.h>

#include "rte_control_objects.h"

constexpr uint32_t kPictureBlue = 0x0000FF;

// The control's record of such a picture at a text offset.
RteControlObject BluePictureRecord(int32_t offset, int width, int height);
