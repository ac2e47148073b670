// The navigation keys of the edit control as the editor's subclass runs them: Home and End
// (with Ctrl the whole text), Left and Right (with Ctrl by words), Shift moving one end of
// the selection; after every move, click or key the caret and the moved end are kept out of
// the bullet prefixes.
#pragma once

#include "edit_session.h"

// Runs the navigation key (the control's own procedure for what it moves itself) and keeps
// the selection out of the bullet prefixes.
LRESULT NavigateByKey(EDITSESSION* session, WNDPROC own, HWND control, WPARAM key, LPARAM lParam, bool ctrl,
                      bool shift);
// A caret inside a bullet prefix goes after it (before it when the caret was moving back and
// the paragraph is not the first); a range's end one character into a prefix widens it over
// the prefix. move: -1 back by a character, 1 forward, 0 any other move or a click.
void KeepOutOfBulletPrefix(EDITSESSION* session, int move);
