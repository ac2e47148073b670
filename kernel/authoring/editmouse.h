// What the object window procedure hands to authoring in the editing modes: the click delay
// that tells a click (select) from a press (selection rectangle), and the mouse messages
// that start, move, end or cancel the rubber band.
#pragma once

#include "../runtime/qxkernel.h"

// How long a press may last and still count as a click, in milliseconds.
constexpr UINT QX_CLICK_DELAY_MS = 300;
// The click-delay timer's id on the page window.
constexpr UINT_PTR QX_TIMER_CLICK_DELAY = 0;

// A left button down reaches authoring: a band without capture is dropped; true when a band
// is still there, and the click goes no further.
bool KernBandHoldsClick(KERNEL* kernel);
// A left button down in an editing mode: drag the page or the selection, or start the click
// delay. Answers the message.
LRESULT KernEditButtonDown(KERNEL* kernel, OBJET* object, MSGL* msg);
// A left button up: a pending click selects, a band holding the capture ends; false when
// neither applies and the object has the message.
bool KernEditButtonUp(KERNEL* kernel, OBJET* object, MSGL* msg);
// A mouse move while a band holds the capture moves it; false otherwise.
bool KernEditMouseMove(KERNEL* kernel, MSGL* msg);
// System commands while a band exists or in an editing mode: a drag move starts a move
// band, a sizing command a sizing band. False when the object has the message.
bool KernEditSysCommand(KERNEL* kernel, OBJET* object, MSGL* msg, LRESULT* answer);
// Escape released while a band exists drops it.
void KernEditKeyUp(KERNEL* kernel, MSGL* msg);

// Arms the click delay for the object clicked (the page window keeps what the timer needs).
void KernArmClickDelay(KERNEL* kernel, OBJET* object, MSGL* msg);
