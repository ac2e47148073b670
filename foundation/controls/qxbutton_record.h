// The state that a "QXButton" keeps on its window (private to the library).
#pragma once

#include "controls_internal.h"
#include "qxbmp.h"
#include "qxstring.h"

struct QXButtonRecord {
    int image = 0;       // built-in picture number, 0 for the own pictures
    bool toggle = false;
    int checked = 0;     // BM_GETCHECK
    bool focused = false;
    bool enabled = true;
    bool spaceHeld = false;
    bool inside = false;    // the pointer is over the button during a press
    bool tracking = false;  // a press (mouse or space bar) is in progress
    BMP released;
    BMP pressed;
    QXSTRING tooltip;
    ControlTooltip popup;
};

// Takes a button text "<name>;<tooltip>": a button with own pictures loads "<name>_R" and
// "<name>_P" from the module that created it, and with QXBS_TOOLTIP the part after the ';'
// becomes the tooltip.
void TakeButtonText(HWND window, QXButtonRecord& record, const char* text);
// The picture of the state, the focus rectangle and the disabled look.
void PaintButton(HWND window, QXButtonRecord& record, HDC dc);
