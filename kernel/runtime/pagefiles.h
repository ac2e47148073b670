// Page files (".PAG") and templates (".QXT"): reading them into object trees, binding each
// object's plug-in module by name, and writing them back.
#pragma once

#include "qxkernel.h"

// First lines of the files of the page family.
constexpr const char* QX_PAGE_HEADER = "QORVEX-HYPERMEDIA PAGE";
constexpr const char* QX_TEMPLATE_HEADER = "QORVEX-HYPERMEDIA TEMPLATE";
constexpr const char* QX_BOOKMARKS_HEADER = "QORVEX-HYPERMEDIA BOOKMARKS";

// Types answered by KernGetFileType.
constexpr int QX_FILE_ERROR = 0;
constexpr int QX_FILE_PAGE = 1;
constexpr int QX_FILE_TEMPLATE = 2;
constexpr int QX_FILE_BOOKMARKS = 3;

// Deepest tree of nested records a file may hold.
constexpr int QX_MAX_TREE_DEPTH = 256;

// Reads the next object record and, with withChildren, the records of its subtree; the
// coordinate flag is handed by reference to the object's Load and then on to its children.
QXCORE_EXPORT OBJET* KernLoadTree(KERNEL* kernel, QXFILE file, int universe, int withChildren);
// Reads a page into the loaded pages; 1 when added.
QXCORE_EXPORT int KernLLoad(KERNEL* kernel, const char* page);
// Reads a page for the navigation: its root, the local file name into page (size bytes).
QXCORE_EXPORT OBJET* LoadPageTree(KERNEL* kernel, char* page, int size);
// Opens a page through the history or inserts a template into the page shown.
QXCORE_EXPORT int KernLoadTemplate(KERNEL* kernel, const char* file, char* out, int size);
QXCORE_EXPORT int KernLoadTemplateStr(KERNEL* kernel, const char* file, QXSTRING* out);
// KernLoadTemplate, then the publication folder becomes the current directory.
QXCORE_EXPORT int KernLoad(KERNEL* kernel, const char* file, char* out, int size);
QXCORE_EXPORT int KernLoadStr(KERNEL* kernel, const char* file, QXSTRING* out);
// Copies a page or template under the first line of type (QX_FILE_TEMPLATE or a page).
QXCORE_EXPORT int KernCopyTemplate(KERNEL* kernel, const char* source, const char* target, int type);

// Saves the page shown in place; under another name; or as a template (the whole page or
// the selected objects). A page is replaced only once its new text is wholly written.
QXCORE_EXPORT int KernSave(KERNEL* kernel);
QXCORE_EXPORT int KernSaveAs(KERNEL* kernel, const char* name);
QXCORE_EXPORT int KernSaveTemplate(KERNEL* kernel, const char* name, int wholePage, int withBranches);
// 1 when the page shown may be left (saved or not), 0 when the user cancelled.
QXCORE_EXPORT int KernIsSave(KERNEL* kernel);
QXCORE_EXPORT int KernGetFileType(KERNEL* kernel, const char* name);
