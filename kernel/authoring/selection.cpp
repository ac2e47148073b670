// The selection: the list of selected objects, selecting and unselecting them, their
// extent, and re-linking and re-stacking them.
#include "selection.h"

#include "selectionhandles.h"
#include "undo.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "qxutil.h"

#include <vector>

namespace {

void AddToSelection(KERNEL* kernel, OBJET* object)
{
    object->Select();
    OBJSEL* node = new OBJSEL(object);
    if (node)
        kernel->selection += node;
}

void RemoveFromSelection(KERNEL* kernel, OBJSEL* node)
{
    OBJET* object = node->object;
    object->UnSelect();
    kernel->selection -= node;
    delete node;
    KernLinkParentChild(KernLocateParent(kernel, object), object, 0);
}

void DestroyHandles(KERNEL* kernel)
{
    for (HWND& handle : kernel->handles) {
        if (handle)
            DestroyWindow(handle);
        handle = nullptr;
    }
}

struct TREEORDER {
    OBJSEL_LIST* selection;
    std::vector<OBJSEL*> nodes;
};

// Tree order: each object after its children, children first to last.
int CollectSelected(KERNEL*, OBJET* object, void* data)
{
    auto* order = static_cast<TREEORDER*>(data);
    if (OBJSEL* node = order->selection->Find(object))
        order->nodes.push_back(node);
    return 0;
}

void SortIntoTreeOrder(KERNEL* kernel)
{
    OBJSEL_LIST& selection = kernel->selection;
    if (selection.Items() < 2)
        return;
    TREEORDER order{&selection, {}};
    KernTraverseTree(kernel, KernGetTopObjet(kernel), nullptr, CollectSelected, &order, QX_WALK_FIRST_TO_LAST);
    for (OBJSEL* node : order.nodes)
        selection -= node;
    for (OBJSEL* node : order.nodes)
        selection += node;
}

void RaiseLastChild(KERNEL* kernel, OBJET* object, OBJET* parent)
{
    if (!object->window)
        return;
    if (parent->window)
        SetParent(object->window, parent->window);
    constexpr UINT Keep = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    if (!IntersectBrother(parent)) {
        SetWindowPos(object->window, nullptr, 0, 0, 0, 0, Keep | SWP_NOZORDER);
        return;
    }
    OBJET* top = KernGetTopObjet(kernel);
    if (object->Invisibility() && top && top->window) {
        // A see-through object shows what lies beneath it: the page repaints that area.
        RECT area;
        GetClientRect(object->window, &area);
        MapWindowPoints(object->window, top->window, reinterpret_cast<POINT*>(&area), 2);
        InvalidateRect(top->window, &area, TRUE);
        return;
    }
    SetWindowPos(object->window, HWND_TOP, 0, 0, 0, 0, Keep);
}

}  // namespace

OBJSEL_LIST& OBJSEL_LIST::operator+=(HUGELNODE* node)
{
    auto* selected = static_cast<OBJSEL*>(node);
    if (kernel->eventObjetSelect && selected->object != KernGetTopObjet(kernel))
        kernel->eventObjetSelect(kernel->appPointer);
    AddTail(node);
    KernCreateSelectionHandles(kernel);
    CalculedExtent(kernel);
    return *this;
}

OBJSEL_LIST& OBJSEL_LIST::operator-=(HUGELNODE* node)
{
    if (kernel->eventObjetUnSelect && Items() == 1)
        kernel->eventObjetUnSelect(kernel->appPointer);
    Remove(node);
    if (Items() > 0)
        CalculedExtent(kernel);
    else
        DestroyHandles(kernel);
    return *this;
}

OBJSEL* OBJSEL_LIST::Find(const OBJET* object)
{
    for (int i = 0; i < Items(); ++i) {
        auto* node = static_cast<OBJSEL*>(GetItem(i));
        if (node->object == object)
            return node;
    }
    return nullptr;
}

OBJET* OBJSEL_LIST::GetObjet(int index)
{
    auto* node = static_cast<OBJSEL*>(GetItem(index));
    return node ? node->object : nullptr;
}

