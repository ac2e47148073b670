// Remote transfers as the kernel starts them: the start block a starter window carries, the
// block a background job hands to the host window, and the state of a synchronous transfer.
#pragma once

#include "filefetch.h"
#include "qxpath.h"

// Private messages of a starter window and of the transfer dialog.
constexpr UINT KM_SYNCXFERSTART = WM_USER + 18;  // 1042 the dialog starts its transfer
constexpr UINT KM_STARTERGO = WM_USER + 19;      // 1043 a starter window starts its job

// The account given to FTP servers when the caller names none.
extern const char QX_ANONYMOUS_USER[];
extern const char QX_ANONYMOUS_PASSWORD[];

// The start block of a transfer, owned by its starter window until that window posts
// KM_STARTRETRIEVE (or, destroyed first, sends KM_NETCANCEL) with `parameter`.
struct DLGXFER {
    int state = 0;  // 1 once filled
    QXSTRING server;
    HWND notify = nullptr;
    void* parameter = nullptr;  // a background job's transfer block; none for the dialog
};

// What a background job hands to the host window to start its transfer (KM_STARTRETRIEVE);
// the receiver of the message deletes it.
struct BACKGROUND_XFER {
    GETFILE_STRUCT request;
    QXSTRING server;
    QXSTRING user;
    QXSTRING password;
    QXSTRING remotePath;
    QXSTRING localFile;
    HWND notify = nullptr;
    UINT message = 0;
    FTP_PROCESS* job = nullptr;
};

// The state of one synchronous transfer, the parameter of the dialog "DLG_SYNCXFER".
struct XFER_STRUCT {
    HWND window = nullptr;
    QXSTRING server;
    char user[100] = "";
    char password[100] = "";
    int kind = 0;
    QXSTRING localFile;
    QXSTRING remotePath;
    DLGXFER* start = nullptr;
    QXWEBJOB transferId = nullptr;
};

// A hidden child of block->notify that posts itself KM_STARTERGO and then posts
// KM_STARTRETRIEVE; null (the block still the caller's) when it cannot be made.
HWND CreateStarterWindow(DLGXFER* block);

// Posts a copy of the request to the window; the receiver owns the copy.
void KernNotifyRequest(HWND window, UINT message, WPARAM status, const GETFILE_STRUCT& request);

// The remote part of KernGetFile: a name of an FTP or HTTP server while internet access is
// enabled. False when the request failed and the caller must report it.
bool KernGetRemoteFile(KERNEL* kernel, const char* name, bool background, UINT message, HWND notify,
                       GETFILE_STRUCT* request, const char* user, const char* password);

// Runs "DLG_SYNCXFER" over the window: non-zero when the file arrived.
INT_PTR RunSyncTransfer(HWND owner, XFER_STRUCT* transfer);

// The transfer messages of the host window (KernCommand).
LRESULT KernStartRetrieve(BACKGROUND_XFER* block);
LRESULT KernNetNoAnswer(KERNEL* kernel, BACKGROUND_XFER* block);
LRESULT KernNetCancel(BACKGROUND_XFER* block);
LRESULT KernNetNoHost(KERNEL* kernel, BACKGROUND_XFER* block);

// The account to send: the caller's when both parts are given, else the anonymous one.
void ChooseFtpAccount(const char* user, const char* password, const char** sendUser, const char** sendPassword);
