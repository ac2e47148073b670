// One connection of the FTP browser: every call but the disconnection runs on a worker thread
// of its own, which drives the component and reports the outcome to the caller's window with
// a blocking send. The open-file dialog's FTP view browses remote folders through it.
#pragma once

#include "ipworks_api.h"
#include "qxweb.h"

#include <mutex>
#include <string>
#include <vector>

// The report's word parameter: pointer-sized handle and block, so a 64-bit address survives.
struct FTP_BROWSER_RESULT {
    QXFTPBrowser* connection;
    int error;       // 0 on success
    HGLOBAL block;   // the text of a current folder or a listing, owned by the receiver; or null
};

// Error codes besides the component's own.
constexpr int FTPB_MEMORY = 5001;
constexpr int FTPB_BUSY = 5002;
constexpr int FTPB_NOT_CONNECTED = 5003;
constexpr int FTPB_NO_WINDOW = 5004;
constexpr int FTPB_NO_THREAD = 5005;
constexpr int FTPB_UNKNOWN_CONNECTION = 5006;
constexpr int FTPB_NO_HOST_KEYWORD = 5007;
constexpr int FTPB_DISCONNECTED = 5008;
constexpr int FTPB_NO_SUCH_FOLDER = 141;

class QXFTPBrowser : public IPWorksFtpEvents {
public:
    enum Call { CONNECT, GET_CURRENT_DIR, SET_CURRENT_DIR, GET_FILE_LIST };

    QXFTPBrowser();
    // Ends the component's work; the worker must have ended.
    ~QXFTPBrowser() override;
    QXFTPBrowser(const QXFTPBrowser&) = delete;
    QXFTPBrowser& operator=(const QXFTPBrowser&) = delete;

    bool Made() const { return ftp_ && callGate_; }
    void SetAccount(const char* server, int port, const char* user, const char* password, const char* path);
    bool Connected();
    // Starts the call's worker reporting to the window; 0, FTPB_BUSY or FTPB_NO_THREAD.
    int Start(Call call, HWND window, UINT message);
    // For the listing and the folder change: the folder, kept when `path` is null or empty
    // (the listing empties it for a given pattern).
    void SetPath(const std::string& path) { path_ = path; }
    // Closes and reopens the gate that orders a disconnection after a call's setup.
    void CloseGate();
    void OpenGate();
    // Interrupts a running call, waits for its worker for a while and reports 5008 for a call
    // that has not reported. False when the worker did not end: the browser must then stay.
    bool Disconnect();

    // The component's events.
    int DirectoryLine(const char* line) override;
    int EndTransfer() override;
    int Error(unsigned short code, const char* text) override;

private:
    static DWORD WINAPI Worker(void* browser);
    void RunCall();
    int ConnectOnce();
    void ConnectWithRetries();
    void ReportCurrentDir();
    void ReportFileList();
    // Sends the report once, unless a disconnection took its place.
    void Report(int error, HGLOBAL block = nullptr);
    std::string EventName(const char* suffix) const;

    IPWorksFtp* ftp_;
    std::string listing_;
    std::string errorText_;  // the last error's text during a call
    HANDLE worker_ = nullptr;
    HANDLE callGate_ = nullptr;
    std::mutex state_;       // guards the flags below across the worker and the caller
    bool busy_ = false;
    bool connected_ = false;
    bool reported_ = true;
    bool disconnecting_ = false;
    Call call_ = CONNECT;
    FTP_BROWSER_RESULT result_ = {};
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::string server_;
    int port_ = 0;
    std::string user_;
    std::string password_;
    std::string path_;
};
