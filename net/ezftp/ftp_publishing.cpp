// Publishing files to an FTP server with the user in the loop: every failed step shows the
// error form on the opening thread, and the user chooses to try again or to give up.
#include "error_form.h"
#include "ezftp.h"
#include "form_ids.h"
#include "net_session.h"

#include <string>

namespace {

enum ErrorBoxKind { CONNECTION_ERROR = 0, TRANSFER_ERROR = 1, COMMUNICATION_ERROR = 2 };

class CErrorBoxSynchroCallObject : public qnet_CSynchroExecObject {
public:
    CErrorBoxSynchroCallObject(std::string text, ErrorBoxKind kind) : text_(std::move(text)), kind_(kind) {}
    int Execute() override
    {
        ERROR_FORM_SETUP setup;
        setup.file = text_;
        switch (kind_) {
        case CONNECTION_ERROR:
            setup.message = IDS_CONNECTION_ERROR;
            setup.caption = IDS_CONNECTION_ERROR_CAPTION;
            break;
        case TRANSFER_ERROR:
            setup.message = IDS_TRANSFER_ERROR;
            setup.caption = IDS_TRANSFER_ERROR_CAPTION;
            break;
        case COMMUNICATION_ERROR:
            setup.message = IDS_COMMUNICATION_ERROR;
            setup.caption = IDS_COMMUNICATION_ERROR_CAPTION;
            break;
        }
        setup.networkButton = kind_ == CONNECTION_ERROR;
        return RunErrorForm(setup);
    }

private:
    std::string text_;
    ErrorBoxKind kind_;
};

bool UserRetries(const std::string& text, ErrorBoxKind kind)
{
    qnet_CSynchronizeWindow* window = Session().synchronizeWindow.get();
    if (!window)
        ThrowSyncFailure();
    CErrorBoxSynchroCallObject call(text, kind);
    return window->Execute(&call) == ERROR_FORM_RETRY;
}

// Runs `attempt` until it succeeds or the user gives up; the last result either way.
template <class Attempt>
int WithRetries(const std::string& text, ErrorBoxKind kind, Attempt attempt)
{
    for (;;) {
        const int result = attempt();
        if (result >= 1 || !UserRetries(text, kind))
            return result;
    }
}

// Makes the remote folder when it is missing.
int EnsureDirectory(int handle, const std::string& directory)
{
    BYTE exists = 0;
    if (const int checked = EZFTPDirectoryExists(handle, directory.c_str(), &exists); checked < 1)
        return checked;
    return exists ? EZFTP_OK : EZFTPDirectoryMakePath(handle, directory.c_str());
}

// One logon with the stored settings, then the folder made and entered; the handle, or the
// failed step's code with the connection gone.
int OpenOnce(const char* server, const std::string& remoteDir, const char* user, const char* password)
{
    FTP_NETWORK_CONFIG config = {};
    EZFTPNetworkGetConfig(&config);
    int handle = 0;
    if (const int logon = EZFTPLogon(&handle, server, user, password, &config); logon < 1)
        return logon;
    if (remoteDir.empty())
        return handle;
    std::string directory = remoteDir;
    const size_t slash = directory.rfind('/');
    if (slash != std::string::npos && slash != 0 && slash == directory.size() - 1)
        directory.pop_back();
    int result = EnsureDirectory(handle, directory);
    if (result >= 1)
        result = EZFTPDirectoryChangeCurrent(handle, directory.c_str());
    if (result >= 1)
        return handle;
    EZFTPLogoff(handle);
    return result;
}

int CopyOnce(int handle, const char* localFile, const char* remoteFile, const std::string& remoteDir)
{
    if (const int aborted = EZFTPAbort(handle); aborted < 1)
        return aborted;
    if (!remoteDir.empty()) {
        if (const int ensured = EnsureDirectory(handle, remoteDir); ensured < 1)
            return ensured;
    }
    return EZFTPFileUpload(handle, localFile, remoteFile);
}

}  // namespace

int FTPOpenConnection(const char* server, const char* remoteDir, const char* user, const char* password)
{
    try {
        if (!server || !remoteDir || !user || !password)
            return EZFTP_BAD_ARGUMENT;
        return WithRetries(server, CONNECTION_ERROR, [&] { return OpenOnce(server, remoteDir, user, password); });
    } catch (...) {
        return EZFTP_EXCEPTION;
    }
}

int FTPCopy(int connection, const char* localFile, const char* remoteFile)
{
    try {
        if (!localFile || !remoteFile)
            return EZFTP_BAD_ARGUMENT;
        // The folder part of the remote name; none for a bare name or one right under the root.
        const std::string remote = remoteFile;
        const size_t slash = remote.rfind('/');
        const std::string remoteDir = slash == std::string::npos || slash == 0 ? "" : remote.substr(0, slash);
        return WithRetries(localFile, TRANSFER_ERROR,
                           [&] { return CopyOnce(connection, localFile, remoteFile, remoteDir); });
    } catch (...) {
        return EZFTP_EXCEPTION;
    }
}

void FTPCloseConnection(int connection)
{
    try {
        if (EZFTPAbort(connection) >= 1)
            EZFTPLogoff(connection);
    } catch (...) {
    }
}
