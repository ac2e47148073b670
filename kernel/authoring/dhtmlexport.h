// Exporting pages as DHTML: the HTML file around the objects' own script lines, the page's
// default branches for the script, and the settings of the export kept in the kernel.
#pragma once

#include "../runtime/qxkernel.h"

// The run-time script every exported page includes, shipped in the program folder.
constexpr const char* QX_DHTML_SCRIPT = "qxstage40.js";

// Writes the whole HTML file of the page shown into the open file, its names relative to
// the active page; `page` is the name of the file, for the host. 1 when every line was written.
QXCORE_EXPORT int KernSaveDHTML(KERNEL* kernel, QXFILE file, const char* page);
// The object, then its subtree depth first, each given the next index of the counter;
// the last object's answer.
QXCORE_EXPORT int KernSaveTreeDHTML(KERNEL* kernel, OBJET* object, QXFILE file, int* counter);
// Exports the page shown into the folder of `page`, with its media numbered beside it and
// the run-time script; nothing when that folder's name is not FTP-safe. 1 when exported.
QXCORE_EXPORT int KernSaveCurrentPageInDHTML(KERNEL* kernel, const char* page);
// The script lines that give the page's default forward and back branches.
QXCORE_EXPORT int KernSaveSpecialLinkDHTML(KERNEL* kernel, QXFILE file);

QXCORE_EXPORT void KernSetDHTMLImageBackground(KERNEL* kernel, const char* image);
// Returns the colour set.
QXCORE_EXPORT COLORREF KernSetDHTMLColorBackground(KERNEL* kernel, COLORREF colour);
QXCORE_EXPORT void KernSetDHTMLHomePage(KERNEL* kernel, const char* page);
QXCORE_EXPORT void KernSetDHTMLActivePage(KERNEL* kernel, const char* page);
