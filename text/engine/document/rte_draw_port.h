// The drawing port as the document model sees it: the device's handles are opaque
// pointer-sized values that only the device layer behind the seam (rte_device.h) reads.
#pragma once

#include <cstdint>

#include "geometry_types.h"

// Port flags.
constexpr uint32_t RTE_PORT_RECALCULATE = 0x1;

struct RteDrawPort {
    void* window;       // the window the port draws into, or null
    void* dc;           // the device context while one is held
    void* savedState;   // the device's own state, pushed and popped by hook slot 28
    void* font;         // the font selected into the device context
    RtePoint origin;
    RteScaling scaling;
    int32_t resolution;  // dots per inch, which layout takes from the port
    uint32_t flags;
    intptr_t value;      // a host value (RteGetPortValue)
};
