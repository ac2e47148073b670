// The files that the branch dialogs ask for: a branch target (page, program, document), a
// sound, a user library; the check that a chosen page can be branched to; and the warnings
// these dialogs show.
#pragma once

#include "../runtime/qxkernel.h"

#include <initializer_list>

// The open-file dialog with page preview over `owner`, starting at the current target (the
// publication folder when there is none); the filter joins the string-table entries given.
// True with the chosen file in `chosen`.
bool AskBranchFile(HWND owner, KERNEL* kernel, const char* target, std::initializer_list<int> filter,
                   QXSTRING* chosen);
// The file's extension is ".pag", whatever its case.
bool HasPageExtension(const char* file);
// A page can be branched to: a template or a file of unknown format is refused with a warning.
bool IsBranchablePage(HWND owner, KERNEL* kernel, const char* file);
// The open-file dialog with sound preview, starting at the current sound.
bool AskSoundFile(HWND owner, KERNEL* kernel, const char* sound, QXSTRING* chosen);
// The plain open-file dialog for a user library, starting at the current one.
bool AskLibraryFile(HWND owner, KERNEL* kernel, const char* library, QXSTRING* chosen);

// A warning box with the kernel's caption and text, the owner's window tree disabled meanwhile.
void BranchWarning(HWND owner, int caption, int text);
