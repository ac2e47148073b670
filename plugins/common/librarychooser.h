// The library of templates, reached through the outside template chooser: the plug-ins'
// dialogs let the author pick a file of it (a picture, a sound).
#pragma once

#include "qxstring.h"
#include "qxtmpl_api.h"

// Runs the chooser with the caller's block (category, hook, flags; the rest is filled here:
// kernel, owner, and the start folder: `folder` when given, else the folder of the active page).
// The chooser is loaded for this one choice.
// The first file of the chosen template; "" when nothing was chosen, or when the chooser or
// one of its four required entry points is missing.
QXSTRING ChooseLibraryFile(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile,
                           const char* folder = nullptr);
// The same for a template of several files: the first `most` files go to files[0..most-1], a
// file the template lacks as ""; the number of files of the template, 0 when nothing was chosen.
int ChooseLibraryFiles(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile, QXSTRING* files,
                       int most, const char* folder = nullptr);
// A sound of the library, previewed in the hook dialog `hookTemplate` of `hookModule` by the
// kernel's sound hook; "" when none was chosen.
QXSTRING ChooseLibrarySoundFile(KERNEL* kernel, HWND owner, HINSTANCE hookModule, const char* hookTemplate);
