// The table of export names: each media file an exported page uses gets one unique,
// FTP-safe name in the published folder for the whole export.
#pragma once

#include "../runtime/qxkernel.h"

class QXCORE_API DISTNODE : public LNODE {
public:
    DISTNODE(const char* source, const char* exportName, const char* extension, BYTE produced, BYTE flag)
        : source(source), exportName(exportName), extension(extension), produced(produced), flag(flag) {}
    QXSTRING source;
    QXSTRING exportName;
    QXSTRING extension;  // of the source name, with its dot; "" when it has none
    BYTE produced;       // the file has been handed out for copying
    BYTE flag;           // given by the adder
};

class QXCORE_API DISTNODE_LIST : public LIST {
public:
    DISTNODE_LIST& operator+=(LNODE* node);
    DISTNODE* GetNode(int index) { return static_cast<DISTNODE*>(GetItem(index)); }
};

// Results of KernGetExportName.
constexpr int QX_EXPORT_UNKNOWN = 0;  // not in the table: nothing to copy
constexpr int QX_EXPORT_DONE = 1;     // handed out before: nothing to copy
constexpr int QX_EXPORT_COPY = 2;     // copy the source to the name given

// The name under which the source is published, with the extension given or its own. While
// a page is exported alone the name lies beside the page, numbered from 1.
QXCORE_API int KernGetExportName(KERNEL* kernel, QXSTRING source, const char* extension, char* out);
QXCORE_API int KernGetExportName(KERNEL* kernel, QXSTRING source, char* out);
// Nothing when the source has a name already; only the file name is made FTP-safe.
QXCORE_EXPORT void KernAddExportName(KERNEL* kernel, const char* source, const char* exportName, bool flag);
// The kernel uses the other kernel's table from now on (deleting its own when it owns it).
QXCORE_EXPORT void SetDHTMLDistList(KERNEL* kernel, KERNEL* from);
// Switched on by the export of a single page for its duration.
void KernSetSinglePageExport(bool on);
