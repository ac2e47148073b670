// The connection's requests and the steps that run them on the worker.
#include "ipw_ftp.h"

#include <cstring>

namespace {

// A caller's text copied into a request field; false when it does not fit, so that a long
// text is refused rather than cut.
bool CopyRequestText(char (&field)[EZFTP_TEXT_BYTES], const char* text)
{
    const size_t length = text ? std::strlen(text) : 0;
    if (length >= EZFTP_TEXT_BYTES)
        return false;
    std::memcpy(field, text ? text : "", length + 1);
    return true;
}

struct CServerLogonMessage : CIPWFTP::Message {
    using CIPWThreadMessage::CIPWThreadMessage;
    char server[EZFTP_TEXT_BYTES];
    char user[EZFTP_TEXT_BYTES];
    char password[EZFTP_TEXT_BYTES];
    DWORD flags;
    DWORD port;
    char proxyHost[EZFTP_TEXT_BYTES];
    char proxyUser[EZFTP_TEXT_BYTES];
    char proxyPassword[EZFTP_TEXT_BYTES];
};

struct CFileUploadMessage : CIPWFTP::Message {
    using CIPWThreadMessage::CIPWThreadMessage;
    char localFile[EZFTP_TEXT_BYTES];
    char remoteFile[EZFTP_TEXT_BYTES];
};

// Also the make-directory and change-directory requests: one folder.
struct CDirectoryMessage : CIPWFTP::Message {
    using CIPWThreadMessage::CIPWThreadMessage;
    char directory[EZFTP_TEXT_BYTES];
};

struct CDirectoryListMessage : CIPWFTP::Message {
    using CIPWThreadMessage::CIPWThreadMessage;
    char directory[EZFTP_TEXT_BYTES];
    char* buffer = nullptr;
    int size = 0;
    int used = 0;
    bool refused = false;  // the server refused to list the folder
};

template <class Request>
Request& As(CIPWFTP::Message& message)
{
    return static_cast<Request&>(message);
}

// Which logon through the proxy the flags ask for; each style holds only with the proxy bit.
bool Holds(DWORD flags, DWORD bits) { return (flags & (EZFTP_PROXY | bits)) == (EZFTP_PROXY | bits); }

}  // namespace

CIPWFTP::CIPWFTP(int handle)
    : ftp_(static_cast<IPWorksFtp*>(_IPWorks_CreateObject(IPWORKS_FTP, static_cast<IPWorksFtpEvents*>(this)))),
      handle_(handle)
{
    if (!ftp_ || ftp_->SetEnabled(1) != IPWORKS_OK)
        status_ = EZFTP_SETUP_FAILED;
}

CIPWFTP::~CIPWFTP()
{
    idle_.Wait();
    if (ftp_) {
        ftp_->SetEnabled(0);
        _IPWorks_DeleteObject(IPWORKS_FTP, ftp_);
    }
}

void CIPWFTP::SetWorker(CIPWThread* worker)
{
    const CAccessControlWriteLock writing(access_);
    worker_ = worker;
}

CIPWThread* CIPWFTP::TakeWorker()
{
    const CAccessControlWriteLock writing(access_);
    CIPWThread* worker = worker_;
    worker_ = nullptr;
    return worker;
}

void CIPWFTP::AddUser()
{
    const CMutexLock locked(mutex_);
    ++users_;
    idle_.Reset();
}

void CIPWFTP::RemoveUser()
{
    const CMutexLock locked(mutex_);
    if (--users_ == 0)
        idle_.Set();
}

int CIPWFTP::Failed(int number, int code)
{
    OutputDebugStringA(ErrorText(number));
    return code;
}

int CIPWFTP::Request(Message& message)
{
    const CAccessControlReadLock reading(access_);
    if (!worker_)
        return EZFTP_NO_WORKER;
    CIPWThread::PostAndWait(worker_, message);
    return message.Result();
}

int CIPWFTP::Logon(const char* server, const char* user, const char* password, const FTP_NETWORK_CONFIG* config)
{
    if (!config || config->flags >= EZFTP_FLAGS_LIMIT || !server || !user || !password)
        return EZFTP_BAD_ARGUMENT;
    CServerLogonMessage message(this, &CIPWFTP::LogonStep);
    if (!CopyRequestText(message.server, server) || !CopyRequestText(message.user, user) ||
        !CopyRequestText(message.password, password) || !CopyRequestText(message.proxyHost, config->proxyHost) ||
        !CopyRequestText(message.proxyUser, config->proxyUser) ||
        !CopyRequestText(message.proxyPassword, config->proxyPassword))
        return EZFTP_BAD_ARGUMENT;
    message.flags = config->flags;
    message.port = config->port;
    return Request(message);
}

