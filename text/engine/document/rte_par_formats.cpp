// Paragraph formats of the paragraphs a range touches, read and set with masks.
#include "rte_document_internal.h"
#include "rte_style_apply.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"
#include "rte_styles.h"

using namespace rte_document;

namespace {

struct ParChange {
    const RteParFormat* values;
    const RteParFormat* mask;
};

int32_t ParStep(RteRunStep* step, const RteStyleRun& run)
{
    const auto& change = *static_cast<const ParChange*>(step->data);
    RteParFormat record = RteParFormatRecord(step->doc, run.index);
    if (!RteMaskedCopy(RteParFormatUnits(), &record, change.values, change.mask))
        return run.index;
    ++step->changed;
    return RteFindOrAddParFormat(step->doc, record, RTE_REASON_SET);
}

}  // namespace

int32_t RteGetParFormat(RteHandle handle, const RteRange* range, bool maskFlag, RteParFormat* format,
                        RteParFormat* mask)
{
    DocLock doc(handle);
    RteScopedHandle list(RteMakeRangeList(doc.get(), range, true, false));
    RteRangeReader<RteParFormat> reader(RteParFormatUnits(), maskFlag, format, mask);
    RteForEachRunInRanges(doc->parRuns, list.get(),
                          [&](int32_t, int32_t index) { reader.Take(RteParFormatRecord(doc.get(), index)); });
    return range ? range->start : RteSelectionStart(doc.get());
}

void RteSetParFormat(RteHandle handle, const RteRange* range, const RteParFormat* format, const RteParFormat* mask,
                     int16_t)
{
    DocLock doc(handle);
    ParChange change = {format, mask};
    RteApplyToRanges(doc.get(), range, true, ParStep, &change);
}

