// A character style equipped with its object: the hooks that give the style the object's
// metrics, class its characters, and count the styles that use the record.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "rte_fonts.h"
#include "rte_object_draw.h"
#include "rte_object_queries.h"
#include "rte_object_stream.h"
#include "rte_position_cache.h"
#include "rte_selection.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kMetricsSet = 0x100000;
constexpr uint32_t kNoObjectClassifier = 0x400000;
constexpr intptr_t kClassClosing = 0x1036;
constexpr intptr_t kClassObject = 0x806;
constexpr uint32_t kTextObjectFlags = 0x200A;
constexpr uint32_t kObjectFlags = 0x2004;
constexpr int kUnitObject = RTE_CHAR_FIRST_UNITS + 26;
constexpr int kUnitWhole = 33;
constexpr int kUnitSheet = 22;

RteHandle ObjectOf(const RteCharStyle* style) { return reinterpret_cast<RteHandle>(style->object); }

bool IsTextKind(int32_t kind) { return kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX; }

// Slot 0: unless the object spans its line, the style takes the object's height and descent.
void ObjectMetrics(RteHandle doc, RteCharStyle* style, RteFont* font)
{
    RteObject object;
    RteGetElement(ObjectOf(style), 0, &object);
    bool spans = object.typeWord & RTE_OBJECT_SPANS_LINE;
    if ((style->flags & kMetricsSet) && !spans)
        return;
    RteEnvironment* env = RteLocked<RteDocument>(doc)->env;
    env->defaultStyle.hooks.metrics(doc, style, font);
    if (!spans) {
        style->ascent = static_cast<int16_t>(object.height + object.insets[RTE_INSET_TOP] - object.descent);
        style->descent = static_cast<int16_t>(object.descent + object.insets[RTE_INSET_BOTTOM]);
    }
    style->flags |= kMetricsSet;
}

// The width of an object's text, measured as the style's own text would be.
int32_t TextWidth(RteHandle doc, RteCharStyle* style, const RteObject& object, RteHandle handle)
{
    int32_t kind = RteObjectKindOf(object);
    RteHandle locked = nullptr;
    const char* text = RteObjectText(&object, &locked);
    auto length = static_cast<int32_t>(strnlen(text, RTE_MAX_MEASURE_STEP));
    if (kind == RTE_KIND_TEXT_BOX)
        length = static_cast<int32_t>(object.callback(doc, handle, object.styleData, RTE_OBJECT_TEXT_LENGTH, 0, 0, length));
    std::vector<int32_t> positions(static_cast<size_t>(length) + 1, 0);
    if (length > 0) {
        RteMeasureStep step{reinterpret_cast<const uint8_t*>(text), length, positions.data(), nullptr, -1};
        RteLocked<RteDocument>(doc)->env->defaultStyle.hooks.measure(doc, style, reinterpret_cast<intptr_t>(&step), 0, 0, 0);
    }
    if (locked)
        RteUnlock(locked);
    return positions.back() - positions.front();
}

// Slot 2: the object's width spread evenly over its characters.
intptr_t ObjectMeasure(RteHandle doc, RteCharStyle* style, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto* step = reinterpret_cast<RteMeasureStep*>(request);
    int32_t total = RteObjectRunWidth(doc, style, step->count);
    int32_t start = step->positions[0];
    for (int32_t i = 0; i < step->count; ++i) {
        step->positions[i + 1] = start + static_cast<int32_t>(static_cast<int64_t>(total) * (i + 1) / step->count);
        if (step->types)
            step->types[i] = 0;
    }
    return total;
}

// Slot 4: the closing bracket of an object ends it; every other character is the object.
intptr_t ObjectClass(RteHandle, RteCharStyle*, intptr_t text, intptr_t length, intptr_t mask, intptr_t)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    intptr_t type = length > 0 && bytes[0] == ']' ? kClassClosing : kClassObject;
    return mask ? type & mask : type;
}

