// The seam between the document model and a display device. The model reaches the device only
// through these operations and the style and document hooks they provide; the device is chosen
// before the engine starts. Without one, the null device serves: no device context, widths from
// a table.
#pragma once

#include <cstdint>

#include "rte_draw_port.h"
#include "rte_hooks.h"
#include "rte_style_records.h"

struct RteEnvironment;

struct RteDevice {
    // Device start-up and end: the screen device and the environment's default port.
    void (*startup)(RteEnvironment* env);
    void (*shutdown)(RteEnvironment* env);
    // Binds a new port to a window (null for none), and releases a port's device resources.
    void (*bindPort)(RteEnvironment* env, RteDrawPort* port, void* window);
    void (*releasePort)(RteDrawPort* port);
    // Character-style slots 0-5 and 9, and document slot 13.
    RteStyleMetricsHook metrics;
    RteStyleDeviceHook selectFont;
    RteStyleDeviceHook measure;
    RteStyleDeviceHook slot3;
    RteStyleDeviceHook charInfo;
    RteStyleDeviceHook draw;
    RteStyleDeviceHook device;
    RteFontInitProc fontInit;
    int32_t (*textWidth)(const RteDrawPort* port, const char* text, int32_t length);
    // The system's reading direction: -1 right to left, 1 left to right.
    int32_t (*systemDirection)(RteEnvironment* env);
    // Puts the device's document and paragraph hooks into the environment's default tables.
    void (*fillHooks)(RteEnvironment* env);
};

// The device that the next RteEngineStartup takes; null restores the null device.
void RteSetDevice(const RteDevice* device);
const RteDevice& RteCurrentDevice();
const RteDevice& RteNullDevice();
