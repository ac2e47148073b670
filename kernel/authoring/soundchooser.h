// Picking a sound from the library of sound templates through the outside template chooser
// "QXTMPL40.DLL", with the kernel's preview pane "D_PLAYSOUND" inside the chooser's dialog;
// the pane's hook, KernSoundTemplateHook, plays the sound selected (authoring.h).
#pragma once

#include "../runtime/qxkernel.h"

// 1 and the sound chosen in result (at most 499 characters and a zero), else 0 (also when the
// chooser module is missing).
QXCORE_EXPORT int KernChooseSoundTemplate(HWND owner, KERNEL* kernel, char* result);
