// Formatting commands of the editor: run by run, branch text spared, one Undo group a command.
#include "format_commands.h"

#include "rte_selection.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_undo.h"
#include "text_document.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

template <class Field>
void SetMask(Field& field)
{
    std::memset(&field, 0xFF, sizeof field);
}

}  // namespace

void ApplyToRuns(EDITSESSION* session, const RteRange* range, bool spareBranches,
                 const std::function<void(const RteRange&)>& apply)
{
    const RteHandle doc = session->document;
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    const RteRange wanted = range ? *range : RteRange{start, end};
    if (wanted.start == wanted.end) {
        AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_FORMAT);
        EngineDo([&] { apply(wanted); });
        MarkModified(session);
        return;
    }
    BeginUndoGroup(&session->undo);
    for (const TEXTRUN& run : RunsOf(doc, wanted.start, wanted.end)) {
        if (spareBranches && run.branchId)
            continue;
        const RteRange part{run.start, run.end};
        EngineDo([&] { RteSetSelection(doc, part.start, part.end, 0, 0); });
        AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_FORMAT);
        EngineDo([&] { apply(part); });
    }
    EndUndoGroup(&session->undo);
    SetEditSelection(session, start, end);
    MarkModified(session);
}

std::vector<TEXTRUN> RunsOf(RteHandle document, int32_t start, int32_t end)
{
    std::vector<TEXTRUN> runs;
    if (!document || end <= start)
        return runs;
    EngineDo([&] {
        RteStyleWalk walk{};
        RteStyleWalkBegin(document, start, &walk, false);
        for (;;) {
            const int32_t runEnd = std::min(walk.nextRunStart, end);
            if (walk.offset >= end || walk.offset >= walk.end || runEnd <= walk.offset)
                break;
            runs.push_back({walk.offset, runEnd, walk.style ? walk.style->value14 : 0});
            if (!RteStyleWalkNext(&walk))
                break;
        }
        RteStyleWalkBegin(document, 0, nullptr, false);
    });
    return runs;
}

void ApplyFontName(EDITSESSION* session, const char* face, const RteRange* range, int16_t redraw, uintptr_t)
{
    ApplyToRuns(session, range, true,
                  [&](const RteRange& part) { RteSetFontName(session->document, face, &part, redraw); });
}

void ApplyCharStyle(EDITSESSION* session, const RteRange* range, const RteCharStyle& style, const RteCharStyle& mask,
                    int16_t redraw)
{
    // A style that makes branch text goes over every run, branch runs included.
    const bool branch = style.value14 > 0;
    RteCharStyle applied = mask;
    if (branch)
        SetMask(applied.value14);
    ApplyToRuns(session, range, !branch, [&](const RteRange& part) {
        RteSetCharStyle(session->document, &part, &style, &applied, redraw);
    });
}

int SelectionHasStyle(EDITSESSION* session, int16_t RteCharStyle::*field)
{
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    if (start == end)
        return 0;
    for (const TEXTRUN& run : RunsOf(session->document, start, end)) {
        RteCharStyle style{}, uniform{};
        const RteRange part{run.start, run.end};
        EngineDo([&] { RteGetCharStyle(session->document, &part, false, &style, &uniform); });
        if (!(style.*field) && !run.branchId)
            return 0;
    }
    return 1;
}

void ClearBranchMarks(RteHandle document)
{
    if (!document)
        return;
    int32_t length = 0;
    EngineDo([&] { length = RteTextLength(document); });
    RteCharStyle plain{}, mask{};
    SetMask(mask.value14);
    for (const TEXTRUN& run : RunsOf(document, 0, length + 1)) {
        if (!run.branchId)
            continue;
        const RteRange part{run.start, run.end};
        EngineDo([&] { RteSetCharStyle(document, &part, &plain, &mask, 0); });
    }
}

void PurgeUnusedBranches(TEXTE* text, RteHandle document)
{
    if (!text || !document)
        return;
    int32_t length = 0;
    EngineDo([&] { length = RteTextLength(document); });
    std::set<int> used;
    RteCharStyle plain{}, mask{};
    SetMask(mask.value14);
    for (const TEXTRUN& run : RunsOf(document, 0, length + 1)) {
        if (!run.branchId)
            continue;
        if (BranchIndexOfId(text, run.branchId) < 0) {
            const RteRange part{run.start, run.end};
            EngineDo([&] { RteSetCharStyle(document, &part, &plain, &mask, 0); });
        } else {
            used.insert(run.branchId);
        }
    }
    // The first branch is the object's own. A message goes with its branch: the page stores
    // messages in branch order without their numbers.
    for (int i = 1; i < text->GetBranchItems();) {
        if (used.count(text->GetBranch(i)->pluginMark)) {
            ++i;
            continue;
        }
        delete text->RemoveBranch(i);
        if (BRMSG* message = text->Message(i)) {
            text->messages.Remove(message);
            delete message;
        }
    }
}
