// Fetching files: the kernel's one door to every file a page, a plug-in or the host names.
// Local and network names are located (filefind.h); remote ones come through the file cache
// once internet access is enabled. A caller waits for the file or is told of its arrival.
#pragma once

#include "qxkernel.h"
#include "qxwebapi.h"

// Fetch modes.
constexpr int QX_FETCH_SYNC = 1;
constexpr int QX_FETCH_BACKGROUND = 2;

// States of a request.
constexpr int QX_REQUEST_LOCAL = 3;
constexpr int QX_REQUEST_REMOTE = 4;

// A request, and the lParam of its notification (a copy that the receiver deletes).
struct QXCORE_API GETFILE_STRUCT {
    GETFILE_STRUCT();  // state 0, kind local, no object, transfer allowed
    GETFILE_STRUCT(const GETFILE_STRUCT& other);
    GETFILE_STRUCT& operator=(const GETFILE_STRUCT& other);

    int state;
    int kind;            // location kind of the name
    QXSTRING localFile;  // the located file or the cached copy; "" on failure
    QXSTRING source;     // the name as asked for
    OBJET* object;       // the object that waits in the background, or null
    QXWEBJOB transferId;
    int transferAllowed; // 0: only a complete cached copy will do
};

// One background job of a kernel: a file an object waits for.
class QXCORE_API FTP_PROCESS : public LNODE {
public:
    FTP_PROCESS(const char* source, OBJET* object, int kind);
    QXSTRING source;
    OBJET* object;
    QXWEBJOB transferId;      // null until the transfer started
    GETFILE_STRUCT* record;   // handed to the transfer
    HWND starter;             // the window that starts the transfer, null when none
    int kind;
    // The job holds one use of the cache item of its source; a failed transfer drops the
    // item for all its holders at once, so their jobs hold nothing afterwards.
    int holdsCacheUse;
    unsigned long serial;     // the jobs of a kernel are numbered in the order they are made
};

// Fetches a file (mode QX_FETCH_SYNC or QX_FETCH_BACKGROUND); results in the request, or in
// the notification (message, 0 for KM_FILEREADY) posted to notify (null: the host window).
QXCORE_EXPORT void KernGetFile(KERNEL* kernel, const char* name, int mode, UINT message, HWND notify,
                               GETFILE_STRUCT* request, const char* user, const char* password);
// Synchronous fetch into local (500 bytes): "" on failure.
QXCORE_EXPORT void KernGetFileSync(KERNEL* kernel, const char* name, char* local);
// The folder of the file cache, "" while it is not open.
QXCORE_EXPORT const char* KernGetCachePath(KERNEL* kernel);
// The job of that source and object, added when new (*added then 1); null for no source.
QXCORE_EXPORT FTP_PROCESS* KernAddFtpProcess(KERNEL* kernel, const char* source, OBJET* object, int kind,
                                             int* added);
// The first job of that source (case ignored) made after job number `after`, null when none.
// Walking a source's jobs by their numbers survives jobs ended or added on the way.
FTP_PROCESS* KernNextJobOfSource(KERNEL* kernel, const char* source, unsigned long after);
// Ends the jobs of one object, or every job of the kernel.
QXCORE_EXPORT void KernRemoveFtpProcess(KERNEL* kernel, OBJET* object);
QXCORE_EXPORT void KernRemoveAllFtpProcess(KERNEL* kernel);
// Ends the jobs whose source is on that server (case ignored); a null server ends none.
QXCORE_EXPORT void KernRemoveAllFtpByServer(KERNEL* kernel, const char* server);
// The host is closing: the transfers that would notify its window are dropped and failed
// arrivals are no longer shown. The kernel stays in that state.
QXCORE_EXPORT int KernKillInternetJobs(KERNEL* kernel);

// The procedure of the transfer dialog "DLG_SYNCXFER" of synchronous fetches.
QXCORE_EXPORT INT_PTR CALLBACK SyncXferCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The host window's handling of a finished transfer (KM_FILEREADY): every waiting object of
// every kernel hears of it, then the cache keeps or drops the file. Deletes the record.
LRESULT KernFileReady(KERNEL* kernel, WPARAM status, GETFILE_STRUCT* record);
