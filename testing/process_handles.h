// The handles a process holds, counted in the system's handle table: Wine does not answer
// GetProcessHandleCount, for this process or another.
#pragma once

#include <windows.h>

DWORD ProcessHandleCount(DWORD processId);
