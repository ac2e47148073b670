// The FTP browser's connection: its workers, their reports and the disconnection that
// interrupts a running call instead of killing its thread.
#include "ftp_browser.h"

#include "error_form.h"
#include "form_ids.h"
#include "named_objects.h"
#include "proxy_logon.h"
#include "proxy_store.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD GateWaitMs = 120000;
constexpr DWORD ListingWaitMs = 120000;
// How long a disconnection waits for an interrupted worker; the component notices an
// interruption within a fraction of a second.
constexpr DWORD WorkerJoinMs = 10000;
constexpr size_t ServerChars = 1023;
constexpr size_t AccountChars = 255;
constexpr size_t PathChars = 1023;
constexpr char NoSuchFolder[] = "No such file or directory";

// A movable, zero-filled, shareable block holding the text; null when it cannot be made.
HGLOBAL TextBlock(const std::string& text)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, text.size() + 1);
    if (!block)
        return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

}  // namespace

QXFTPBrowser::QXFTPBrowser()
    : ftp_(static_cast<IPWorksFtp*>(_IPWorks_CreateObject(IPWORKS_FTP, static_cast<IPWorksFtpEvents*>(this))))
{
    // Named by this browser's full address: two browsers never share a gate.
    callGate_ = CreateEventA(nullptr, TRUE, FALSE, EventName("QXWEB32CONNEXION").c_str());
    if (ftp_)
        ftp_->SetEnabled(1);
}

QXFTPBrowser::~QXFTPBrowser()
{
    if (ftp_) {
        ftp_->SetEnabled(0);
        _IPWorks_DeleteObject(IPWORKS_FTP, ftp_);
    }
    if (worker_)
        CloseHandle(worker_);
    if (callGate_)
        CloseHandle(callGate_);
}

std::string QXFTPBrowser::EventName(const char* suffix) const
{
    char name[64];
    std::snprintf(name, sizeof name, "%016llX%s", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)),
                  suffix);
    return name;
}

void QXFTPBrowser::SetAccount(const char* server, int port, const char* user, const char* password, const char* path)
{
    server_ = std::string(server).substr(0, ServerChars);
    port_ = port;
    user_ = std::string(user).substr(0, AccountChars);
    if (user_.empty())
        user_ = "anonymous";
    password_ = std::string(password).substr(0, AccountChars);
    path_ = path ? std::string(path).substr(0, PathChars) : "";
}

bool QXFTPBrowser::Connected()
{
    const std::lock_guard<std::mutex> locked(state_);
    return connected_;
}

void QXFTPBrowser::CloseGate() { ResetEvent(callGate_); }
void QXFTPBrowser::OpenGate() { SetEvent(callGate_); }

int QXFTPBrowser::Start(Call call, HWND window, UINT message)
{
    {
        const std::lock_guard<std::mutex> locked(state_);
        if (busy_)
            return FTPB_BUSY;
        busy_ = true;
        reported_ = false;
        call_ = call;
        window_ = window;
        message_ = message;
    }
    // The previous worker has reported: it touches nothing of this browser any more.
    if (worker_)
        CloseHandle(worker_);
    worker_ = CreateThread(nullptr, 0, Worker, this, 0, nullptr);
    if (worker_)
        return 0;
    const std::lock_guard<std::mutex> locked(state_);
    busy_ = false;
    reported_ = true;
    return FTPB_NO_THREAD;
}

DWORD WINAPI QXFTPBrowser::Worker(void* browser)
{
    try {
        static_cast<QXFTPBrowser*>(browser)->RunCall();
    } catch (...) {
        static_cast<QXFTPBrowser*>(browser)->Report(FTPB_NO_THREAD);
    }
    return 0;
}

void QXFTPBrowser::RunCall()
{
    errorText_.clear();
    switch (call_) {
    case CONNECT:
        return ConnectWithRetries();
    case GET_CURRENT_DIR:
        return ReportCurrentDir();
    case SET_CURRENT_DIR:
        if (ftp_->GetAction() != FTP_IDLE)
            return Report(FTPB_BUSY);
        return Report(path_.empty() ? 0 : ftp_->SetRemotePath(path_.c_str()));
    case GET_FILE_LIST:
        return ReportFileList();
    }
}

int QXFTPBrowser::ConnectOnce()
{
    char host[QXWEB_TEXT_BUFFER], style[QXWEB_TEXT_BUFFER], password[QXWEB_TEXT_BUFFER], user[QXWEB_TEXT_BUFFER];
    int proxyPort = 0;
    BYTE authentication = 0;
    const bool proxy = GetFtpProxyInfo(host, sizeof host, &proxyPort, &authentication, style, sizeof style, password,
                                       sizeof password, user, sizeof user, 0) != 0;
    if (proxy) {
        ftp_->SetUser(authentication ? user : "");
        ftp_->SetPassword(authentication ? password : "");
    }
    if (const int failed = ftp_->SetRemotePort(static_cast<unsigned short>(proxy ? proxyPort : port_)))
        return failed;
    if (const int failed = ftp_->SetRemoteHost(proxy ? host : server_.c_str()))
        return failed;
    if (const int failed = ftp_->SetAction(FTP_LOGON))
        return failed;
    std::vector<std::string> commands = {"USER " + user_, "PASS " + password_};
    if (proxy) {
        commands = ProxyLogonCommands(style, server_, user_, password_);
        if (commands.empty())
            return FTPB_NO_HOST_KEYWORD;
    }
    for (const std::string& command : commands) {
        if (const int failed = ftp_->SetCommand(command.c_str()))
            return failed;
    }
    return ftp_->SetPassive(GetFtpUsePASV());
}

