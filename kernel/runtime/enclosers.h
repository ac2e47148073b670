// The enclosing object of an object: among the page tree, the last children first and each
// object after its children, the first object that may hold children and whose client
// rectangle on the screen strictly contains the object's.
#pragma once

#include "qxkernel.h"

#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

class ENCLOSERS {
public:
    // The encloser of the object in the tree under root; null when none.
    OBJET* Find(KERNEL* kernel, OBJET* root, OBJET* object);
    // The object is making its window; its rectangle is taken at the next search.
    void Created(OBJET* object);

private:
    struct CANDIDATE {
        RECT area;   // client rectangle on the screen
        int order;   // place in the walk: the lowest is taken first
        OBJET* object;
    };

    bool IsCurrent(KERNEL* kernel, OBJET* root) const;
    void Take(KERNEL* kernel, OBJET* root);
    void Add(OBJET* object, int order);
    void AddCreated();

    OBJET* root_{};
    RECT rootArea_{};
    unsigned long treeChanges_{};
    std::unordered_map<const OBJET*, int> orders_;  // of every object of the tree
    std::multimap<long long, CANDIDATE, std::greater<>> bySize_;  // by area, the largest first
    std::vector<OBJET*> created_;
};

// While it lives, the enclosers looked for are found from one set of rectangles taken once,
// taken again only when a tree or an object window changes: a page shown relinks each of
// its objects, and walking the page and asking each window for its rectangle for every one
// of them would grow with the square of the objects.
class QXCORE_API ENCLOSERSCOPE {
public:
    explicit ENCLOSERSCOPE(KERNEL* kernel);
    ~ENCLOSERSCOPE();
    ENCLOSERSCOPE(const ENCLOSERSCOPE&) = delete;
    ENCLOSERSCOPE& operator=(const ENCLOSERSCOPE&) = delete;

private:
    KERNEL* kernel_;
    ENCLOSERS* own_{};
};
