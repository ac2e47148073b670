// The connection thread: its message loop performs each request on the component's objects.
#include "connection_thread.h"

#include "protocol_connections.h"

#include <mutex>

namespace {

std::mutex instanceLock;
qnet_CConnectionThread* instance = nullptr;

const char* Str(WPARAM value) { return reinterpret_cast<const char*>(value); }
unsigned short Port(WPARAM value) { return static_cast<unsigned short>(value & 0xFFFF); }

}  // namespace

// ---- On the job's thread ----

intptr_t qnet_CProtocolInterface::Request(UINT code, WPARAM value, const char* eventName) const
{
    qnet_SRequest request(eventName);
    if (!PostThreadMessageA(thread_->ThreadId(), code, value, reinterpret_cast<LPARAM>(&request)))
        ThrowSyncFailure();
    request.acknowledged.Wait();
    return request.result;
}

int qnet_CProtocolInterface::Text(UINT code, const char* text, const char* eventName) const
{
    return static_cast<int>(Request(code, reinterpret_cast<WPARAM>(text ? text : ""), eventName));
}

int qnet_CProtocolInterface::Value(UINT code, int value, const char* eventName) const
{
    return static_cast<int>(Request(code, static_cast<WPARAM>(value), eventName));
}

qnet_CFtpInterface::qnet_CFtpInterface(qnet_CConnectionThread* thread, qnet_CFtpReceiver* receiver)
    : qnet_CProtocolInterface(thread)
{
    if (!Request(QNET_FTP_CREATE, reinterpret_cast<WPARAM>(receiver), "qnet_CFtpInterface::qnet_CFtpInterface_Event"))
        ThrowSyncFailure();
}

qnet_CFtpInterface::~qnet_CFtpInterface()
{
    try {
        Request(QNET_FTP_DESTROY, 0, "qnet_CFtpInterface::Destroy_Event");
    } catch (int) {
        // The connection thread is gone: its objects went with it.
    }
}

int qnet_CFtpInterface::SetAction(int action) const
{
    return Value(QNET_FTP_ACTION, action, "qnet_CFtpInterface::SetAction_Event");
}

int qnet_CFtpInterface::SetCommand(const char* line) const
{
    return Text(QNET_FTP_COMMAND, line, "qnet_CFtpInterface::SetCommand_Event");
}

int qnet_CFtpInterface::SetPassive(int passive) const
{
    return Value(QNET_FTP_PASSIVE, passive, "qnet_CFtpInterface::SetPassive_Event");
}

int qnet_CFtpInterface::SetPassword(const char* password) const
{
    return Text(QNET_FTP_PASSWORD, password, "qnet_CFtpInterface::SetPassword_Event");
}

int qnet_CFtpInterface::SetRemoteFile(const char* file) const
{
    return Text(QNET_FTP_REMOTE_FILE, file, "qnet_CFtpInterface::SetRemoteFile_Event");
}

int qnet_CFtpInterface::SetRemoteHost(const char* host) const
{
    return Text(QNET_FTP_REMOTE_HOST, host, "qnet_CFtpInterface::SetRemoteHost_Event");
}

int qnet_CFtpInterface::SetRemotePort(unsigned short port) const
{
    return Value(QNET_FTP_REMOTE_PORT, port, "qnet_CFtpInterface::SetRemotePort_Event");
}

int qnet_CFtpInterface::SetTransferMode(int mode) const
{
    return Value(QNET_FTP_TRANSFER_MODE, mode, "qnet_CFtpInterface::SetTransferMode_Event");
}

int qnet_CFtpInterface::SetUser(const char* user) const
{
    return Text(QNET_FTP_USER, user, "qnet_CFtpInterface::SetUser_Event");
}

qnet_CHttpInterface::qnet_CHttpInterface(qnet_CConnectionThread* thread, qnet_CHttpReceiver* receiver)
    : qnet_CProtocolInterface(thread)
{
    if (!Request(QNET_HTTP_CREATE, reinterpret_cast<WPARAM>(receiver), "qnet_CHttpInterface::qnet_CHttpInterface_Event"))
        ThrowSyncFailure();
}

