// Intrusive singly linked lists and the block array.
// The element classes derive from a node base that carries the link; a list owns the nodes
// linked into it. LNODE/LIST and HUGELNODE/HUGELIST behave alike but are distinct types, so
// that a class derived from one node base lives only in lists of its own family.
#pragma once

#include "qxbase.h"

class QXBASE_API LNODE {
public:
    LNODE() = default;
    LNODE(const LNODE&) = delete;
    LNODE& operator=(const LNODE&) = delete;
    // The order Sort follows; the base compares addresses.
    virtual int operator<=(const LNODE& other) const;
    virtual int operator>=(const LNODE& other) const;
    virtual ~LNODE();

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    LNODE* next = nullptr;
};

class QXBASE_API HUGELNODE {
public:
    HUGELNODE() = default;
    HUGELNODE(const HUGELNODE&) = delete;
    HUGELNODE& operator=(const HUGELNODE&) = delete;
    virtual int operator<=(const HUGELNODE& other) const;
    virtual int operator>=(const HUGELNODE& other) const;
    virtual ~HUGELNODE();

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    HUGELNODE* next = nullptr;
};

// 0 sorts ascending with the nodes' operator<=, anything else descending with operator>=.
using SORT_ORDER = int;

// The list operations, written once for both families. Results: 0 done, 1 refused.
template <class Node>
class IntrusiveList {
public:
    IntrusiveList() = default;
    IntrusiveList(const IntrusiveList&) = delete;
    IntrusiveList& operator=(const IntrusiveList&) = delete;

    void Clear();  // deletes every node
    void Reset();  // forgets every node without deleting it
    int AddHead(Node* node);
    int AddTail(Node* node);
    int InsertBefore(Node* existing, Node* node);
    int InsertAfter(Node* existing, Node* node);  // `existing` must be in this list
    int Remove(Node* node);                       // unlinks; the node is the caller's again
    int RemoveIndex(long index);
    // The node at `index`, null outside 0..count-1. Walks on from the node last returned
    // when the index lies after it, so a forward loop costs one step per call; the last node
    // costs nothing.
    Node* GetItem(long index);
    int InList(const Node* node) const;
    void Sort(SORT_ORDER order);
    int Items() const { return count; }

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

protected:
    void TakeOver(IntrusiveList& other);  // the move behind operator=
    void ForgetCache();
    // Unlinks the node that follows `before` (the first node for a null `before`) without
    // looking for it: a list that knows the node before can remove any node at once.
    int RemoveAfter(Node* before, Node* node);

    unsigned int marker = 0xB0000000;  // carried unchanged, read by no operation
    int count = 0;
    Node* head = nullptr;
    Node* tail = nullptr;  // the last node, null when empty: appending never walks the list
    int cachedIndex = -1;
    Node* cachedNode = nullptr;
};

extern template class QXBASE_API IntrusiveList<LNODE>;
extern template class QXBASE_API IntrusiveList<HUGELNODE>;

class QXBASE_API LIST : public IntrusiveList<LNODE> {
public:
    LIST() = default;
    virtual ~LIST();
    // A move: this list's nodes are deleted, the other's taken over, the other left empty.
    LIST& operator=(LIST& other);
};

class QXBASE_API HUGELIST : public IntrusiveList<HUGELNODE> {
public:
    HUGELIST() = default;
    virtual ~HUGELIST();
    HUGELIST& operator=(HUGELIST& other);
};

// Fixed-size items stored in movable global-memory blocks of 8192 bytes, of which at most
// two are locked at any time. Pointers to items stay valid until another block is swapped
// into the same slot.
class QXBASE_API ARRAY : public LIST {
public:
    ARRAY() = default;
    virtual ~ARRAY();

    void SetItemSize(int size);  // before the first item is added
    // Copies itemSize bytes to the end; 0 done, 1 when no block could be had.
    int AddItem(const void* item);
    ARRAY& operator+=(const void* item);
    void* GetItem(long index);
    void* operator[](long index) { return GetItem(index); }
    long Items() const { return items; }
    void* SwapIn(int block);
    void Clear();
    void Reset();
    ARRAY& operator=(ARRAY& other);  // a move, as for lists
    // Writes every item, block by block; the number of items written completely.
    long Write(QXFILE file);

    static constexpr int BlockBytes = 8192;

private:
    char* BlockBase(int block);

    void* slotPtr[2] = {nullptr, nullptr};
    int slotBlock[2] = {-1, -1};
    int nextSlot = 0;
    int itemSize = 0;
    long items = 0;
    int perBlock = 0;
};
