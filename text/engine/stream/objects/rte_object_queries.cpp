// Objects found through the character runs: each run whose style carries an object record is
// one object, whatever its length.
#include "rte_object_queries.h"

#include <cstring>
#include <vector>

#include "rte_object_draw.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_typed.h"

namespace {

struct ObjectRun {
    int32_t start;
    int32_t end;
    int32_t style;
    RteHandle object;
};

// The object runs that meet [start, end), in text order.
std::vector<ObjectRun> ObjectRuns(RteDocument* doc, int32_t start, int32_t end)
{
    std::vector<ObjectRun> found;
    RteLocked<RteStyleRun> runs(doc->charRuns);
    RteLocked<RteCharStyle> styles(doc->charStyles);
    for (int32_t i = 0; i + 1 < runs.size(); ++i) {
        int32_t from = runs[i].offset, to = runs[i + 1].offset > doc->textLength ? doc->textLength : runs[i + 1].offset;
        auto object = reinterpret_cast<RteHandle>(styles[runs[i].index].object);
        if (object && to > start && from < end)
            found.push_back({from, to, runs[i].index, object});
    }
    return found;
}

RteRange RangeOrSelection(RteDocument* doc, const RteRange* range, bool* caret)
{
    *caret = false;
    if (range)
        return *range;
    if (!RteSelectionIsCaret(doc)) {
        RteLocked<RteSelectPoint> points(doc->selection);
        int32_t a = points[0].offset, b = points[1].offset;
        return a < b ? RteRange{a, b} : RteRange{b, a};
    }
    *caret = true;
    return {0, doc->textLength};
}

// The object of the first style whose object record answers the test.
template <class Test>
RteHandle FirstObject(RteHandle handle, Test test)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<RteCharStyle> styles(doc->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        auto object = reinterpret_cast<RteHandle>(styles[i].object);
        if (object && test(RteObjectOf(object)))
            return object;
    }
    return nullptr;
}

