// The tools palette "D_TOOLS" beside the edit frame: its menu bar "TEXTED_MENU", its buttons
// and the font and size lists, and the commands through which the text is edited.
#pragma once

#include "edit_session.h"

// Opens the palette modeless on the frame, placed beside the control.
void OpenToolsWindow(EDITSESSION* session);
// The controls after a change of the selection: what needs a range, the branch commands, the
// formatting buttons and lists.
void RefreshTools(EDITSESSION* session);
// An external text is not formatted in the editor: only its branches are set.
void DisableFormatting(EDITSESSION* session);
// Paste enabled by what the clipboard holds.
void RefreshPaste(EDITSESSION* session);
// Runs a command of the palette.
void RunToolCommand(EDITSESSION* session, int command);
// The tool window's place for the screen, the control's window rectangle and the tool window's
// rectangle (its size and the place it keeps in the coordinate not chosen).
POINT ToolsPlacement(SIZE screen, const RECT& control, const RECT& tools);