// Slot 13: a click on the object goes to its callback (8 press, 9 drag, 10 release); its
// answer says whether the object holds the click, marked on the selection's points.
intptr_t ObjectClick(RteHandle doc, RteCharStyle* style, intptr_t mode, intptr_t clickArg)
{
    RteHandle handle = ObjectOf(style);
    RteObject object = RteObjectOf(handle);
    if (!object.callback)
        return 0;
    auto* click = reinterpret_cast<RteObjectClick*>(clickArg);
    intptr_t answer = object.callback(doc, handle, object.styleData, RTE_OBJECT_PRESSED + static_cast<int32_t>(mode),
                                      reinterpret_cast<intptr_t>(&click->point), click->data, 0);
    RteMarkObjectClick(doc, answer != 0);
    return answer;
}

// Slot 6: one more style uses the record; a bitmap that its styles copy gets a record of its
// own first, told with code 13.
void ObjectAdded(intptr_t, RteHandle doc, int32_t, RteHandle, RteCharStyle* style)
{
    RteHandle handle = ObjectOf(style);
    if (!handle)
        return;
    RteObject object;
    RteGetElement(handle, 0, &object);
    int32_t kind = RteObjectKindOf(object);
    bool copied = (kind == RTE_KIND_BITMAP || kind == RTE_KIND_BITMAP_HANDLE) && (object.typeWord & RTE_OBJECT_COPY_BITMAP);
    if (copied) {
        handle = RteDuplicate(handle);
        RteCopyObjectData(&object, kind);
        object.useCount = 0;
        style->object = reinterpret_cast<intptr_t>(handle);
    }
    ++object.useCount;
    object.key = RteNewObjectKey(RteLocked<RteDocument>(doc)->env->context);
    {
        RteLocked<RteObject> stored(handle);
        stored[0] = object;
    }
    if (copied && object.callback)
        object.callback(doc, handle, object.styleData, RTE_OBJECT_COPIED, 0, 0, 0);
}

// Slot 7: one style fewer; the last one frees the record and its data.
void ObjectReleased(intptr_t, RteHandle, int32_t, RteHandle, RteCharStyle* style)
{
    RteHandle handle = ObjectOf(style);
    if (!handle)
        return;
    RteObject object;
    RteGetElement(handle, 0, &object);
    if (--object.useCount > 0) {
        RteLocked<RteObject>(handle)->useCount = object.useCount;
        return;
    }
    RteFreeObjectData(&object, RteObjectKindOf(object));
    RteFree(handle);
    style->object = 0;
}

// Slot 12: the insertion style after an object carries no object.
int32_t ObjectCleanup(RteHandle doc, RteCharStyle* style, int32_t)
{
    style->object = 0;
    style->units23to34[10] = 0;
    style->styleSheetUnit = 0;
    style->flags &= ~(kMetricsSet | RTE_STYLE_OBJECT_LOADED);
    style->hooks = RteLocked<RteDocument>(doc)->env->defaultStyle.hooks;
    return 1;
}

}  // namespace

int32_t RteObjectRunWidth(RteHandle doc, RteCharStyle* style, int32_t count)
{
    RteHandle handle = ObjectOf(style);
    RteObject object = RteObjectOf(handle);
    int32_t kind = RteObjectKindOf(object);
    int32_t width = IsTextKind(kind) ? TextWidth(doc, style, object, handle) : 0;
    bool empty = (IsTextKind(kind) && width == 0) || (kind == RTE_KIND_BYTES && !object.data);
    if (object.callback)
        object.callback(doc, handle, object.styleData, RTE_OBJECT_MEASURED, 0, reinterpret_cast<intptr_t>(&width), 0);
    if (empty && width < object.kindValue)
        width = object.kindValue;
    width = std::max(width, object.width) + object.insets[RTE_INSET_LEFT] + object.insets[RTE_INSET_RIGHT];
    // Unit 33 counts the object's characters less one: the whole width over all of them.
    return static_cast<int32_t>(static_cast<int64_t>(width) * count / (style->units23to34[10] + 1));
}

