// Page creation: the record shared by the template chooser's hook and the progress dialog,
// and the steps that make new page files.
#pragma once

#include "kernel.h"
#include "qxstring.h"

class PAGE;

// Handed to the hook of "D_NBPAGES" and to "D_CREATING".
struct CREATION {
    QXSTRING templateFile;
    int pages = 1;  // 1..QX_MAX_NEW_PAGES
    KERNEL* kernel = nullptr;
    QXSTRING firstPage;  // name of the first page created
};

constexpr int QX_MAX_NEW_PAGES = 100;

// Answers of ChoosePageTemplate.
constexpr int QX_TEMPLATE_FAILED = 0;  // cancelled, or the pages could not be made
constexpr int QX_TEMPLATE_PAGES = 1;   // pages made from a template; `out` holds the first
constexpr int QX_TEMPLATE_NONE = 2;    // no template: make one blank page

// Lets the author pick a page template and a number of pages through the template chooser,
// then makes the pages.
int ChoosePageTemplate(KERNEL* kernel, HWND parent, char* out, unsigned size);

// Runs "D_CREATING" for the record: 1 when the pages were made, -1 when cancelled, 0 when
// they could not be made (no file is left behind then).
INT_PTR RunCreatingDialog(HWND parent, CREATION* creation);

// The kernel's save dialog for a new page's name; 1 with the name, 0 when cancelled.
int AskNewPageName(KERNEL* kernel, QXSTRING* name, int several, HWND parent);

// Turns `name` into the first free "<name>_NNNN.pag" of its folder (for an empty name, a
// name made from the publication folder); the number, or -1 for a remote name.
int NextNumberedPageName(KERNEL* kernel, QXSTRING* name);

// Writes the page `out` from the template: its title from `out`'s name, sequence branches to
// `next` (null or empty for the last page), the template's media copied beside `out`.
// 1 when written, 0 when the template cannot be read or `out` cannot be written.
int CopyTemplatePage(KERNEL* kernel, const char* out, const char* templateFile, const char* next);

// Creates `name` empty, so that the name stays taken until the file is written; `replace`
// empties a file already there, else such a file makes it fail.
bool ReserveFileName(const char* name, bool replace);

// Whether `source` must be copied to `target` (QX_NAME_BUFFER bytes): 1 no copy (null names,
// missing source, or `target` already holds the same file), 0 copy to `target` (which may
// have become "<name>_N<ext>" when another file held the name), -1 when no name is free.
int FreeCopyName(const char* source, char* target);

// "D_PAGE" on the page: 1 on OK, 0 on Cancel. A new page (its new-page flag set) gets its file
// written on OK; an existing one only takes the settings.
INT_PTR RunPageDialog(HWND parent, PAGE* page);