qnet_CHttpInterface::~qnet_CHttpInterface()
{
    try {
        Request(QNET_HTTP_DESTROY, 0, "qnet_CHttpInterface::Destroy_Event");
    } catch (int) {
        // The connection thread is gone: its objects went with it.
    }
}

int qnet_CHttpInterface::SetAction(int action) const
{
    return Value(QNET_HTTP_ACTION, action, "qnet_CHttpInterface::SetAction_Event");
}

int qnet_CHttpInterface::SetPassword(const char* password) const
{
    return Text(QNET_HTTP_PASSWORD, password, "qnet_CHttpInterface::SetPassword_Event");
}

int qnet_CHttpInterface::SetProxyPort(unsigned short port) const
{
    return Value(QNET_HTTP_PROXY_PORT, port, "qnet_CHttpInterface::SetProxyPort_Event");
}

int qnet_CHttpInterface::SetProxyServer(const char* host) const
{
    return Text(QNET_HTTP_PROXY_SERVER, host, "qnet_CHttpInterface::SetProxyServer_Event");
}

int qnet_CHttpInterface::SetURL(const char* url) const
{
    return Text(QNET_HTTP_URL, url, "qnet_CHttpInterface::SetURL_Event");
}

int qnet_CHttpInterface::SetUser(const char* user) const
{
    return Text(QNET_HTTP_USER, user, "qnet_CHttpInterface::SetUser_Event");
}

// ---- The thread ----

qnet_CConnectionThread::qnet_CConnectionThread()
{
    // The thread makes its queue before the start event lets requests be posted to it.
    qnet_CEvent started("qnet_CConnectionThread_Started", false);
    struct Start {
        qnet_CConnectionThread* thread;
        qnet_CEvent* started;
    } start{this, &started};
    thread_ = CreateThread(
        nullptr, 0,
        [](void* given) -> DWORD {
            const Start start = *static_cast<Start*>(given);
            MSG msg;
            PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            start.started->Set();
            return ThreadBody(start.thread);
        },
        &start, 0, &threadId_);
    if (!thread_)
        ThrowSyncFailure();
    started.Wait();
}

qnet_CConnectionThread::~qnet_CConnectionThread()
{
    if (thread_)
        CloseHandle(thread_);
}

DWORD WINAPI qnet_CConnectionThread::ThreadBody(void* given)
{
    auto* self = static_cast<qnet_CConnectionThread*>(given);
    if (!self)
        return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        if (msg.hwnd) {
            DispatchMessageA(&msg);
            continue;
        }
        auto* request = reinterpret_cast<qnet_SRequest*>(msg.lParam);
        if (!request)
            continue;
        try {
            request->result = self->Perform(msg.message, msg.wParam);
            request->acknowledged.Set();
        } catch (...) {
            // A request that cannot be answered leaves its caller waiting; nothing else can
            // be done for it here.
        }
    }
    // Objects of a job that never released the thread go with it.
    delete self->ftpConnection_;
    delete self->httpConnection_;
    return 1;
}

intptr_t qnet_CConnectionThread::Perform(UINT code, WPARAM value)
{
    if (code >= QNET_FTP_CREATE && code <= 1062)
        return PerformFtp(code, value);
    if (code >= QNET_HTTP_CREATE && code <= 1183)
        return PerformHttp(code, value);
    return 0;
}

