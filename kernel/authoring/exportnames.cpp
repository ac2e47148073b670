// The table of export names: one published, FTP-safe name per source file and extension.
#include "exportnames.h"

#include "../runtime/kernel.h"
#include "qxpath.h"

#include <cstdio>
#include <cstring>

namespace {

QXSTRING ExtensionOf(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return QXSTRING(dot ? dot : "");
}

QXSTRING FtpSafe(const char* name)
{
    char safe[QX_NAME_BUFFER];
    lstrcpynA(safe, name, sizeof safe);
    QXValidateNameForFTP(safe);
    return QXSTRING(safe);
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

}  // namespace

DISTNODE_LIST& DISTNODE_LIST::operator+=(LNODE* node)
{
    AddTail(node);
    return *this;
}

void KernAddExportName(KERNEL* kernel, const char* source, const char* exportName, bool flag)
{
    if (!kernel || !kernel->distList || !source || !exportName)
        return;
    DISTNODE_LIST& table = *kernel->distList;
    for (int i = 0; i < table.Items(); ++i) {
        if (lstrcmpiA(table.GetNode(i)->source, source) == 0)
            return;
    }
    DISTNODE* node = new DISTNODE(source, FtpSafe(exportName), ExtensionOf(source), 0, flag ? 1 : 0);
    if (node)
        table += node;
}

int KernGetExportName(KERNEL* kernel, QXSTRING source, const char* extension, char* out)
{
    if (!kernel || !kernel->distList || !extension || !out)
        return QX_EXPORT_UNKNOWN;
    DISTNODE_LIST& table = *kernel->distList;
    DISTNODE* model = nullptr;
    for (int i = 0; i < table.Items(); ++i) {
        DISTNODE* node = table.GetNode(i);
        if (lstrcmpiA(node->source, source) != 0)
            continue;
        if (lstrcmpiA(node->extension, extension) == 0) {
            if (!HandOut(node->exportName, out))
                return QX_EXPORT_UNKNOWN;
            if (node->produced)
                return QX_EXPORT_DONE;
            node->produced = 1;
            return QX_EXPORT_COPY;
        }
        model = node;
    }
    if (!model)
        return QX_EXPORT_UNKNOWN;
    const QXSTRING name = NameForExtension(table, model, source, extension);
    if (!HandOut(name, out))
        return QX_EXPORT_UNKNOWN;
    DISTNODE* node = new DISTNODE(source, name, extension, 1, model->flag);
    if (node)
        table += node;
    return QX_EXPORT_COPY;
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