int KernSelectObject(KERNEL* kernel, OBJET* object)
{
    if (!kernel || !object)
        return 0;
    KernUnSelectAllObjects(kernel);
    const int before = kernel->selection.Items();
    AddToSelection(kernel, object);
    return kernel->selection.Items() > before ? 1 : 0;
}

void KernEventSelectObject(KERNEL* kernel, OBJET* object, MSGL* click)
{
    if (!kernel || !object || !click)
        return;
    OBJSEL* node = kernel->selection.Find(object);
    if (click->wParam & MK_CONTROL) {
        if (node)
            RemoveFromSelection(kernel, node);
        else
            AddToSelection(kernel, object);
        return;
    }
    if (node)
        return;
    KernUnSelectAllObjects(kernel);
    AddToSelection(kernel, object);
}

void KernUnSelectAllObjects(KERNEL* kernel)
{
    if (!kernel || kernel->selection.Items() == 0)
        return;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    while (kernel->selection.Items() > 0)
        RemoveFromSelection(kernel, static_cast<OBJSEL*>(kernel->selection.GetItem(0)));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}

int KernObjectsSelected(KERNEL* kernel) { return kernel ? kernel->selection.Items() : 0; }

void KernChainAllObject(KERNEL* kernel)
{
    if (!kernel)
        return;
    for (int i = 0; i < kernel->selection.Items(); ++i)
        kernel->selection.GetObjet(i)->SetBeParent(1);
    OBJET* top = KernGetTopObjet(kernel);
    KernBroadCastUntilDone(kernel, top, KM_RELINK, 0, 0);
    KernQueryPalette(kernel);
    KernBroadCastUntilDone(kernel, top, KM_SHOWN, KM_SHOWN_INSERTED, 0);
}

void KernUnChainAllObject(KERNEL* kernel)
{
    if (!kernel)
        return;
    for (int i = 0; i < kernel->selection.Items(); ++i)
        kernel->selection.GetObjet(i)->SetBeParent(0);
}

