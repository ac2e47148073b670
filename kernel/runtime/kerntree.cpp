// The object tree of a page: walks, the enclosing object of an object, re-linking an object
// and its window under another parent, and kernel messages sent down the tree.
#include "kerntree.h"

#include "branch.h"
#include "enclosers.h"
#include "kernel.h"
#include "objet.h"
#include "qxsupport.h"
#include "history.h"

#include <vector>

int KernTraverseTree(KERNEL* kernel, OBJET* root, KERNWALK before, KERNWALK after, void* data, int order)
{
    if (!root)
        return 0;
    if (before) {
        if (const int answer = before(kernel, root, data))
            return answer;
    }
    if (order == QX_WALK_FIRST_TO_LAST) {
        const int count = root->GetChildItems();
        for (int i = 0; i < count; ++i) {
            if (const int answer = KernTraverseTree(kernel, root->GetChild(i), before, after, data, order))
                return answer;
        }
    } else if (order == QX_WALK_LAST_TO_FIRST) {
        const std::vector<OBJET*> children = root->Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            if (const int answer = KernTraverseTree(kernel, *child, before, after, data, order))
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
    if (!root)
        return nullptr;
    ENCLOSERS once;
    ENCLOSERS& enclosers = kernel && kernel->enclosers ? *kernel->enclosers : once;
    OBJET* found = enclosers.Find(kernel, root, object);
    return found ? found : root;
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
    const ENCLOSERSCOPE enclosers(kernel);
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
