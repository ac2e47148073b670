// Names inside pages are relative to the folder of the page; these conversions take that
// folder from the kernel's current page (or, for the DHTML export, from the page exported).
#pragma once

#include "../runtime/qxkernel.h"

// The name made absolute against the current page's folder (only ".\" and "..\" names
// change); out may be name's own buffer. 0 for a null kernel.
QXCORE_EXPORT int KernFileToAbsolutePath(KERNEL* kernel, const char* name, char* out);
QXCORE_EXPORT int KernFileToAbsolutePathStr(KERNEL* kernel, const char* name, QXSTRING* out);
// The name made relative to the current page's folder (a name on another drive is kept
// whole); out holds 500 bytes and may be name's own buffer. 0 for a null kernel.
QXCORE_EXPORT int KernFileToRelatifPath(KERNEL* kernel, const char* name, char* out);
QXCORE_EXPORT int KernFileToRelatifPathStr(KERNEL* kernel, const char* name, QXSTRING* out);
// Relative to the DHTML page being exported, with forward slashes.
QXCORE_EXPORT int KernFileToRelatifPathHtml(KERNEL* kernel, const char* name, char* out);
// The folder of a page file: its text up to the last '\' or, failing that, the last '/'.
QXSTRING KernPageFolder(const char* page);