void QXFTPBrowser::ConnectWithRetries()
{
    for (;;) {
        const int failed = ConnectOnce();
        if (!failed)
            break;
        ERROR_FORM_SETUP setup;
        setup.file = server_;
        setup.message = IDS_SERVER_UNREACHABLE;
        if (ShowErrorForm(setup) != ERROR_FORM_RETRY)
            return Report(failed);
    }
    // A folder that cannot be entered is told at once, without the form.
    if (!path_.empty()) {
        if (const int failed = ftp_->SetRemotePath(path_.c_str()))
            return Report(failed);
    }
    if (const int failed = ftp_->SetTransferMode(FTP_ASCII))
        return Report(failed);
    {
        const std::lock_guard<std::mutex> locked(state_);
        connected_ = true;
    }
    Report(0);
}

void QXFTPBrowser::ReportCurrentDir()
{
    // A busy component answers with a record too, so the caller's chain of steps goes on.
    if (ftp_->GetAction() != FTP_IDLE)
        return Report(FTPB_BUSY);
    char path[QXWEB_TEXT_BUFFER];
    if (const int failed = ftp_->GetRemotePath(path, sizeof path))
        return Report(failed);
    const HGLOBAL block = TextBlock(path);
    Report(block ? 0 : FTPB_MEMORY, block);
}

void QXFTPBrowser::ReportFileList()
{
    listing_.clear();
    if (!path_.empty()) {
        if (const int failed = ftp_->SetRemoteFile(path_.c_str()))
            return Report(failed);
    }
    if (ftp_->GetAction() != FTP_IDLE)
        return Report(FTPB_BUSY);
    const HANDLE listed = CreateEventA(nullptr, TRUE, FALSE, EventName("QXWEB32GETLIST").c_str());
    const int result = ftp_->SetAction(FTP_LIST);
    if (listing_.find(NoSuchFolder) != std::string::npos || errorText_.find(NoSuchFolder) != std::string::npos) {
        if (listed)
            CloseHandle(listed);
        return Report(FTPB_NO_SUCH_FOLDER);
    }
    // Only a listing that ran to its end is told by the end-of-transfer event.
    if (listed) {
        if (!result)
            WaitForSingleObject(listed, ListingWaitMs);
        CloseHandle(listed);
    }
    const HGLOBAL block = TextBlock(listing_);
    Report(block ? result : FTPB_MEMORY, block);
}

void QXFTPBrowser::Report(int error, HGLOBAL block)
{
    {
        const std::lock_guard<std::mutex> locked(state_);
        busy_ = false;
        if (reported_ || disconnecting_) {
            if (block)
                GlobalFree(block);
            return;
        }
        reported_ = true;
        result_ = {this, error, block};
    }
    // Nothing of this browser is touched after the send: the receiver may disconnect it.
    SendMessageA(window_, message_, reinterpret_cast<WPARAM>(&result_), 0);
}

bool QXFTPBrowser::Disconnect()
{
    WaitForSingleObject(callGate_, GateWaitMs);
    bool running = false;
    {
        const std::lock_guard<std::mutex> locked(state_);
        disconnecting_ = true;
        running = busy_;
    }
    // A finished worker may still be sending its report, which this thread serves while it
    // waits; inside that very report's handling the worker only waits for it to end.
    bool ended = true;
    if (worker_ && (running || !InSendMessage())) {
        if (running)
            ftp_->SetAction(FTP_INTERRUPT);
        ended = WaitServingSentMessages(worker_, WorkerJoinMs);
    }
    bool report = false;
    {
        const std::lock_guard<std::mutex> locked(state_);
        report = !reported_;
        reported_ = true;
        result_ = {this, FTPB_DISCONNECTED, nullptr};
    }
    if (report)
        SendMessageA(window_, message_, reinterpret_cast<WPARAM>(&result_), 0);
    return ended;
}

int QXFTPBrowser::DirectoryLine(const char* line)
{
    const std::string text = line ? line : "";
    const std::string firstWord = text.substr(0, std::min(text.find(' '), size_t{5}));
    if (firstWord == "total")
        return 0;
    listing_ += text + "\n";
    return 0;
}

int QXFTPBrowser::EndTransfer()
{
    if (const HANDLE listed = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName("QXWEB32GETLIST").c_str())) {
        SetEvent(listed);
        CloseHandle(listed);
    }
    return 0;
}

int QXFTPBrowser::Error(unsigned short, const char* text)
{
    errorText_ = text ? text : "";
    const std::lock_guard<std::mutex> locked(state_);
    if (!busy_ || errorText_.find("[10054]") != std::string::npos)
        connected_ = false;
    return 0;
}
