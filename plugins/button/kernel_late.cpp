// Binding the kernel entries of kernel_late.h by name.
#include "kernel_late.h"

namespace {

template <class Function>
Function KernelEntry(const char* name)
{
    HMODULE kernel = GetModuleHandleA("qxcore40.dll");
    return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

}  // namespace

int LateIsInStack(KERNEL* kernel, const char* name)
{
    using Entry = int (*)(KERNEL*, const char*);
    static const Entry entry = KernelEntry<Entry>("KernIsInStack");
    return entry ? entry(kernel, name) : 0;
}

void LateDrawPost(KERNEL* kernel, HDC dc, int x, int y)
{
    using Entry = void (*)(KERNEL*, HDC, int, int);
    static const Entry entry = KernelEntry<Entry>("KernDrawPost");
    if (entry)
        entry(kernel, dc, x, y);
}
