// A sound of the shared template library, for a branch's hover message.
#pragma once

#include <windows.h>

struct KERNEL;

// The room of the chosen file name.
constexpr int QX_SOUND_NAME_SIZE = 500;

// Runs the outside template chooser on its "Sound" templates with the preview pane
// "D_PLAYSOUND": 1 and the chosen file in `file` (QX_SOUND_NAME_SIZE bytes) when the author
// picked one; 0 otherwise, also when the chooser or an entry point of it is missing.
int ChooseLibrarySound(HWND owner, KERNEL* kernel, char* file);
