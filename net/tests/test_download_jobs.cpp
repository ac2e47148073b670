// Background downloads from real FTP and HTTP servers: arrivals and failures told to the
// caller's window, the failure box with its retry, proxies, kills and closed windows.
#include "dialog_answerer.h"
#include "download_fixture.h"
#include "message_pump.h"
#include "proxy_logon.h"
#include "registry_values.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

namespace {

const std::string Large = TransferFixtures()[1].bytes;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(DownloadJobs, ThreeHttpJobsArriveInOrderWithTheirOwnValues)
{
    const std::vector<TransferFixture> fixtures = TransferFixtures();
    for (size_t i = 0; i < fixtures.size(); ++i)
        ASSERT_NE(nullptr, Queue(HttpAddress(fixtures[i].name), fixtures[i].name, static_cast<LPARAM>(10 + i)));
    ASSERT_TRUE(WaitForNotices(3));
    for (size_t i = 0; i < fixtures.size(); ++i) {
        EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[i].status);
        EXPECT_EQ(static_cast<LPARAM>(10 + i), Notices()[i].value);
        EXPECT_EQ(fixtures[i].bytes, Local(fixtures[i].name)) << fixtures[i].name;
    }
    EXPECT_EQ("GET /controls.bin HTTP/1.0\nGET /large.bin HTTP/1.0\nGET /empty.bin HTTP/1.0", NetServers().HttpLog());
}

struct LanguageCase {
    const char* language;  // null: never set
    const char* caption;
};

class FailureBox : public DownloadJobs, public testing::WithParamInterface<LanguageCase> {};

// The box names the address; Cancel gives up and the caller hears 767.
TEST_P(FailureBox, MissingDocumentFailsAfterCancel)
{
    if (GetParam().language)
        web.QXNetSetLanguage(GetParam().language);
    DialogAnswerer answerer(IDCANCEL);
    ASSERT_NE(nullptr, Queue(HttpAddress("missing.bin"), "missing.bin", 5));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_FAILED, Notices()[0].status);
    EXPECT_EQ(5, Notices()[0].value);
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(GetParam().caption, answerer.Shown()[0].caption);
    EXPECT_TRUE(Contains(answerer.Shown()[0].text, HttpAddress("missing.bin"))) << "[" << answerer.Shown()[0].text << "]";
    EXPECT_EQ("", Local("missing.bin")) << "an error page is no document";
}

INSTANTIATE_TEST_SUITE_P(Table, FailureBox,
                         testing::Values(LanguageCase{nullptr, "Téléchargement"},
                                         LanguageCase{"fReNcH", "Téléchargement"},
                                         LanguageCase{"English", "Download"}, LanguageCase{"", "Download"}));

TEST_F(DownloadJobs, ServerDownThenRetryOnceItIsBack)
{
    NetServers().Down("http");
    DialogAnswerer answerer([](HWND) {
        NetServers().Up("http");
        return IDRETRY;
    });
    ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "large.bin", 7));
    ASSERT_TRUE(WaitForNotices(1));
    NetServers().Up("http");
    EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[0].status);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(Large, Local("large.bin"));
    PumpFor(1500);
    EXPECT_EQ(1u, Notices().size()) << "only the final end is told";
}

class ProxyJobs : public DownloadJobs {
protected:
    // A name of its own per case: the proxy's log keeps every case's requests.
    void FetchThroughTheProxy(const std::string& name)
    {
        NetServers().ServeHttp(name, Large);
        ASSERT_NE(nullptr, Queue(HttpAddress(name), name, 1));
        ASSERT_TRUE(WaitForNotices(1));
        EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[0].status);
        EXPECT_EQ(Large, Local(name));
        EXPECT_TRUE(Contains(NetServers().ProxyLog(), "GET " + HttpAddress(name) + " HTTP/1.0"));
    }
};

TEST_F(ProxyJobs, ThroughTheLibrarysHttpProxy)
{
    ASSERT_EQ(1, SetHttpProxyInfo("127.0.0.1", NetServers().ProxyPort(), 1));
    FetchThroughTheProxy("viaproxy.bin");
}

TEST_F(ProxyJobs, ThroughTheBrowsersProxyWhenNoneIsStored)
{
    PutText(HKEY_LOCAL_MACHINE, HTTP_HANDLER_KEY, nullptr, "IExplore");
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", 1);
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer",
            "127.0.0.1:" + std::to_string(NetServers().ProxyPort()));
    FetchThroughTheProxy("viabrowser.bin");
}

struct PassiveCase {
    BYTE usePasv;
    const char* dataCommand;
};

class FtpJobs : public DownloadJobs, public testing::WithParamInterface<PassiveCase> {};