void CalculedExtent(KERNEL* kernel)
{
    OBJSEL_LIST& selection = kernel->selection;
    if (selection.Items() == 0)
        return;
    RECT extent = {};
    bool first = true;
    for (int i = 0; i < selection.Items(); ++i) {
        OBJET* object = selection.GetObjet(i);
        if (!object->window)
            continue;
        RECT area;
        KernGetClientToScreen(object, &area);
        if (first)
            extent = area;
        else
            UnionRect(&extent, &extent, &area);
        first = false;
    }
    kernel->selLeft = extent.left;
    kernel->selTop = extent.top;
    kernel->selRight = extent.right;
    kernel->selBottom = extent.bottom;
    OBJET* top = KernGetTopObjet(kernel);
    if (!top || !top->window)
        return;
    MapWindowPoints(nullptr, top->window, reinterpret_cast<POINT*>(&extent), 2);
    const int fx = _GetSystemMetrics(SM_CXFRAME);
    const int fy = _GetSystemMetrics(SM_CYFRAME);
    const int width = extent.right - extent.left;
    const int height = extent.bottom - extent.top;
    const RECT places[QX_SELECTION_HANDLES] = {
        {extent.left - fx, extent.top - fy, fx, height + 2 * fy},
        {extent.left, extent.top - fy, width, fy},
        {extent.right, extent.top - fy, fx, height + 2 * fy},
        {extent.left, extent.bottom, width, fy},
    };
    for (int side = 0; side < QX_SELECTION_HANDLES; ++side) {
        const RECT& p = places[side];  // x, y, width, height
        if (kernel->handles[side])
            SetWindowPos(kernel->handles[side], nullptr, p.left, p.top, p.right, p.bottom,
                         SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void KernInvalidateRectObjectSelected(KERNEL* kernel)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!top || !top->window || kernel->selection.Items() == 0)
        return;
    for (int i = 0; i < kernel->selection.Items(); ++i) {
        // An object of maximal size covers the whole page.
        if (kernel->selection.GetObjet(i)->sizeMode == 3) {
            InvalidateRect(top->window, nullptr, TRUE);
            return;
        }
    }
    RECT extent = {kernel->selLeft, kernel->selTop, kernel->selRight, kernel->selBottom};
    MapWindowPoints(nullptr, top->window, reinterpret_cast<POINT*>(&extent), 2);
    InvalidateRect(top->window, &extent, TRUE);
}

int IntersectBrother(OBJET* parent)
{
    if (!parent || parent->GetChildItems() < 2)
        return 0;
    OBJET* last = parent->GetChild(parent->GetChildItems() - 1);
    if (!last->window)
        return 0;
    RECT lastArea;
    GetWindowRect(last->window, &lastArea);
    for (int i = 0; i < parent->GetChildItems() - 1; ++i) {
        OBJET* other = parent->GetChild(i);
        RECT area;
        RECT common;
        if (other->window && GetWindowRect(other->window, &area) && IntersectRect(&common, &area, &lastArea))
            return 1;
    }
    return 0;
}

void KernBringSelectObjectToTop(KERNEL* kernel)
{
    if (!kernel)
        return;
    SortIntoTreeOrder(kernel);
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    for (int i = 0; i < kernel->selection.Items(); ++i) {
        OBJET* object = kernel->selection.GetObjet(i);
        OBJET* parent = object->GetParent();
        if (!parent || parent->GetChild(parent->GetChildItems() - 1) == object)
            continue;
        KernUndoPush(kernel, new UNDO_ZORDER(object));
        parent->RemoveChild(object);
        parent->AddChild(object);
        RaiseLastChild(kernel, object, parent);
    }
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}

namespace {

struct AREASELECTION {
    OBJSEL_LIST* selection;
    OBJET* top;
    const RECT* area;  // null: every object
    int added;
};

int SelectIfInside(KERNEL* kernel, OBJET* object, void* data)
{
    auto* search = static_cast<AREASELECTION*>(data);
    if (object == search->top || search->selection->Find(object))
        return 0;
    if (search->area) {
        if (!object->window)
            return 0;
        RECT own;
        RECT common;
        KernGetClientToScreen(object, &own);
        if (!IntersectRect(&common, &own, search->area) || !EqualRect(&common, &own))
            return 0;
    }
    AddToSelection(kernel, object);
    ++search->added;
    return 0;
}

int SelectWithin(KERNEL* kernel, const RECT* area)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!top)
        return 0;
    AREASELECTION search{&kernel->selection, top, area, 0};
    KernTraverseTree(kernel, top, nullptr, SelectIfInside, &search, QX_WALK_LAST_TO_FIRST);
    return search.added;
}

}  // namespace

int KernSelectObjectInRect(KERNEL* kernel, int left, int top, int right, int bottom)
{
    if (!kernel)
        return 0;
    const RECT area = {left, top, right, bottom};
    return SelectWithin(kernel, &area);
}

int KernSelectAllObjects(KERNEL* kernel)
{
    if (!kernel)
        return 0;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    const int added = SelectWithin(kernel, nullptr);
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    return added;
}

void KernBringSelectObjectToBack(KERNEL* kernel)
{
    if (!kernel)
        return;
    SortIntoTreeOrder(kernel);
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    for (int i = kernel->selection.Items() - 1; i >= 0; --i) {
        OBJET* object = kernel->selection.GetObjet(i);
        OBJET* parent = object->GetParent();
        if (!parent || parent->GetChild(0) == object)
            continue;
        KernUndoPush(kernel, new UNDO_ZORDER(object));
        parent->RemoveChild(object);
        parent->InsertChild(object, 0);
        if (!object->window)
            continue;
        if (parent->window)
            SetParent(object->window, parent->window);
        constexpr UINT Keep = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
        // The window procedure keeps each window below its next sibling: the insert-after
        // window given here is replaced on the way.
        SetWindowPos(object->window, HWND_TOP, 0, 0, 0, 0, Keep | (IntersectBrother(parent) ? 0 : SWP_NOZORDER));
    }
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
}
