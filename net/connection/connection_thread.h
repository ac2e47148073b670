// The one thread of the process that drives the component's objects, lent to one download at
// a time, and the interfaces through which a job's thread drives it: each property write or
// action is a thread message with a request record, answered through the record's own event.
#pragma once

#include "ipworks_api.h"
#include "named_objects.h"
#include "protocol_receivers.h"

#include <cstdint>

// Thread messages of the connection thread; wParam carries the value, lParam the request.
enum : UINT {
    QNET_FTP_CREATE = 1025,
    QNET_FTP_DESTROY = 1026,  // the job is over: its component object goes on this thread
    QNET_FTP_ACTION = 1027,
    QNET_FTP_COMMAND = 1030,
    QNET_FTP_PASSIVE = 1037,
    QNET_FTP_PASSWORD = 1039,
    QNET_FTP_REMOTE_FILE = 1041,
    QNET_FTP_REMOTE_HOST = 1043,
    QNET_FTP_REMOTE_PORT = 1047,
    QNET_FTP_TRANSFER_MODE = 1052,
    QNET_FTP_USER = 1054,
    QNET_HTTP_CREATE = 1125,
    QNET_HTTP_DESTROY = 1126,
    QNET_HTTP_ACTION = 1129,
    QNET_HTTP_PASSWORD = 1149,
    QNET_HTTP_PROXY_PORT = 1155,
    QNET_HTTP_PROXY_SERVER = 1157,
    QNET_HTTP_URL = 1163,
    QNET_HTTP_USER = 1173,
};

// One request: the caller waits for `acknowledged`, then reads the pointer-sized result.
struct qnet_SRequest {
    explicit qnet_SRequest(const char* eventName) : acknowledged(eventName, false) {}
    qnet_CEvent acknowledged;
    intptr_t result = 0;
};

class qnet_CConnectionThread;

class qnet_CProtocolInterface {
public:
    explicit qnet_CProtocolInterface(qnet_CConnectionThread* thread) : thread_(thread) {}
    virtual ~qnet_CProtocolInterface() = default;
    qnet_CProtocolInterface(const qnet_CProtocolInterface&) = delete;
    qnet_CProtocolInterface& operator=(const qnet_CProtocolInterface&) = delete;

protected:
    // Posts the request and waits without limit for its answer.
    intptr_t Request(UINT code, WPARAM value, const char* eventName) const;
    int Text(UINT code, const char* text, const char* eventName) const;
    int Value(UINT code, int value, const char* eventName) const;
    qnet_CConnectionThread* thread_;
};

// Setters answer the component's result: 0 success, a positive error number on failure.
class qnet_CFtpInterface : public qnet_CProtocolInterface {
public:
    // Throws when the connection thread cannot make the component's object.
    qnet_CFtpInterface(qnet_CConnectionThread* thread, qnet_CFtpReceiver* receiver);
    // Destroys the component's object on the connection thread.
    ~qnet_CFtpInterface() override;
    int SetAction(int action) const;
    int SetCommand(const char* line) const;
    int SetPassive(int passive) const;
    int SetPassword(const char* password) const;
    int SetRemoteFile(const char* file) const;
    int SetRemoteHost(const char* host) const;
    int SetRemotePort(unsigned short port) const;
    int SetTransferMode(int mode) const;
    int SetUser(const char* user) const;
};

class qnet_CHttpInterface : public qnet_CProtocolInterface {
public:
    qnet_CHttpInterface(qnet_CConnectionThread* thread, qnet_CHttpReceiver* receiver);
    ~qnet_CHttpInterface() override;
    int SetAction(int action) const;
    int SetPassword(const char* password) const;
    int SetProxyPort(unsigned short port) const;
    int SetProxyServer(const char* host) const;
    int SetURL(const char* url) const;
    int SetUser(const char* user) const;
};

class qnet_CFtpConnection;
class qnet_CHttpConnection;

class qnet_CConnectionThread {
public:
    // The thread when no job holds it (made on first use; a thread that cannot start throws),
    // else null.
    static qnet_CConnectionThread* Acquire();
    // Ends the job's interface and frees the thread for the next job.
    void Release();
    // At the library's last close: ends the thread.
    static void Shutdown();
    // Throw when an interface exists already.
    qnet_CFtpInterface* CreateFtpInterface(qnet_CFtpReceiver* receiver);
    qnet_CHttpInterface* CreateHttpInterface(qnet_CHttpReceiver* receiver);
    DWORD ThreadId() const { return threadId_; }

private:
    qnet_CConnectionThread();
    ~qnet_CConnectionThread();
    static DWORD WINAPI ThreadBody(void* instance);
    // On the connection thread: the component call of one request.
    intptr_t Perform(UINT code, WPARAM value);
    intptr_t PerformFtp(UINT code, WPARAM value);
    intptr_t PerformHttp(UINT code, WPARAM value);
    void DestroyCurrentInterface();

    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    bool free_ = true;
    qnet_CProtocolInterface* current_ = nullptr;
    qnet_CFtpInterface* ftp_ = nullptr;
    qnet_CHttpInterface* http_ = nullptr;
    // Touched on the connection thread only.
    qnet_CFtpConnection* ftpConnection_ = nullptr;
    qnet_CHttpConnection* httpConnection_ = nullptr;
};