TEST_P(FtpJobs, AnonymousDownloadsEveryFixture)
{
    SetFtpUsePASV(GetParam().usePasv);
    for (const TransferFixture& fixture : TransferFixtures())
        ASSERT_NE(nullptr, Queue(FtpAddress(fixture.name), fixture.name, 1, "anonymous", "guest@"));
    ASSERT_TRUE(WaitForNotices(3));
    for (const TransferFixture& fixture : TransferFixtures())
        EXPECT_EQ(fixture.bytes, Local(fixture.name)) << fixture.name;
    for (const Notice& notice : Notices())
        EXPECT_EQ(QXWEB_FILE_ARRIVED, notice.status);
    const std::string log = NetServers().FtpLog();
    EXPECT_TRUE(Contains(log, "USER anonymous\nPASS guest@\nTYPE I\n" + std::string(GetParam().dataCommand)))
        << log;
}

INSTANTIATE_TEST_SUITE_P(Table, FtpJobs, testing::Values(PassiveCase{1, "PASV"}, PassiveCase{0, "PORT 127,0,0,1,"}));

TEST_F(DownloadJobs, FtpWithAnAccount)
{
    NetServers().ServeUpload("own.bin", Large);
    QXWEBJOB job = nullptr;
    ASSERT_EQ(1, web.FTP_Retrieve("own.bin", (local / "own.bin").c_str(), 0, NetServers().FtpHost().c_str(), "writer",
                                  "secret", notify, NOTIFY_MESSAGE, reinterpret_cast<void*>(3), &job));
    EXPECT_NE(nullptr, job);
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[0].status);
    EXPECT_EQ(Large, Local("own.bin"));
}

TEST_F(DownloadJobs, FtpWrongPasswordFails)
{
    DialogAnswerer answerer(IDCANCEL);
    ASSERT_NE(nullptr, Queue(FtpAddress("controls.bin"), "controls.bin", 4, "writer", "wrong"));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_FAILED, Notices()[0].status);
    EXPECT_EQ(1u, answerer.Shown().size());
    // The server refused the log-on and the connection went with it.
    EXPECT_EQ("USER writer\nPASS wrong", NetServers().FtpLog());
}

struct ProxyStyleCase {
    const char* style;
    BYTE authentication;
    const char* expected;  // "<host>" stands for the job's host
};

class FtpProxyStyles : public DownloadJobs, public testing::WithParamInterface<ProxyStyleCase> {};

// The FTP server plays the proxy and then the remote site.
TEST_P(FtpProxyStyles, LogOnCommandsFollowTheStyle)
{
    char proxyPassword[] = "proxypass";
    ASSERT_EQ(1, SetFtpProxyInfo("127.0.0.1", NetServers().FtpPort(), GetParam().authentication, GetParam().style,
                                 "proxy", proxyPassword, 1));
    ASSERT_NE(nullptr, Queue(FtpAddress("controls.bin"), "controls.bin", 1, "anonymous", "guest@"));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[0].status);
    EXPECT_EQ(TransferFixtures()[0].bytes, Local("controls.bin"));
    std::string expected = GetParam().expected;
    expected.replace(expected.find("<host>"), 6, NetServers().FtpHost());
    EXPECT_EQ(expected + "TYPE I\nPASV\nRETR controls.bin\nQUIT", NetServers().FtpLog());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FtpProxyStyles,
    testing::Values(ProxyStyleCase{"USER $user$@$host$", 0, "USER anonymous@<host>\nPASS guest@\n"},
                    ProxyStyleCase{"USER $user$@$host$", 1,
                                   "USER proxy\nPASS proxypass\nUSER anonymous@<host>\nPASS guest@\n"},
                    ProxyStyleCase{"SITE $host$", 0, "SITE <host>\nUSER anonymous\nPASS guest@\n"},
                    ProxyStyleCase{"OPEN $host$", 1, "USER proxy\nPASS proxypass\nOPEN <host>\nUSER anonymous\nPASS guest@\n"}));

TEST(ProxyLogonCommands, StyleWithoutHostSendsNothing)
{
    EXPECT_TRUE(ProxyLogonCommands("USER $user$", "h", "u", "p").empty());
    EXPECT_EQ((std::vector<std::string>{"USER u@h p"}), ProxyLogonCommands("USER $user$@$host$ $pass$", "h", "u", "p"));
}

TEST_F(DownloadJobs, KilledQueuedJobEndsWithoutMessage)
{
    NetServers().ServeHttp("first.bin", Large);
    ASSERT_NE(nullptr, Queue(HttpAddress("first.bin"), "first.bin", 1));
    QXWEBJOB second = Queue(HttpAddress("large.bin"), "large.bin", 2);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, web.URL_Kill(second));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(1, Notices()[0].value);
    // Once the manager has retired it, the job is no longer known.
    EXPECT_TRUE(PumpUntil([&] { return web.URL_Kill(second) == 0; }, 10000));
    EXPECT_EQ(1u, Notices().size());
    EXPECT_EQ(0, web.URL_Kill(nullptr));
}

