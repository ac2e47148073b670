// The object clipboard: the selected objects' page records go to the Windows clipboard as
// text under a registered format, and are pasted back onto the page shown, by this kernel
// or by another one. Overwriting the clipboard is recorded in the undo list, so that
// undoing a copy or a cut also gives the clipboard back its previous content.
#pragma once

#include "../runtime/qxkernel.h"

// The registered clipboard format: the number of objects on the first line, then one page
// record an object, from the last selected to the first, followed by a zero byte.
constexpr const char* QX_OBJECT_CLIPBOARD_FORMAT = "Qorvex Hypermedia Object(s)";

// Copies the selected objects. An object whose plug-in offers standard formats (a picture,
// a text) adds them beside the records.
QXCORE_EXPORT void KernCopyToClipboard(KERNEL* kernel);
// Copies, then deletes the selected objects: one undo step gives back both.
QXCORE_EXPORT void KernCutToClipboard(KERNEL* kernel);
// Adds the objects on the clipboard to the page shown, selected, as one undo step; the last
// object placed, null when nothing was pasted.
QXCORE_EXPORT OBJET* KernPasteFromClipboard(KERNEL* kernel);

// The registered format's number.
UINT KernObjectClipboardFormat();
