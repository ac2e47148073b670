// KernGetFile: locating local and network files, the notification of background requests,
// and the background jobs that tie a waited-for file to its object.
#include "filefetch.h"

#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "objet.h"
#include "qxpath.h"
#include "transfer.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A notification whose post fails is tried again after each of this many pending messages.
constexpr int PostAttempts = 64;

// Sources are told apart with case ignored, as server names and DOS paths are.
std::string SourceKey(const char* source)
{
    std::string key = source;
    if (!key.empty())
        CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

template <class Key>
void Unindex(std::unordered_map<Key, std::vector<FTP_PROCESS*>>& index, const Key& key, const FTP_PROCESS* job)
{
    const auto indexed = index.find(key);
    if (indexed == index.end())
        return;
    std::vector<FTP_PROCESS*>& own = indexed->second;
    own.erase(std::remove(own.begin(), own.end(), job), own.end());
    if (own.empty())
        index.erase(indexed);
}

void Unindex(KERNEL* kernel, const FTP_PROCESS* job)
{
    Unindex(kernel->jobsOfObject, static_cast<const OBJET*>(job->object), job);
    Unindex(kernel->jobsOfSource, SourceKey(job->source), job);
}

// Ends a job already taken out of the kernel's list.
void EndJob(KERNEL* kernel, FTP_PROCESS* job)
{
    if (job->holdsCacheUse)
        KernProcess().cache.DecreaseFileCount(job->source);
    Unindex(kernel, job);
    if (job->transferId) {
        if (job->kind == QX_LOCATION_HTTP)
            HTTP_Kill(job->transferId);
        else if (job->kind == QX_LOCATION_FTP)
            FTP_Kill(job->transferId);
    }
    if (job->starter)
        DestroyWindow(job->starter);
    if (job->object)
        job->object->fileWait = 0;
    delete job;
}

// Removes the jobs that `concerned` picks, the last one first. The list is singly linked:
// it is taken in one pass and relinked without them, since unlinking each one alone, from
// the last up, would walk it from its head for every job.
void RemoveJobs(KERNEL* kernel, const std::function<bool(const FTP_PROCESS&)>& concerned)
{
    if (!kernel)
        return;
    std::vector<FTP_PROCESS*> listed;
    listed.reserve(static_cast<size_t>(kernel->jobs.Items()));
    for (LNODE* node = kernel->jobs.GetItem(0); node; node = node->next)
        listed.push_back(static_cast<FTP_PROCESS*>(node));
    std::vector<FTP_PROCESS*> ending;
    kernel->jobs.Reset();
    for (FTP_PROCESS* job : listed) {
        if (concerned(*job))
            ending.push_back(job);
        else
            kernel->jobs.AddTail(job);
    }
    const int wasKilling = kernel->jobsKilled;
    kernel->jobsKilled = 1;
    for (auto job = ending.rbegin(); job != ending.rend(); ++job)
        EndJob(kernel, *job);
    kernel->jobsKilled = wasKilling;
}

}  // namespace

void KernNotifyRequest(HWND window, UINT message, WPARAM status, const GETFILE_STRUCT& request)
{
    GETFILE_STRUCT* copy = new GETFILE_STRUCT(request);
    if (!copy)
        return;
    const LPARAM lParam = reinterpret_cast<LPARAM>(copy);
    for (int attempt = 0; attempt <= PostAttempts; ++attempt) {
        if (PostMessageA(window, message, status & 0xFFFF, lParam))
            return;
        MSG pending;
        if (attempt == PostAttempts || !PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE))
            break;
        TranslateMessage(&pending);
        DispatchMessageA(&pending);
    }
    delete copy;
}

GETFILE_STRUCT::GETFILE_STRUCT()
    : state(0), kind(QX_LOCATION_LOCAL), object(nullptr), transferId(nullptr), transferAllowed(1)
{
}

GETFILE_STRUCT::GETFILE_STRUCT(const GETFILE_STRUCT& other) { *this = other; }

GETFILE_STRUCT& GETFILE_STRUCT::operator=(const GETFILE_STRUCT& other)
{
    state = other.state;
    kind = other.kind;
    localFile = other.localFile;
    source = other.source;
    object = other.object;
    transferId = other.transferId;
    transferAllowed = other.transferAllowed;
    return *this;
}

FTP_PROCESS::FTP_PROCESS(const char* source, OBJET* object, int kind)
    : source(source), object(object), transferId(nullptr), record(nullptr), starter(nullptr), kind(kind),
      holdsCacheUse(0), serial(0)
{
}

