// The kernel's state as hosts and plug-ins read and set it: host callbacks, modes, the
// presentation extent, folders and titles, cursors, custom colours, shared devices and
// object lookup.
#pragma once

#include "kernel.h"

// Host callbacks.
QXCORE_EXPORT void KernSetFilterMsg(KERNEL* kernel, KERNFILTERMSG filter);
QXCORE_EXPORT void KernSetFilterBranch(KERNEL* kernel, KERNFILTERBRANCH filter);
QXCORE_EXPORT void KernSetEventObjetSelect(KERNEL* kernel, KERNEVENT event);
QXCORE_EXPORT void KernSetEventObjetUnSelect(KERNEL* kernel, KERNEVENT event);
QXCORE_EXPORT void KernSetEventAddObjet(KERNEL* kernel, KERNEVENTADDOBJET event);
QXCORE_EXPORT void KernSetEventUndo(KERNEL* kernel, KERNEVENTUNDO event);
QXCORE_EXPORT void KernSetEventSlideShowMode(KERNEL* kernel, KERNEVENTSLIDESHOW event);
QXCORE_EXPORT void KernSetEventSave(KERNEL* kernel, KERNEVENT event);

// Plain members.
QXCORE_EXPORT void* KernGetAppPointer(KERNEL* kernel);
QXCORE_EXPORT int KernAppIsOnNoMode(KERNEL* kernel);
QXCORE_EXPORT void KernSetAppIsOnNoMode(KERNEL* kernel, int mode);  // -1: the host has no mode
QXCORE_EXPORT int KernGetAutoBranch(KERNEL* kernel);
QXCORE_EXPORT int KernGetProgOptions(KERNEL* kernel);
QXCORE_EXPORT void KernSetProgOptions(KERNEL* kernel, int options);
QXCORE_EXPORT void* KernGetScnData(KERNEL* kernel);
QXCORE_EXPORT void KernSetScnData(KERNEL* kernel, void* data);
QXCORE_EXPORT void* KernGetScnDataNoCPP(KERNEL* kernel);
QXCORE_EXPORT void KernSetScnDataNoCPP(KERNEL* kernel, void* data);
// The publication data of the kernel of an object window; null when there is none.
QXCORE_EXPORT void* KernGetScnDataByHwnd(HWND window);
QXCORE_EXPORT void* KernGetScnDataNoCPPByHwnd(HWND window);
QXCORE_EXPORT HWND KernGetActiveWindow(KERNEL* kernel);
QXCORE_EXPORT void KernSetAppPath(KERNEL* kernel, const char* folder);
// Null or "" means the cache folder.
QXCORE_EXPORT void KernSetScnPath(KERNEL* kernel, const char* folder);
QXCORE_EXPORT void KernSetDHTMLDestPath(KERNEL* kernel, const char* folder);
QXCORE_EXPORT void KernSetAppTitle(KERNEL* kernel, const char* title);
QXCORE_EXPORT void KernSetAppTopHwnd(KERNEL* kernel, HWND window);
QXCORE_EXPORT void KernSetAppIsEditor(KERNEL* kernel, int editor);
QXCORE_EXPORT HRGN KernGetClipRgn(KERNEL* kernel);
QXCORE_EXPORT int KernIsRunningDepProcess(KERNEL* kernel);
// A new host window, with the kernel library's instance kept.
QXCORE_EXPORT void KernSetAppWindow(KERNEL* kernel, HWND window);

// Modes and the presentation extent.
QXCORE_EXPORT void KernSetMode(KERNEL* kernel, int mode);
QXCORE_EXPORT void KernSetAutoBranch(KERNEL* kernel, int on);
QXCORE_EXPORT void KernSetAppExtent(KERNEL* kernel, int x, int y, int width, int height);
QXCORE_EXPORT int KernSO2Nx(KERNEL* kernel, int s);
QXCORE_EXPORT int KernSO2Ny(KERNEL* kernel, int s);
// Disables every loaded page window but the shown one; re-enables them as the modeless
// pages allow.
QXCORE_EXPORT void KernDeactiveAllWindow_ExeceptTop(KERNEL* kernel);
QXCORE_EXPORT void KernRestoreAllWindow(KERNEL* kernel);

// Cursors: the previous one; the object window keeps the chosen one.
QXCORE_EXPORT HCURSOR KernSetHand(KERNEL* kernel);
// Draws the 16 x 16 stamp of a visited branch target at (x, y) of the DC.
QXCORE_EXPORT void KernDrawPost(KERNEL* kernel, HDC dc, int x, int y);
QXCORE_EXPORT HCURSOR KernSetMouseForm(KERNEL* kernel, HCURSOR cursor);

// The 16 custom colours, shared with the colour chooser.
QXCORE_EXPORT void KernSetCustomColor(KERNEL* kernel, const COLORREF* colours);
QXCORE_EXPORT void KernGetCustomColor(KERNEL* kernel, COLORREF* colours);

// Shared devices (id 1: the sound device): 1 when the object holds the id afterwards.
class QXCORE_API LOCKED_ID : public LNODE {
public:
    LOCKED_ID(int id, OBJET* holder, int priority) : id(id), holder(holder), priority(priority) {}
    int id;
    OBJET* holder;
    int priority;
};
QXCORE_EXPORT int KernLockId(KERNEL* kernel, OBJET* object, int id, int priority);
QXCORE_EXPORT int KernUnlockId(KERNEL* kernel, int id);

// The first object of that logical name (case ignored), the page shown searched first.
QXCORE_EXPORT OBJET* KernFindObjetEx(KERNEL* kernel, const char* name);
QXCORE_EXPORT OBJET* KernFindObjet(KERNEL* kernel, void* ignored, const char* name);
// Takes a new object made by a plug-in's creation function into the page.
QXCORE_EXPORT void KernUpdateNewObjet(KERNEL* kernel, OBJET* object);
// Registers the clipboard format named after the versioned module ("QXTEXT40.DLL"); 0 for
// a name without '.'.
QXCORE_EXPORT UINT KernRegisterClipboardFormat(KERNEL* kernel, const char* moduleName);

// A plug-in's page creator (its "CreateBaseObjet" export): makes a new page and writes its
// file name into out (size characters, "" when none was made); 1 on success. parent owns the
// plug-in's dialogs, null for the host window.
using CREATEBASEOBJET = int(__stdcall*)(KERNEL* kernel, char* out, unsigned size, void* parent);
class QXCORE_API BASEOBJ : public HUGELNODE {
public:
    explicit BASEOBJ(CREATEBASEOBJET create) : create(create) {}
    CREATEBASEOBJET create;
};
// Offers the authoring dialogs one more way to make a new page; null does nothing.
QXCORE_EXPORT void KernAddBaseObject(KERNEL* kernel, CREATEBASEOBJET creator);
