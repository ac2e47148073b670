// The null device: no device context; widths come from a table of character classes and
// metrics from the point size, so that the model measures the same everywhere.
#include <cstdint>
#include <cctype>
#include <cstring>

#include "rte_device.h"
#include "rte_environment.h"
#include "rte_position_cache.h"

namespace {

constexpr int32_t kNullResolution = 72;

const RteDevice* g_device = nullptr;

int32_t CharWidth(unsigned char c)
{
    if (c == ' ')
        return 3;
    if (c >= '0' && c <= '9')
        return 6;
    if (c >= 'A' && c <= 'Z')
        return 7;
    return 5;
}

void Startup(RteEnvironment* env)
{
    std::memset(&env->port, 0, sizeof env->port);
    env->port.resolution = kNullResolution;
}

void Shutdown(RteEnvironment*) {}

void BindPort(RteEnvironment*, RteDrawPort* port, void* window)
{
    std::memset(port, 0, sizeof *port);
    port->window = window;
    port->resolution = kNullResolution;
}

void ReleasePort(RteDrawPort* port) { port->dc = nullptr; }

// Ascent, descent and leading from the point size: four fifths above the base line.
void Metrics(RteHandle, RteCharStyle* style, RteFont*)
{
    int32_t points = style->pointSize >> 16;
    style->ascent = static_cast<int16_t>(points * 4 / 5);
    style->descent = static_cast<int16_t>(points - points * 4 / 5);
    style->leading = 0;
}

intptr_t NoDevice(RteHandle, RteCharStyle*, intptr_t, intptr_t, intptr_t, intptr_t) { return 0; }

// Blanks, tabs and paragraph ends, each a place where a line may end, letters and digits of
// words and the period that ends one: what the model, the line break and the word segments ask
// of the classifier. Mask 0 asks for every class.
intptr_t CharInfo(RteHandle, RteCharStyle*, intptr_t character, intptr_t, intptr_t mask, intptr_t)
{
    constexpr intptr_t kBreak = RTE_CLASS_BLANK | RTE_CLASS_WORD_BREAK | RTE_CLASS_WORD_END;
    intptr_t classes = 0;
    switch (*reinterpret_cast<const uint8_t*>(character)) {
    case ' ':
        classes = kBreak;
        break;
    case '\t':
        classes = kBreak | RTE_CLASS_CONTROL | RTE_CLASS_TAB | RTE_CLASS_TAB_BREAK;
        break;
    case '\r':
        classes = kBreak | RTE_CLASS_CONTROL | RTE_CLASS_PARAGRAPH;
        break;
    case '.':
        classes = RTE_CLASS_WORD_END;
        break;
    default:
        classes = std::isalnum(*reinterpret_cast<const uint8_t*>(character)) ? RTE_CLASS_WORD : 0;
        break;
    }
    return mask ? classes & mask : classes;
}

int16_t TypeOf(uint8_t c)
{
    switch (c) {
    case ' ':
        return 1;
    case '\t':
        return 1088;
    case '\r':
        return 320;
    default:
        return 0;
    }
}

// Positions from the width table; types: blanks, tabs and paragraph ends.
intptr_t Measure(RteHandle, RteCharStyle*, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto* step = reinterpret_cast<RteMeasureStep*>(request);
    for (int32_t i = 0; i < step->count; ++i) {
        step->positions[i + 1] = step->positions[i] + CharWidth(step->text[i]);
        if (step->types)
            step->types[i] = TypeOf(step->text[i]);
    }
    return step->positions[step->count] - step->positions[0];
}

void FontInit(RteHandle, RteFont*) {}

void NoDeviceHooks(RteEnvironment*) {}

int32_t TextWidth(const RteDrawPort*, const char* text, int32_t length)
{
    int32_t width = 0;
    for (int32_t i = 0; i < length; ++i)
        width += CharWidth(static_cast<unsigned char>(text[i]));
    return width;
}

// No device has a language of its own: text reads from left to right.
int32_t LeftToRight(RteEnvironment*) { return 1; }

const RteDevice kNullDevice = {Startup, Shutdown, BindPort, ReleasePort, Metrics,   NoDevice,   Measure,
                               NoDevice, CharInfo, NoDevice, NoDevice,   FontInit, TextWidth, LeftToRight,
                               NoDeviceHooks};

}  // namespace

void RteSetDevice(const RteDevice* device) { g_device = device; }
const RteDevice& RteCurrentDevice() { return g_device ? *g_device : kNullDevice; }
const RteDevice& RteNullDevice() { return kNullDevice; }

int32_t RteTextWidth(const RteDrawPort* port, const char* text, int32_t length)
{
    return RteCurrentDevice().textWidth(port, text, length);
}
