// The visited look of branch runs: shown while a page is on screen, taken off before the text
// is written so that files never hold it, with what it replaced kept in STKBR records.
#include "text_files.h"

#include <algorithm>
#include <cstring>

#include "rte_device_units.h"
#include "rte_position_queries.h"
#include "rte_runs.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_bounds.h"

namespace {

// The part of a character style that a STKBR keeps.
constexpr size_t kStylePart = sizeof(STKBR::stylePart);
static_assert(kStylePart <= offsetof(RteCharStyle, textColor), "the kept part lies before the colours");

RteColor AllChannels() { return RteColor{0xFFFF, 0xFFFF, 0xFFFF}; }

bool StartsWith(RteHandle doc, int32_t offset, const char* prefix, int32_t count)
{
    RteHandle text = nullptr;
    int32_t left = 0;
    const uint8_t* bytes = RteTextPointer(doc, offset, &text, &left);
    if (!bytes)
        return false;
    bool starts = left >= count && std::memcmp(bytes, prefix, static_cast<size_t>(count)) == 0;
    RteUnlock(text);
    return starts;
}

// A run that begins a bulleted paragraph begins after the bullet and its tab: they keep the
// paragraph's own look.
void SkipBulletPrefix(RteHandle doc, RteRange* run, const char* bulletPrefix)
{
    constexpr int32_t kPrefix = 2;
    int32_t start = 0;
    int32_t end = 0;
    RteParagraphBounds(doc, run->start, &start, &end);
    if (start == run->start && StartsWith(doc, start, bulletPrefix, kPrefix))
        run->start = std::min(run->start + kPrefix, run->end);
}

}  // namespace

void ForEachBranchRun(RteHandle doc, const char* bulletPrefix, const BRANCHRUNVISIT& visit)
{
    const int32_t length = RteTextLength(doc);
    for (int32_t at = 0; at < length;) {
        RteStyleWalk walker;
        RteStyleWalkBegin(doc, at, &walker, false);
        const RteCharStyle style = *walker.style;
        RteRange run{at, std::min(walker.nextRunStart, length)};
        RteStyleWalkEnd(doc, false);
        if (run.end <= at)
            break;
        at = run.end;
        if (!style.value14)
            continue;
        SkipBulletPrefix(doc, &run, bulletPrefix);
        if (run.start < run.end)
            visit(run, style);
    }
}

void SaveRunLook(const RteCharStyle& style, STKBR* saved)
{
    saved->branchId = style.value14;
    std::memcpy(saved->stylePart, &style, kStylePart);
    saved->textColour = style.textColor;
    saved->textColourSpare = style.textColorSpare;
    saved->backColour = style.backColor;
    saved->backColourSpare = style.backColorSpare;
}

void GiveVisitedLook(RteHandle doc, const RteRange& run, const BRANCHSTYLE& visited)
{
    RteCharStyle style;
    RteCharStyle mask;
    RteClearCharStyle(&style, 0);
    RteClearCharStyle(&mask, 0);
    RteColorFromRGB(visited.fontColour & QX_COLOUR_RGB_MASK, &style.textColor);
    mask.textColor = AllChannels();
    // A transparent visited background leaves the run's own.
    if (visited.background >> 24) {
        RteColorFromRGB(visited.background & QX_COLOUR_RGB_MASK, &style.backColor);
        mask.backColor = AllChannels();
    }
    if ((visited.fontColour & QX_VISITED_UNDERLINE) || visited.font.lfUnderline) {
        style.underline = 1;
        mask.underline = -1;
    }
    if ((visited.fontColour & QX_VISITED_STRIKEOUT) || visited.font.lfStrikeOut) {
        style.strikeOut = 1;
        mask.strikeOut = -1;
    }
    RteSetCharStyle(doc, &run, &style, &mask, 0);
}

void PutBackRunLook(RteHandle doc, const RteRange& run, const STKBR& saved)
{
    RteCharStyle style;
    RteCharStyle mask;
    RteClearCharStyle(&style, 0);
    RteClearCharStyle(&mask, 0);
    std::memcpy(&style, saved.stylePart, kStylePart);
    std::memset(&mask, 0xFF, kStylePart);
    style.textColor = saved.textColour;
    style.backColor = saved.backColour;
    mask.textColor = AllChannels();
    mask.backColor = AllChannels();
    RteSetCharStyle(doc, &run, &style, &mask, 0);
}

void ShowVisitedRuns(RteHandle doc, LIST* saved, const BRANCHSTYLE& visited, const char* bulletPrefix,
                     const std::function<bool(int branchId)>& isVisited)
{
    ForEachBranchRun(doc, bulletPrefix, [&](const RteRange& run, const RteCharStyle& style) {
        if (!isVisited(style.value14))
            return;
        auto* look = new STKBR;
        if (!look)
            return;
        SaveRunLook(style, look);
        saved->AddTail(look);
        GiveVisitedLook(doc, run, visited);
    });
}

void HideVisitedRuns(RteHandle doc, LIST* saved, const char* bulletPrefix)
{
    ForEachBranchRun(doc, bulletPrefix, [&](const RteRange& run, const RteCharStyle& style) {
        // The runs come in the order they were saved: the first record of the id is this run's.
        for (long i = 0; i < saved->Items(); ++i) {
            auto* look = static_cast<STKBR*>(saved->GetItem(i));
            if (look->branchId != style.value14)
                continue;
            PutBackRunLook(doc, run, *look);
            saved->Remove(look);
            delete look;
            return;
        }
    });
}
