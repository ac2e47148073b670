// The stand-in's journal of received calls (see webdouble_probe.h).
#pragma once

#include <cstdint>
#include <cstdio>  // the printf flavour of Record

// Appends one line made from the printf format.
void Record(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));

// Handles and pointers are written as their value in hexadecimal.
template <class T>
unsigned long long Hex(T* pointer)
{
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer));
}

// Joins the download threads: called by the last QXNetClose, before the library may go.
void FinishJobs();
