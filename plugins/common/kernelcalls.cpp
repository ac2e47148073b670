// Binding of the kernel services of kernelcalls.h by name.
#include "kernelcalls.h"

#include "objet.h"

#include <cstring>

namespace {

template <class Function>
Function Bound(const char* name)
{
    HMODULE kernel = GetModuleHandleA("qxcore40.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

}  // namespace

namespace kernelcalls {

HWND KernCreateBaseWindow(KERNEL* kernel, OBJET* object, const char* title, DWORD style, int x, int y, int w,
                          int h, const char* tag)
{
    using Fn = HWND (*)(KERNEL*, OBJET*, const char*, DWORD, int, int, int, int, const char*);
    static const Fn call = Bound<Fn>("KernCreateBaseWindow");
    return call ? call(kernel, object, title, style, x, y, w, h, tag) : nullptr;
}

HWND KernCreateObjetWindow(KERNEL* kernel, OBJET* object, int x, int y, int w, int h, const char* tag)
{
    using Fn = HWND (*)(KERNEL*, OBJET*, int, int, int, int, const char*);
    static const Fn call = Bound<Fn>("KernCreateObjetWindow");
    return call ? call(kernel, object, x, y, w, h, tag) : nullptr;
}

void KernRemoveWindow(KERNEL* kernel, HWND window)
{
    using Fn = void (*)(KERNEL*, HWND);
    static const Fn call = Bound<Fn>("KernRemoveWindow");
    if (call) {
        call(kernel, window);
    } else if (window) {
        SetWindowLongPtrA(window, 0, 0);
        DestroyWindow(window);
    }
}

void KernSetHand(KERNEL* kernel)
{
    using Fn = void (*)(KERNEL*);
    static const Fn call = Bound<Fn>("KernSetHand");
    if (call)
        call(kernel);
}

int KernLockId(KERNEL* kernel, OBJET* object, int id, int priority)
{
    using Fn = int (*)(KERNEL*, OBJET*, int, int);
    static const Fn call = Bound<Fn>("KernLockId");
    if (call)
        return call(kernel, object, id, priority);
    return kernel && object ? 1 : 0;
}

int KernUnlockId(KERNEL* kernel, int id)
{
    using Fn = int (*)(KERNEL*, int);
    static const Fn call = Bound<Fn>("KernUnlockId");
    return call ? call(kernel, id) : 0;
}

void KernUpdateNewObjet(KERNEL* kernel, OBJET* object)
{
    using Fn = void (*)(KERNEL*, OBJET*);
    static const Fn call = Bound<Fn>("KernUpdateNewObjet");
    if (call)
        call(kernel, object);
}

void KernRegisterClipboardFormat(KERNEL* kernel, const char* moduleName)
{
    using Fn = void (*)(KERNEL*, const char*);
    static const Fn call = Bound<Fn>("KernRegisterClipboardFormat");
    if (call)
        call(kernel, moduleName);
}

void KernEffectId2FonctionName(int id, char* name)
{
    using Fn = void (*)(int, char*);
    static const Fn call = Bound<Fn>("KernEffectId2FonctionName");
    if (call)
        call(id, name);
    else
        std::strcpy(name, "null");
}

}  // namespace kernelcalls
