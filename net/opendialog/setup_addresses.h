// The small dialog "D_SETUPFTP" in which the user adds and deletes the saved FTP servers
// (or, in URL mode, the saved URLs) of the open-file dialog.
#pragma once

#include <windows.h>

// 1 after OK (the list was saved, or the user was told it could not be), 0 after Cancel.
INT_PTR RunSetupAddresses(HWND owner, bool urls);