int CIPWFTP::Logoff()
{
    Message message(this, &CIPWFTP::LogoffStep);
    return Request(message);
}

int CIPWFTP::Abort()
{
    Message message(this, &CIPWFTP::AbortStep);
    return Request(message);
}

int CIPWFTP::FileUpload(const char* localFile, const char* remoteFile)
{
    if (!localFile || !*localFile || !remoteFile || !*remoteFile)
        return EZFTP_BAD_ARGUMENT;
    CFileUploadMessage message(this, &CIPWFTP::UploadStep);
    if (!CopyRequestText(message.localFile, localFile) || !CopyRequestText(message.remoteFile, remoteFile))
        return EZFTP_BAD_ARGUMENT;
    return Request(message);
}

int CIPWFTP::ListInto(const std::string& directory, char* buffer, int bufferSize, bool* refused)
{
    CDirectoryListMessage message(this, &CIPWFTP::ListStep);
    if (!CopyRequestText(message.directory, directory.c_str()))
        return EZFTP_BAD_ARGUMENT;
    message.buffer = buffer;
    message.size = bufferSize;
    const int result = Request(message);
    *refused = message.refused;
    return result;
}

int CIPWFTP::DirectoryList(const char* directory, char* buffer, const int* bufferSize)
{
    if (!directory || !buffer || !bufferSize)
        return EZFTP_BAD_ARGUMENT;
    if (*bufferSize < 3)
        return EZFTP_BUFFER_TOO_SMALL;
    bool refused = false;
    return ListInto(directory, buffer, *bufferSize, &refused);
}

int CIPWFTP::DirectoryMake(const char* directory)
{
    if (!directory)
        return EZFTP_BAD_ARGUMENT;
    CDirectoryMessage message(this, &CIPWFTP::MakeDirectoryStep);
    if (!CopyRequestText(message.directory, directory))
        return EZFTP_BAD_ARGUMENT;
    return Request(message);
}

int CIPWFTP::DirectoryChangeCurrent(const char* directory)
{
    if (!directory || !*directory)
        return EZFTP_BAD_ARGUMENT;
    CDirectoryMessage message(this, &CIPWFTP::ChangeDirectoryStep);
    if (!CopyRequestText(message.directory, directory))
        return EZFTP_BAD_ARGUMENT;
    return Request(message);
}

int CIPWFTP::LogonStep(Message& message)
{
    const CServerLogonMessage& logon = As<CServerLogonMessage>(message);
    const DWORD flags = logon.flags;
    const bool open = Holds(flags, EZFTP_OPEN_STYLE);
    const bool site = Holds(flags, EZFTP_SITE_STYLE);
    const bool userStyle = !open && !site;
    if (open + site + userStyle != 1)
        return EZFTP_BAD_ARGUMENT;
    const bool proxy = (flags & EZFTP_PROXY) != 0;
    if (flags & EZFTP_PASSIVE)
        ftp_->SetPassive(1);
    if (logon.port)
        ftp_->SetRemotePort(static_cast<unsigned short>(logon.port));
    if (proxy) {
        if (const int failed = ftp_->SetRemoteHost(logon.proxyHost))
            return Failed(failed, EZFTP_HOST_REFUSED);
    } else {
        if (const int failed = ftp_->SetRemoteHost(logon.server))
            return Failed(failed, EZFTP_HOST_REFUSED);
        if (const int failed = ftp_->SetUser(logon.user))
            return Failed(failed, EZFTP_REFUSED);
        if (const int failed = ftp_->SetPassword(logon.password))
            return Failed(failed, EZFTP_REFUSED);
    }
    if (const int failed = ftp_->SetAction(FTP_LOGON))
        return Failed(failed, EZFTP_LOGON_FAILED);
    if (!proxy)
        return EZFTP_OK;
    const std::string user = logon.user;
    const std::string server = logon.server;
    struct {
        bool wanted;
        std::string line;
    } const commands[] = {
        {Holds(flags, EZFTP_PROXY_LOGON), std::string("USER ") + logon.proxyUser},
        {Holds(flags, EZFTP_PROXY_LOGON), std::string("PASS ") + logon.proxyPassword},
        {site, "SITE " + server},
        {open, "OPEN " + server},
        {userStyle, "USER " + user + "@" + server},
        {(flags & EZFTP_USER_AFTER) != 0, "USER " + user},
        {(flags & EZFTP_PASSWORD_AFTER) != 0, std::string("PASS ") + logon.password},
    };
    for (const auto& command : commands) {
        if (!command.wanted)
            continue;
        if (const int failed = ftp_->SetCommand(command.line.c_str()))
            return Failed(failed, EZFTP_REFUSED);
    }
    return EZFTP_OK;
}

