// Tab stops of paragraphs: the union over a range, and stops applied one by one.
#include <algorithm>
#include <cstring>
#include <vector>

#include "rte_document_internal.h"
#include "rte_style_apply.h"
#include "rte_style_tables.h"
#include "rte_styles.h"

using namespace rte_document;

namespace {

struct TabChange {
    std::vector<RteTab> tabs;
    std::vector<int32_t> flags;  // empty: every stop applies
};

int32_t FindTab(const RteParFormat& format, int32_t position)
{
    for (int32_t i = 0; i < format.tabCount; ++i)
        if (format.tabs[i].position == position)
            return i;
    return -1;
}

bool SameStop(const RteTab& a, const RteTab& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// One stop into a format; true when the format changed. A full format takes no new stop, but
// its stops can still be changed or removed.
bool ApplyTab(RteParFormat& format, const RteTab& tab)
{
    int32_t at = FindTab(format, tab.position);
    if (at < 0) {
        if ((tab.kind & 0xFFF) == RTE_TAB_NONE || format.tabCount >= RTE_MAX_TABS)
            return false;
        format.tabs[format.tabCount++] = tab;
        return true;
    }
    if ((tab.kind & 0xFFF) == RTE_TAB_NONE) {
        std::memmove(&format.tabs[at], &format.tabs[at + 1], sizeof(RteTab) * static_cast<size_t>(format.tabCount - at - 1));
        format.tabs[--format.tabCount] = {};
        return true;
    }
    if (SameStop(format.tabs[at], tab))
        return false;
    format.tabs[at] = tab;
    return true;
}

int32_t TabStep(RteRunStep* step, const RteStyleRun& run)
{
    const auto& change = *static_cast<const TabChange*>(step->data);
    RteParFormat record = RteParFormatRecord(step->doc, run.index);
    bool changed = false;
    for (size_t i = 0; i < change.tabs.size(); ++i)
        if (change.flags.empty() || change.flags[i] != 0)
            changed |= ApplyTab(record, change.tabs[i]);
    if (!changed)
        return run.index;
    ++step->changed;
    return RteFindOrAddParFormat(step->doc, record, RTE_REASON_SET);
}

template <class T>
std::vector<T> Values(RteHandle handle, size_t most)
{
    RteLocked<T> values(handle);
    size_t count = std::min(static_cast<size_t>(values.size()), most);
    return std::vector<T>(values.get(), values.get() + count);
}

template <class T>
void Fill(RteHandle handle, const std::vector<T>& values)
{
    RteSetCount(handle, static_cast<int32_t>(values.size()));
    if (!values.empty())
        std::memcpy(RteLocked<T>(handle).get(), values.data(), values.size() * sizeof(T));
}

}  // namespace

void RteSetTabBase(RteHandle doc, int32_t base) { DocLock(doc)->tabBase = base; }
int32_t RteGetTabBase(RteHandle doc) { return DocLock(doc)->tabBase; }

void RteGetTabs(RteHandle handle, const RteRange* range, RteHandle tabs, RteHandle flags, int32_t* base)
{
    DocLock doc(handle);
    RteScopedHandle list(RteMakeRangeList(doc.get(), range, true, false));
    std::vector<RteTab> stops;
    std::vector<int32_t> inEvery;
    bool firstWithStops = true;
    RteForEachRunInRanges(doc->parRuns, list.get(), [&](int32_t, int32_t index) {
        RteParFormat format = RteParFormatRecord(doc.get(), index);
        if (format.tabCount == 0)
            return;
        for (size_t i = 0; i < stops.size(); ++i) {
            int32_t at = FindTab(format, stops[i].position);
            if (at < 0 || !SameStop(format.tabs[at], stops[i]))
                inEvery[i] = 0;
        }
        for (int32_t t = 0; t < format.tabCount; ++t) {
            bool known = std::any_of(stops.begin(), stops.end(),
                                     [&](const RteTab& s) { return s.position == format.tabs[t].position; });
            if (!known) {
                stops.push_back(format.tabs[t]);
                inEvery.push_back(firstWithStops ? -1 : 0);
            }
        }
        firstWithStops = false;
    });
    Fill(tabs, stops);
    if (flags)
        Fill(flags, inEvery);
    if (base) {
        // Positions count from the wrap area's left edge, moved by the base when one is set.
        RteRect wrap;
        RteRectListFirst(doc->wrapArea, &wrap);
        *base = doc->tabBase == -1 ? wrap.left : wrap.left + doc->tabBase;
    }
}

void RteSetTabs(RteHandle handle, const RteRange* range, RteHandle tabs, RteHandle flags, int16_t)
{
    DocLock doc(handle);
    TabChange change;
    change.tabs = Values<RteTab>(tabs, RTE_MAX_TABS);
    if (flags)
        change.flags = Values<int32_t>(flags, change.tabs.size());
    change.flags.resize(flags ? change.tabs.size() : 0, 0);
    RteApplyToRanges(doc.get(), range, true, TabStep, &change);
}

void RteSetTab(RteHandle handle, const RteRange* range, const RteTab* tab, int16_t)
{
    DocLock doc(handle);
    TabChange change;
    change.tabs.push_back(*tab);
    RteApplyToRanges(doc.get(), range, true, TabStep, &change);
}
