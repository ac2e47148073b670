// Walking and re-linking the object tree of a page, and sending kernel messages down it.
#pragma once

#include "qxkernel.h"

// Walk orders of KernTraverseTree.
constexpr int QX_WALK_FIRST_TO_LAST = 10;
constexpr int QX_WALK_LAST_TO_FIRST = 11;

using KERNWALK = int (*)(KERNEL* kernel, OBJET* object, void* data);

// Depth first: before on the object, its children in the order given (none for any other
// order), then after; the first non-zero answer stops the walk and is returned.
QXCORE_EXPORT int KernTraverseTree(KERNEL* kernel, OBJET* root, KERNWALK before, KERNWALK after, void* data,
                                   int order);
// The root of the object's tree; the root of the page shown for a null object.
QXCORE_EXPORT OBJET* KernGetTopParentObjet(KERNEL* kernel, OBJET* object);
// The object whose window encloses the object's window, else the root of its tree (of the
// page shown for an object without window).
QXCORE_EXPORT OBJET* KernLocateParent(KERNEL* kernel, OBJET* object);
// Moves the object under the parent in the tree and its window under the parent's window,
// keeping its place on the screen. force re-links even when the parent is already its own.
QXCORE_EXPORT void KernLinkParentChild(OBJET* parent, OBJET* object, int force);
// A kernel message to the object, which hands it down its subtree; the object's answer, 0
// when the object is null or the host's filter drops the message.
QXCORE_EXPORT LRESULT KernBroadCastToObjet(KERNEL* kernel, OBJET* object, UINT message, WPARAM wParam,
                                          LPARAM lParam);
// Sends the message until the object answers 0.
QXCORE_EXPORT void KernBroadCastUntilDone(KERNEL* kernel, OBJET* object, UINT message, WPARAM wParam, LPARAM lParam);
// Realises the palettes of the page shown.
QXCORE_EXPORT void KernQueryPalette(KERNEL* kernel);
// The object's client rectangle in screen coordinates; nothing without a window.
QXCORE_EXPORT void KernGetClientToScreen(OBJET* object, RECT* rect);
// The object of an object window (window long 0).
QXCORE_EXPORT OBJET* KernGetObjetByHwnd(KERNEL* kernel, HWND window);
// Tells the hovered object that the mouse left it and forgets it; its answer, 0 when none.
QXCORE_EXPORT LRESULT KernObjetOut(KERNEL* kernel);
// The object's index among the parent's children (among the loaded pages for a null
// parent); -1 when absent.
QXCORE_EXPORT int KernFindPos(KERNEL* kernel, OBJET* parent, OBJET* object);
// The window of the parent's child at index (null past the end); without parent, the root
// window of the first loaded page from index on that has one, else the application top window.
QXCORE_EXPORT HWND KernFindHwnd(KERNEL* kernel, OBJET* parent, int index);
// Object windows of class "KernObjetWindow", hidden at creation and tagged with the page
// name: a page root inside the host window, an object inside its parent's window.
QXCORE_EXPORT HWND KernCreateBaseWindow(KERNEL* kernel, OBJET* object, const char* title, DWORD style, int x, int y,
                                        int width, int height, const char* tag);
QXCORE_EXPORT HWND KernCreateObjetWindow(KERNEL* kernel, OBJET* object, int x, int y, int width, int height,
                                         const char* tag);
// Detaches the window from its object, then destroys it.
QXCORE_EXPORT void KernRemoveWindow(KERNEL* kernel, HWND window);
