// The public operations on link and marked ranges, each the same for both tables.
#include "rte_links.h"

#include <algorithm>
#include <cstring>

#include "rte_document_internal.h"
#include "rte_link_table.h"
#include "rte_redisplay.h"
#include "rte_scrolling.h"
#include "rte_editing.h"
#include "rte_selection.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

void NoLinkAction(RteHandle, const RteLinkRange*, int32_t, int32_t, const char*) {}

RteLinkProc DefaultProc(int table) { return table == RTE_LINK_TABLE ? RteDefaultLinkProc : NoLinkAction; }

// The named style of a default look: underlined in a colour for links, on a yellow background
// for marks.
int16_t DefaultLook(RteHandle doc, int table, int kind)
{
    static const RteColor kLinkColours[] = {{0, 0, 0xE000}, {0xE000, 0, 0}, {0x80, 0x80, 0x80}};
    RteCharStyle style;
    RteClearCharStyle(&style, 0);
    style.hooks = DocLock(doc)->env->defaultStyle.hooks;
    if (table == RTE_LINK_TABLE) {
        style.underline = 1;
        style.textColor = kLinkColours[kind];
    } else {
        style.backColor = RteColor{0xFFFF, 0xFFFF, 0};
    }
    return static_cast<int16_t>(RteAddNamedCharStyle(doc, &style, nullptr));
}

void Redraw(RteHandle doc, int16_t redraw)
{
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, RTE_REDRAW_OFFSCREEN_FIRST, true);
}

int32_t Add(RteHandle doc, int table, const RteRange* given, const char* name, const char* text, RteLinkProc callback,
            const int16_t kinds[3], int kindCount, int16_t redraw)
{
    RteRange range = {};
    if (given) {
        range = *given;
    } else {
        RteGetSelection(doc, &range.start, &range.end);
    }
    if (text && *text) {
        // The text goes in at the range's start, and the range ends after it.
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(text), static_cast<int32_t>(std::strlen(text)),
                      range.start, RTE_KEYS_NONE, 0, 0);
        range.end = range.start + static_cast<int32_t>(std::strlen(text));
    }
    RteLinkRange record = {};
    record.start = range.start;
    record.end = range.end;
    record.callback = callback ? callback : DefaultProc(table);
    for (int kind = 0; kind < kindCount; ++kind)
        record.kindStyles[kind] = kinds[kind] ? kinds[kind] : DefaultLook(doc, table, kind);
    record.currentStyle = record.kindStyles[0];
    {
        DocLock locked(doc);
        RteSetLinkName(locked.get(), &record, name);
        RteInsertLinkRange(locked.get(), table, record);
        RteMarkForLayout(locked.get(), range.start, range.end);
        ++locked->changes;
    }
    Redraw(doc, redraw);
    return 1;
}

// The record taken out of its table and added again with its changes.
void Change(RteHandle doc, int table, int32_t offset, const RteRange* newRange, const char* name, const char* text,
            RteLinkProc callback, const int16_t kinds[3], int16_t redraw)
{
    RteLinkRange record;
    {
        DocLock locked(doc);
        int32_t index = RteLinkIndexAt(locked.get(), table, offset, false);
        if (index < 0)
            return;
        record = ElementOf<RteLinkRange>(RteLinkTable(locked.get(), table), index);
        RteDelete(RteLinkTable(locked.get(), table), index, 1);
    }
    RteRange range = newRange ? *newRange : RteRange{record.start, record.end};
    if (text && *text) {
        RteRange old = {record.start, record.end};
        RteDeleteRange(doc, &old, 0);
        range = RteRange{record.start, record.start};
    }
    std::string oldName = RteLinkName(record);
    RteLinkRange changed = record;
    changed.nameHandle = nullptr;
    {
        DocLock locked(doc);
        RteSetLinkName(locked.get(), &changed, name ? name : oldName.c_str());
    }
    if (record.nameHandle)
        RteFree(record.nameHandle);
    if (callback)
        changed.callback = callback;
    if (kinds[0])
        changed.kindStyles[0] = changed.currentStyle = kinds[0];
    for (int kind = 1; kind < 3; ++kind)
        if (kinds[kind])
            changed.kindStyles[kind] = kinds[kind];
    if (text && *text) {
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(text), static_cast<int32_t>(std::strlen(text)),
                      range.start, RTE_KEYS_NONE, 0, 0);
        range.end = range.start + static_cast<int32_t>(std::strlen(text));
    }
    changed.start = range.start;
    changed.end = range.end;
    {
        DocLock locked(doc);
        RteInsertLinkRange(locked.get(), table, changed);
        RteMarkForLayout(locked.get(), range.start, range.end);
        ++locked->changes;
    }
    Redraw(doc, redraw);
}

