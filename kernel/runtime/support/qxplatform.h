// The one place where every module of the system includes the Windows headers,
// with the few types that the whole system shares.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

// An open file as the system's file functions hand it out: a Win32 file handle,
// null standing for "not open" in every interface.
using QXFILE = HANDLE;
