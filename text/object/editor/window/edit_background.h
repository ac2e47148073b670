// What the edit frame shows behind the text, and the frame's children kept in place when its
// size changes.
#pragma once

#include "edit_session.h"

// Paints the area of a DC of the control as what stands behind the text: the snapshot of the
// page beneath a transparent text, else the text's background colour (the no-background value
// for a transparent text without a snapshot).
void PaintEditBackground(EDITSESSION* session, HDC dc, const RECT& area);
// Whether the text is drawn over a snapshot of the page: the control's own erasing of a line
// does not know it, so a changed text is drawn again whole.
bool DrawsOverSnapshot(EDITSESSION* session);
// The control fills the frame less its margin and the rulers follow the frame's width; the
// text is laid out again in the new view. A change of size made meanwhile is not taken up
// again.
void LayOutEditFrame(EDITSESSION* session);
