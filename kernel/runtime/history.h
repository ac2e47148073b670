// The records of the pages a kernel holds: the history of visited pages (STACK of
// STACKFILE) and the loaded page trees (TREE).
#pragma once

#include "qxkernel.h"

class QXCORE_API STACKFILE : public LNODE {
public:
    explicit STACKFILE(const char* name) : name(name) {}
    QXSTRING name;  // the page file
};

// The history, from the first page (index 0) to the page shown (last).
class QXCORE_API STACK : public LIST {
public:
    explicit STACK(KERNEL* kernel) : kernel(kernel) {}

    // Goes to the page; the resolved name into buffer (an internal one when null), cut to
    // size-1 characters. 1 on success.
    int Push(const char* name, char* buffer, long size);
    int PushStr(const char* name, QXSTRING* out);
    // Unloads the page shown and removes the last entry.
    void Pop();
    // Pops while the last entry is not the page.
    void DepileTo(const char* name);
    int isInStack(const char* name);
    // Appends an entry without loading anything.
    void Add(const char* name);
    STACKFILE* Last() { return Items() ? static_cast<STACKFILE*>(GetItem(Items() - 1)) : nullptr; }

    KERNEL* kernel;
};

// A loaded page: its file and its root, null once the page was closed.
class QXCORE_API TREE : public HUGELNODE {
public:
    TREE(const char* name, OBJET* root) : name(name), root(root) {}
    QXSTRING name;
    OBJET* root;  // owned by the kernel's page list, destroyed with KillObjet
};

// A bookmark: a page under a title. The kernel's list of them is also the slide show.
class QXCORE_API KERNBOOKMARK : public LNODE {
public:
    KERNBOOKMARK(const char* page, const char* title) : page(page), title(title) {}
    QXSTRING page;
    QXSTRING title;
};
