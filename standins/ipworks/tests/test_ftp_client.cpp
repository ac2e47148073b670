// The component's FTP client against a real FTP server on 127.0.0.1.
#include "component_recorder.h"
#include "scratch_dir.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using FtpObject = std::unique_ptr<IPWorksFtp, ObjectDeleter<IPWORKS_FTP>>;

FtpObject MakeFtp(IPWorksFtpEvents* events, const char* user, const char* password)
{
    FtpObject ftp = MakeObject<IPWorksFtp, IPWORKS_FTP>(events);
    if (!ftp)
        return ftp;
    ftp->SetRemoteHost(Servers().FtpHost().c_str());
    ftp->SetUser(user);
    ftp->SetPassword(password);
    return ftp;
}

class ComponentFtp : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Servers().Started());
        Servers().ClearLogs();
        for (const TransferFixture& fixture : TransferFixtures())
            Servers().ServeFtp(fixture.name, fixture.bytes);
    }
    FtpRecorder events;
};

struct DownloadCase {
    int passive;
};

class ComponentFtpDownload : public ComponentFtp, public testing::WithParamInterface<DownloadCase> {};

TEST_P(ComponentFtpDownload, EveryFixtureArrivesWhole)
{
    FtpObject ftp = MakeFtp(&events, "anonymous", "guest@");
    ASSERT_TRUE(ftp);
    ftp->SetPassive(GetParam().passive);
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LOGON));
    ASSERT_EQ(IPWORKS_OK, ftp->SetTransferMode(FTP_IMAGE));
    ScratchDir local;
    for (const TransferFixture& fixture : TransferFixtures()) {
        events.data.clear();
        ftp->SetRemoteFile(fixture.name);
        ftp->SetLocalFile((local / fixture.name).c_str());
        ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_DOWNLOAD)) << fixture.name;
        EXPECT_EQ(fixture.bytes, events.data) << fixture.name;
        EXPECT_EQ(fixture.bytes, local.Read(fixture.name)) << fixture.name;
    }
    EXPECT_LE(events.largestBlock, 65535);
    EXPECT_EQ(3, events.ends);
    EXPECT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LOGOFF));
    const std::string log = Servers().FtpLog();
    EXPECT_NE(std::string::npos, log.find(GetParam().passive ? "PASV" : "PORT 127,0,0,1,")) << log;
    EXPECT_NE(std::string::npos, log.find("TYPE I")) << log;
    EXPECT_NE(std::string::npos, log.find("QUIT")) << log;
}

INSTANTIATE_TEST_SUITE_P(Table, ComponentFtpDownload, testing::Values(DownloadCase{1}, DownloadCase{0}));

TEST_F(ComponentFtp, AccountStoresListsAndChangesFolders)
{
    FtpObject ftp = MakeFtp(&events, "writer", "secret");
    ASSERT_TRUE(ftp);
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LOGON));
    ftp->SetRemoteFile("made");
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_MAKE_DIRECTORY));
    ASSERT_EQ(IPWORKS_OK, ftp->SetRemotePath("made"));
    char path[260];
    ASSERT_EQ(IPWORKS_OK, ftp->GetRemotePath(path, sizeof path));
    EXPECT_STREQ("/made", path);
    ScratchDir local;
    const TransferFixture fixture = TransferFixtures()[1];
    local.Write("up.bin", fixture.bytes);
    ftp->SetLocalFile((local / "up.bin").c_str());
    ftp->SetRemoteFile("stored.bin");
    ASSERT_EQ(IPWORKS_OK, ftp->SetTransferMode(FTP_IMAGE));
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_UPLOAD));
    ftp->SetRemoteFile("");
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LIST));
    ASSERT_EQ(1u, events.lines.size());
    EXPECT_NE(std::string::npos, events.lines[0].find("stored.bin")) << events.lines[0];
    EXPECT_NE(std::string::npos, events.lines[0].find(std::to_string(fixture.bytes.size()))) << events.lines[0];
    ftp->SetAction(FTP_LOGOFF);
    EXPECT_EQ(fixture.bytes, Servers().ReadUpload("made\\stored.bin"));
}

