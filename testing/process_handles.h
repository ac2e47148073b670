// The handles a process holds, counted in the system's handle table: Wine does not answer
// GetProcessHandleCount, for this process or another.
#pragma once

#include <windows.h>

DWORD ProcessHandleCount(DWORD processId);

// The GDI objects a process holds, counted in its GDI handle table (the one its environment
// block points to), stock objects left out: Wine's GetGuiResources answers 0. 0 when the
// table cannot be read.
DWORD ProcessGdiObjectCount(HANDLE process);

// The windows a process owns, top-level, child and message-only: the USER objects that
// matter most, where Wine's GetGuiResources answers 0.
DWORD ProcessWindowCount(DWORD processId);
