// The download exports: queueing a job, killing one, dropping a closed window's jobs, and the
// entries kept for old callers that do nothing.
#include "net_session.h"
#include "parse_url.h"
#include "qxweb.h"
#include "url_thread_data.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int AddressBytes = 1024;

bool Fits(const char* text, int bytes) { return !text || lstrlenA(text) < bytes; }

int ClearJob(QXWEBJOB* job)
{
    if (job)
        *job = nullptr;
    return 0;
}

std::unique_ptr<URL_THREAD_DATA> MakeJobData(int kind, const char* localFile)
{
    if (kind == URL_FTP)
        return std::make_unique<URL_FTP_THREAD_DATA>(localFile);
    return std::make_unique<URL_HTTP_THREAD_DATA>(localFile);
}

}  // namespace

int URL_Retrieve(const char* address, const char* localFile, int synchronous, const char* user,
                 const char* password, HWND notify, UINT message, void* notifyValue, QXWEBJOB* job)
{
    return AnswerZeroOnException([&] {
        ClearJob(job);
        // No caller waits for a transfer here: a transfer only runs as a listed job.
        if (synchronous)
            return 0;
        if (!address || !*address || !localFile || !*localFile)
            return 0;
        char host[URL_REST_CHARS + 1];
        char path[URL_REST_CHARS + 1];
        const int kind = ParseUrl(address, host, path);
        if (kind != URL_FTP && kind != URL_HTTP)
            return 0;
        // Checked before the local file is emptied.
        if (!Fits(user, JOB_ACCOUNT_BYTES) || !Fits(password, JOB_ACCOUNT_BYTES))
            return 0;
        std::unique_ptr<URL_THREAD_DATA> data = MakeJobData(kind, localFile);
        // Nothing could be stored: the caller learns it now, not from an arrival.
        if (!data->LocalFileOpen())
            return 0;
        data->SetAccount(user, password);
        data->SetHost(host);
        data->remotePath = path;
        data->address = address;
        data->notifyWindow = notify;
        data->notifyMessage = static_cast<UINT16>(message);
        data->notifyValue = reinterpret_cast<LPARAM>(notifyValue);
        NetSession& session = Session();
        session.threadListMutex.Lock();
        auto* node = new URL_THREAD_NODE(data.release());
        node->mutex.Lock();
        // Newest first: the manager, walking from the tail, meets the oldest job first.
        if (session.jobs.Items())
            session.jobs.AddHead(node);
        else
            session.jobs.AddTail(node);
        node->mutex.Unlock();
        session.threadListMutex.Unlock();
        if (job)
            *job = node;
        return 1;
    });
}

int FTP_Retrieve(const char* remotePath, const char* localFile, int synchronous, const char* server,
                 const char* user, const char* password, HWND notify, UINT message, void* notifyValue, QXWEBJOB* job)
{
    if (!remotePath || !localFile || !server)
        return ClearJob(job);
    char address[AddressBytes];
    if (std::snprintf(address, sizeof address, "ftp://%s/%s", server, remotePath) >= AddressBytes)
        return ClearJob(job);
    return URL_Retrieve(address, localFile, synchronous, user, password, notify, message, notifyValue, job);
}

int HTTP_Retrieve(const char* remotePath, const char* localFile, const char* server, HWND notify, UINT message,
                  void* notifyValue, QXWEBJOB* job)
{
    if (!remotePath || !localFile || !server)
        return ClearJob(job);
    char address[AddressBytes];
    if (std::snprintf(address, sizeof address, "http://%s/%s", server, remotePath) >= AddressBytes)
        return ClearJob(job);
    return URL_Retrieve(address, localFile, 0, nullptr, nullptr, notify, message, notifyValue, job);
}

int URL_Kill(QXWEBJOB job)
{
    return AnswerZeroOnException([job] {
        if (!job)
            return 0;
        NetSession& session = Session();
        session.threadListMutex.Lock();
        const bool listed = session.jobs.InList(job);
        // Set under the list's lock, so the job cannot go between the check and the request.
        if (listed)
            job->mustAbort.Set();
        session.threadListMutex.Unlock();
        return listed ? 1 : 0;
    });
}

int FTP_Kill(QXWEBJOB job) { return URL_Kill(job); }

int HTTP_Kill(QXWEBJOB job) { return URL_Kill(job); }

// Done on the caller's thread: the manager may be waiting for this very thread to answer a
// failure form, and the list is free while it does.
void CleanUpDeadWindow(HWND window)
{
    AnswerZeroOnException([window] {
        NetSession& session = Session();
        session.cleaningDeadWndMutex.Lock();
        KillWindowUrlThreads(window);
        session.cleaningDeadWndMutex.Unlock();
        return 1;
    });
}

// ---- Kept for old callers: nothing is done ----

int QXFTP_Retrieve(const char*, const char*, const char*, const char*, const char*, HWND, UINT) { return 0; }
int GetInternetOptions(int, void*, int) { return 0; }
int SetInternetOptions(int, void*, int) { return 0; }
int QXGetThisSite(char*) { return 0; }
int QXGetThisSiteDotted(char*) { return 0; }
int QXGetThisEmailAddress(char*) { return 0; }
int QXQuery(int, int, int) { return 0; }
int QXSQLConnect(int, int) { return 0; }
void QXSetDebugEditControl(HWND) {}
