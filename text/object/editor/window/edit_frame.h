// The edit frame "D_EDITWINDOW": the modal window that holds the text's "rtedit" control over
// the object and opens the tools palette beside it.
#pragma once

#include "edit_session.h"

// Runs the frame on the owner with the session (its copy set): 1 when the author confirmed,
// the copy then holding the edited text; 0 when cancelled.
int RunEditFrame(HWND owner, EDITSESSION* session);
// Ends the editor: the palette is closed and the frame ends with the result.
void EndEditor(EDITSESSION* session, int result);
// OK: the text taken into the copy; false (the editor stays) for an emptied existing text.
bool FinishEditing(EDITSESSION* session);
// Brings the selection's moving end into view.
void ShowCaret(EDITSESSION* session);
