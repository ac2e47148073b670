// The library's custom controls for dialog templates, registered as global window classes
// while the library is loaded: "QXButton", a bitmap button that pushes or toggles, and
// "QXFileName", a read-only field that shows the file-name part of a path. Resource scripts
// include this header too, for the style bits.
#pragma once

// "QXButton" picture styles. They are tested in this order and the last one set wins:
// QXBS_OWN, FOLDER, FONT, COLOR, PAGE, ADVANCE, ADD, DELETE, MODIFY, REDX, PLAY, STOP, LIB.
// QXBS_OWN (also the default) takes the bitmaps "<name>_R" and "<name>_P" of the module that
// creates the button, <name> being the button's text up to its first ';'.
#define QXBS_FOLDER 0x0001
#define QXBS_REDX 0x0002
#define QXBS_OWN 0x0004
#define QXBS_FONT 0x0020
#define QXBS_COLOR 0x0040
#define QXBS_PAGE 0x0080
#define QXBS_ADVANCE 0x0100
#define QXBS_ADD 0x0200
#define QXBS_DELETE 0x0400
#define QXBS_MODIFY 0x0800
#define QXBS_PLAY 0x1000
#define QXBS_STOP 0x2000
#define QXBS_LIB 0x4000
// The checked state stays after the release; a second press clears it.
#define QXBS_TOGGLE 0x0008
// The text after the button text's first ';' is shown as a tooltip.
#define QXBS_TOOLTIP 0x0010

#ifndef RC_INVOKED

#include "qxbase.h"

constexpr char QXBUTTON_CLASS[] = "QXButton";
constexpr char QXFILENAME_CLASS[] = "QXFileName";

// Counted: the first call registers both classes and loads the built-in pictures, the call
// of FreeCC that balances it unregisters and frees them. The library calls InitCC when it
// is loaded into a process and FreeCC when it leaves.
extern "C" QXBASE_API void InitCC();
extern "C" QXBASE_API void FreeCC();

#endif
