// The outside internet component as the internet library drives it: FTP (kind 17) and HTTP
// (kind 18) client objects made by _IPWorks_CreateObject, written through their properties and
// started through their Action. Every write and action answers 0 on success or a positive
// error number. An action returns when it is complete, its events all delivered on the thread
// that drives the object; while it waits it dispatches that thread's window messages (thread
// messages stay queued), so a handler may write Action 1 to interrupt it.
#pragma once

#ifdef IPWORKS_BUILD
#define IPWORKS_API extern "C" __declspec(dllexport)
#else
#define IPWORKS_API extern "C" __declspec(dllimport)
#endif

constexpr int IPWORKS_FTP = 17;
constexpr int IPWORKS_HTTP = 18;

// Error numbers.
enum IPWorksError : int {
    IPWORKS_OK = 0,
    IPWORKS_BAD_VALUE = 1,       // a property value that cannot be used
    IPWORKS_NOT_CONNECTED = 2,   // the action needs a logged-on connection
    IPWORKS_CONNECT_FAILED = 3,  // the host cannot be found or refuses the connection
    IPWORKS_REFUSED = 4,         // the server answered with a failure
    IPWORKS_SOCKET = 5,          // the connection broke
    IPWORKS_TIMEOUT = 6,         // the server stayed silent too long
    IPWORKS_INTERRUPTED = 7,     // Action 1 was written during the action
    IPWORKS_BUSY = 8,            // an action runs already
    IPWORKS_LOCAL_FILE = 9,      // the local file cannot be read or written
};

// FTP Action values.
enum IPWorksFtpAction : int {
    FTP_IDLE = 0,
    FTP_INTERRUPT = 1,
    FTP_LOGON = 2,
    FTP_LOGOFF = 3,
    FTP_DOWNLOAD = 4,
    FTP_UPLOAD = 5,
    FTP_LIST = 9,
    FTP_MAKE_DIRECTORY = 10,
};
enum IPWorksHttpAction : int { HTTP_IDLE = 0, HTTP_GET = 1 };
// FTP TransferMode values.
enum IPWorksTransferMode : int { FTP_ASCII = 1, FTP_IMAGE = 2 };

// Receivers of events derive from these; the defaults do nothing and return 0.
class IPWorksFtpEvents {
public:
    virtual int DirectoryLine(const char*) { return 0; }
    virtual int EndTransfer() { return 0; }
    virtual int Error(unsigned short /*code*/, const char* /*text*/) { return 0; }
    // Each reply of the server.
    virtual int Reply(unsigned short /*code*/, const char* /*text*/) { return 0; }
    virtual int StartTransfer() { return 0; }
    // `count` is the number of bytes delivered before this block.
    virtual int Data(long /*count*/, const char* /*block*/, unsigned short /*length*/) { return 0; }
    virtual ~IPWorksFtpEvents() = default;
};

class IPWorksHttpEvents {
public:
    // The status line and the end of the headers; code 0 for a 2xx answer, else the answer's code.
    virtual int Status(unsigned short /*code*/, const char* /*text*/) { return 0; }
    virtual int HeadersEnd(unsigned short /*code*/, const char* /*text*/) { return 0; }
    virtual int EndTransfer() { return 0; }
    virtual int Error(int /*code*/, const char* /*text*/) { return 0; }
    virtual int Header(const char* /*name*/, const char* /*value*/) { return 0; }
    virtual int StartTransfer() { return 0; }
    virtual int Data(long /*count*/, const char* /*block*/, unsigned short /*length*/) { return 0; }
    virtual ~IPWorksHttpEvents() = default;
};

class IPWorksObject {
public:
    // The set-up switch: 1 right after creation, 0 before deletion.
    virtual int SetEnabled(int on) = 0;
    virtual int SetAction(int action) = 0;
    virtual int GetAction() const = 0;
    virtual int SetUser(const char* user) = 0;
    virtual int SetPassword(const char* password) = 0;
    // Seconds of silence after which an action fails; 0 waits without limit.
    virtual int SetTimeout(int seconds) = 0;
    virtual ~IPWorksObject() = default;
};

class IPWorksFtp : public IPWorksObject {
public:
    // "host" or "host:port"; a port given here wins over RemotePort.
    virtual int SetRemoteHost(const char* host) = 0;
    virtual int SetRemotePort(unsigned short port) = 0;
    virtual int SetPassive(int passive) = 0;
    // Sent at once (TYPE) when logged on.
    virtual int SetTransferMode(int mode) = 0;
    // The file uploads read and downloads also write; empty for none.
    virtual int SetLocalFile(const char* file) = 0;
    virtual int SetRemoteFile(const char* file) = 0;
    // Changes the server's current folder (CWD); reading asks it (PWD).
    virtual int SetRemotePath(const char* path) = 0;
    virtual int GetRemotePath(char* path, int size) = 0;
    // One raw command line; a reply below 400 succeeds.
    virtual int SetCommand(const char* line) = 0;
};

class IPWorksHttp : public IPWorksObject {
public:
    // "http://host[:port]/path".
    virtual int SetURL(const char* url) = 0;
    // Empty for no proxy.
    virtual int SetProxyServer(const char* host) = 0;
    virtual int SetProxyPort(unsigned short port) = 0;
    virtual int SetUserAgent(const char* agent) = 0;
};

// An IPWorksFtp for kind 17 (receiver an IPWorksFtpEvents), an IPWorksHttp for kind 18
// (receiver an IPWorksHttpEvents); null for any other kind. The receiver may be null.
IPWORKS_API IPWorksObject* _IPWorks_CreateObject(int kind, void* receiver);
IPWORKS_API void _IPWorks_DeleteObject(int kind, IPWorksObject* object);