int CIPWFTP::LogoffStep(Message&)
{
    if (const int failed = ftp_->SetAction(FTP_LOGOFF))
        return Failed(failed, EZFTP_REFUSED);
    return EZFTP_OK;
}

// Runs nested on the worker while an upload or a listing waits inside the component, which
// keeps serving the worker's window meanwhile.
int CIPWFTP::AbortStep(Message&)
{
    if (const int failed = ftp_->SetAction(uploading_ || listing_ ? FTP_INTERRUPT : FTP_IDLE))
        return Failed(failed, EZFTP_ABORT_REFUSED);
    return EZFTP_OK;
}

int CIPWFTP::UploadStep(Message& message)
{
    const CFileUploadMessage& upload = As<CFileUploadMessage>(message);
    if (const int failed = ftp_->SetLocalFile(upload.localFile))
        return Failed(failed, EZFTP_LOCAL_FILE);
    if (const int failed = ftp_->SetRemoteFile(upload.remoteFile))
        return Failed(failed, EZFTP_REFUSED);
    upload_ = &message;
    if (const int failed = ftp_->SetAction(FTP_UPLOAD)) {
        upload_ = nullptr;
        uploading_ = false;
        return Failed(failed, EZFTP_TRANSFER_FAILED);
    }
    return EZFTP_OK;
}

int CIPWFTP::ListStep(Message& message)
{
    CDirectoryListMessage& list = As<CDirectoryListMessage>(message);
    if (const int failed = ftp_->SetRemoteFile(list.directory))
        return Failed(failed, EZFTP_REFUSED);
    list_ = &message;
    if (const int failed = ftp_->SetAction(FTP_LIST)) {
        list_ = nullptr;
        listing_ = false;
        list.refused = failed == IPWORKS_REFUSED;
        return Failed(failed, EZFTP_TRANSFER_FAILED);
    }
    return EZFTP_OK;
}

int CIPWFTP::MakeDirectoryStep(Message& message)
{
    if (const int failed = ftp_->SetRemoteFile(As<CDirectoryMessage>(message).directory))
        return Failed(failed, EZFTP_REFUSED);
    if (const int failed = ftp_->SetAction(FTP_MAKE_DIRECTORY))
        return Failed(failed, EZFTP_TRANSFER_FAILED);
    return EZFTP_OK;
}

int CIPWFTP::ChangeDirectoryStep(Message& message)
{
    if (const int failed = ftp_->SetRemotePath(As<CDirectoryMessage>(message).directory))
        return Failed(failed, EZFTP_REFUSED);
    return EZFTP_OK;
}

int CIPWFTP::StartTransfer()
{
    if (upload_)
        uploading_ = true;
    else if (list_)
        listing_ = true;
    return 0;
}

int CIPWFTP::EndTransfer()
{
    if (uploading_) {
        upload_ = nullptr;
        uploading_ = false;
    } else if (listing_) {
        list_ = nullptr;
        listing_ = false;
    }
    return 0;
}

int CIPWFTP::Error(unsigned short code, const char*)
{
    OutputDebugStringA(ErrorText(code));
    return 0;
}

// One entry a line: the name is the line's last word, a folder's ("d" first) with "/"
// appended; each name ends in a 0 byte and one more 0 byte always follows the last.
int CIPWFTP::DirectoryLine(const char* line)
{
    if (!listing_ || !list_)
        return 0;
    CDirectoryListMessage& list = As<CDirectoryListMessage>(*list_);
    const std::string text = line ? line : "";
    const size_t lastBlank = text.rfind(' ');
    if (_strnicmp(text.c_str(), "total", 5) == 0 || lastBlank == std::string::npos)
        return 0;
    std::string name = text.substr(lastBlank + 1);
    if (text[0] == 'd')
        name += '/';
    const int need = static_cast<int>(name.size()) + 1;
    if (need + 1 > list.size - list.used)
        return 0;
    std::memcpy(list.buffer + list.used, name.c_str(), static_cast<size_t>(need));
    list.used += need;
    list.buffer[list.used] = 0;
    return 0;
}
