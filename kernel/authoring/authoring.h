// The kernel's authoring entry points: dialogs, file dialogs and copies onto the
// publication's disk, layout editing, rubber band and grid. The undo list, the selection,
// the path conversions and the export names have headers of their own.
#pragma once

#include "../runtime/qxkernel.h"

#include <commdlg.h>

// Dialogs. Each returns the dialog's result (0 when cancelled).
QXCORE_EXPORT INT_PTR KernBranchTo(KERNEL* kernel, HWND owner, BRANCH* branch);
QXCORE_EXPORT INT_PTR KernBranchToPage(KERNEL* kernel, HWND owner, BRANCH* branch);
QXCORE_EXPORT int KernSetGeneralObj(KERNEL* kernel, HWND owner, OBJET* object);
QXCORE_EXPORT void KernSetBranchSelectObject(KERNEL* kernel);
QXCORE_EXPORT INT_PTR CALLBACK KernSoundTemplateHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
QXCORE_EXPORT LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// File dialogs and the publication's disk.
QXCORE_EXPORT int KernGetOpenFileName(KERNEL* kernel, OPENFILENAMEA* request);
QXCORE_EXPORT int KernGetOpenFileNamePreview(KERNEL* kernel, void* request);
QXCORE_EXPORT int KernGetSaveFileName(KERNEL* kernel, OPENFILENAMEA* request);
QXCORE_EXPORT int KernValidateScnFileDrive(KERNEL* kernel, const char* name, int ask);
QXCORE_EXPORT int KernCopyToScnDrive(KERNEL* kernel, char* name, int size);

// Layout editing of the selection.
QXCORE_EXPORT void KernModifySelectObjects(KERNEL* kernel);
QXCORE_EXPORT HRGN KernClipChildrenRgn(KERNEL* kernel, OBJET* object, HRGN region);

// Rubber band and click delay.
QXCORE_EXPORT void KernStartRubber(HWND objectWindow, int screenX, int screenY, int capture);
QXCORE_EXPORT void KernMoveRubber(KERNEL* kernel, int screenX, int screenY, int keyState);
QXCORE_EXPORT void KernEndRubber(HWND objectWindow);
QXCORE_EXPORT void CALLBACK KernClickDelayTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

// The grid of the editing mode.
// Snaps both values in place while the grid is active (the window is not looked at);
// returns the new x.
QXCORE_EXPORT int KernPosToGridXY(KERNEL* kernel, HWND window, int* x, int* y);
// Snaps the far corner (x + width, y + height) and gives back the size, at least one step.
QXCORE_EXPORT void KernPosToGridWH(KERNEL* kernel, HWND window, int x, int* width, int y, int* height);
// Draws the grid over an object of the page shown, in its window's coordinates, while the
// grid is visible.
QXCORE_EXPORT void KernDrawGrid(KERNEL* kernel, OBJET* object, HDC dc, const RECT& clip);
QXCORE_EXPORT int KernGetGridActive(KERNEL* kernel);
QXCORE_EXPORT void KernSetGridActive(KERNEL* kernel, int on);
QXCORE_EXPORT int KernGetGridVisible(KERNEL* kernel);
QXCORE_EXPORT void KernSetGridVisible(KERNEL* kernel, int on);
QXCORE_EXPORT int KernGetGridX(KERNEL* kernel);
QXCORE_EXPORT void KernSetGridX(KERNEL* kernel, int step);
QXCORE_EXPORT int KernGetGridY(KERNEL* kernel);
QXCORE_EXPORT void KernSetGridY(KERNEL* kernel, int step);
QXCORE_EXPORT COLORREF KernGetGridColor(KERNEL* kernel);
QXCORE_EXPORT void KernSetGridColor(KERNEL* kernel, COLORREF colour);
