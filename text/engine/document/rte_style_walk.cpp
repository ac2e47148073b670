// The style walker: steps through text with the style, format and font in force at hand,
// moving between neighbouring runs without new lookups.
#include "rte_document_internal.h"
#include "rte_runs.h"

namespace {

constexpr int32_t kNoFont = -3;

// Positions the walker's run cursors and records at its offset; 1 when anything changed.
int32_t Settle(RteStyleWalk* walker)
{
    int32_t before = walker->charRun;
    int32_t parBefore = walker->parRun;
    int32_t count = RteCount(walker->doc->charRuns);
    while (walker->charRun > 0 && walker->charRuns[walker->charRun].offset > walker->offset)
        --walker->charRun;
    while (walker->charRun < count - 2 && walker->charRuns[walker->charRun + 1].offset <= walker->offset)
        ++walker->charRun;
    const RteStyleRun& run = walker->charRuns[walker->charRun];
    walker->nextRunStart = walker->charRuns[walker->charRun + 1].offset;
    walker->style = &walker->styles[run.index];
    walker->unit22 = walker->style->styleSheetUnit;
    int32_t font = walker->style->font < 0 ? 0 : walker->style->font;
    bool fontChanged = font != walker->fontIndex;
    walker->fontIndex = font;
    walker->font = &walker->fonts[font];
    if (walker->paragraphs) {
        int32_t parCount = RteCount(walker->doc->parRuns);
        while (walker->parRun > 0 && walker->parRuns[walker->parRun].offset > walker->offset)
            --walker->parRun;
        while (walker->parRun < parCount - 2 && walker->parRuns[walker->parRun + 1].offset <= walker->offset)
            ++walker->parRun;
        walker->format = &walker->formats[walker->parRuns[walker->parRun].index];
        walker->nextParStart = walker->parRuns[walker->parRun + 1].offset;
    }
    return before != walker->charRun || parBefore != walker->parRun || fontChanged ? 1 : 0;
}

void LockTables(RteDocument* doc, bool paragraphs)
{
    RteLock(doc->charStyles);
    RteLock(doc->fonts);
    RteLock(doc->charRuns);
    RteLock(doc->linkRanges[0]);
    RteLock(doc->linkRanges[1]);
    if (paragraphs) {
        RteLock(doc->parFormats);
        RteLock(doc->parRuns);
    }
}

}  // namespace

void RteStyleWalkBegin(RteHandle handle, int32_t offset, RteStyleWalk* walker, bool paragraphs)
{
    if (!walker) {
        RteStyleWalkEnd(handle, paragraphs);
        return;
    }
    auto* doc = static_cast<RteDocument*>(RteLock(handle));
    LockTables(doc, paragraphs);
    *walker = {};
    walker->doc = doc;
    walker->paragraphs = paragraphs;
    walker->end = doc->textLength;
    walker->flags2 = doc->flags2;
    walker->fontIndex = kNoFont;
    walker->styles = static_cast<RteCharStyle*>(RteElementPtr(doc->charStyles, 0, false));
    walker->fonts = static_cast<RteFont*>(RteElementPtr(doc->fonts, 0, false));
    walker->charRuns = static_cast<RteStyleRun*>(RteElementPtr(doc->charRuns, 0, false));
    if (paragraphs) {
        walker->formats = static_cast<RteParFormat*>(RteElementPtr(doc->parFormats, 0, false));
        walker->parRuns = static_cast<RteStyleRun*>(RteElementPtr(doc->parRuns, 0, false));
    }
    walker->offset = offset < 0 ? 0 : offset;
    Settle(walker);
}

void RteStyleWalkEnd(RteHandle handle, bool paragraphs)
{
    auto* doc = static_cast<RteDocument*>(RteElementPtr(handle, 0, false));
    RteUnlock(doc->charStyles);
    RteUnlock(doc->fonts);
    RteUnlock(doc->charRuns);
    RteUnlock(doc->linkRanges[0]);
    RteUnlock(doc->linkRanges[1]);
    if (paragraphs) {
        RteUnlock(doc->parFormats);
        RteUnlock(doc->parRuns);
    }
    RteUnlock(handle);
}

int32_t RteStyleWalkMove(RteStyleWalk* walker, int32_t delta)
{
    int32_t offset = walker->offset + delta;
    walker->offset = offset < 0 ? 0 : offset;
    return Settle(walker);
}

int32_t RteStyleWalkNext(RteStyleWalk* walker)
{
    if (walker->nextRunStart > walker->end)
        return 0;
    return RteStyleWalkSet(walker, walker->nextRunStart);
}

int32_t RteStyleWalkPrev(RteStyleWalk* walker)
{
    int32_t start = walker->charRuns[walker->charRun].offset;
    return RteStyleWalkSet(walker, start > 0 ? start - 1 : 0);
}

int32_t RteStyleWalkSet(RteStyleWalk* walker, int32_t offset)
{
    if (offset == walker->offset)
        return 0;
    RteStyleWalkMove(walker, offset - walker->offset);
    return 1;
}

RteCharContext RteStyleWalkCharContext(const RteStyleWalk* walker, int32_t length, int32_t after)
{
    const RteFont* previous = nullptr;
    const RteStyleRun& run = walker->charRuns[walker->charRun];
    if (walker->charRun > 0 && run.offset == walker->offset) {
        int32_t font = walker->styles[walker->charRuns[walker->charRun - 1].index].font;
        previous = &walker->fonts[font < 0 ? 0 : font];
    }
    return RteCharContext{length, after, previous};
}
