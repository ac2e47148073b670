// Making sure the outside media server is registered before a program plays media.
#pragma once

#include <windows.h>

#include <string>

// The server's module object, which the control and the player start once the server is there.
constexpr CLSID CLSID_QXMediaModule = {0x687C6184, 0x9B69, 0x11D3, {0x9F, 0xE3, 0x00, 0x40, 0xF6, 0xD4, 0x9C, 0x4D}};

// The registrar normally ends at once; the wait is bounded all the same so that a server that
// hangs never holds a program or a container without a user in front of it.
constexpr DWORD QX_MEDIA_REGISTRAR_WAIT_MS = 60000;

// True when both class keys of the server and its "LocalServer32" are there and the server's
// file named there can be opened as a module.
bool MediaServerRegistered();

// With `folder` (ending in a backslash) as the current directory for the time of the call:
// the check above, else "QXQuickTime.exe /REGSERVER" of that folder run and waited for
// (`waitMs` at most). False only when the registrar could not be started.
bool EnsureMediaServerRegistered(const std::string& folder, DWORD waitMs);

// Starts the command line with a normal window and waits at most `waitMs` for its main thread
// to end; false when it could not be started.
bool StartAndWait(const std::string& commandLine, DWORD waitMs);
