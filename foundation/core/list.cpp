// The intrusive lists: LNODE/LIST and HUGELNODE/HUGELIST share one implementation.
#include "qxlist.h"

#include "qxsupport.h"

// Nodes and lists come from this module's allocator: zero-filled blocks, null when memory
// runs out (after the user was told).
void* LNODE::operator new(size_t bytes) { return ::operator new(bytes); }
void LNODE::operator delete(void* block) { ::operator delete(block); }
void* HUGELNODE::operator new(size_t bytes) { return ::operator new(bytes); }
void HUGELNODE::operator delete(void* block) { ::operator delete(block); }

template <class Node>
void* IntrusiveList<Node>::operator new(size_t bytes) { return ::operator new(bytes); }
template <class Node>
void IntrusiveList<Node>::operator delete(void* block) { ::operator delete(block); }

int LNODE::operator<=(const LNODE& other) const { return this <= &other; }
int LNODE::operator>=(const LNODE& other) const { return this >= &other; }
LNODE::~LNODE() = default;
int HUGELNODE::operator<=(const HUGELNODE& other) const { return this <= &other; }
int HUGELNODE::operator>=(const HUGELNODE& other) const { return this >= &other; }
HUGELNODE::~HUGELNODE() = default;

template <class Node>
void IntrusiveList<Node>::ForgetCache()
{
    cachedIndex = -1;
    cachedNode = nullptr;
}

template <class Node>
void IntrusiveList<Node>::Clear()
{
    while (head) {
        Node* node = head;
        head = node->next;
        node->next = nullptr;
        --count;
        delete node;
    }
    count = 0;
    tail = nullptr;
    ForgetCache();
}

template <class Node>
void IntrusiveList<Node>::Reset()
{
    head = nullptr;
    tail = nullptr;
    count = 0;
    ForgetCache();
}

template <class Node>
void IntrusiveList<Node>::TakeOver(IntrusiveList& other)
{
    if (&other == this)
        return;
    Clear();
    count = other.count;
    head = other.head;
    tail = other.tail;
    cachedIndex = other.cachedIndex;
    cachedNode = other.cachedNode;
    other.Reset();
}

template <class Node>
int IntrusiveList<Node>::AddHead(Node* node)
{
    if (!node)
        return 1;
    ForgetCache();
    if (!head)
        tail = node;
    node->next = head;
    head = node;
    ++count;
    return 0;
}

template <class Node>
int IntrusiveList<Node>::AddTail(Node* node)
{
    if (!node)
        return 1;
    ForgetCache();
    node->next = nullptr;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    return 0;
}

template <class Node>
int IntrusiveList<Node>::InsertBefore(Node* existing, Node* node)
{
    if (!existing || !node)
        return 1;
    ForgetCache();
    if (existing == head)
        return AddHead(node);
    for (Node* before = head; before; before = before->next) {
        if (before->next == existing) {
            node->next = existing;
            before->next = node;
            ++count;
            return 0;
        }
    }
    return 1;
}

template <class Node>
int IntrusiveList<Node>::InsertAfter(Node* existing, Node* node)
{
    if (!existing || !node)
        return 1;
    ForgetCache();
    node->next = existing->next;
    existing->next = node;
    if (existing == tail)
        tail = node;
    ++count;
    return 0;
}

template <class Node>
int IntrusiveList<Node>::Remove(Node* node)
{
    if (!node)
        return 1;
    Node* before = nullptr;
    for (Node* at = head; at; before = at, at = at->next) {
        if (at == node)
            return RemoveAfter(before, node);
    }
    ForgetCache();
    return 1;
}

template <class Node>
int IntrusiveList<Node>::RemoveAfter(Node* before, Node* node)
{
    if (!node || (before ? before->next : head) != node)
        return 1;
    ForgetCache();
    (before ? before->next : head) = node->next;
    if (node == tail)
        tail = before;
    node->next = nullptr;
    --count;
    return 0;
}

