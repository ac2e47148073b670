// The one way every set operation changes ranges: a per-run step over the range list, then the
// clean-up, the layout marks and the change count.
#pragma once

#include "rte_runs.h"
#include <cstring>

#include "rte_style_units.h"
#include "rte_typed.h"

// A handle freed when the scope ends, raise or not.
class RteScopedHandle {
public:
    explicit RteScopedHandle(RteHandle handle) : handle_(handle) {}
    ~RteScopedHandle()
    {
        if (handle_)
            RteUnlockAllAndFree(handle_);
    }
    RteScopedHandle(const RteScopedHandle&) = delete;
    RteScopedHandle& operator=(const RteScopedHandle&) = delete;
    RteHandle get() const { return handle_; }

private:
    RteHandle handle_;
};

// Applies the step to the runs of every pair of the list; the paragraph side widens the pairs
// to whole paragraphs. Returns the number of runs whose record changed.
int32_t RteApplyToRanges(RteDocument* doc, const RteRange* range, bool paragraph, RteRunStepProc proc,
                         const void* data);
// The character set operation with every masked unit, the font index included.
void RteApplyCharStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* mask,
                       int16_t redraw);
// Applies a style-sheet entry to the runs in named-style mode: derived runs keep their overrides.
void RteApplyCharEntry(RteHandle doc, const RteRange* range, const RteCharStyle* entry);

// Calls visit(run index in its table, record index) for every run that a pair of the list
// touches (the run at an empty pair's start too).
template <class Visit>
void RteForEachRunInRanges(RteHandle runs, RteHandle list, Visit&& visit)
{
    int32_t pairs = RteCount(list);
    for (int32_t p = 0; p < pairs; ++p) {
        RteRange range;
        RteGetElement(list, p, &range);
        int32_t at = 0;
        RteFindRun(runs, range.start, &at);
        RteUnlock(runs);
        for (int32_t count = RteCount(runs); at < count - 1; ++at) {
            RteStyleRun run;
            RteGetElement(runs, at, &run);
            if (run.offset >= range.end && run.offset > range.start)
                break;
            visit(at, run.index);
        }
    }
}

// Reads the records of a range into a value and a mask. Without the mask flag the first record
// is the value and the mask keeps the units that every record shares; with it the caller's
// value is looked for and the mask selects the units in which some record equals it.
template <class Record>
class RteRangeReader {
public:
    RteRangeReader(std::span<const RteUnit> units, bool maskFlag, Record* value, Record* mask)
        : units_(units), maskFlag_(maskFlag), value_(value), mask_(mask)
    {
        std::memset(mask, maskFlag ? 0 : 0xFF, sizeof *mask);
    }

    void Take(const Record& record)
    {
        if (maskFlag_)
            RteMaskedAccumulate(units_, &record, value_, mask_, true);
        else if (first_)
            *value_ = record;
        else
            RteMaskedAccumulate(units_, &record, value_, mask_, false);
        first_ = false;
    }

private:
    std::span<const RteUnit> units_;
    bool maskFlag_;
    Record* value_;
    Record* mask_;
    bool first_ = true;
};
