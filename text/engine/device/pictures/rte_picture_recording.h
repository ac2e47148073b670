// Recordings of a picture port: a byte handle opening with the width and height of the rect it
// was started for (16-bit each) and its point count (32-bit), then the points.
#pragma once

#include "rte_picture.h"

namespace rte_picture {

struct RecordingHeader {
    int16_t width;
    int16_t height;
    int32_t points;
};

// The recording lines go to: the polygon's, else the region's, else none.
RteHandle Recording(const RtePicturePort* port);
void RecordLine(RteHandle recording, const RtePoint& from, const RtePoint& to);

}  // namespace rte_picture
