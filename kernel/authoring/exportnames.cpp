// The table of export names: one published, FTP-safe name per source file and extension.
#include "exportnames.h"

#include "../runtime/kernel.h"
#include "qxpath.h"

#include <cstdio>
#include <cstring>

namespace {

// Set while KernSaveCurrentPageInDHTML runs; one export at a time in the process.
bool singlePageExport = false;

QXSTRING ExtensionOf(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return QXSTRING(dot ? dot : "");
}

// Only the file name is made FTP-safe: the folders are the ones the export writes into, and
// renaming them would send the file where no page looks for it.
QXSTRING FtpSafe(const char* path)
{
    const char* backslash = std::strrchr(path, '\\');
    const char* slash = std::strrchr(path, '/');
    const char* name = backslash > slash ? backslash + 1 : slash ? slash + 1 : path;
    char safe[QX_NAME_BUFFER];
    lstrcpynA(safe, name, sizeof safe);
    QXValidateNameForFTP(safe);
    QXSTRING whole(path);
    return whole.subString(0, static_cast<int>(name - path) - 1) + safe;
}

bool NameTaken(DISTNODE_LIST& table, const char* exportName)
{
    for (int i = 0; i < table.Items(); ++i) {
        if (lstrcmpiA(table.GetNode(i)->exportName, exportName) == 0)
            return true;
    }
    return false;
}

int HandOut(const char* name, char* out)
{
    if (std::strlen(name) >= QX_NAME_BUFFER)
        return 0;
    std::strcpy(out, name);
    return 1;
}

// A new name for the source in another format, made from the model entry's name.
QXSTRING NameForExtension(DISTNODE_LIST& table, const DISTNODE* model, const char* source, const char* extension)
{
    FNSPLIT modelName(model->exportName);
    QXSTRING stem = modelName.drive + modelName.dir + modelName.name;
    const QXSTRING sourceExtension = ExtensionOf(source);
    if (sourceExtension.length() > 1)
        stem += QXSTRING(static_cast<const char*>(sourceExtension) + 1);
    QXSTRING name = FtpSafe(stem + extension);
    for (int n = 2; NameTaken(table, name); ++n) {
        QXSTRING numbered;
        numbered.Format("%s%d%s", static_cast<const char*>(stem), n, extension);
        name = FtpSafe(numbered);
    }
    return name;
}

// Numbers tried for the files of a page exported alone, as many as an export may hold.
constexpr int QX_SINGLE_PAGE_NUMBERS = 10000;

// A page exported alone puts its files beside it, each under the source's name and the
// first number that names neither a file there nor a name already handed out; "" when
// every number is taken.
QXSTRING NameBesidePage(KERNEL* kernel, DISTNODE_LIST& table, const char* source, const char* extension)
{
    const FNSPLIT sourceName(source);
    for (int n = 1; n <= QX_SINGLE_PAGE_NUMBERS; ++n) {
        QXSTRING numbered;
        numbered.Format("%s%s%d%s", static_cast<const char*>(kernel->dhtmlDestPath),
                        static_cast<const char*>(sourceName.name), n, extension);
        const QXSTRING name = FtpSafe(numbered);
        if (!DoFileExist(name) && !NameTaken(table, name))
            return name;
    }
    return QXSTRING();
}

DISTNODE* FindEntry(DISTNODE_LIST& table, const char* source, const char* extension, bool producedOnly = false)
{
    for (int i = 0; i < table.Items(); ++i) {
        DISTNODE* node = table.GetNode(i);
        if (lstrcmpiA(node->source, source) == 0 && lstrcmpiA(node->extension, extension) == 0 &&
            (node->produced || !producedOnly))
            return node;
    }
    return nullptr;
}

// The last entry of the source, whatever its extension: the model of a name in a new format.
DISTNODE* LastEntryOf(DISTNODE_LIST& table, const char* source)
{
    DISTNODE* last = nullptr;
    for (int i = 0; i < table.Items(); ++i) {
        DISTNODE* node = table.GetNode(i);
        if (lstrcmpiA(node->source, source) == 0)
            last = node;
    }
    return last;
}

// Hands out a name the caller has to produce, and keeps it so that the source is produced once.
int HandOutNew(DISTNODE_LIST& table, const char* source, const QXSTRING& name, const char* extension, BYTE flag,
               char* out)
{
    if (name.length() == 0 || !HandOut(name, out))
        return QX_EXPORT_UNKNOWN;
    DISTNODE* node = new DISTNODE(source, name, extension, 1, flag);
    if (node)
        table += node;
    return QX_EXPORT_COPY;
}

int SinglePageExportName(KERNEL* kernel, DISTNODE_LIST& table, const char* source, const char* extension, char* out)
{
    // Only the names this export handed out count: a source used twice on the page is
    // copied once.
    if (const DISTNODE* known = FindEntry(table, source, extension, true))
        return HandOut(known->exportName, out) ? QX_EXPORT_DONE : QX_EXPORT_UNKNOWN;
    return HandOutNew(table, source, NameBesidePage(kernel, table, source, extension), extension, 0, out);
}

}  // namespace

DISTNODE_LIST& DISTNODE_LIST::operator+=(LNODE* node)
{
    AddTail(node);
    return *this;
}

void KernSetSinglePageExport(bool on) { singlePageExport = on; }

void KernAddExportName(KERNEL* kernel, const char* source, const char* exportName, bool flag)
{
    if (!kernel || !kernel->distList || !source || !exportName)
        return;
    DISTNODE_LIST& table = *kernel->distList;
    if (LastEntryOf(table, source))
        return;
    DISTNODE* node = new DISTNODE(source, FtpSafe(exportName), ExtensionOf(source), 0, flag ? 1 : 0);
    if (node)
        table += node;
}

int KernGetExportName(KERNEL* kernel, QXSTRING source, const char* extension, char* out)
{
    if (!kernel || !kernel->distList || !extension || !out)
        return QX_EXPORT_UNKNOWN;
    DISTNODE_LIST& table = *kernel->distList;
    if (singlePageExport)
        return SinglePageExportName(kernel, table, source, extension, out);
    if (DISTNODE* node = FindEntry(table, source, extension)) {
        if (!HandOut(node->exportName, out))
            return QX_EXPORT_UNKNOWN;
        if (node->produced)
            return QX_EXPORT_DONE;
        node->produced = 1;
        return QX_EXPORT_COPY;
    }
    const DISTNODE* model = LastEntryOf(table, source);
    if (!model)
        return QX_EXPORT_UNKNOWN;
    return HandOutNew(table, source, NameForExtension(table, model, source, extension), extension, model->flag, out);
}

int KernGetExportName(KERNEL* kernel, QXSTRING source, char* out)
{
    return KernGetExportName(kernel, source, ExtensionOf(source), out);
}

void SetDHTMLDistList(KERNEL* kernel, KERNEL* from)
{
    if (!kernel || !from || kernel == from)
        return;
    if (kernel->ownsDistList)
        delete kernel->distList;
    kernel->ownsDistList = 0;
    kernel->distList = from->distList;
}
