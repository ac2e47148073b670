// What one run of the text editor keeps: the editing copy, the frame that holds its "rtedit"
// control, the tools palette and its menu bar, the editor's Undo, and the state of the keys
// and of the mouse that the control's subclass follows.
#pragma once

#include "rte_style_records.h"
#include "texte.h"
#include "txtundo.h"

#include <cstdint>

// Private messages of the frame: refresh (lParam the typed character) and continue a bulleted
// list after Enter; the set-up is finished by TM_REFRESHSCROLL posted after the control exists.
constexpr UINT QX_EDIT_REFRESH = 2024;
constexpr UINT QX_EDIT_CONTINUE_BULLETS = 2025;

// The branch button's labels.
enum BRANCHLABEL : int { LABEL_BRANCH = 0, LABEL_CREATE = 1, LABEL_MODIFY = 2 };

struct EDITSESSION {
    TEXTE* original = nullptr;  // the object edited; null for a new one
    HWND objectWindow = nullptr;  // its window, over which the text is edited
    TEXTE* copy = nullptr;
    HWND frame = nullptr;     // "D_EDITWINDOW"
    HWND control = nullptr;   // its "rtedit" child
    HWND tools = nullptr;     // "D_TOOLS"
    HMENU menuBar = nullptr;  // the palette's "TEXTED_MENU"
    RteHandle document = nullptr;  // the control's
    EDITORUNDO undo;
    int modified = 0;
    WNDPROC controlProc = nullptr;  // the control's own procedure, behind the subclass
    int shiftHeld = 0;
    int ctrlHeld = 0;
    POINT click{};
    int direction = 0;        // of the selection: 1 forward, -1 backward, 0 none
    int32_t branchFound = 0;  // end of the branch run "Prochain branchement" found last
    char labels[3][48]{};
    int resolution = 96;      // the control's vertical dots per inch
    // The look of the text after the bullet where Enter continued a list: the new paragraph's
    // text takes it once its bullet is in place.
    int bulletStylePending = 0;
    RteCharStyle bulletStyle{};
    RteCharStyle bulletStyleMask{};
};

// The session of the frame or of the palette (null for any other window).
EDITSESSION* SessionOf(HWND window);

// The control's selection.
void GetEditSelection(EDITSESSION* session, int32_t* start, int32_t* end);
void SetEditSelection(EDITSESSION* session, int32_t start, int32_t end);
// The branch number the style of the selection's first character carries; 0 for none.
int SelectionBranchId(EDITSESSION* session);
// Marks the copy modified and enables the palette's Undo.
void MarkModified(EDITSESSION* session);
