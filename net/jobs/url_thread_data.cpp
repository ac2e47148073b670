// A job's local file, its account fields and its end: the notification of its caller.
#include "url_thread_data.h"

#include "download_failure.h"
#include "net_session.h"
#include "qxweb.h"

URL_THREAD_DATA::URL_THREAD_DATA(const char* localFileName_) : localFileName(localFileName_ ? localFileName_ : "")
{
    localFile = CreateFileA(localFileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
}

URL_THREAD_DATA::~URL_THREAD_DATA()
{
    if (thread) {
        DWORD code = STILL_ACTIVE;
        while (GetExitCodeThread(thread, &code) && code == STILL_ACTIVE)
            WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    CloseLocalFile();
}

bool URL_THREAD_DATA::SetAccount(const char* userText, const char* passwordText)
{
    const char* const u = userText ? userText : "";
    const char* const p = passwordText ? passwordText : "";
    if (lstrlenA(u) >= JOB_ACCOUNT_BYTES || lstrlenA(p) >= JOB_ACCOUNT_BYTES)
        return false;
    lstrcpynA(user, u, sizeof user);
    lstrcpynA(password, p, sizeof password);
    return true;
}

bool URL_THREAD_DATA::SetHost(const char* hostText)
{
    if (!hostText || lstrlenA(hostText) >= JOB_HOST_BYTES)
        return false;
    lstrcpynA(host, hostText, sizeof host);
    return true;
}

void URL_THREAD_DATA::EmptyLocalFile()
{
    if (!LocalFileOpen())
        return;
    SetFilePointer(localFile, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(localFile);
}

void URL_THREAD_DATA::CloseLocalFile()
{
    if (LocalFileOpen())
        CloseHandle(localFile);
    localFile = INVALID_HANDLE_VALUE;
}

void URL_THREAD_DATA::WriteBlock(const char* block, size_t length)
{
    DWORD written = 0;
    if (LocalFileOpen() && length)
        WriteFile(localFile, block, static_cast<DWORD>(length), &written, nullptr);
}

int URL_THREAD_DATA::Failed()
{
    node->succeeded.Set(false);
    node->failed.Set();
    return 0;
}

int URL_THREAD_DATA::Aborted()
{
    node->aborted.Set();
    return 0;
}

int URL_THREAD_DATA::SucceededUnlessFailed()
{
    if (node->failed.Wait(0))
        return Failed();
    node->succeeded.Set();
    return 1;
}

void URL_THREAD_DATA::CheckAbort()
{
    if (node->MustAbort())
        throw JobAborted();
}

void URL_THREAD_DATA::Step(int result)
{
    if (result)
        throw JobFailed();
}

void URL_THREAD_DATA::Release()
{
    if (node && node->connection) {
        node->connection->Release();
        node->connection = nullptr;
    }
    protocol = nullptr;
}

void URL_THREAD_DATA::Notify(int code)
{
    if (!node->mutex.Lock(0))
        return;
    const bool tell = notifyMessage && notifyWindow;
    if (code == NOTIFY_SUCCESS && tell) {
        CloseLocalFile();
        PostMessageA(notifyWindow, notifyMessage, QXWEB_FILE_ARRIVED, notifyValue);
    } else if (code == NOTIFY_FAILURE) {
        if (AskRetry(*this)) {
            node->ResetEvents();
            Release();
            node->mutex.Unlock();
            return;
        }
        if (tell) {
            CloseLocalFile();
            PostMessageA(notifyWindow, notifyMessage, QXWEB_FILE_FAILED, notifyValue);
        }
    }
    node->mutex.Unlock();
}