void Line(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width)
{
    HPEN pen = CreatePen(PS_SOLID, width, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

int32_t RteCountObjects(RteHandle handle, const RteRange* range)
{
    RteLocked<RteDocument> doc(handle);
    bool caret = false;
    RteRange span = RangeOrSelection(doc.get(), range, &caret);
    if (caret && RteLocked<RteCharStyle>(doc->charStyles)[doc->insertStyle].object)
        return 1;
    return static_cast<int32_t>(ObjectRuns(doc.get(), span.start, span.end).size());
}

RteHandle RteNthObject(RteHandle handle, const RteRange* range, int32_t n, int32_t* offset, int32_t* style)
{
    RteLocked<RteDocument> doc(handle);
    bool caret = false;
    RteRange span = RangeOrSelection(doc.get(), range, &caret);
    std::vector<ObjectRun> runs = ObjectRuns(doc.get(), span.start, span.end);
    if (n <= 0 || static_cast<size_t>(n) > runs.size())
        return nullptr;
    const ObjectRun& run = runs[static_cast<size_t>(n - 1)];
    *offset = run.start;
    *style = run.style;
    return run.object;
}

RteHandle RteNextObject(RteHandle handle, int32_t* offset, uint32_t type, uint32_t mask)
{
    RteLocked<RteDocument> doc(handle);
    int32_t from = *offset < 0 ? RteSelectionStart(doc.get()) : *offset;
    for (const ObjectRun& run : ObjectRuns(doc.get(), from, doc->textLength)) {
        if (run.start < from)
            continue;
        if (mask == 0 || (RteObjectOf(run.object).typeWord & mask) == type) {
            *offset = run.start;
            return run.object;
        }
    }
    *offset = doc->textLength;
    return nullptr;
}

int32_t RteObjectIndex(RteHandle handle, int32_t referenceValue)
{
    RteLocked<RteDocument> doc(handle);
    std::vector<ObjectRun> runs = ObjectRuns(doc.get(), 0, doc->textLength);
    for (size_t i = 0; i < runs.size(); ++i)
        if (RteObjectOf(runs[i].object).referenceValue == referenceValue)
            return static_cast<int32_t>(i + 1);
    return 0;
}

RteHandle RteObjectByKey(RteHandle handle, uint32_t key)
{
    return FirstObject(handle, [key](const RteObject& object) { return object.key == key; });
}

RteHandle RteObjectById(RteHandle handle, int32_t referenceValue)
{
    return FirstObject(handle, [referenceValue](const RteObject& object) { return object.referenceValue == referenceValue; });
}

int32_t RteObjectSelect(RteHandle handle, RteHandle object, int32_t kind)
{
    // Kinds drawn as a whole are selected by their characters; a Macintosh placeholder and
    // unknown text kinds are only named.
    bool selected = (kind >= 0 && kind <= 3) || kind == 5 || kind == 6 || (kind >= 8 && kind <= 11) || kind == 13 ||
                    (kind >= 15 && kind <= 26) || kind == 32;
    bool named = selected || kind == RTE_KIND_MAC || kind == RTE_KIND_UNKNOWN_TEXT || kind == RTE_KIND_UNKNOWN_TEXT_BOX;
    if (!named || !object)
        return 0;
    std::vector<ObjectRun> runs;
    {
        RteLocked<RteDocument> doc(handle);
        runs = ObjectRuns(doc.get(), 0, doc->textLength);
    }
    for (const ObjectRun& run : runs) {
        if (run.object != object)
            continue;
        if (selected)
            RteSetSelection(handle, run.start, run.end, 0, RTE_REDRAW_DEFAULT);
        return static_cast<int32_t>(RteObjectOf(object).key);
    }
    return 0;
}

RteObjectBorder RteGetObjectBorder(const RteObject& object)
{
    RteObjectBorder border;
    static_assert(sizeof border <= RTE_OBJECT_EXTENSION_BYTES, "the border lives in the extension");
    std::memcpy(&border, object.extension, sizeof border);
    return border;
}

void RteSetObjectBorder(RteObject* object, uint8_t type, uint8_t kind, const int32_t offsets[2], int16_t width)
{
    if (kind == RTE_BORDER_QUARTERS)
        width = static_cast<int16_t>(width * 4);
    RteObjectBorder border = {type, kind, width, {offsets ? offsets[0] : 0, offsets ? offsets[1] : 0}};
    std::memcpy(object->extension, &border, sizeof border);
    int16_t* insets = object->insets;
    switch (type) {
    case RTE_BORDER_FRAME:
        for (int i = 0; i < 4; ++i)
            insets[i] = static_cast<int16_t>(insets[i] + width);
        if (kind == RTE_BORDER_DOUBLE) {
            insets[RTE_INSET_BOTTOM] = static_cast<int16_t>(insets[RTE_INSET_BOTTOM] + 2);
            insets[RTE_INSET_RIGHT] = static_cast<int16_t>(insets[RTE_INSET_RIGHT] + 2);
        }
        break;
    case RTE_BORDER_TOP:
    case RTE_BORDER_BOTTOM:
    case RTE_BORDER_LEFT:
    case RTE_BORDER_BOTTOM_2:
        // Types 2 to 5 widen the top, second, third and fourth inset.
        insets[type - RTE_BORDER_TOP] = static_cast<int16_t>(insets[type - RTE_BORDER_TOP] + width);
        break;
    default:
        break;
    }
}

void RteDrawObjectBorder(RtePicturePort* port, const RteObject& object, const RteRect* rect)
{
    RteObjectBorder border = RteGetObjectBorder(object);
    auto dc = static_cast<HDC>(port->dc);
    int32_t width = border.width > 0 ? border.width : 1;
    switch (border.type) {
    case RTE_BORDER_FRAME:
        RteFrameRect(port, rect, 0, 0, width);
        if (border.kind == RTE_BORDER_DOUBLE) {
            // Two 2-pixel lines just outside the bottom and right sides.
            Line(dc, rect->left + 2, rect->bottom + 1, rect->right + 2, rect->bottom + 1, 2);
            Line(dc, rect->right + 1, rect->top + 2, rect->right + 1, rect->bottom + 2, 2);
        }
        break;
    case RTE_BORDER_TOP:
        Line(dc, rect->left, rect->top, rect->right, rect->top, width);
        break;
    case RTE_BORDER_BOTTOM:
    case RTE_BORDER_BOTTOM_2:
        Line(dc, rect->left, rect->bottom - 1, rect->right, rect->bottom - 1, width);
        break;
    case RTE_BORDER_LEFT:
        Line(dc, rect->left, rect->top, rect->left, rect->bottom, width);
        break;
    default:
        break;
    }
}

intptr_t RteDefaultObjectProc(RteHandle, RteHandle object, intptr_t, int32_t message, intptr_t x, intptr_t data,
                              int32_t length)
{
    switch (message) {
    case RTE_OBJECT_DRAW: {
        auto* port = reinterpret_cast<RtePicturePort*>(x);
        const auto* rect = reinterpret_cast<const RteRect*>(data);
        RteDrawObjectDefault(port, object, rect);
        RteDrawObjectBorder(port, RteObjectOf(object), rect);
        return 0;
    }
    case 4: {
        RteObject record = RteObjectOf(object);
        RteHandle locked = nullptr;
        auto text = static_cast<int32_t>(strnlen(RteObjectText(&record, &locked), 0x7FFFFFFF));
        if (locked)
            RteUnlock(locked);
        return text < length ? text : length;
    }
    case RTE_OBJECT_PRESSED:
        // An object with data takes a press: a click selects it whole.
        return RteObjectOf(object).data;
    case 9:
    case 10:
    case 11:
        return RteObjectOf(object).referenceValue;
    case RTE_OBJECT_DISPOSE:
        while (object) {
            RteObject record = RteObjectOf(object);
            RteFreeObjectData(&record, RteObjectKindOf(record));
            RteFree(object);
            object = record.linked;
        }
        return 0;
    default:
        return 0;
    }
}
