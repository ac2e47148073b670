// The object tree of a page: walks, the enclosing object of an object, re-linking an object
// and its window under another parent, and kernel messages sent down the tree.
#include "kerntree.h"

#include "branch.h"
#include "kernel.h"
#include "objet.h"
#include "qxsupport.h"
#include "history.h"

#include <vector>

namespace {

bool IsAncestor(const OBJET* candidate, const OBJET* object)
{
    for (const OBJET* up = object->GetParent(); up; up = up->GetParent()) {
        if (up == candidate)
            return true;
    }
    return false;
}

struct ENCLOSERSEARCH {
    OBJET* object;
    RECT area;  // the object's client rectangle on the screen
    OBJET* found;
};

// Be-parent value of objects that hold only invisible children.
constexpr int HoldsInvisibleOnly = 2;

int TakeEncloser(KERNEL*, OBJET* candidate, void* data)
{
    auto* search = static_cast<ENCLOSERSEARCH*>(data);
    OBJET* object = search->object;
    if (candidate == object || !candidate->window || candidate->beParent == 0)
        return 0;
    if (candidate->showDelay != 0.0 && candidate->effectPending)
        return 0;
    if (candidate->beParent == HoldsInvisibleOnly && !object->Invisibility())
        return 0;
    if (IsAncestor(object, candidate))
        return 0;
    RECT area;
    KernGetClientToScreen(candidate, &area);
    RECT common;
    IntersectRect(&common, &area, &search->area);
    if (!EqualRect(&common, &search->area) || EqualRect(&area, &search->area))
        return 0;
    search->found = candidate;
    return 1;
}

// The encloser among the tree under `node`, the last children first and each object after
// its children, as a last-to-first walk would take them. The children are a singly linked
// list: they are taken in their order once and then looked at backwards, so that a page of
// many objects is not walked from its first child again for each one.
int FindEncloser(KERNEL* kernel, OBJET* node, ENCLOSERSEARCH* search)
{
    std::vector<OBJET*> children;
    children.reserve(static_cast<size_t>(node->GetChildItems()));
    for (HUGELNODE* child = node->GetChildItems() > 0 ? node->GetChild(0) : nullptr; child; child = child->next)
        children.push_back(static_cast<OBJET*>(child));
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (FindEncloser(kernel, *child, search))
            return 1;
    }
    return TakeEncloser(kernel, node, search);
}

}  // namespace

int KernTraverseTree(KERNEL* kernel, OBJET* root, KERNWALK before, KERNWALK after, void* data, int order)
{
    if (!root)
        return 0;
    if (before) {
        if (const int answer = before(kernel, root, data))
            return answer;
    }
    const int count = root->GetChildItems();
    if (order == QX_WALK_FIRST_TO_LAST) {
        for (int i = 0; i < count; ++i) {
            if (const int answer = KernTraverseTree(kernel, root->GetChild(i), before, after, data, order))
                return answer;
        }
    } else if (order == QX_WALK_LAST_TO_FIRST) {
        for (int i = count - 1; i >= 0; --i) {
            if (const int answer = KernTraverseTree(kernel, root->GetChild(i), before, after, data, order))
                return answer;
        }
    }
    return after ? after(kernel, root, data) : 0;
}

OBJET* KernGetTopParentObjet(KERNEL* kernel, OBJET* object)
{
    if (!kernel)
        return nullptr;
    if (!object)
        return KernGetTopObjet(kernel);
    while (object->GetParent())
        object = object->GetParent();
    return object;
}

OBJET* KernLocateParent(KERNEL* kernel, OBJET* object)
{
    if (!object)
        return nullptr;
    OBJET* root = object->GetParent() ? KernGetTopParentObjet(kernel, object) : KernGetTopObjet(kernel);
    if (!object->window)
        return KernGetTopObjet(kernel);
    ENCLOSERSEARCH search = {object, {}, nullptr};
    KernGetClientToScreen(object, &search.area);
    if (root)
        FindEncloser(kernel, root, &search);
    return search.found ? search.found : root;
}