TEST_F(ComponentFtp, WrongPasswordFailsTheLogOn)
{
    FtpObject ftp = MakeFtp(&events, "writer", "wrong");
    ASSERT_TRUE(ftp);
    EXPECT_EQ(IPWORKS_REFUSED, ftp->SetAction(FTP_LOGON));
    EXPECT_EQ(1, events.errors);
    ASSERT_FALSE(events.replies.empty());
    EXPECT_EQ(530, events.replies.back());
    EXPECT_EQ(IPWORKS_NOT_CONNECTED, ftp->SetCommand("NOOP"));
}

TEST_F(ComponentFtp, ClosedPortFailsToConnect)
{
    FtpObject ftp = MakeFtp(&events, "anonymous", "guest@");
    ASSERT_TRUE(ftp);
    ftp->SetRemoteHost("127.0.0.1:1");
    EXPECT_EQ(IPWORKS_CONNECT_FAILED, ftp->SetAction(FTP_LOGON));
}

// With an empty user the connection stops at the greeting, so a proxy's own log-on follows
// through raw commands, each succeeding on a reply below 400.
TEST_F(ComponentFtp, EmptyUserOnlyReadsTheGreetingAndRawCommandsFollow)
{
    FtpObject ftp = MakeFtp(&events, "", "");
    ASSERT_TRUE(ftp);
    // The port given with the host wins over RemotePort.
    ftp->SetRemotePort(1);
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LOGON));
    EXPECT_EQ((std::vector<int>{220}), events.replies);
    EXPECT_EQ(IPWORKS_OK, ftp->SetCommand("USER anonymous"));
    EXPECT_EQ(IPWORKS_OK, ftp->SetCommand("PASS guest@"));
    EXPECT_EQ(IPWORKS_REFUSED, ftp->SetCommand("NOSUCHCOMMAND"));
    EXPECT_EQ(IPWORKS_OK, ftp->SetCommand("NOOP"));
    ftp->SetAction(FTP_LOGOFF);
    EXPECT_EQ("USER anonymous\nPASS guest@\nNOSUCHCOMMAND\nNOOP\nQUIT", Servers().FtpLog());
}

// A window of the driving thread receives a message during the transfer and interrupts it.
class Interrupter : public FtpRecorder {
public:
    int Data(long count, const char* block, unsigned short length) override
    {
        if (data.empty())
            PostMessageA(window, WM_APP, 0, 0);
        return FtpRecorder::Data(count, block, length);
    }
    HWND window = nullptr;
};

IPWorksFtp* interrupted = nullptr;

LRESULT CALLBACK InterruptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP && interrupted)
        interrupted->SetAction(FTP_INTERRUPT);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ComponentFtp, WindowMessageDuringALongTransferInterruptsWithAbor)
{
    std::string big(16 * 1024 * 1024, 'x');
    Servers().ServeFtp("long.bin", big);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = InterruptProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ComponentInterrupter";
    RegisterClassA(&windowClass);
    Interrupter receiver;
    receiver.window = CreateWindowA("ComponentInterrupter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    FtpObject ftp = MakeFtp(&receiver, "anonymous", "guest@");
    ASSERT_TRUE(ftp);
    interrupted = ftp.get();
    ASSERT_EQ(IPWORKS_OK, ftp->SetAction(FTP_LOGON));
    ftp->SetRemoteFile("long.bin");
    // A thread message posted meanwhile is left for the thread's own loop.
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, 7, 0);
    EXPECT_EQ(IPWORKS_INTERRUPTED, ftp->SetAction(FTP_DOWNLOAD));
    interrupted = nullptr;
    EXPECT_LT(receiver.data.size(), big.size());
    EXPECT_EQ(0, receiver.ends);
    EXPECT_EQ(1, receiver.errors);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_APP + 1, WM_APP + 1, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    // The control connection still works after the abort.
    EXPECT_EQ(IPWORKS_OK, ftp->SetCommand("NOOP"));
    ftp->SetAction(FTP_LOGOFF);
    DestroyWindow(receiver.window);
    EXPECT_NE(std::string::npos, Servers().FtpLog().find("RETR long.bin\nABOR")) << Servers().FtpLog();
}

TEST(ComponentObjects, UnknownKindMakesNothing)
{
    EXPECT_EQ(nullptr, _IPWorks_CreateObject(16, nullptr));
}

}  // namespace
