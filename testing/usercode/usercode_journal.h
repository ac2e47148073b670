// What the test user DLLs (qxusercode_cpp.dll, qxusercode_plain.dll) leave behind: every call
// they receive, their loading included, is appended to one environment variable of the
// process, so that a test can tell whether any of their code ran.
#pragma once

#include <windows.h>

#include <string>

constexpr const char* QX_USERCODE_JOURNAL = "QXUSERCODE_JOURNAL";

// The events so far, each followed by ';': "loaded", "procedure" (its first call), "AllocData",
// "FreeData", "DataAllocate", "DataFree" (a free of a block it did not hand out adds " foreign").
inline std::string UserCodeJournal()
{
    const DWORD size = GetEnvironmentVariableA(QX_USERCODE_JOURNAL, nullptr, 0);
    std::string text(size, '\0');
    text.resize(size ? GetEnvironmentVariableA(QX_USERCODE_JOURNAL, text.data(), size) : 0);
    return text;
}

inline void ClearUserCodeJournal() { SetEnvironmentVariableA(QX_USERCODE_JOURNAL, nullptr); }