// The running action is not interrupted; when it ends the job ends as aborted.
TEST_F(DownloadJobs, KillDuringTheTransferEndsItWithoutMessage)
{
    QXWEBJOB job = Queue(HttpAddress("slow/large.bin"), "slow.bin", 1);
    ASSERT_NE(nullptr, job);
    ASSERT_TRUE(PumpUntil([] { return Contains(NetServers().HttpLog(), "GET /slow/large.bin"); }, 10000));
    EXPECT_EQ(1, web.URL_Kill(job));
    EXPECT_TRUE(PumpUntil([&] { return web.URL_Kill(job) == 0; }, 10000));
    EXPECT_TRUE(Notices().empty());
    EXPECT_EQ(Large, Local("slow.bin")) << "what arrived stays";
}

TEST_F(DownloadJobs, DeadWindowsJobsEndWithoutMessage)
{
    const HWND closing = MakeNotifyWindow();
    ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "a.bin", 1, nullptr, nullptr, closing));
    ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "b.bin", 2, nullptr, nullptr, closing));
    ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "c.bin", 3));
    web.CleanUpDeadWindow(closing);
    ASSERT_TRUE(WaitForNotices(1));
    PumpFor(1500);
    ASSERT_EQ(1u, Notices().size());
    EXPECT_EQ(notify, Notices()[0].window);
    EXPECT_EQ(3, Notices()[0].value);
}

TEST_F(DownloadJobs, MessageZeroRunsTheJobWithoutTelling)
{
    ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "silent.bin", 1, nullptr, nullptr, nullptr, 0));
    ASSERT_NE(nullptr, Queue(HttpAddress("controls.bin"), "told.bin", 2));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(2, Notices()[0].value);
    EXPECT_EQ(Large, Local("silent.bin"));
}

// While the box waits for the user, the opening thread can still queue jobs and clean up.
TEST_F(DownloadJobs, CallsFromTheOpeningThreadReturnWhileTheBoxIsUp)
{
    const HWND other = MakeNotifyWindow();
    int queuedMeanwhile = -1;
    DialogAnswerer answerer([&](HWND) {
        queuedMeanwhile = Queue(HttpAddress("large.bin"), "meanwhile.bin", 9) != nullptr;
        web.CleanUpDeadWindow(other);
        return IDCANCEL;
    });
    ASSERT_NE(nullptr, Queue(HttpAddress("missing.bin"), "missing.bin", 8));
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(1, queuedMeanwhile);
    EXPECT_EQ(8, Notices()[0].value);
    EXPECT_EQ(QXWEB_FILE_FAILED, Notices()[0].status);
    EXPECT_EQ(9, Notices()[1].value);
    EXPECT_EQ(Large, Local("meanwhile.bin"));
}

TEST_F(DownloadJobs, ClosingTheLibraryEndsItsJobsWithoutMessage)
{
    for (LPARAM value = 1; value <= 3; ++value)
        ASSERT_NE(nullptr, Queue(HttpAddress("large.bin"), "job" + std::to_string(value) + ".bin", value));
    web.QXNetClose();
    web.QXNetClose = nullptr;
    PumpFor(500);
    EXPECT_TRUE(Notices().empty());
}

TEST_F(DownloadJobs, NestedOpenKeepsTheLibraryOpen)
{
    ASSERT_EQ(1, web.QXNetOpen());
    web.QXNetClose();
    ASSERT_NE(nullptr, Queue(HttpAddress("controls.bin"), "controls.bin", 1));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices()[0].status);
}

struct RefusalCase {
    const char* what;
    std::string address;
    std::string localName;
    int synchronous;
    std::string user;
};

class Refusals : public DownloadJobs, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, NoJobIsQueued)
{
    const RefusalCase& c = GetParam();
    QXWEBJOB job = reinterpret_cast<QXWEBJOB>(1);
    const std::string localFile = c.localName.empty() ? "" : local / c.localName;
    EXPECT_EQ(0, web.URL_Retrieve(c.address.c_str(), localFile.c_str(), c.synchronous, c.user.c_str(), "",
                                  notify, NOTIFY_MESSAGE, nullptr, &job))
        << c.what;
    EXPECT_EQ(nullptr, job);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refusals,
    testing::Values(RefusalCase{"empty address", "", "f", 0, ""},
                    RefusalCase{"no local file", "http://h/f", "", 0, ""},
                    RefusalCase{"no path", "ftp://h", "f", 0, ""},
                    RefusalCase{"other scheme", "file://h/f", "f", 0, ""},
                    RefusalCase{"network path", "\\\\h\\f", "f", 0, ""},
                    RefusalCase{"address too long", "http://h/" + std::string(260, 'a'), "f", 0, ""},
                    RefusalCase{"local file cannot be made", "http://h/f", "no\\such\\folder\\f", 0, ""},
                    RefusalCase{"synchronous", "http://h/f", "f", 1, ""},
                    RefusalCase{"user too long", "ftp://h/f", "f", 0, std::string(256, 'u')}));

}  // namespace