intptr_t qnet_CConnectionThread::PerformFtp(UINT code, WPARAM value)
{
    if (code == QNET_FTP_CREATE) {
        delete ftpConnection_;
        ftpConnection_ = nullptr;
        try {
            ftpConnection_ = new qnet_CFtpConnection(reinterpret_cast<qnet_CFtpReceiver*>(value));
        } catch (...) {
        }
        return reinterpret_cast<intptr_t>(ftpConnection_);
    }
    if (code == QNET_FTP_DESTROY) {
        delete ftpConnection_;
        ftpConnection_ = nullptr;
        return 0;
    }
    if (!ftpConnection_)
        return IPWORKS_NOT_CONNECTED;
    IPWorksFtp* ftp = ftpConnection_->Vendor();
    switch (code) {
    case QNET_FTP_ACTION:
        return ftp->SetAction(static_cast<int>(value));
    case QNET_FTP_COMMAND:
        return ftp->SetCommand(Str(value));
    case QNET_FTP_PASSIVE:
        return ftp->SetPassive(static_cast<int>(value));
    case QNET_FTP_PASSWORD:
        return ftp->SetPassword(Str(value));
    case QNET_FTP_REMOTE_FILE:
        return ftp->SetRemoteFile(Str(value));
    case QNET_FTP_REMOTE_HOST:
        return ftp->SetRemoteHost(Str(value));
    case QNET_FTP_REMOTE_PORT:
        return ftp->SetRemotePort(Port(value));
    case QNET_FTP_TRANSFER_MODE:
        return ftp->SetTransferMode(static_cast<int>(value));
    case QNET_FTP_USER:
        return ftp->SetUser(Str(value));
    default:
        return 0;  // reserved
    }
}

intptr_t qnet_CConnectionThread::PerformHttp(UINT code, WPARAM value)
{
    if (code == QNET_HTTP_CREATE) {
        delete httpConnection_;
        httpConnection_ = nullptr;
        try {
            httpConnection_ = new qnet_CHttpConnection(reinterpret_cast<qnet_CHttpReceiver*>(value));
        } catch (...) {
        }
        return reinterpret_cast<intptr_t>(httpConnection_);
    }
    if (code == QNET_HTTP_DESTROY) {
        delete httpConnection_;
        httpConnection_ = nullptr;
        return 0;
    }
    if (!httpConnection_)
        return IPWORKS_NOT_CONNECTED;
    IPWorksHttp* http = httpConnection_->Vendor();
    switch (code) {
    case QNET_HTTP_ACTION:
        return http->SetAction(static_cast<int>(value));
    case QNET_HTTP_PASSWORD:
        return http->SetPassword(Str(value));
    case QNET_HTTP_PROXY_PORT:
        return http->SetProxyPort(Port(value));
    case QNET_HTTP_PROXY_SERVER:
        return http->SetProxyServer(Str(value));
    case QNET_HTTP_URL:
        return http->SetURL(Str(value));
    case QNET_HTTP_USER:
        return http->SetUser(Str(value));
    default:
        return 0;  // reserved
    }
}

// ---- Lending ----

qnet_CConnectionThread* qnet_CConnectionThread::Acquire()
{
    const std::lock_guard<std::mutex> hold(instanceLock);
    if (!instance)
        instance = new qnet_CConnectionThread;
    if (!instance->free_)
        return nullptr;
    instance->free_ = false;
    return instance;
}

void qnet_CConnectionThread::DestroyCurrentInterface()
{
    delete current_;
    current_ = nullptr;
    ftp_ = nullptr;
    http_ = nullptr;
}

void qnet_CConnectionThread::Release()
{
    const std::lock_guard<std::mutex> hold(instanceLock);
    DestroyCurrentInterface();
    free_ = true;
}

void qnet_CConnectionThread::Shutdown()
{
    const std::lock_guard<std::mutex> hold(instanceLock);
    if (!instance)
        return;
    instance->DestroyCurrentInterface();
    PostThreadMessageA(instance->threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(instance->thread_, INFINITE);
    delete instance;
    instance = nullptr;
}

qnet_CFtpInterface* qnet_CConnectionThread::CreateFtpInterface(qnet_CFtpReceiver* receiver)
{
    if (current_)
        ThrowSyncFailure();
    ftp_ = new qnet_CFtpInterface(this, receiver);
    current_ = ftp_;
    return ftp_;
}

qnet_CHttpInterface* qnet_CConnectionThread::CreateHttpInterface(qnet_CHttpReceiver* receiver)
{
    if (current_)
        ThrowSyncFailure();
    http_ = new qnet_CHttpInterface(this, receiver);
    current_ = http_;
    return http_;
}
