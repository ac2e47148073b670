// The records of the pages a kernel holds: the history of visited pages (STACK of
// STACKFILE) and the loaded page trees (LOADED_PAGES of TREE).
#pragma once

#include "qxkernel.h"

#include <vector>

class QXCORE_API STACKFILE : public LNODE {
public:
    explicit STACKFILE(const char* name) : name(name) {}
    QXSTRING name;  // the page file
};

// The history, from the first page (index 0) to the page shown (last), with an index of its
// pages (case aside): a long publication's history holds thousands of pages, and every page
// change asks whether the page gone to is among them. The list changes only through the
// operations below, which keep the index.
class QXCORE_API STACK : public LIST {
public:
    explicit STACK(KERNEL* kernel);
    ~STACK() override;
    STACK(const STACK&) = delete;
    STACK& operator=(const STACK&) = delete;

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
    // Forgets every entry without unloading anything.
    void Clear();
    STACKFILE* Last() { return Items() ? static_cast<STACKFILE*>(GetItem(Items() - 1)) : nullptr; }

    KERNEL* kernel;

private:
    using LIST::AddHead;
    using LIST::AddTail;
    using LIST::InsertAfter;
    using LIST::InsertBefore;
    using LIST::Remove;
    using LIST::RemoveIndex;
    using LIST::Reset;
    using LIST::Sort;

    class Index;
    Index* index_;  // kept inside the kernel's module, which alone allocates and frees it
};

// A loaded page: its file and its root, null once the page was closed.
class QXCORE_API TREE : public HUGELNODE {
public:
    TREE(const char* name, OBJET* root) : name(name), root(root) {}
    QXSTRING name;  // renamed, while listed, through LOADED_PAGES::Rename
    OBJET* root;  // owned by the kernel's page list, destroyed with KillObjet
};

// The loaded pages in the order they were loaded (the last is the page shown), with an index
// of their names (case aside), of their order and of their roots: the closed pages of a long
// history stay listed by the thousand, and each page change looks for the page gone to among
// them, removes the page shown and places the windows of the open ones. The list, the pages'
// names and the roots of listed pages change only through the operations below, which keep
// the index.
class QXCORE_API LOADED_PAGES : public HUGELIST {
public:
    LOADED_PAGES();
    ~LOADED_PAGES() override;
    LOADED_PAGES(const LOADED_PAGES&) = delete;
    LOADED_PAGES& operator=(const LOADED_PAGES&) = delete;

    int AddTail(TREE* page);
    // Unlinks the page; it is the caller's again.
    int Remove(HUGELNODE* page);
    // Deletes every page entry (not the trees).
    void Clear();
    // The last loaded page of that name, null for none.
    TREE* LastNamed(const char* name) const;
    void Rename(TREE* page, const char* name);
    // Gives a page its root, or closes it with a null root.
    void SetRoot(TREE* page, OBJET* root);
    // The page before the page shown, null when none.
    TREE* BeforeLast() const;
    // The roots of the open pages (those with a root) in the order they were loaded.
    std::vector<OBJET*> OpenRoots() const;
    // The root of the first open page loaded after the page of that root (after none for a
    // root of no page listed), null when none.
    OBJET* OpenAfter(const OBJET* root) const;

private:
    using HUGELIST::AddHead;
    using HUGELIST::InsertAfter;
    using HUGELIST::InsertBefore;
    using HUGELIST::RemoveIndex;
    using HUGELIST::Reset;
    using HUGELIST::Sort;

    class Index;
    Index* index_;  // kept inside the kernel's module, which alone allocates and frees it
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