void KernLinkParentChild(OBJET* parent, OBJET* object, int force)
{
    if (!parent || !object || parent == object)
        return;
    if (object->GetParent() == parent && !force)
        return;
    if (object->GetParent())
        object->GetParent()->RemoveChild(object);
    parent->AddChild(object);
    if (!object->window || !parent->window)
        return;
    const bool hadUpdate = GetUpdateRect(object->window, nullptr, FALSE) != 0;
    RECT frame;
    GetWindowRect(object->window, &frame);
    POINT frameOrigin = {frame.left, frame.top};
    ScreenToClient(parent->window, &frameOrigin);
    // Out of sight while it changes parent, so that it never shows in a wrong place.
    SetWindowPos(object->window, nullptr, -5000, frameOrigin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetParent(object->window, parent->window);
    SetWindowPos(object->window, nullptr, frameOrigin.x, frameOrigin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | (hadUpdate ? 0 : SWP_NOREDRAW));
    object->SetXYWH(frameOrigin.x, frameOrigin.y, object->w, object->h);
    KERNEL* kernel = object->GetKernel();
    object->ux = KernS2Ux(kernel, frameOrigin.x);
    object->uy = KernS2Uy(kernel, frameOrigin.y);
}

LRESULT KernBroadCastToObjet(KERNEL* kernel, OBJET* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!kernel || !object)
        return 0;
    MSGL msg = {static_cast<WORD>(kernel->mode & 0xFFFF), nullptr, message, wParam, lParam};
    if ((kernel->mode & QX_MODE_EDIT_BIT) || !kernel->autoBranch)
        KernClearBranchTimer(kernel);
    if (kernel->filterMsg && !kernel->filterMsg(&msg, kernel->appPointer))
        return 0;
    return object->KernelMessage(&msg);
}

void KernBroadCastUntilDone(KERNEL* kernel, OBJET* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Objects answer non-zero while they still have work for another round; a plug-in that
    // never stops answering must not hold the program for ever.
    constexpr int MaxRounds = 64;
    for (int round = 0; round < MaxRounds && KernBroadCastToObjet(kernel, object, message, wParam, lParam); ++round) {
    }
}

void KernQueryPalette(KERNEL* kernel)
{
    KernBroadCastToObjet(kernel, KernGetTopObjet(kernel), KM_REALIZEPALETTE, 0, 0);
}

void KernGetClientToScreen(OBJET* object, RECT* rect)
{
    if (!object || !object->window || !rect)
        return;
    GetClientRect(object->window, rect);
    MapWindowPoints(object->window, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

OBJET* KernGetObjetByHwnd(KERNEL* kernel, HWND window)
{
    if (!kernel || !window)
        return nullptr;
    return reinterpret_cast<OBJET*>(GetWindowLongPtrA(window, QXWL_OBJET));
}

LRESULT KernObjetOut(KERNEL* kernel)
{
    if (!kernel || !kernel->hovered)
        return 0;
    OBJET* left = kernel->hovered;
    kernel->hovered = nullptr;
    MSGL msg = {static_cast<WORD>(kernel->mode & 0xFFFF), left->window, KM_HOVEREND, static_cast<WPARAM>(-1), 0};
    return left->KernelMessage(&msg);
}

int KernFindPos(KERNEL* kernel, OBJET* parent, OBJET* object)
{
    if (parent) {
        for (int i = 0; i < parent->GetChildItems(); ++i) {
            if (parent->GetChild(i) == object)
                return i;
        }
        return -1;
    }
    for (int i = 0; kernel && i < kernel->loadedPages.Items(); ++i) {
        if (static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root == object)
            return i;
    }
    return -1;
}

HWND KernFindHwnd(KERNEL* kernel, OBJET* parent, int index)
{
    if (parent)
        return index >= 0 && index < parent->GetChildItems() ? parent->GetChild(index)->window : nullptr;
    if (!kernel)
        return nullptr;
    for (int i = index < 0 ? 0 : index; i < kernel->loadedPages.Items(); ++i) {
        if (OBJET* root = static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root)
            return root->window;
    }
    return kernel->appTopWindow;
}

HWND KernCreateBaseWindow(KERNEL* kernel, OBJET* object, const char* title, DWORD style, int x, int y, int width,
                          int height, const char* tag)
{
    if (!kernel)
        return nullptr;
    return QXCreateTaggedWindow("KernObjetWindow", title, style & ~WS_VISIBLE, x, y, width, height,
                                KernGetAppWindow(kernel), nullptr, KernGetInstance(kernel), object, tag);
}

HWND KernCreateObjetWindow(KERNEL* kernel, OBJET* object, int x, int y, int width, int height, const char* tag)
{
    if (!kernel || !object)
        return nullptr;
    const HWND parent = object->GetParent() ? object->GetParent()->window : KernGetAppWindow(kernel);
    return QXCreateTaggedWindow("KernObjetWindow", "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
                                nullptr, KernGetInstance(kernel), object, tag);
}

void KernRemoveWindow(KERNEL*, HWND window)
{
    if (!window)
        return;
    SetWindowLongPtrA(window, QXWL_OBJET, 0);
    DestroyWindow(window);
}