void RteSetObjectHooks(RteCharStyle* style, const RteObject& object)
{
    int32_t kind = RteObjectKindOf(object);
    style->hooks.metrics = ObjectMetrics;
    style->hooks.measure = ObjectMeasure;
    style->hooks.draw = RteDrawObjectRun;
    style->hooks.added = ObjectAdded;
    style->hooks.leaving = ObjectReleased;
    style->hooks.rederive = ObjectCleanup;
    style->hooks.caret = ObjectClick;
    // Unit 33 of 1: the object is one unit, whatever its characters.
    if (!IsTextKind(kind) && style->units23to34[10] == 1 && !(style->flags & kNoObjectClassifier))
        style->hooks.charInfo = ObjectClass;
}

int32_t RteMakeObjectStyle(RteHandle doc, int32_t offset, RteHandle object, intptr_t styleData, RteObjectProc callback,
                           intptr_t data, RteCharStyle* style, RteCharStyle* styleMask, RteFont* font,
                           RteFont* fontMask)
{
    RteRange at = {offset, offset};
    RteCharStyle found;
    RteGetCharStyle(doc, &at, false, style, &found);
    if (font) {
        RteFont foundFont;
        RteGetFont(doc, &at, false, font, &foundFont);
    }
    if (fontMask)
        RteClearFont(fontMask, 0);
    {
        RteLocked<RteDocument> d(doc);
        RteLocked<RteSelectPoint> points(d->selection);
        for (int32_t i = 0; i < points.size(); ++i)
            points[i].offset = offset;
        style->hooks = d->env->defaultStyle.hooks;
    }
    RteObject record;
    RteGetElement(object, 0, &record);
    record.callback = callback ? callback : RteDefaultObjectProc;
    record.styleData = styleData;
    {
        RteLocked<RteObject> stored(object);
        stored[0] = record;
    }
    int32_t kind = RteObjectKindOf(record);
    style->object = reinterpret_cast<intptr_t>(object);
    style->units23to34[10] = 1;
    bool textKind = IsTextKind(kind) && (record.typeWord & RTE_OBJECT_TEXT_FLAGS_B) && !(record.typeWord & RTE_OBJECT_TEXT_FLAGS_A);
    style->flags |= textKind ? kTextObjectFlags : kObjectFlags;
    RteSetObjectHooks(style, record);
    record.callback(doc, object, styleData, RTE_OBJECT_STYLED, 0, data, 0);
    if (styleMask) {
        RteClearCharStyle(styleMask, 0);
        auto units = RteCharStyleUnits();
        RteSetMaskUnit(units, styleMask, kUnitObject, true);
        RteSetMaskUnit(units, styleMask, kUnitWhole, true);
        RteSetMaskUnit(units, styleMask, kUnitSheet, true);
        for (int i = 0; i < RTE_CHAR_STYLE_HOOKS; ++i)
            RteSetMaskUnit(units, styleMask, RTE_CHAR_FIRST_UNITS + RTE_CHAR_SECOND_UNITS + i, true);
    }
    return kind;
}

int32_t RteApplyObject(RteHandle doc, RteHandle object, const RteRange* range, RteObjectProc callback, intptr_t data,
                       int16_t redraw)
{
    RteRange span;
    if (range) {
        span = *range;
    } else {
        RteLocked<RteDocument> d(doc);
        RteLocked<RteSelectPoint> points(d->selection);
        span = {points[0].offset, points[1].offset};
    }
    if (span.end < span.start)
        std::swap(span.start, span.end);
    RteCharStyle style, mask;
    int32_t kind = RteMakeObjectStyle(doc, span.start, object, 0, callback, data, &style, &mask, nullptr, nullptr);
    int32_t length = span.end - span.start;
    style.units23to34[10] = static_cast<int16_t>(length > 0 ? length - 1 : 0);
    RteSetCharStyle(doc, &span, &style, &mask, redraw);
    return kind;
}
