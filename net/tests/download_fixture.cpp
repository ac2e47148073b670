// Loading the library for one case, its notify windows and its waits.
#include "download_fixture.h"

#include "message_pump.h"
#include "transfer_fixtures.h"

namespace {

constexpr DWORD NoticeWaitMilliseconds = 30000;
const char NotifyClass[] = "QxWebTestNotify";

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == NOTIFY_MESSAGE) {
        Notices().push_back({window, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

template <class Entry>
void Bind(HMODULE library, const char* name, Entry& entry)
{
    entry = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

std::vector<Notice>& Notices()
{
    static std::vector<Notice> notices;
    return notices;
}

void DownloadJobs::SetUp()
{
    BrowserSettings::SetUp();
    ASSERT_TRUE(NetServers().Started());
    Notices().clear();
    NetServers().ClearLogs();
    for (const TransferFixture& fixture : TransferFixtures()) {
        NetServers().ServeHttp(fixture.name, fixture.bytes);
        NetServers().ServeFtp(fixture.name, fixture.bytes);
    }
    SetFtpUsePASV(1);
    library = LoadLibraryA("qxweb40.dll");
    ASSERT_NE(nullptr, library);
    Bind(library, "QXNetOpen", web.QXNetOpen);
    Bind(library, "QXNetClose", web.QXNetClose);
    Bind(library, "QXNetSetLanguage", web.QXNetSetLanguage);
    Bind(library, "URL_Retrieve", web.URL_Retrieve);
    Bind(library, "FTP_Retrieve", web.FTP_Retrieve);
    Bind(library, "HTTP_Retrieve", web.HTTP_Retrieve);
    Bind(library, "URL_Kill", web.URL_Kill);
    Bind(library, "CleanUpDeadWindow", web.CleanUpDeadWindow);
    Bind(library, "ConfigureProxy", web.ConfigureProxy);
    Bind(library, "FTPConnect", web.FTPConnect);
    Bind(library, "FTPDisconnect", web.FTPDisconnect);
    Bind(library, "FTPGetCurrentDir", web.FTPGetCurrentDir);
    Bind(library, "FTPSetCurrentDir", web.FTPSetCurrentDir);
    Bind(library, "FTPGetFileList", web.FTPGetFileList);
    ASSERT_TRUE(web.QXNetOpen && web.QXNetClose && web.QXNetSetLanguage && web.URL_Retrieve && web.FTP_Retrieve &&
                web.HTTP_Retrieve && web.URL_Kill && web.CleanUpDeadWindow && web.ConfigureProxy && web.FTPConnect &&
                web.FTPDisconnect && web.FTPGetCurrentDir && web.FTPSetCurrentDir && web.FTPGetFileList);
    notify = MakeNotifyWindow();
    ASSERT_EQ(1, web.QXNetOpen());
}

void DownloadJobs::TearDown()
{
    if (web.QXNetClose)
        web.QXNetClose();
    for (HWND window : windows)
        DestroyWindow(window);
    if (library)
        FreeLibrary(library);
    BrowserSettings::TearDown();
}

HWND DownloadJobs::MakeNotifyWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = NotifyClass;
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowA(NotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    windows.push_back(window);
    return window;
}

QXWEBJOB DownloadJobs::Queue(const std::string& address, const std::string& localName, LPARAM value,
                             const char* user, const char* password, HWND window, UINT message)
{
    QXWEBJOB job = nullptr;
    const int queued = web.URL_Retrieve(address.c_str(), (local / localName).c_str(), 0, user, password,
                                        window ? window : notify, message, reinterpret_cast<void*>(value), &job);
    return queued ? job : nullptr;
}

bool DownloadJobs::WaitForNotices(size_t count)
{
    return PumpUntil([count] { return Notices().size() >= count; }, NoticeWaitMilliseconds);
}
