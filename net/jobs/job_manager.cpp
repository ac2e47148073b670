// The manager thread: once a second it starts the oldest queued job when none runs, and
// notifies and retires the jobs that ended. It only ever tries the locks, so a busy caller
// never holds it up, and it never holds the job list while a failure form waits for the user.
#include "net_session.h"
#include "url_thread_data.h"

namespace {

constexpr DWORD ManagerCycleMilliseconds = 1000;

URL_THREAD_NODE* Job(int index) { return static_cast<URL_THREAD_NODE*>(Session().jobs.GetItem(index)); }

DWORD WINAPI UrlThreadProc(void* given)
{
    auto* node = static_cast<URL_THREAD_NODE*>(given);
    try {
        node->created.Set();
        // The starter lets go of the job's mutex once the job is set up.
        node->mutex.Lock();
        if (node->MustAbort())
            node->aborted.Set();
        else
            node->data->Run();
        node->mutex.Unlock();
    } catch (int) {
    }
    return 1;
}

bool StartUrlThread(URL_THREAD_NODE* node)
{
    if (!node->mutex.Lock(0))
        return false;
    if (node->MustAbort()) {
        node->aborted.Set();
        node->mutex.Unlock();
        return false;
    }
    qnet_CConnectionThread* connection = qnet_CConnectionThread::Acquire();
    if (!connection) {
        node->mutex.Unlock();
        return false;
    }
    node->connection = connection;
    node->activated.Set();
    URL_THREAD_DATA& data = *node->data;
    // A retried job's earlier thread has let go of the job: it only has to end.
    if (data.thread) {
        WaitForSingleObject(data.thread, INFINITE);
        CloseHandle(data.thread);
    }
    data.thread = CreateThread(nullptr, 0, UrlThreadProc, node, 0, nullptr);
    if (!data.thread) {
        node->failed.Set();
        data.Release();
        node->mutex.Unlock();
        return false;
    }
    node->mutex.Unlock();
    return true;
}

bool RemoveUrlThread(URL_THREAD_NODE* node)
{
    if (!node->mutex.Lock(0))
        return false;
    node->data->Release();
    Session().jobs.Remove(node);
    node->mutex.Unlock();
    delete node->data;
    delete node;
    return true;
}

// Notifies an ended job's caller and retires the job.
void Retire(URL_THREAD_NODE* node, int notifyCode)
{
    if (!node->mutex.Lock(0))
        return;
    node->data->Notify(notifyCode);
    node->mutex.Unlock();
    RemoveUrlThread(node);
    Session().jobStarting = false;
}

// The user is asked on the opening thread with the list free, so that the calls that
// thread makes meanwhile (new jobs, kills, cleanups) go through. Only the manager removes
// jobs, so the node stays.
void HandleFailure(URL_THREAD_NODE* node)
{
    NetSession& session = Session();
    if (!node->mutex.Lock(0))
        return;
    session.jobStarting = false;
    session.threadListMutex.Unlock();
    node->data->Notify(NOTIFY_FAILURE);
    session.threadListMutex.Lock();
    const bool retried = node->GetState(0) == JOB_QUEUED;
    node->mutex.Unlock();
    if (!retried)
        RemoveUrlThread(node);
}

void ManageUrlThreadList()
{
    NetSession& session = Session();
    if (!session.threadListMutex.Lock(0))
        return;
    for (int index = session.jobs.Items() - 1; index >= 0; --index) {
        URL_THREAD_NODE* node = Job(index);
        if (!node || !node->data)
            continue;
        const int state = node->GetState(0);
        if (state == JOB_QUEUED && !session.jobStarting && StartUrlThread(node))
            session.jobStarting = true;
        else if (state == JOB_SUCCEEDED)
            Retire(node, NOTIFY_SUCCESS);
        else if (state == JOB_ABORTED)
            Retire(node, NOTIFY_ABORT);
        else if (state == JOB_FAILED) {
            // The list may have changed while the user was asked: the walk ends here.
            HandleFailure(node);
            break;
        }
    }
    session.threadListMutex.Unlock();
}

// At the end: running jobs are asked to abort and waited for; none of them posts.
void KillAllUrlThreads()
{
    NetSession& session = Session();
    session.threadListMutex.Lock();
    while (session.jobs.Items() > 0) {
        URL_THREAD_NODE* node = Job(session.jobs.Items() - 1);
        session.jobs.Remove(node);
        if (!node->mutex.Lock(0)) {
            node->mustAbort.Set();
            node->mutex.Lock();
            node->data->Notify(NOTIFY_ABORT);
        }
        node->mutex.Unlock();
        node->data->Release();
        delete node->data;
        delete node;
    }
    session.jobStarting = false;
    session.threadListMutex.Unlock();
}

}  // namespace

void KillWindowUrlThreads(HWND window)
{
    NetSession& session = Session();
    session.threadListMutex.Lock();
    for (int index = session.jobs.Items() - 1; index >= 0; --index) {
        URL_THREAD_NODE* node = Job(index);
        if (node && node->data && node->data->notifyWindow == window)
            node->mustAbort.Set();
    }
    session.threadListMutex.Unlock();
}

DWORD WINAPI ManageListThreadProc(void*)
{
    NetSession& session = Session();
    for (;;) {
        try {
            ManageUrlThreadList();
            if (session.manageListTermEvent.Wait(ManagerCycleMilliseconds))
                break;
        } catch (int) {
            // The next cycle tries again.
            Sleep(ManagerCycleMilliseconds);
        }
    }
    try {
        KillAllUrlThreads();
    } catch (int) {
    }
    return 1;
}
