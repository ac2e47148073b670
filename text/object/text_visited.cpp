// The visited look of branch text: runs of branches already taken drawn in the author's
// visited style while the page plays, taken off before the text is saved or edited.
#include "texte.h"

#include "kernel.h"
#include "navigation.h"
#include "rte_device_units.h"
#include "rte_runs.h"
#include "rte_styles.h"
#include "text_document.h"

#include <cstring>

namespace {

constexpr size_t StylePartBytes = sizeof(STKBR::stylePart);
static_assert(StylePartBytes <= offsetof(RteCharStyle, textColor), "the saved part precedes the colours");

void SetMask(void* field, size_t bytes) { std::memset(field, 0xFF, bytes); }

// Puts the underline, strike-out and colours of the saved look back on its run.
void Restore(RteHandle doc, const STKBR& saved)
{
    RteCharStyle values{}, mask{};
    std::memcpy(&values, saved.stylePart, StylePartBytes);
    values.textColor = saved.textColour;
    values.textColorSpare = saved.textColourSpare;
    values.backColor = saved.backColour;
    values.backColorSpare = saved.backColourSpare;
    SetMask(&mask.underline, sizeof mask.underline);
    SetMask(&mask.strikeOut, sizeof mask.strikeOut);
    SetMask(&mask.textColor, sizeof mask.textColor);
    SetMask(&mask.backColor, sizeof mask.backColor);
    const RteRange range{saved.start, saved.end};
    RteSetCharStyle(doc, &range, &values, &mask, 0);
}

// The visited look is a state of the page being played: it leaves the document's stored state
// as it found it. A style the look leaves unused would go from the table and come back at its
// end when the look is taken off, so that the saved text would list its styles in another
// order: while the look is on, the table keeps unused styles.
void BeginVisitedLook(RteHandle doc, uint32_t before[2])
{
    before[0] = RteGetDocFlags(doc);
    before[1] = RteGetDocFlags2(doc);
    RteSetDocFlags2(doc, before[1] | RTE_DOC2_KEEP_UNUSED);
}

// The saved looks put back, the last first: runs styled twice get their first look back. The
// look's own styles leave the table with their last run, and the mark of changed styles is as
// it was.
void EndVisitedLook(RteHandle doc, LIST& visited, const uint32_t before[2])
{
    RteSetDocFlags2(doc, (RteGetDocFlags2(doc) & ~RTE_DOC2_KEEP_UNUSED) | (before[1] & RTE_DOC2_KEEP_UNUSED));
    for (int i = visited.Items() - 1; i >= 0; --i)
        Restore(doc, *static_cast<STKBR*>(visited.GetItem(i)));
    RteSetDocFlags(doc, (RteGetDocFlags(doc) & ~RTE_DOC_STYLES_CHANGED) | (before[0] & RTE_DOC_STYLES_CHANGED));
}

}  // namespace

void TEXTE::StyleVisitedRuns(int id, bool save)
{
    const BRANCHSTYLE& look = defaults.branchStyles.visited;
    // The visited font's underline and strike-out travel in the top bits of its colour.
    const COLORREF colour = (look.fontColour & QX_COLOUR_RGB_MASK) |
                            (look.font.lfUnderline ? QX_VISITED_UNDERLINE : 0) |
                            (look.font.lfStrikeOut ? QX_VISITED_STRIKEOUT : 0);
    EngineDo([&] {
        RteCharStyle values{}, mask{}, wanted{}, wantedMask{};
        wanted.value14 = id;
        SetMask(&wantedMask.value14, sizeof wantedMask.value14);
        RteColorFromRGB(colour & QX_COLOUR_RGB_MASK, &values.textColor);
        SetMask(&mask.textColor, sizeof mask.textColor);
        if (colour & QX_VISITED_UNDERLINE) {
            values.underline = 1;
            SetMask(&mask.underline, sizeof mask.underline);
        }
        if (colour & QX_VISITED_STRIKEOUT) {
            values.strikeOut = 1;
            SetMask(&mask.strikeOut, sizeof mask.strikeOut);
        }
        if (look.background >> 24) {
            RteColorFromRGB(look.background & QX_COLOUR_RGB_MASK, &values.backColor);
            SetMask(&mask.backColor, sizeof mask.backColor);
        }
        int32_t offset = 0, end = 0;
        while (RteGetStyleRun(document, &offset, &end, &wanted, &wantedMask, nullptr) && end > offset) {
            const RteRange range{offset, end};
            if (save && !visited.Items())
                BeginVisitedLook(document, flagsBeforeVisited);
            if (save) {
                RteCharStyle old{}, uniform{};
                RteGetCharStyle(document, &range, false, &old, &uniform);
                auto* saved = new STKBR;
                saved->branchId = id;
                saved->start = offset;
                saved->end = end;
                std::memcpy(saved->stylePart, &old, StylePartBytes);
                saved->textColour = old.textColor;
                saved->textColourSpare = old.textColorSpare;
                saved->backColour = old.backColor;
                saved->backColourSpare = old.backColorSpare;
                visited.AddTail(saved);
            }
            RteSetCharStyle(document, &range, &values, &mask, 0);
            offset = end;
        }
    });
}

void TEXTE::ApplyVisitedStyling()
{
    if (!document || visitedApplied)
        return;
    visitedApplied = 1;
    for (int i = 0; i < GetBranchItems(); ++i) {
        BRANCH* branch = GetBranch(i);
        if (branch->pluginMark && branch->visited && branch->target.length() && KernIsInStack(kernel, branch->target) &&
            BranchIndexOfId(this, branch->pluginMark) == i)
            StyleVisitedRuns(branch->pluginMark, true);
    }
}

void TEXTE::RemoveVisitedStyling()
{
    if (!visitedApplied)
        return;
    visitedApplied = 0;
    if (!kernel->templateSave && visited.Items() && window)
        InvalidateRect(window, nullptr, FALSE);
    if (document && visited.Items())
        EngineDo([&] { EndVisitedLook(document, visited, flagsBeforeVisited); });
    visited.Clear();
}
