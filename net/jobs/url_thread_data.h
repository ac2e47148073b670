// What one download job holds and does: the address split up, the account, the local file,
// whom to notify, and the FTP or HTTP sequence run on the job's thread through the
// connection thread. The component's events come back as the handlers below, on the
// connection thread.
#pragma once

#include "connection_thread.h"
#include "url_thread_node.h"

#include <string>
#include <vector>

// How a job ends for URL_THREAD_DATA::Notify.
enum NotifyCode : int { NOTIFY_SUCCESS = 0, NOTIFY_FAILURE = 1, NOTIFY_ABORT = 2 };

// Fixed text fields of a job, terminator included.
constexpr int JOB_ACCOUNT_BYTES = 256;
constexpr int JOB_HOST_BYTES = 1024;

class URL_THREAD_DATA {
public:
    // Creates or empties the local file at once.
    explicit URL_THREAD_DATA(const char* localFileName);
    // Waits for the job's thread when it still runs, closes the local file.
    virtual ~URL_THREAD_DATA();
    URL_THREAD_DATA(const URL_THREAD_DATA&) = delete;
    URL_THREAD_DATA& operator=(const URL_THREAD_DATA&) = delete;

    // Hands the connection thread back.
    virtual void Release();
    virtual void Notify(int code);
    // The transfer; sets succeeded, failed or aborted; 1 when the file arrived.
    virtual int Run() = 0;

    bool LocalFileOpen() const { return localFile != INVALID_HANDLE_VALUE; }
    // False when a text does not fit its field.
    bool SetAccount(const char* userText, const char* passwordText);
    bool SetHost(const char* hostText);

    URL_THREAD_NODE* node = nullptr;
    std::string address;
    std::string remotePath;
    std::string localFileName;
    HWND notifyWindow = nullptr;
    UINT16 notifyMessage = 0;
    LPARAM notifyValue = 0;
    HANDLE localFile = INVALID_HANDLE_VALUE;
    HANDLE thread = nullptr;
    char password[JOB_ACCOUNT_BYTES] = {};
    char user[JOB_ACCOUNT_BYTES] = {};
    char host[JOB_HOST_BYTES] = {};
    qnet_CProtocolInterface* protocol = nullptr;

protected:
    // An attempt starts from an empty file, so a retry never keeps a failed attempt's bytes.
    void EmptyLocalFile();
    void CloseLocalFile();
    void WriteBlock(const char* block, size_t length);
    // Ends the attempt: failed (never succeeded too) and 0.
    int Failed();
    int Aborted();
    // 1 and succeeded, unless a failing event fired during the attempt.
    int SucceededUnlessFailed();
    // The abort check between the steps.
    void CheckAbort();
    // A step's component result: anything but 0 fails the attempt.
    static void Step(int result);
    // Runs the sequence on the interface made for this job; any failure ends as failed.
    template <class Make, class Sequence>
    int Attempt(Make make, Sequence sequence);
};

// Thrown out of a sequence when must-abort is set, and when a step fails.
struct JobAborted {};
struct JobFailed {};

class URL_FTP_THREAD_DATA : public URL_THREAD_DATA, public qnet_CFtpReceiver {
public:
    using URL_THREAD_DATA::URL_THREAD_DATA;
    int Run() override;

    int OnDirectoryLine(const char* line) override;
    int OnEndTransfer() override;
    int OnError(int code, const char* text) override;
    int OnNotice(int code, const char* text) override;
    int OnStartTransfer() override;
    int OnData(long count, const char* block, unsigned short length) override;

private:
    int Sequence(const qnet_CFtpInterface& ftp);
};

class URL_HTTP_THREAD_DATA : public URL_THREAD_DATA, public qnet_CHttpReceiver {
public:
    using URL_THREAD_DATA::URL_THREAD_DATA;
    int Run() override;

    int OnStatus(int code, const char* text) override;
    int OnSecondStatus(int code, const char* text) override;
    int OnEndTransfer() override;
    int OnError(int code, const char* text) override;
    int OnNotice(const char* first, const char* second) override;
    int OnStartTransfer() override;
    int OnData(long count, const char* block, unsigned short length) override;

private:
    int Sequence(const qnet_CHttpInterface& http);
};
