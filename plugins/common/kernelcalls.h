// Kernel services the plug-ins call that the kernel library's headers do not declare yet.
// They are bound by name in qxcore40.dll at the first call; while the kernel does not export
// one, the answer given here is what a kernel without that service would amount to.
#pragma once

#include "qxkernel.h"

// A namespace of their own, so that the kernel's declarations can arrive without a clash.
namespace kernelcalls {

// A page root window (hidden) inside the host window; null when none could be made.
HWND KernCreateBaseWindow(KERNEL* kernel, OBJET* object, const char* title, DWORD style, int x, int y, int w,
                          int h, const char* tag);
// An object window (hidden) inside the window of the object's parent; null when none.
HWND KernCreateObjetWindow(KERNEL* kernel, OBJET* object, int x, int y, int w, int h, const char* tag);
// Window long 0 cleared and the window destroyed.
void KernRemoveWindow(KERNEL* kernel, HWND window);
void KernSetHand(KERNEL* kernel);
// The shared device `id` for the object; non-zero when it now holds it.
int KernLockId(KERNEL* kernel, OBJET* object, int id, int priority);
int KernUnlockId(KERNEL* kernel, int id);
void KernUpdateNewObjet(KERNEL* kernel, OBJET* object);
void KernRegisterClipboardFormat(KERNEL* kernel, const char* moduleName);
// The script function of an effect in exported pages, "null" for none.
void KernEffectId2FonctionName(int id, char* name);

}  // namespace kernelcalls
