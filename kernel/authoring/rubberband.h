// The kernel's rubber band in the editing modes: at most one band a kernel, which moves the
// selection or the page, sizes one object by one of its handles, or draws a rectangle that
// selects the objects inside it. KernStartRubber, KernMoveRubber and KernEndRubber are
// declared with the other authoring entries (authoring.h).
#pragma once

#include "../runtime/qxkernel.h"

// Band modes besides the eight handles (0 top-left to 7 bottom-right). The window that owns
// the band keeps its mode plus one in the property "POS", so that mode 0 reads apart from no
// band at all.
constexpr int QX_BAND_MOVE = 8;
constexpr int QX_BAND_SELECT = 9;
constexpr const char* QX_BAND_MODE_PROPERTY = "POS";

// A band sizing the object by one handle (0 top-left to 7 bottom-right), over the object's
// rectangle on the screen, holding the mouse capture.
void KernStartSizeRubber(OBJET* object, int mode);
// Starts a selection band on the page window at the point (screen pixels), holding the
// capture. The caller has opened the undo group that the band's end closes.
void KernStartSelectRubber(KERNEL* kernel, HWND pageWindow, int screenX, int screenY);
// Drops the band without applying it: the capture is given back when the band holds it,
// and the undo group that a selection band opened is closed.
void KernDestroyRubber(KERNEL* kernel);
