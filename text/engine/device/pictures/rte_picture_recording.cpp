// Polygon and region recordings: the lines a port would draw, kept as points.
#include "rte_picture_recording.h"

#include <cstring>

#include "rte_typed.h"

namespace {

constexpr uint16_t kRecordingGrowth = 32;

RteHandle Begin(RtePicturePort* port, const RteRect* rect)
{
    RteHandle recording = RteAlloc(port->context, 1, sizeof(rte_picture::RecordingHeader), kRecordingGrowth, true);
    rte_picture::RecordingHeader header = {static_cast<int16_t>(rect->right - rect->left),
                                           static_cast<int16_t>(rect->bottom - rect->top), 0};
    std::memcpy(RteLocked<uint8_t>(recording).get(), &header, sizeof header);
    return recording;
}

RteHandle End(RteHandle* slot)
{
    RteHandle recording = *slot;
    *slot = nullptr;
    return recording;
}

rte_picture::RecordingHeader HeaderOf(RteHandle recording)
{
    rte_picture::RecordingHeader header;
    std::memcpy(&header, RteLocked<uint8_t>(recording).get(), sizeof header);
    return header;
}

}  // namespace

namespace rte_picture {

RteHandle Recording(const RtePicturePort* port) { return port->polygon ? port->polygon : port->region; }

void RecordLine(RteHandle recording, const RtePoint& from, const RtePoint& to)
{
    int32_t at = RteCount(recording);
    RteSetCount(recording, at + 2 * static_cast<int32_t>(sizeof(RtePoint)));
    RteLocked<uint8_t> bytes(recording);
    std::memcpy(bytes.get() + at, &from, sizeof from);
    std::memcpy(bytes.get() + at + sizeof from, &to, sizeof to);
    auto* header = reinterpret_cast<RecordingHeader*>(bytes.get());
    header->points += 2;
}

}  // namespace rte_picture

void RteBeginPolygon(RtePicturePort* port, const RteRect* rect) { port->polygon = Begin(port, rect); }
RteHandle RteEndPolygon(RtePicturePort* port) { return End(&port->polygon); }
void RteBeginRegionRecord(RtePicturePort* port, const RteRect* rect) { port->region = Begin(port, rect); }
RteHandle RteEndRegionRecord(RtePicturePort* port) { return End(&port->region); }

void RteRecordingSize(RteHandle recording, int16_t* width, int16_t* height)
{
    rte_picture::RecordingHeader header = HeaderOf(recording);
    *width = header.width;
    *height = header.height;
}

int32_t RteRecordedPoints(RteHandle recording) { return HeaderOf(recording).points; }
