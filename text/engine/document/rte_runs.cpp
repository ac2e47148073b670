// Run lookup, the run-apply walk and the run changes after a deletion.
#include "rte_runs.h"

#include "rte_document_internal.h"
#include "rte_style_tables.h"

using namespace rte_document;

namespace {

constexpr int32_t kSkip = 32;

int32_t FindIndex(const RteStyleRun* runs, int32_t count, int32_t offset)
{
    int32_t i = 0;
    while (count - i > kSkip && runs[i + kSkip].offset < offset)
        i += kSkip;
    while (i < count && offset >= runs[i].offset)
        ++i;
    return i > 0 ? i - 1 : 0;
}

int32_t RunIndexOf(RteHandle runs, int32_t offset)
{
    RteLocked<RteStyleRun> entries(runs);
    return FindIndex(entries.get(), entries.size(), offset);
}

void Use(RteRunStep* step, int32_t index, int32_t delta)
{
    if (step->paragraph)
        RteUseParFormat(step->doc, index, delta);
    else
        RteUseCharStyle(step->doc, index, delta);
}

void Retag(RteRunStep* step, RteHandle runs, int32_t at, int32_t index)
{
    RteStyleRun run = ElementOf<RteStyleRun>(runs, at);
    if (run.index == index)
        return;
    Use(step, index, 1);
    Use(step, run.index, -1);
    run.index = static_cast<uint16_t>(index);
    SetElement(runs, at, run);
}

void InsertRun(RteRunStep* step, RteHandle runs, int32_t at, int32_t offset, int32_t index)
{
    InsertElement(runs, at, RteStyleRun{offset, static_cast<uint16_t>(index)});
    Use(step, index, 1);
}

}  // namespace

RteStyleRun* RteFindRun(RteHandle runs, int32_t offset, int32_t* index)
{
    auto* entries = static_cast<RteStyleRun*>(RteLock(runs));
    int32_t i = FindIndex(entries, RteCount(runs), offset);
    if (index)
        *index = i;
    return &entries[i];
}

RteStyleRun* RteCharRunAt(RteHandle doc, int32_t offset, int32_t* index)
{
    return RteFindRun(DocLock(doc)->charRuns, offset, index);
}

RteStyleRun* RteParRunAt(RteHandle doc, int32_t offset, int32_t* index)
{
    return RteFindRun(DocLock(doc)->parRuns, offset, index);
}

RteCharStyle* RteCharStyleAt(RteHandle handle, int32_t offset)
{
    DocLock doc(handle);
    int32_t index = ElementOf<RteStyleRun>(doc->charRuns, RunIndexOf(doc->charRuns, offset)).index;
    return static_cast<RteCharStyle*>(RteElementPtr(doc->charStyles, index, true));
}

RteParFormat* RteParFormatAt(RteHandle handle, int32_t offset)
{
    DocLock doc(handle);
    int32_t index = ElementOf<RteStyleRun>(doc->parRuns, RunIndexOf(doc->parRuns, offset)).index;
    return static_cast<RteParFormat*>(RteElementPtr(doc->parFormats, index, true));
}

void RteRunApply(RteHandle runs, RteRunStep* step, RteRunStepProc proc, int32_t start, int32_t end)
{
    int32_t length = step->doc->textLength;
    int32_t endIndex = ElementOf<RteStyleRun>(runs, RunIndexOf(runs, end)).index;
    int32_t at = RunIndexOf(runs, start);
    RteStyleRun run = ElementOf<RteStyleRun>(runs, at);
    int32_t index = proc(step, run);
    if (length == 0 || (start == end && start == run.offset && start == length)) {
        Retag(step, runs, at, index);
        if (length == 0)
            Retag(step, runs, at + 1, index);  // the sentinel follows the only run
        return;
    }
    if (index != run.index) {
        if (run.offset == start) {
            Retag(step, runs, at, index);
        } else {
            InsertRun(step, runs, at + 1, start, index);
            ++at;
        }
    }
    for (++at; at < RteCount(runs) - 1; ++at) {
        run = ElementOf<RteStyleRun>(runs, at);
        if (run.offset >= end)
            break;
        Retag(step, runs, at, proc(step, run));
    }
    if (ElementOf<RteStyleRun>(runs, at).offset != end)
        InsertRun(step, runs, at, end, endIndex);
}

void RteRunIndexAt(RteHandle handle, int32_t offset, int16_t* charIndex, int16_t* parIndex, bool addUse)
{
    DocLock doc(handle);
    int16_t c = static_cast<int16_t>(ElementOf<RteStyleRun>(doc->charRuns, RunIndexOf(doc->charRuns, offset)).index);
    *charIndex = c;
    if (addUse)
        RteUseCharStyle(doc.get(), c, 1);
    if (!parIndex)
        return;
    int16_t p = static_cast<int16_t>(ElementOf<RteStyleRun>(doc->parRuns, RunIndexOf(doc->parRuns, offset)).index);
    *parIndex = p;
    if (addUse)
        RteUseParFormat(doc.get(), p, 1);
}

void RteSetRunsAt(RteHandle handle, int16_t charIndex, int16_t parIndex, int32_t offset)
{
    DocLock doc(handle);
    if (offset >= doc->textLength) {
        RteUseCharStyle(doc.get(), charIndex, -1);
    } else {
        int32_t at = RunIndexOf(doc->charRuns, offset);
        RteStyleRun run = ElementOf<RteStyleRun>(doc->charRuns, at);
        if (run.offset == offset) {
            // The use taken for the deletion moves to the run; the run's own use goes back.
            RteUseCharStyle(doc.get(), run.index, -1);
            run.index = static_cast<uint16_t>(charIndex);
            SetElement(doc->charRuns, at, run);
        } else {
            InsertElement(doc->charRuns, at + 1, RteStyleRun{offset, static_cast<uint16_t>(charIndex)});
        }
    }
    if (parIndex < 0)
        return;
    int32_t parStart = 0;
    int32_t parEnd = 0;
    doc->hooks.parBounds(handle, offset, &parStart, &parEnd);
    int32_t at = RunIndexOf(doc->parRuns, parEnd);
    RteStyleRun run = {parEnd, static_cast<uint16_t>(parIndex)};
    if (ElementOf<RteStyleRun>(doc->parRuns, at).offset != parEnd) {
        // The text after the paragraph keeps the format it had before the deletion.
        InsertElement(doc->parRuns, at + 1, run);
    } else if (offset == parStart) {
        run.offset = offset;
        InsertElement(doc->parRuns, RunIndexOf(doc->parRuns, offset) + 1, run);
    } else {
        RteUseParFormat(doc.get(), parIndex, -1);
    }
}
