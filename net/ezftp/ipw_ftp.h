// One connection of the synchronous FTP interface: the component's FTP object, driven only on
// the connection's worker. Each request operation runs on the caller's thread, copies its
// arguments into a request, has the worker run the matching step and answers its result.
#pragma once

#include "access_control.h"
#include "ezftp.h"
#include "ipw_thread.h"
#include "ipworks_api.h"

#include <string>

class CIPWFTP : public IPWorksFtpEvents {
public:
    using Message = CIPWThreadMessage<CIPWFTP>;

    // Made on the worker, which then drives the component's object.
    explicit CIPWFTP(int handle);
    // Waits until no caller uses the connection any more.
    ~CIPWFTP() override;
    CIPWFTP(const CIPWFTP&) = delete;
    CIPWFTP& operator=(const CIPWFTP&) = delete;

    int Handle() const { return handle_; }
    // 1, or EZFTP_SETUP_FAILED when the component refused its set-up.
    int Status() const { return status_; }

    void SetWorker(CIPWThread* worker);
    // Waits until no request runs, then takes the worker out; null when it was taken already.
    CIPWThread* TakeWorker();
    // Counted uses: the connection is idle when none is left.
    void AddUser();
    void RemoveUser();

    int Logon(const char* server, const char* user, const char* password, const FTP_NETWORK_CONFIG* config);
    int Logoff();
    int Abort();
    int FileUpload(const char* localFile, const char* remoteFile);
    int DirectoryList(const char* directory, char* buffer, const int* bufferSize);
    int DirectoryMake(const char* directory);
    int DirectoryChangeCurrent(const char* directory);
    int FileExists(const char* path, BYTE* exists);
    int DirectoryExists(const char* path, BYTE* exists);
    int DirectoryMakePath(const char* path);

    // The component's text for an error number, or "Unknown Error <n>".
    static const char* ErrorText(long number);

    // The component's events, on the worker during an action.
    int DirectoryLine(const char* line) override;
    int EndTransfer() override;
    int Error(unsigned short code, const char* text) override;
    int StartTransfer() override;

private:
    // The listing into a buffer, telling apart a folder the server refuses to list.
    int ListInto(const std::string& directory, char* buffer, int bufferSize, bool* refused);
    // Holds a read slot while the worker runs the request.
    int Request(Message& message);
    // Logs the component's text for the number and answers `code`.
    static int Failed(int number, int code);

    int LogonStep(Message& message);
    int LogoffStep(Message& message);
    int AbortStep(Message& message);
    int UploadStep(Message& message);
    int ListStep(Message& message);
    int MakeDirectoryStep(Message& message);
    int ChangeDirectoryStep(Message& message);

    IPWorksFtp* ftp_;
    int handle_;
    CAccessControl access_;
    CIPWThread* worker_ = nullptr;
    int users_ = 0;
    CMutex mutex_;
    CEvent idle_{true};
    bool uploading_ = false;
    Message* upload_ = nullptr;
    bool listing_ = false;
    Message* list_ = nullptr;
    int status_ = EZFTP_OK;
};
