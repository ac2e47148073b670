// Formatting of the editor's selection run by run, so that branch text keeps its branch look,
// each change an Undo step of one group; the tests of a style over the selection; and the
// clean-up of branch marks and of branches no text uses any more.
#pragma once

#include "edit_session.h"
#include "rte_runs.h"
#include "rte_style_records.h"

#include <functional>
#include <vector>

// How far raised or lowered text stands off the line, in the style's whole points: what Ctrl
// with the equals key and the font dialog's "Exposant" and "Indice" give.
constexpr int16_t QX_RAISED_POINTS = 50;

// One character run of the text.
struct TEXTRUN {
    int32_t start;
    int32_t end;
    int branchId;  // 0 for plain text
};
// The runs of [start, end), clipped to it.
std::vector<TEXTRUN> RunsOf(RteHandle document, int32_t start, int32_t end);

// The change applied to each run of the range (null: the selection) as one Undo group, branch
// runs left out when asked; a caret gets the change for what is typed next. The selection is
// put back.
void ApplyToRuns(EDITSESSION* session, const RteRange* range, bool spareBranches,
                 const std::function<void(const RteRange&)>& apply);
// Sets the face over the range (null: the selection); branch runs keep theirs.
void ApplyFontName(EDITSESSION* session, const char* face, const RteRange* range, int16_t redraw, uintptr_t group);
// Applies the style under the mask over the range (null: the selection); branch runs are
// spared unless the style itself carries a branch number, which then goes to every run.
void ApplyCharStyle(EDITSESSION* session, const RteRange* range, const RteCharStyle& style, const RteCharStyle& mask,
                    int16_t redraw);
// 1 when every run of the selection has the field (a 16-bit unit of the style) non-zero or is
// branch text; 0 otherwise and for an empty selection.
int SelectionHasStyle(EDITSESSION* session, int16_t RteCharStyle::*field);
// Gives every run that carries a branch number the number 0.
void ClearBranchMarks(RteHandle document);
// Runs whose number the object has no branch for lose it; then every branch but the first that
// no run uses goes, with its hover message, so that messages stay one a branch.
void PurgeUnusedBranches(TEXTE* text, RteHandle document);
