// Built-in actions (GADGET): the kernel functions a branch may run instead of going to a
// page (home, back, quit, bookmarks, ...), listed per kernel from the library's string 257.
#pragma once

#include "qxkernel.h"

using GADGETFUNCTION = int (*)(KERNEL*);

class QXCORE_API GADGET : public LNODE {
public:
    GADGET() = default;  // id 0, no label, no function: the action of no action
    GADGET(KERNEL* kernel, int id, const char* label, const char* function);

    // Copies the name and binds the kernel library's export of that name (none for an empty
    // name or a missing export); null changes nothing.
    void SetFonction(const char* name);
    // The bound function's answer, 0 when unbound.
    int RunFonction();
    // A new gadget for the same action, bound again by name.
    GADGET* Clone() const;

    static constexpr int TextChars = 99;

    KERNEL* kernel = nullptr;
    int id = 0;
    char label[TextChars + 1] = {};
    char function[TextChars + 1] = {};
    GADGETFUNCTION bound = nullptr;
};

// Fills the kernel's list from the action table (entries "id;label;function" separated by
// '|'), parsed from the end, so the list holds the last entry first.
QXCORE_EXPORT void KernBuildGadgetList(KERNEL* kernel);
// The kernel's action of that id, null when none.
QXCORE_EXPORT GADGET* KernFindGadget(KERNEL* kernel, int id);