void Remove(RteHandle doc, int table, int32_t offset, int16_t redraw)
{
    {
        DocLock locked(doc);
        int32_t index = RteLinkIndexAt(locked.get(), table, offset, false);
        if (index < 0)
            return;
        RteLinkRange range = ElementOf<RteLinkRange>(RteLinkTable(locked.get(), table), index);
        RteRemoveLinkAt(locked.get(), table, index);
        RteMarkForLayout(locked.get(), range.start, range.end);
        ++locked->changes;
    }
    Redraw(doc, redraw);
}

int32_t Get(RteHandle doc, int table, int32_t offset, bool next, RteLinkRange* out)
{
    DocLock locked(doc);
    int32_t index = RteLinkIndexAt(locked.get(), table, offset, next);
    if (index < 0)
        return 0;
    RteLinkRange range = ElementOf<RteLinkRange>(RteLinkTable(locked.get(), table), index);
    if (range.start >= locked->textLength)
        return 0;
    if (!range.callback)
        range.callback = DefaultProc(table);  // a range read from a stream
    if (out)
        *out = range;
    return 1;
}

int32_t In(RteHandle doc, int table, int32_t offset)
{
    DocLock locked(doc);
    offset = std::clamp(offset, 0, locked->textLength);
    return RteLinkIndexAt(locked.get(), table, offset, false) >= 0 ? 1 : 0;
}

int32_t Name(RteHandle doc, int table, int32_t offset, char* buffer, int32_t size)
{
    // No room for even the NUL: nothing to copy into.
    if (size < 1)
        return 0;
    RteLinkRange range;
    if (!Get(doc, table, offset, false, &range))
        return 0;
    std::string name = RteLinkName(range);
    size_t count = std::min(name.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, name.data(), count);
    buffer[count] = 0;
    return 1;
}

// Bytes compared one by one; with ignore case only a to z fold onto A to Z.
bool NameMatches(const std::string& candidate, const char* wanted, bool prefix, bool ignoreCase)
{
    size_t length = std::strlen(wanted);
    if (candidate.size() < length || (!prefix && candidate.size() != length))
        return false;
    auto fold = [&](char c) { return ignoreCase && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (size_t i = 0; i < length; ++i)
        if (fold(candidate[i]) != fold(wanted[i]))
            return false;
    return true;
}

int32_t Find(RteHandle doc, int table, int32_t from, int32_t* end, const char* name, bool prefix, bool ignoreCase)
{
    DocLock locked(doc);
    for (const RteLinkRange& range : ElementsOf<RteLinkRange>(RteLinkTable(locked.get(), table))) {
        if (range.start >= locked->textLength)
            return -1;
        if (range.start < from || !NameMatches(RteLinkName(range), name, prefix, ignoreCase))
            continue;
        if (end)
            *end = range.end;
        return range.start;
    }
    return -1;
}

constexpr int32_t kFoundInsetV = 8;
constexpr int32_t kFoundInsetH = 16;
constexpr int16_t kFoundRedraw = 9;

int32_t FindAndShow(RteHandle doc, int table, int32_t from, int32_t* end, const char* name, bool prefix,
                    bool ignoreCase, bool scroll)
{
    int32_t start = Find(doc, table, from, end, name, prefix, ignoreCase);
    if (scroll && start >= 0)
        RteScrollInside(doc, start, kFoundInsetV, kFoundInsetH, kFoundRedraw);
    return start;
}

int32_t AtPoint(RteHandle doc, int table, const RtePoint* point)
{
    RteLinkRange range;
    return Get(doc, table, RteOffsetAtPoint(doc, point, nullptr), false, &range) ? range.start : -1;
}

void SetKind(RteHandle doc, int table, int32_t offset, int32_t kind, int16_t redraw)
{
    {
        DocLock locked(doc);
        RteHandle handle = RteLinkTable(locked.get(), table);
        RteLocked<RteLinkRange> ranges(handle);
        for (int32_t i = 0; i + 1 < ranges.size(); ++i) {
            bool holds = ranges[i].start <= offset && offset < ranges[i].end;
            if (offset != -1 && !holds)
                continue;
            ranges[i].currentStyle = ranges[i].kindStyles[kind];
            RteMarkForLayout(locked.get(), ranges[i].start, ranges[i].end);
        }
    }
    Redraw(doc, redraw);
}

}  // namespace

void RteLinkRangesShifted(RteHandle doc, int32_t at, int32_t delta)
{
    DocLock locked(doc);
    RteShiftLinkTable(locked.get(), RTE_LINK_TABLE, at, delta);
    RteShiftLinkTable(locked.get(), RTE_MARK_TABLE, at, delta);
}

void RteDefaultLinkProc(RteHandle doc, const RteLinkRange*, int32_t code, int32_t start, const char*)
{
    if (code != RTE_LINK_ACTIVATED)
        return;
    SetKind(doc, RTE_LINK_TABLE, -1, 0, RTE_REDRAW_OFFSCREEN_FIRST);
    SetKind(doc, RTE_LINK_TABLE, start, 1, RTE_REDRAW_OFFSCREEN_FIRST);
}

