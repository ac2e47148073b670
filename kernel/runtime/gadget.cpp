// Built-in actions: binding by name among the kernel library's exports, and the table read
// from the library's string 257.
#include "gadget.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "textfield.h"

#include <cstdlib>
#include <cstring>

namespace {

// The table string is read up to this length.
constexpr int TableChars = 2000;

}  // namespace

GADGET::GADGET(KERNEL* kernel, int id, const char* label, const char* function) : kernel(kernel), id(id)
{
    CopyField(this->label, label);
    SetFonction(function);
}

void GADGET::SetFonction(const char* name)
{
    if (!name)
        return;
    CopyField(function, name);
    bound = *function ? reinterpret_cast<GADGETFUNCTION>(reinterpret_cast<void*>(GetProcAddress(KernProcess().module, function))) : nullptr;
}

int GADGET::RunFonction() { return bound ? bound(kernel) : 0; }

GADGET* GADGET::Clone() const { return new GADGET(kernel, id, label, function); }

void KernBuildGadgetList(KERNEL* kernel)
{
    if (!kernel)
        return;
    char table[TableChars + 1];
    if (LoadStringA(KernProcess().module, IDS_GADGETS, table, sizeof table) <= 0)
        return;
    // Parsed from the end: function, label, then the id after the last '|'.
    for (;;) {
        char* semicolon = std::strrchr(table, ';');
        if (!semicolon)
            return;
        *semicolon = '\0';
        const char* function = semicolon + 1;
        semicolon = std::strrchr(table, ';');
        if (!semicolon)
            return;
        *semicolon = '\0';
        const char* label = semicolon + 1;
        char* bar = std::strrchr(table, '|');
        const int id = std::atoi(bar ? bar + 1 : table);
        GADGET* gadget = new GADGET(kernel, id, label, function);
        if (gadget)
            kernel->gadgets.AddTail(gadget);
        if (!bar)
            return;
        *bar = '\0';
    }
}

GADGET* KernFindGadget(KERNEL* kernel, int id)
{
    if (!kernel)
        return nullptr;
    for (int i = 0; i < kernel->gadgets.Items(); ++i) {
        auto* gadget = static_cast<GADGET*>(kernel->gadgets.GetItem(i));
        if (gadget->id == id)
            return gadget;
    }
    return nullptr;
}
