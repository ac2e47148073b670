// Download jobs run by the built library, reached through its exports as the foundation binds
// them, against the program's real servers: each case loads the library afresh (so its
// language and job list start empty), opens it, and notes every notification its window gets.
#pragma once

#include "browser_settings_fixture.h"
#include "net_servers.h"
#include "qxweb.h"
#include "scratch_dir.h"

#include <string>
#include <vector>

// The exports the cases call, bound by name.
struct WebExports {
    decltype(&::QXNetOpen) QXNetOpen = nullptr;
    decltype(&::QXNetClose) QXNetClose = nullptr;
    decltype(&::QXNetSetLanguage) QXNetSetLanguage = nullptr;
    decltype(&::URL_Retrieve) URL_Retrieve = nullptr;
    decltype(&::FTP_Retrieve) FTP_Retrieve = nullptr;
    decltype(&::HTTP_Retrieve) HTTP_Retrieve = nullptr;
    decltype(&::URL_Kill) URL_Kill = nullptr;
    decltype(&::CleanUpDeadWindow) CleanUpDeadWindow = nullptr;
    decltype(&::ConfigureProxy) ConfigureProxy = nullptr;
    decltype(&::FTPConnect) FTPConnect = nullptr;
    decltype(&::FTPDisconnect) FTPDisconnect = nullptr;
    decltype(&::FTPGetCurrentDir) FTPGetCurrentDir = nullptr;
    decltype(&::FTPSetCurrentDir) FTPSetCurrentDir = nullptr;
    decltype(&::FTPGetFileList) FTPGetFileList = nullptr;
};

struct Notice {
    HWND window;
    WPARAM status;
    LPARAM value;
};

// The message the kernel asks for.
constexpr UINT NOTIFY_MESSAGE = 1036;

class DownloadJobs : public BrowserSettings {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string HttpAddress(const std::string& name) const { return "http://" + NetServers().HttpHost() + "/" + name; }
    std::string FtpAddress(const std::string& name) const { return "ftp://" + NetServers().FtpHost() + "/" + name; }
    // Queues `address` into the scratch file `local`; the job, or null when refused.
    QXWEBJOB Queue(const std::string& address, const std::string& local, LPARAM value, const char* user = nullptr,
                   const char* password = nullptr, HWND window = nullptr, UINT message = NOTIFY_MESSAGE);
    // Runs this thread's messages until `count` notifications came; false after the time.
    bool WaitForNotices(size_t count);
    std::string Local(const std::string& name) const { return local.Read(name); }
    // A window of its own that notes what it is told.
    HWND MakeNotifyWindow();

    WebExports web;
    HMODULE library = nullptr;
    HWND notify = nullptr;
    std::vector<HWND> windows;
    ScratchDir local;
};

// Every notification posted to a window of the fixture, in order.
std::vector<Notice>& Notices();
