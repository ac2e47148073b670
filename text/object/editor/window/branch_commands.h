// Branches of the edited text: "D_BRANCH" on the selected text, and the next branch run.
#pragma once

#include "edit_session.h"

// Creates or changes the branch of the selected text; a hint without a selection.
void EditBranchOfSelection(EDITSESSION* session);
// Selects the next run after the last one found that carries a branch, from the start again at
// the end of the text; the selection stays when there is none.
void FindNextBranch(EDITSESSION* session);