template <class Node>
int IntrusiveList<Node>::RemoveIndex(long index)
{
    return Remove(GetItem(index));
}

template <class Node>
Node* IntrusiveList<Node>::GetItem(long index)
{
    if (index < 0 || index >= count)
        return nullptr;
    if (cachedNode && index == cachedIndex)
        return cachedNode;
    // The last node is asked for all the time (the page shown is the last loaded one), and
    // whatever node the cache holds, it is at hand.
    if (index == count - 1)
        return tail;
    Node* node = head;
    long at = 0;
    if (cachedNode && index > cachedIndex) {
        node = cachedNode;
        at = cachedIndex;
    }
    for (; at < index; ++at)
        node = node->next;
    cachedNode = node;
    cachedIndex = static_cast<int>(index);
    return node;
}

template <class Node>
int IntrusiveList<Node>::InList(const Node* node) const
{
    for (const Node* at = head; at; at = at->next)
        if (at == node)
            return 1;
    return 0;
}

namespace {

// Takes up to `length` nodes from the front of `chain`: the run's first node, its last
// node is cut loose, `chain` moves past it.
template <class Node>
Node* TakeRun(Node*& chain, long length)
{
    Node* run = chain;
    Node* last = nullptr;
    for (long i = 0; i < length && chain; ++i) {
        last = chain;
        chain = chain->next;
    }
    if (last)
        last->next = nullptr;
    return run;
}

template <class Node>
bool GoesFirst(const Node& a, const Node& b, SORT_ORDER order)
{
    return order == 0 ? (a <= b) != 0 : (a >= b) != 0;
}

// Merges two sorted runs and appends the result at *tail; returns the new tail link.
template <class Node>
Node** MergeRuns(Node* a, Node* b, SORT_ORDER order, Node** tail)
{
    while (a && b) {
        Node*& from = GoesFirst(*a, *b, order) ? a : b;
        *tail = from;
        tail = &from->next;
        from = from->next;
    }
    *tail = a ? a : b;
    while (*tail)
        tail = &(*tail)->next;
    return tail;
}

}  // namespace

// Bottom-up merge sort that relinks the nodes and allocates nothing: the nodes are dealt
// into two chains, then runs of 1, 2, 4 ... are merged alternately into two output chains
// until one chain holds everything.
template <class Node>
void IntrusiveList<Node>::Sort(SORT_ORDER order)
{
    ForgetCache();
    if (count < 2)
        return;
    Node* inputs[2] = {nullptr, nullptr};
    Node** tails[2] = {&inputs[0], &inputs[1]};
    int side = 0;
    for (Node* node = head; node;) {
        Node* following = node->next;
        node->next = nullptr;
        *tails[side] = node;
        tails[side] = &node->next;
        side ^= 1;
        node = following;
    }
    for (long run = 1; inputs[1]; run *= 2) {
        Node* outputs[2] = {nullptr, nullptr};
        Node** outTails[2] = {&outputs[0], &outputs[1]};
        side = 0;
        while (inputs[0] || inputs[1]) {
            Node* a = TakeRun(inputs[0], run);
            Node* b = TakeRun(inputs[1], run);
            outTails[side] = MergeRuns(a, b, order, outTails[side]);
            side ^= 1;
        }
        inputs[0] = outputs[0];
        inputs[1] = outputs[1];
    }
    head = inputs[0];
    tail = head;
    while (tail->next)
        tail = tail->next;
}

template class IntrusiveList<LNODE>;
template class IntrusiveList<HUGELNODE>;

LIST::~LIST() { Clear(); }

LIST& LIST::operator=(LIST& other)
{
    TakeOver(other);
    return *this;
}

HUGELIST::~HUGELIST() { Clear(); }

HUGELIST& HUGELIST::operator=(HUGELIST& other)
{
    TakeOver(other);
    return *this;
}