void KernGetFile(KERNEL* kernel, const char* name, int mode, UINT message, HWND notify, GETFILE_STRUCT* request,
                 const char* user, const char* password)
{
    if (!request)
        return;
    const UINT notification = LOWORD(message) ? LOWORD(message) : KM_FILEREADY;
    const HWND window = notify ? notify : KernGetAppWindow(kernel);
    const int kind = name ? GetFileLocationStr(name, nullptr, nullptr) : QX_LOCATION_NONE;
    const bool local = kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC;
    // Only the two modes the system uses are told apart; any other waits for a remote file
    // and is told of a local one.
    const bool background = mode == QX_FETCH_BACKGROUND || (mode != QX_FETCH_SYNC && local);
    auto fail = [&](WPARAM status) {
        request->localFile = "";
        request->source = name ? name : "";
        if (background)
            KernNotifyRequest(window, notification, status, *request);
    };
    if (!kernel || !name || !*name) {
        fail(QX_FILE_FAILED);
        return;
    }
    request->kind = kind;
    if (!local) {
        request->state = kind == QX_LOCATION_NONE ? QX_REQUEST_LOCAL : QX_REQUEST_REMOTE;
        // Remote files come only through the transfer library, which a host enables.
        if (kind == QX_LOCATION_NONE || !KernProcess().withInternet)
            fail(kind == QX_LOCATION_NONE ? QX_FILE_FAILED : QX_FILE_NO_INTERNET);
        else if (!KernGetRemoteFile(kernel, name, background, notification, window, request, user, password))
            fail(QX_FILE_FAILED);
        return;
    }
    request->state = QX_REQUEST_LOCAL;
    QXSTRING located = name;
    // A synchronous fetch never asks the user to look for a file.
    KernFindFileStr(kernel, &located, mode != QX_FETCH_SYNC);
    request->localFile = located;
    request->source = name;
    if (!background)
        return;
    if (request->object) {
        int added = 0;
        if (!KernAddFtpProcess(kernel, name, request->object, kind, &added)) {
            fail(QX_FILE_FAILED);
            return;
        }
    }
    KernNotifyRequest(window, notification, DoFileExist(located) ? QX_FILE_ARRIVED : QX_FILE_FAILED, *request);
}

void KernGetFileSync(KERNEL* kernel, const char* name, char* local)
{
    if (!kernel || !local)
        return;
    GETFILE_STRUCT request;
    KernGetFile(kernel, name, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    lstrcpynA(local, request.localFile, QX_NAME_BUFFER);
}

const char* KernGetCachePath(KERNEL*)
{
    return KernProcess().cache.GetCacheDir();
}

FTP_PROCESS* KernAddFtpProcess(KERNEL* kernel, const char* source, OBJET* object, int kind, int* added)
{
    if (added)
        *added = 0;
    if (!kernel || !source || !*source)
        return nullptr;
    const auto indexed = kernel->jobsOfObject.find(object);
    if (indexed != kernel->jobsOfObject.end()) {
        for (FTP_PROCESS* job : indexed->second) {
            if (lstrcmpiA(job->source, source) == 0)
                return job;
        }
    }
    FTP_PROCESS* job = new FTP_PROCESS(source, object, kind);
    if (!job)
        return nullptr;
    job->serial = ++kernel->jobsMade;
    kernel->jobs.AddTail(job);
    kernel->jobsOfObject[object].push_back(job);
    kernel->jobsOfSource[SourceKey(source)].push_back(job);
    job->holdsCacheUse = KernProcess().cache.IncreaseFileCount(source);
    if (added)
        *added = 1;
    return job;
}

FTP_PROCESS* KernNextJobOfSource(KERNEL* kernel, const char* source, unsigned long after)
{
    if (!kernel || !source)
        return nullptr;
    const auto indexed = kernel->jobsOfSource.find(SourceKey(source));
    if (indexed == kernel->jobsOfSource.end())
        return nullptr;
    // Jobs are indexed as they are made and ended jobs leave the index: it stays in order.
    const std::vector<FTP_PROCESS*>& own = indexed->second;
    const auto next = std::upper_bound(own.begin(), own.end(), after,
                                       [](unsigned long serial, const FTP_PROCESS* job) { return serial < job->serial; });
    return next == own.end() ? nullptr : *next;
}

void KernRemoveFtpProcess(KERNEL* kernel, OBJET* object)
{
    // Every object killed asks: most have no job left.
    if (object && kernel && kernel->jobsOfObject.count(object) != 0)
        RemoveJobs(kernel, [object](const FTP_PROCESS& job) { return job.object == object; });
}

void KernRemoveAllFtpProcess(KERNEL* kernel)
{
    RemoveJobs(kernel, [](const FTP_PROCESS&) { return true; });
}

void KernRemoveAllFtpByServer(KERNEL* kernel, const char* server)
{
    if (!server)
        return;
    RemoveJobs(kernel, [server](const FTP_PROCESS& job) {
        QXSTRING host;
        GetFileLocationStr(job.source, &host, nullptr);
        return lstrcmpiA(host, server) == 0;
    });
}

int KernKillInternetJobs(KERNEL* kernel)
{
    if (!kernel)
        return 0;
    // From now on the host is closing: failed arrivals are no longer shown.
    kernel->jobsKilled = 1;
    CleanUpDeadWindow(KernGetAppWindow(kernel));
    return 1;
}
