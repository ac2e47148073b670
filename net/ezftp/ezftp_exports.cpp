// The synchronous FTP exports over the process's table of connections.
#include "ezftp.h"

#include "ipw_creator.h"
#include "ipw_ftp.h"

namespace {

CIPWCreator<CIPWFTP> instances;

// No exception leaves an export: whatever throws answers EZFTP_EXCEPTION.
template <class Call>
int Guarded(Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        return EZFTP_EXCEPTION;
    }
}

// Runs `operation` on the handle's connection while it is counted as used.
template <class Operation>
int OnInstance(int handle, Operation operation)
{
    return Guarded([&] {
        CIPWFTP* instance = nullptr;
        if (const int acquired = instances.Acquire(&instance, handle); acquired < 1)
            return acquired;
        struct Released {
            CIPWFTP* instance;
            ~Released() { instances.Release(instance); }
        } const released{instance};
        return operation(*instance);
    });
}

int NotImplemented(int handle)
{
    return OnInstance(handle, [](CIPWFTP&) { return static_cast<int>(EZFTP_NOT_IMPLEMENTED); });
}

}  // namespace

int EZFTPLogon(int* handle, const char* server, const char* user, const char* password,
               const FTP_NETWORK_CONFIG* config)
{
    return Guarded([&] {
        if (!handle)
            return static_cast<int>(EZFTP_BAD_ARGUMENT);
        *handle = 0;
        int created = 0;
        if (const int made = instances.CreateInstance(&created); made < 1)
            return made;
        const int logon = OnInstance(created, [&](CIPWFTP& ftp) { return ftp.Logon(server, user, password, config); });
        if (logon < 1) {
            instances.DestroyInstance(created);
            return logon;
        }
        *handle = created;
        return static_cast<int>(EZFTP_OK);
    });
}

int EZFTPLogoff(int handle)
{
    return Guarded([&] {
        const int logoff = OnInstance(handle, [](CIPWFTP& ftp) { return ftp.Logoff(); });
        if (logoff == EZFTP_BAD_HANDLE)
            return logoff;
        instances.DestroyInstance(handle);
        return logoff;
    });
}

int EZFTPAbort(int handle)
{
    return OnInstance(handle, [](CIPWFTP& ftp) { return ftp.Abort(); });
}

int EZFTPFileExists(int handle, const char* remotePath, BYTE* exists)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.FileExists(remotePath, exists); });
}

int EZFTPFileUpload(int handle, const char* localFile, const char* remoteFile)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.FileUpload(localFile, remoteFile); });
}

int EZFTPDirectoryExists(int handle, const char* remotePath, BYTE* exists)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.DirectoryExists(remotePath, exists); });
}

int EZFTPDirectoryList(int handle, const char* remoteDirectory, char* buffer, const int* bufferSize)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.DirectoryList(remoteDirectory, buffer, bufferSize); });
}

int EZFTPDirectoryMake(int handle, const char* remoteDirectory)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.DirectoryMake(remoteDirectory); });
}

int EZFTPDirectoryMakePath(int handle, const char* remotePath)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.DirectoryMakePath(remotePath); });
}

int EZFTPDirectoryChangeCurrent(int handle, const char* remoteDirectory)
{
    return OnInstance(handle, [&](CIPWFTP& ftp) { return ftp.DirectoryChangeCurrent(remoteDirectory); });
}

int EZFTPFileDownload(int handle, const char*, const char*) { return NotImplemented(handle); }
int EZFTPFileDelete(int handle, const char*) { return NotImplemented(handle); }
int EZFTPFileRename(int handle, const char*, const char*) { return NotImplemented(handle); }
int EZFTPDirectoryRemove(int handle, const char*) { return NotImplemented(handle); }
