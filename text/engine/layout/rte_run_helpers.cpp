// Helpers for drawing one style run.
#include "rte_run_helpers.h"

#include <algorithm>
#include <cstring>

#include "device_rects.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kDefaultPoints = 12;
constexpr intptr_t kBlank = RTE_CLASS_BLANK;
constexpr intptr_t kWordEnd = RTE_CLASS_WORD_END;
constexpr intptr_t kWord = RTE_CLASS_WORD;
constexpr intptr_t kControl = RTE_CLASS_CONTROL;

intptr_t ClassesAt(RteHandle doc, RteStyleWalk* walker, const uint8_t* text, int32_t blockStart, int32_t index)
{
    RteStyleWalkSet(walker, blockStart + index);
    RteCharStyle* style = walker->style;
    return style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(text + index), 1,
                                 kBlank | kWordEnd | kWord | kControl | RTE_CLASS_CONTINUATION, index);
}

}  // namespace

int32_t RteDrawPointSize(RteHandle, const RteCharStyle* style)
{
    int32_t size = style->pointSize ? style->pointSize : kDefaultPoints << 16;
    int32_t n = style->superscript ? style->superscript : style->subscript ? kDefaultPoints : 0;
    if (!n)
        return size >> 16;
    return static_cast<int32_t>((static_cast<int64_t>(size) * n / kDefaultPoints) >> 16);
}

RteHandle RteCaseText(RteHandle handle, const RteCharStyle* style, const uint8_t* bytes, int32_t length)
{
    if ((style->styleBits & RTE_STYLE_KEEP_CASE) || (!style->allCaps && !style->unit17 && !style->smallCaps))
        return nullptr;
    RteLocked<RteDocument> doc(handle);
    RteSetCount(doc->bytes2, length);
    RteLocked<uint8_t> copy(doc->bytes2);
    for (int32_t i = 0; i < length; ++i) {
        uint8_t c = bytes[i];
        if (style->unit17 && c >= 'A' && c <= 'Z')
            c = static_cast<uint8_t>(c + 32);
        else if (!style->unit17 && c >= 'a' && c <= 'z')
            c = static_cast<uint8_t>(c - 32);
        copy[i] = c;
    }
    return doc->bytes2;
}

int32_t RteWordSegment(RteHandle doc, RteStyleWalk* walker, const uint8_t* text, int32_t blockStart, int32_t first,
                       int32_t end, int32_t* segmentStart, int32_t* segmentEnd)
{
    int32_t i = first;
    while (i < end) {
        intptr_t classes = ClassesAt(doc, walker, text, blockStart, i);
        if ((classes & kWord) && !(classes & RTE_CLASS_CONTINUATION))
            break;
        ++i;
    }
    *segmentStart = i;
    while (i < end) {
        intptr_t classes = ClassesAt(doc, walker, text, blockStart, i);
        if (classes & (kBlank | kControl)) {
            ++i;
            break;
        }
        if (i > *segmentStart && (classes & kWordEnd) && !(classes & RTE_CLASS_CONTINUATION))
            break;
        ++i;
    }
    *segmentEnd = i;
    return i;
}

void RteDrawWordLines(RteHandle doc, RteStyleWalk* walker, const uint8_t* text, int32_t blockStart, int32_t first,
                      int32_t count, const int32_t* positions, int32_t x, int32_t y, RteLineDrawer draw, void* context)
{
    int32_t end = first + count;
    for (int32_t at = first; at < end;) {
        int32_t start = 0;
        int32_t stop = 0;
        at = RteWordSegment(doc, walker, text, blockStart, at, end, &start, &stop);
        // The blank or control character that ended the segment gets no line.
        while (stop > start && (ClassesAt(doc, walker, text, blockStart, stop - 1) & (kBlank | kControl)))
            --stop;
        if (stop > start)
            draw(context, RteClampCoord(x + positions[start - first]), RteClampCoord(x + positions[stop - first] - 1),
                 RteClampCoord(y));
    }
}

int32_t RteEqualColor(const RteColor* a, const RteColor* b)
{
    return a->red == b->red && a->green == b->green && a->blue == b->blue ? 1 : 0;
}

int32_t RteIsEnvColor(const RteEnvironment* env, const RteColor* colour) { return RteEqualColor(&env->textColor, colour); }

void* RtePortDevice(const RteDrawPort* port) { return port->savedState; }