int32_t RteAddLinkRange(RteHandle doc, const RteRange* range, const char* name, const char* text, RteLinkProc callback,
                        int16_t kind0, int16_t kind1, int16_t kind2, int16_t redraw)
{
    const int16_t kinds[3] = {kind0, kind1, kind2};
    return Add(doc, RTE_LINK_TABLE, range, name, text, callback, kinds, 3, redraw);
}

int32_t RteAddMarkRange(RteHandle doc, const RteRange* range, const char* name, RteLinkProc callback, int16_t kind0,
                        int16_t redraw)
{
    const int16_t kinds[3] = {kind0, 0, 0};
    return Add(doc, RTE_MARK_TABLE, range, name, nullptr, callback, kinds, 1, redraw);
}

void RteChangeLinkRange(RteHandle doc, int32_t offset, const RteRange* range, const char* name, const char* text,
                        RteLinkProc callback, int16_t kind0, int16_t kind1, int16_t kind2, int16_t redraw)
{
    const int16_t kinds[3] = {kind0, kind1, kind2};
    Change(doc, RTE_LINK_TABLE, offset, range, name, text, callback, kinds, redraw);
}

void RteChangeMarkRange(RteHandle doc, int32_t offset, const RteRange* range, const char* name, RteLinkProc callback,
                        int16_t kind0, int16_t redraw)
{
    const int16_t kinds[3] = {kind0, 0, 0};
    Change(doc, RTE_MARK_TABLE, offset, range, name, nullptr, callback, kinds, redraw);
}

void RteRemoveLinkRange(RteHandle doc, int32_t offset, int16_t redraw) { Remove(doc, RTE_LINK_TABLE, offset, redraw); }
void RteRemoveMarkRange(RteHandle doc, int32_t offset, int16_t redraw) { Remove(doc, RTE_MARK_TABLE, offset, redraw); }
int32_t RteGetLinkRange(RteHandle doc, int32_t offset, bool next, RteLinkRange* out) { return Get(doc, RTE_LINK_TABLE, offset, next, out); }
int32_t RteGetMarkRange(RteHandle doc, int32_t offset, bool next, RteLinkRange* out) { return Get(doc, RTE_MARK_TABLE, offset, next, out); }
int32_t RteInLinkRange(RteHandle doc, int32_t offset) { return In(doc, RTE_LINK_TABLE, offset); }
int32_t RteInMarkRange(RteHandle doc, int32_t offset) { return In(doc, RTE_MARK_TABLE, offset); }
int32_t RteGetLinkRangeName(RteHandle doc, int32_t offset, char* buffer, int32_t size) { return Name(doc, RTE_LINK_TABLE, offset, buffer, size); }
int32_t RteGetMarkRangeName(RteHandle doc, int32_t offset, char* buffer, int32_t size) { return Name(doc, RTE_MARK_TABLE, offset, buffer, size); }

int32_t RteFindLinkRange(RteHandle doc, int32_t from, int32_t* end, const char* name, bool prefix, bool ignoreCase,
                         bool scroll)
{
    return FindAndShow(doc, RTE_LINK_TABLE, from, end, name, prefix, ignoreCase, scroll);
}

int32_t RteFindMarkRange(RteHandle doc, int32_t from, int32_t* end, const char* name, bool prefix, bool ignoreCase,
                         bool scroll)
{
    return FindAndShow(doc, RTE_MARK_TABLE, from, end, name, prefix, ignoreCase, scroll);
}

int32_t RteLinkRangeAtPoint(RteHandle doc, const RtePoint* point) { return AtPoint(doc, RTE_LINK_TABLE, point); }
int32_t RteMarkRangeAtPoint(RteHandle doc, const RtePoint* point) { return AtPoint(doc, RTE_MARK_TABLE, point); }
void RteSetLinkStyleKind(RteHandle doc, int32_t offset, int32_t kind, int16_t redraw) { SetKind(doc, RTE_LINK_TABLE, offset, kind, redraw); }
void RteSetMarkStyleKind(RteHandle doc, int32_t offset, int32_t kind, int16_t redraw) { SetKind(doc, RTE_MARK_TABLE, offset, kind, redraw); }

void RteSetLinkCallbacks(RteHandle doc, RteLinkProc links, RteLinkProc marks)
{
    DocLock locked(doc);
    const RteLinkProc procs[2] = {links ? links : DefaultProc(RTE_LINK_TABLE), marks ? marks : DefaultProc(RTE_MARK_TABLE)};
    for (int table = 0; table < 2; ++table) {
        RteLocked<RteLinkRange> ranges(RteLinkTable(locked.get(), table));
        for (int32_t i = 0; i + 1 < ranges.size(); ++i)
            ranges[i].callback = procs[table];
    }
}
