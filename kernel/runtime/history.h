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

// The kernel's bookmarks in their order, with an index of their titles and pages (case
// aside), so that a bookmark of the same title and page is found at once however many there
// are. The list changes only through the operations below, which keep the index.
class QXCORE_API KERNBOOKMARKS : public LIST {
public:
    KERNBOOKMARKS();
    ~KERNBOOKMARKS() override;
    KERNBOOKMARKS(const KERNBOOKMARKS&) = delete;
    KERNBOOKMARKS& operator=(const KERNBOOKMARKS&) = delete;

    int AddTail(KERNBOOKMARK* bookmark);
    // Unlinks the bookmark; it is the caller's again.
    int Remove(LNODE* bookmark);
    void Clear();
    bool Holds(const char* page, const char* title) const;

private:
    using LIST::AddHead;
    using LIST::InsertAfter;
    using LIST::InsertBefore;
    using LIST::RemoveIndex;
    using LIST::Reset;
    using LIST::Sort;

    class Index;
    Index* index_;  // kept inside the kernel's module, which alone allocates and frees it
};
