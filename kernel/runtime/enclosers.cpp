// The enclosing object of an object, found from the page's rectangles taken once.
#include "enclosers.h"

#include "kernel.h"
#include "kerntree.h"
#include "objet.h"

#include <algorithm>

namespace {

// Be-parent value of objects that hold only invisible children.
constexpr int HoldsInvisibleOnly = 2;

bool IsAncestor(const OBJET* candidate, const OBJET* object)
{
    for (const OBJET* up = object->GetParent(); up; up = up->GetParent()) {
        if (up == candidate)
            return true;
    }
    return false;
}

// What the candidate itself allows; read at each search, since showing the page changes it.
bool MayEnclose(const OBJET* candidate, const OBJET* object)
{
    if (candidate == object || !candidate->window || candidate->beParent == 0)
        return false;
    if (candidate->showDelay != 0.0 && candidate->effectPending)
        return false;
    if (candidate->beParent == HoldsInvisibleOnly && !object->Invisibility())
        return false;
    return !IsAncestor(object, candidate);
}

// The area holds the inner rectangle whole and is not the same rectangle.
bool Encloses(const RECT& area, const RECT& inner)
{
    RECT common;
    IntersectRect(&common, &area, &inner);
    return EqualRect(&common, &inner) && !EqualRect(&area, &inner);
}

long long SizeOf(const RECT& area)
{
    if (IsRectEmpty(&area))
        return 0;
    return static_cast<long long>(area.right - area.left) * (area.bottom - area.top);
}

RECT ScreenArea(OBJET* object)
{
    RECT area{};
    KernGetClientToScreen(object, &area);
    return area;
}

}  // namespace

bool ENCLOSERS::IsCurrent(KERNEL* kernel, OBJET* root) const
{
    if (!root_ || root != root_ || kernel->treeChanges != treeChanges_)
        return false;
    // The host window may have moved the whole page.
    const RECT rootArea = ScreenArea(root);
    return EqualRect(&rootArea, &rootArea_) != 0;
}

void ENCLOSERS::Take(KERNEL* kernel, OBJET* root)
{
    root_ = root;
    rootArea_ = ScreenArea(root);
    treeChanges_ = kernel ? kernel->treeChanges : 0;
    orders_.clear();
    bySize_.clear();
    created_.clear();
    // The order of a last-to-first walk with each object after its children.
    int order = 0;
    auto take = [&](auto& self, OBJET* node) -> void {
        const std::vector<OBJET*> children = node->Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            self(self, *child);
        orders_[node] = order;
        Add(node, order++);
    };
    take(take, root);
}

void ENCLOSERS::Add(OBJET* object, int order)
{
    if (!object->window)
        return;
    const RECT area = ScreenArea(object);
    bySize_.emplace(SizeOf(area), CANDIDATE{area, order, object});
}

void ENCLOSERS::Created(OBJET* object)
{
    created_.push_back(object);
}

// The window is known to its object once its creation has returned.
void ENCLOSERS::AddCreated()
{
    std::vector<OBJET*> waiting;
    for (OBJET* object : created_) {
        const auto order = orders_.find(object);
        if (order == orders_.end())
            continue;
        if (object->window)
            Add(object, order->second);
        else
            waiting.push_back(object);
    }
    created_.swap(waiting);
}

OBJET* ENCLOSERS::Find(KERNEL* kernel, OBJET* root, OBJET* object)
{
    if (!IsCurrent(kernel, root))
        Take(kernel, root);
    AddCreated();
    const RECT area = ScreenArea(object);
    const long long size = SizeOf(area);
    const CANDIDATE* best = nullptr;
    for (const auto& [candidateSize, candidate] : bySize_) {
        // Only a larger rectangle strictly contains a rectangle that is not empty; an empty
        // one is compared with all of them.
        if (size > 0 && candidateSize <= size)
            break;
        if ((!best || candidate.order < best->order) && Encloses(candidate.area, area) &&
            MayEnclose(candidate.object, object))
            best = &candidate;
    }
    return best ? best->object : nullptr;
}

ENCLOSERSCOPE::ENCLOSERSCOPE(KERNEL* kernel) : kernel_(kernel)
{
    if (kernel_ && !kernel_->enclosers)
        kernel_->enclosers = own_ = new ENCLOSERS;
}

ENCLOSERSCOPE::~ENCLOSERSCOPE()
{
    if (!own_)
        return;
    kernel_->enclosers = nullptr;
    delete own_;
}
