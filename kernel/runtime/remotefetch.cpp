// KernGetFile for files on FTP and HTTP servers: the cached copy when it is complete, else a
// transfer into the cache, started by a starter window for a background job or waited for in
// the off-screen transfer dialog.
#include "transfer.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "objet.h"
#include "qxpath.h"

namespace {

struct RemoteName {
    QXSTRING server;
    QXSTRING remotePath;  // requested in lower case; the cache key keeps the caller's letters
    int kind;
};

// Hands a new cache item's transfer to a starter window, which passes it to the window to
// notify once the caller's message handling is over.
bool StartBackgroundTransfer(FTP_PROCESS* job, const GETFILE_STRUCT& request, const RemoteName& remote,
                             HWND notify, UINT message, const char* user, const char* password)
{
    auto* block = new BACKGROUND_XFER;
    auto* start = new DLGXFER;
    block->request = request;
    block->server = remote.server;
    block->user = user;
    block->password = password;
    block->remotePath = remote.remotePath;
    block->localFile = request.localFile;
    block->notify = notify;
    block->message = message;
    block->job = job;
    start->state = 1;
    start->server = remote.server;
    start->notify = notify;
    start->parameter = block;
    const HWND starter = CreateStarterWindow(start);
    if (!starter) {
        delete start;
        delete block;
        return false;
    }
    if (job)
        job->starter = starter;
    return true;
}

bool GetInBackground(KERNEL* kernel, const char* name, int status, const RemoteName& remote, UINT message,
                     HWND notify, GETFILE_STRUCT* request, const char* user, const char* password)
{
    FILECACHE& cache = KernProcess().cache;
    FTP_PROCESS* job = nullptr;
    if (request->object) {
        int added = 0;
        job = KernAddFtpProcess(kernel, name, request->object, remote.kind, &added);
        if (!job)
            return false;
        request->object->fileWait = 1;
    }
    switch (status) {
    case QX_CACHE_UNDER_WAY:
        // The arrival of the running transfer reaches this job too.
        return true;
    case QX_CACHE_COMPLETE:
        if (!DoFileExist(request->localFile))
            return false;
        KernNotifyRequest(notify, message, QX_FILE_ARRIVED, *request);
        return true;
    default:
        break;
    }
    if (!request->transferAllowed) {
        if (job)
            job->holdsCacheUse = 0;
        cache.DropFailedFile(name);
        return false;
    }
    cache.SetFileStatus(name, QX_CACHE_UNDER_WAY);
    if (!StartBackgroundTransfer(job, *request, remote, notify, message, user, password)) {
        // No transfer will ever complete the item: later requests must not wait for it.
        if (job)
            job->holdsCacheUse = 0;
        cache.DropFailedFile(name);
        PostMessageA(notify, KM_NETNOANSWER, 0, 0);
    }
    return true;
}

void CopyAccountPart(char (&to)[100], const char* from)
{
    lstrcpynA(to, from ? from : "", sizeof to);
}

bool GetAndWait(KERNEL* kernel, const char* name, int status, const RemoteName& remote, HWND notify,
                GETFILE_STRUCT* request, const char* user, const char* password)
{
    FILECACHE& cache = KernProcess().cache;
    if (status == QX_CACHE_COMPLETE)
        return true;
    if (!request->transferAllowed) {
        // A copy still being written elsewhere is no file yet: the caller gets none.
        if (status == QX_CACHE_NEW)
            cache.DropFailedFile(name);
        return false;
    }
    XFER_STRUCT transfer;
    transfer.window = KernGetAppWindow(kernel);
    transfer.server = remote.server;
    CopyAccountPart(transfer.user, user);
    CopyAccountPart(transfer.password, password);
    transfer.kind = remote.kind;
    transfer.localFile = request->localFile;
    transfer.remotePath = remote.remotePath;
    kernel->syncTransfer = 1;
    const INT_PTR arrived = RunSyncTransfer(notify, &transfer);
    kernel->syncTransfer = 0;
    if (arrived > 0) {
        cache.SetFileStatus(name, QX_CACHE_COMPLETE);
        return true;
    }
    // Only the item this call made is dropped; a transfer that runs elsewhere keeps its own.
    if (status == QX_CACHE_NEW)
        cache.DropFailedFile(name);
    return false;
}

}  // namespace

bool KernGetRemoteFile(KERNEL* kernel, const char* name, bool background, UINT message, HWND notify,
                       GETFILE_STRUCT* request, const char* user, const char* password)
{
    RemoteName remote;
    QXSTRING path;
    remote.kind = GetFileLocationStr(name, &remote.server, &path);
    remote.remotePath = path.toLower();
    request->state = QX_REQUEST_REMOTE;
    QXSTRING tmp;
    const int status = KernProcess().cache.GetTmpName(name, &tmp);
    if (!status)
        return false;
    request->localFile = tmp;
    request->source = name;
    if (background)
        return GetInBackground(kernel, name, status, remote, message, notify, request, user, password);
    return GetAndWait(kernel, name, status, remote, notify, request, user, password);
}
