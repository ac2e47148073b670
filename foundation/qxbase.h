// Base header of the foundation library: the Windows headers, the system's shared types
// and the export marker of qxbase40.dll.
#pragma once

#include "qxplatform.h"

#ifdef QXBASE_BUILD
#define QXBASE_API __declspec(dllexport)
#else
#define QXBASE_API __declspec(dllimport)
#endif

// Work buffers for file names and record lines: names of this length or more are outside
// what the system produces.
constexpr int QX_NAME_BUFFER = 500;
