// The FTP browser's connections, reporting to a window of the test: logon, folders, listings,
// the codes of refused calls, the error form of a failed logon and a disconnection that
// interrupts a running listing.
#include <winsock2.h>

#include "dialog_answerer.h"
#include "dialog_items.h"
#include "download_fixture.h"
#include "form_ids.h"
#include "ftp_browser.h"
#include "message_pump.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr UINT BrowserMessage = WM_USER + 77;
const char ReportClass[] = "QxWebTestBrowserReports";

struct BrowserReport {
    QXFTPBrowser* connection;
    int error;
    bool hasBlock;
    std::string text;
};

std::vector<BrowserReport>& Reports()
{
    static std::vector<BrowserReport> reports;
    return reports;
}

// Keeps what each report says and frees its block, as the receiver owns it.
LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != BrowserMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    const auto* result = reinterpret_cast<const FTP_BROWSER_RESULT*>(wParam);
    BrowserReport report{result->connection, result->error, result->block != nullptr, {}};
    if (result->block) {
        report.text = static_cast<const char*>(GlobalLock(result->block));
        GlobalUnlock(result->block);
        GlobalFree(result->block);
    }
    Reports().push_back(report);
    return 0;
}

class FtpBrowser : public DownloadJobs {
protected:
    void SetUp() override
    {
        DownloadJobs::SetUp();
        Reports().clear();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ReportProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = ReportClass;
        RegisterClassA(&windowClass);
        reports = CreateWindowA(ReportClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
        windows.push_back(reports);
    }
    // Runs this thread's messages until the count of reports is reached.
    const BrowserReport& WaitForReport(size_t count)
    {
        EXPECT_TRUE(PumpUntil([count] { return Reports().size() >= count; }, 30000));
        static const BrowserReport none{nullptr, -1, false, {}};
        return Reports().size() >= count ? Reports()[count - 1] : none;
    }
    QXFTPBrowser* Connect(unsigned short port, const char* user = "", const char* password = "guest@",
                          const char* path = nullptr)
    {
        return web.FTPConnect("127.0.0.1", port, user, password, path, reports, BrowserMessage);
    }

    HWND reports = nullptr;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(FtpBrowser, AnonymousLogonFoldersAndListing)
{
    QXFTPBrowser* connection = Connect(NetServers().FtpPort());
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(0, WaitForReport(1).error);
    EXPECT_EQ(connection, Reports()[0].connection);
    EXPECT_TRUE(Contains(NetServers().FtpLog(), "USER anonymous\nPASS guest@\n"));

    ASSERT_EQ(0, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    const BrowserReport listing = WaitForReport(2);
    EXPECT_EQ(0, listing.error);
    for (const TransferFixture& fixture : TransferFixtures())
        EXPECT_TRUE(Contains(listing.text, std::string(" ") + fixture.name + "\n")) << listing.text;
    EXPECT_NE(0u, listing.text.rfind("total", 0)) << "no count line";

    ASSERT_EQ(0, web.FTPGetCurrentDir(connection, reports, BrowserMessage));
    EXPECT_EQ("/", WaitForReport(3).text);

    ASSERT_EQ(0, web.FTPSetCurrentDir(connection, "/nowhere", reports, BrowserMessage));
    EXPECT_NE(0, WaitForReport(4).error);
    ASSERT_EQ(0, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    EXPECT_EQ(FTPB_NO_SUCH_FOLDER, WaitForReport(5).error) << "the stored folder is listed";
    EXPECT_FALSE(Reports()[4].hasBlock);

    EXPECT_EQ(0, web.FTPDisconnect(connection));
    EXPECT_EQ(5u, Reports().size()) << "nothing was running";
    EXPECT_EQ(FTPB_UNKNOWN_CONNECTION, web.FTPDisconnect(connection));
}

TEST_F(FtpBrowser, RefusedCallsAnswerTheirCodes)
{
    EXPECT_EQ(nullptr, Connect(0));
    EXPECT_EQ(nullptr, web.FTPConnect("127.0.0.1", NetServers().FtpPort(), "", "", nullptr, reports, 0));
    QXFTPBrowser* connection = Connect(NetServers().FtpPort());
    ASSERT_NE(nullptr, connection);
    WaitForReport(1);
    auto* stranger = reinterpret_cast<QXFTPBrowser*>(&Reports());
    EXPECT_EQ(FTPB_NO_WINDOW, web.FTPGetCurrentDir(stranger, nullptr, BrowserMessage));
    EXPECT_EQ(FTPB_UNKNOWN_CONNECTION, web.FTPGetCurrentDir(stranger, reports, BrowserMessage));
    ASSERT_EQ(0, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    EXPECT_EQ(FTPB_BUSY, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    WaitForReport(2);
    PumpFor(200);
    EXPECT_EQ(2u, Reports().size()) << "a refused call reports nothing";
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

TEST_F(FtpBrowser, AFailedLogonShowsTheFormAndLeavesTheConnectionClosed)
{
    std::string message, file;
    DialogAnswerer answerer([&](HWND form) {
        message = ItemText(form, IDC_ERROR_MESSAGE);
        file = ItemText(form, IDC_ERROR_FILE);
        return IDCANCEL;
    });
    QXFTPBrowser* connection = Connect(NetServers().FtpPort(), "writer", "wrong");
    ASSERT_NE(nullptr, connection);
    EXPECT_NE(0, WaitForReport(1).error);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("La communication avec ce serveur n'a pu être établie :", message);
    EXPECT_EQ("127.0.0.1", file);
    EXPECT_EQ(FTPB_NOT_CONNECTED, web.FTPGetCurrentDir(connection, reports, BrowserMessage));
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

// The FTP server plays the proxy, then the remote site.
TEST_F(FtpBrowser, LogonThroughTheProxyFollowsItsStyle)
{
    char password[] = "proxypass";
    ASSERT_EQ(1, SetFtpProxyInfo("127.0.0.1", NetServers().FtpPort(), 1, "SITE $host$", "proxy", password, 1));
    QXFTPBrowser* connection = web.FTPConnect("remote.example", 2121, "", "guest@", nullptr, reports, BrowserMessage);
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(0, WaitForReport(1).error);
    EXPECT_EQ(0u, NetServers().FtpLog().find("USER proxy\nPASS proxypass\nSITE remote.example\nUSER anonymous\n"
                                             "PASS guest@\n"))
        << NetServers().FtpLog();
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

TEST_F(FtpBrowser, AStyleWithoutHostFailsTheLogon)
{
    char password[] = "";
    ASSERT_EQ(1, SetFtpProxyInfo("127.0.0.1", NetServers().FtpPort(), 0, "USER $user$", "", password, 1));
    DialogAnswerer answerer(IDCANCEL);
    QXFTPBrowser* connection = Connect(NetServers().FtpPort());
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(FTPB_NO_HOST_KEYWORD, WaitForReport(1).error);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

TEST_F(FtpBrowser, ALogonRetriedFromTheFormSucceeds)
{
    NetServers().Down("ftp");
    DialogAnswerer answerer([](HWND) {
        NetServers().Up("ftp");
        return IDRETRY;
    });
    QXFTPBrowser* connection = Connect(NetServers().FtpPort());
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(0, WaitForReport(1).error);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(1u, Reports().size()) << "one report for the whole logon";
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

// A server of one connection whose listing sends the given lines, or, without any, takes the
// data connection and never sends on it, so that the listing runs until it is interrupted. It
// records the commands it gets.
class ScriptedFtpServer {
public:
    explicit ScriptedFtpServer(const char* listing = nullptr) : listing_(listing)
    {
        control_ = Listen(&port_);
        data_ = Listen(&dataPort_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedFtpServer()
    {
        closesocket(control_);
        closesocket(data_);
        thread_.join();
    }
    unsigned short Port() const { return port_; }
    bool ListingStarted() const { return listingStarted_; }
    bool Closed() const { return closed_; }
    std::string Commands() const { return commands_; }

private:
    static SOCKET Listen(unsigned short* port)
    {
        const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener, 1);
        int size = sizeof address;
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        *port = ntohs(address.sin_port);
        return listener;
    }
    static void Send(SOCKET socket, const std::string& line) { send(socket, line.c_str(), int(line.size()), 0); }
    void Serve()
    {
        const SOCKET control = accept(control_, nullptr, nullptr);
        SOCKET data = INVALID_SOCKET;
        Send(control, "220 ready\r\n");
        std::string line;
        char byte = 0;
        while (recv(control, &byte, 1, 0) == 1) {
            if (byte != '\n') {
                if (byte != '\r')
                    line += byte;
                continue;
            }
            commands_ += line + "\n";
            const std::string verb = line.substr(0, 4);
            if (verb == "USER")
                Send(control, "331 password\r\n");
            else if (verb == "PASV")
                Send(control, "227 Entering Passive Mode (127,0,0,1," + std::to_string(dataPort_ / 256) + "," +
                                  std::to_string(dataPort_ % 256) + ")\r\n");
            else if (verb == "LIST") {
                data = accept(data_, nullptr, nullptr);
                Send(control, "150 listing\r\n");
                listingStarted_ = true;
                if (listing_) {
                    Send(data, listing_);
                    closesocket(data);
                    data = INVALID_SOCKET;
                    Send(control, "226 listed\r\n");
                }
            } else if (verb == "ABOR")
                Send(control, "226 aborted\r\n");
            else
                Send(control, "200 done\r\n");
            line.clear();
        }
        closed_ = true;
        closesocket(data);
        closesocket(control);
    }

    const char* listing_;
    SOCKET control_, data_;
    unsigned short port_ = 0, dataPort_ = 0;
    std::atomic<bool> listingStarted_{false}, closed_{false};
    std::string commands_;
    std::thread thread_;
};

class ScriptedBrowser : public FtpBrowser {
protected:
    void SetUp() override
    {
        FtpBrowser::SetUp();
        WSADATA winsock;
        ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &winsock));
    }
    void TearDown() override
    {
        WSACleanup();
        FtpBrowser::TearDown();
    }
};

TEST_F(ScriptedBrowser, ListingLeavesOutTheCountLine)
{
    ScriptedFtpServer server("total 2\r\n-rw-r--r-- 1 a b 5 Jan 1 00:00 one file.txt\r\n"
                             "drwxr-xr-x 2 a b 0 Jan 1 00:00 sub\r\n");
    QXFTPBrowser* connection = Connect(server.Port());
    ASSERT_NE(nullptr, connection);
    ASSERT_EQ(0, WaitForReport(1).error);
    ASSERT_EQ(0, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    EXPECT_EQ(0, WaitForReport(2).error);
    EXPECT_EQ("-rw-r--r-- 1 a b 5 Jan 1 00:00 one file.txt\ndrwxr-xr-x 2 a b 0 Jan 1 00:00 sub\n", Reports()[1].text);
    EXPECT_EQ(0, web.FTPDisconnect(connection));
}

TEST_F(ScriptedBrowser, DisconnectingDuringAListingReports5008AndTheWorkerEnds)
{
    ScriptedFtpServer server;
    QXFTPBrowser* connection = Connect(server.Port());
    ASSERT_NE(nullptr, connection);
    ASSERT_EQ(0, WaitForReport(1).error);
    ASSERT_EQ(0, web.FTPGetFileList(connection, nullptr, reports, BrowserMessage));
    ASSERT_TRUE(PumpUntil([&] { return server.ListingStarted(); }, 30000));
    EXPECT_EQ(0, web.FTPDisconnect(connection));
    ASSERT_EQ(2u, Reports().size());
    EXPECT_EQ(FTPB_DISCONNECTED, Reports()[1].error);
    EXPECT_EQ(connection, Reports()[1].connection);
    EXPECT_TRUE(PumpUntil([&] { return server.Closed(); }, 30000));
    EXPECT_TRUE(Contains(server.Commands(), "LIST\nABOR\n")) << server.Commands();
    PumpFor(200);
    EXPECT_EQ(2u, Reports().size()) << "the interrupted listing reports nothing of its own";
}

}  // namespace
