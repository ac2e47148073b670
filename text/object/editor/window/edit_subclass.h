// The editor's procedure in front of the "rtedit" control: the Ctrl shortcuts of the palette's
// commands, the context menu, and the keys and clicks that end a typing run or set the
// direction of the selection.
#pragma once

#include "edit_session.h"

// The control's own procedure is kept on the frame and gets everything not handled here.
void SubclassEditControl(EDITSESSION* session);
void UnsubclassEditControl(EDITSESSION* session);
// Posts the palette command of a context-menu command.
void MapContextCommand(EDITSESSION* session, int menuCommand);
// The palette command of a Ctrl shortcut (the letter's key, Shift held or not); 0 for none.
int ShortcutCommand(EDITSESSION* session, int key, bool shift);
