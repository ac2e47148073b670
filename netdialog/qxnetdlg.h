// Exports of the network-settings dialog library, for those who bind them by name.
#pragma once

#include <windows.h>

#ifdef QXNETDLG_BUILD
#define QXNETDLG_API __declspec(dllexport)
#else
#define QXNETDLG_API __declspec(dllimport)
#endif

// Each shows the network-settings form modally on the calling thread for the settings kept
// in the subkeys "FTP" and "HTTP" of root\baseKeyName, and answers 1 when the user stored
// them with "Close", 2 when the form was shut by its close box, 0 when it could not be shown
// (no base key name, keys that can be neither opened nor created).
extern "C" {
// French form when `french` is not 0, English otherwise.
QXNETDLG_API int WINAPI ShowModal(BYTE french, HKEY root, const char* baseKeyName);
QXNETDLG_API int WINAPI ShowModal_English(HKEY root, const char* baseKeyName);
QXNETDLG_API int WINAPI ShowModal_French(HKEY root, const char* baseKeyName);
}

// The type of "ShowModal" as found with GetProcAddress.
using QXNETDLG_SHOWMODAL = int(WINAPI*)(BYTE french, HKEY root, const char* baseKeyName);
