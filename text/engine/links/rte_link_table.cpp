// The two tables of link ranges: lookups, insertion in end order, names, and following edits.
#include "rte_link_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rte_document_internal.h"

using namespace rte_document;

namespace {

void SetSentinel(RteDocument* doc, RteHandle table)
{
    int32_t last = RteCount(table) - 1;
    RteLinkRange sentinel = ElementOf<RteLinkRange>(table, last);
    sentinel.start = sentinel.end = doc->textLength + 2;
    SetElement(table, last, sentinel);
}

void FreeName(const RteLinkRange& range)
{
    if (range.nameHandle)
        RteFree(range.nameHandle);
}

}  // namespace

RteHandle RteLinkTable(RteDocument* doc, int table) { return doc->linkRanges[table]; }

int32_t RteLinkIndexAt(RteDocument* doc, int table, int32_t offset, bool next)
{
    std::vector<RteLinkRange> ranges = ElementsOf<RteLinkRange>(RteLinkTable(doc, table));
    for (size_t i = 0; i + 1 < ranges.size(); ++i) {
        if (ranges[i].end <= offset)
            continue;
        if (next || ranges[i].start <= offset)
            return static_cast<int32_t>(i);
        return -1;
    }
    return -1;
}

std::string RteLinkName(const RteLinkRange& range)
{
    if (range.nameHandle)
        return std::string(RteLocked<char>(range.nameHandle).get());
    return std::string(range.name, strnlen(range.name, sizeof range.name));
}

void RteSetLinkName(RteDocument* doc, RteLinkRange* range, const char* name)
{
    FreeName(*range);
    range->nameHandle = nullptr;
    std::memset(range->name, 0, sizeof range->name);
    size_t length = name ? std::strlen(name) : 0;
    if (length < RTE_LINK_NAME_BYTES)
        std::memcpy(range->name, name ? name : "", length);
    else
        range->nameHandle = RteNewFromData(doc->env->context, name, 1, static_cast<int32_t>(length + 1));
}

void RteInsertLinkRange(RteDocument* doc, int table, const RteLinkRange& range)
{
    RteHandle handle = RteLinkTable(doc, table);
    std::vector<RteLinkRange> ranges = ElementsOf<RteLinkRange>(handle);
    int32_t at = 0;
    while (at + 1 < static_cast<int32_t>(ranges.size()) && ranges[static_cast<size_t>(at)].end <= range.start)
        ++at;
    InsertElement(handle, at, range);
    SetSentinel(doc, handle);
}

void RteRemoveLinkAt(RteDocument* doc, int table, int32_t index)
{
    RteHandle handle = RteLinkTable(doc, table);
    FreeName(ElementOf<RteLinkRange>(handle, index));
    RteDelete(handle, index, 1);
}

void RteShiftLinkTable(RteDocument* doc, int table, int32_t at, int32_t delta)
{
    RteHandle handle = RteLinkTable(doc, table);
    std::vector<RteLinkRange> ranges = ElementsOf<RteLinkRange>(handle);
    std::vector<RteLinkRange> kept;
    std::vector<RteLinkRange> lost;
    for (size_t i = 0; i + 1 < ranges.size(); ++i) {
        RteLinkRange range = ranges[i];
        if (delta > 0) {
            // Text inserted at a range's start lies before it, at its end after it.
            range.start = range.start >= at ? range.start + delta : range.start;
            range.end = range.end > at ? range.end + delta : range.end;
        } else {
            range.start = range.start > at ? std::max(at, range.start + delta) : range.start;
            range.end = range.end > at ? std::max(at, range.end + delta) : range.end;
        }
        (range.start < range.end ? kept : lost).push_back(range);
    }
    kept.push_back(ranges.back());
    RteSetCount(handle, static_cast<int32_t>(kept.size()));
    std::copy(kept.begin(), kept.end(), RteLocked<RteLinkRange>(handle).get());
    SetSentinel(doc, handle);
    for (const RteLinkRange& range : lost) {
        std::string name = RteLinkName(range);
        if (range.callback)
            range.callback(doc->self, &range, RTE_LINK_REMOVED, range.start, name.c_str());
        FreeName(range);
    }
}
