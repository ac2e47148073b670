// The binding of the internet transfer library. This process never calls QXOpen, so here the
// library is never loaded and every forwarder answers 0. QXOpen and QXClose are tested in
// copies of this program staged in scratch folders, where the library is found as it is once
// installed: by its name, beside the program. One stage has no library; the other has the
// stand-in library of webdouble/, which serves files from a local folder and keeps a journal
// of the calls it receives.
#include "dialog_answerer.h"
#include "qxwebbinding.h"
#include "scratch_dir.h"
#include "webdouble/webdouble_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const char LibraryName[] = "QXWEB40.DLL";
const char StageVariable[] = "QX_WEB_BINDING_STAGE";
const char ProgramName[] = "qxbase40_tests.exe";

// Handles and values that the stand-in only writes to its journal.
HWND const FakeWindow = reinterpret_cast<HWND>(0x1234);
QXFTPBrowser* const FakeConnection = reinterpret_cast<QXFTPBrowser*>(0x5678);
QXWEBJOB const FakeJob = reinterpret_cast<QXWEBJOB>(0x9abc);
void* const FakeValue = reinterpret_cast<void*>(0x40);

bool LibraryLoaded() { return GetModuleHandleA(LibraryName) != nullptr; }

// What the stand-in has recorded so far ("" while it is not loaded).
std::string Journal()
{
    const HMODULE library = GetModuleHandleA(LibraryName);
    if (!library)
        return "";
    const auto journal = reinterpret_cast<WebDoubleJournalFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, WEB_DOUBLE_JOURNAL)));
    return journal ? journal() : "no journal in " + std::string(LibraryName);
}

// ---- One call of each forwarder ----

struct ForwarderCase {
    const char* name;
    std::function<long long()> call;  // the forwarder's result, folded into a number
    long long libraryResult;          // what the stand-in answers
    const char* journal;              // what the stand-in records ("" when it is not called)
};

const ForwarderCase forwarderCases[] = {
    {"QXNetOpen and QXNetClose",
     [] {
         const int opens = QXNetOpen();
         QXNetClose();
         return opens;
     },
     2, "QXNetOpen\nQXNetClose\n"},
    {"QXSetDebugEditControl", [] { return QXSetDebugEditControl(FakeWindow), 0LL; }, 0,
     "QXSetDebugEditControl(1234)\n"},
    {"QXGetThisSite",
     [] {
         char site[16] = "";
         return QXGetThisSite(site) * 10LL + (std::string(site) == "double.site");
     },
     11, "QXGetThisSite\n"},
    {"QXGetThisSiteDotted",
     [] {
         char address[16] = "";
         return QXGetThisSiteDotted(address) * 10LL + (std::string(address) == "127.0.0.1");
     },
     11, "QXGetThisSiteDotted\n"},
    {"QXGetThisEmailAddress",
     [] {
         char address[16] = "";
         return QXGetThisEmailAddress(address) * 10LL + (std::string(address) == "user@double");
     },
     11, "QXGetThisEmailAddress\n"},
    {"QXFTP_Retrieve",
     [] { return QXFTP_Retrieve("pub/a.txt", "C:\\a.txt", "ftp.host", "user", "pw", FakeWindow, 1036); },
     1, "QXFTP_Retrieve(pub/a.txt,C:\\a.txt,ftp.host,user,pw,1234,1036)\n"},
    {"FTP_Kill", [] { return FTP_Kill(FakeJob); }, 0, "FTP_Kill\n"},
    {"HTTP_Kill", [] { return HTTP_Kill(FakeJob); }, 0, "HTTP_Kill\n"},
    {"URL_Kill", [] { return URL_Kill(FakeJob); }, 0, "URL_Kill\n"},
    {"CleanUpDeadWindow", [] { return CleanUpDeadWindow(FakeWindow), 0LL; }, 0, "CleanUpDeadWindow(1234)\n"},
    {"GetInternetOptions", [] { return GetInternetOptions(7, FakeValue, 16); }, 1,
     "GetInternetOptions(7,40,16)\n"},
    {"SetInternetOptions", [] { return SetInternetOptions(8, FakeValue, 4); }, 1,
     "SetInternetOptions(8,40,4)\n"},
    {"FTPConnect",
     [] { return FTPConnect("ftp.host", 21, "user", "pw", "/pub", FakeWindow, 1724) != nullptr; }, 1,
     "FTPConnect(ftp.host,21,user,pw,/pub,1234,1724)\n"},
    {"FTPDisconnect of the connection",
     [] {
         QXFTPBrowser* connection = FTPConnect("ftp.host", 21, "user", "pw", "/pub", FakeWindow, 1724);
         return connection ? FTPDisconnect(connection) + 1 : 0;
     },
     1, "FTPConnect(ftp.host,21,user,pw,/pub,1234,1724)\nFTPDisconnect\n"},
    {"FTPDisconnect of an unknown connection", [] { return FTPDisconnect(FakeConnection); }, 5006,
     "FTPDisconnect\n"},
    {"FTPGetCurrentDir", [] { return FTPGetCurrentDir(FakeConnection, FakeWindow, 1725); }, 5006,
     "FTPGetCurrentDir(1234,1725)\n"},
    {"FTPSetCurrentDir", [] { return FTPSetCurrentDir(FakeConnection, "/pub", FakeWindow, 1726); }, 5006,
     "FTPSetCurrentDir(/pub,1234,1726)\n"},
    {"FTPGetFileList", [] { return FTPGetFileList(FakeConnection, "*.pag", FakeWindow, 1727); }, 5006,
     "FTPGetFileList(*.pag,1234,1727)\n"},
    {"GetFtpProxyInfo",
     [] {
         char host[64] = "", style[64] = "", password[64] = "", user[32] = "";
         int port = 0;
         BYTE authentication = 0;
         const int active = GetFtpProxyInfo(host, sizeof host, &port, &authentication, style, sizeof style,
                                            password, sizeof password, user, sizeof user, 0);
         const bool filled = std::string(host) == "proxy.double" && std::string(user) == "proxyuser" &&
                             std::string(password) == "secret" && authentication == 1;
         return active + port * 10LL + filled * 1000000LL;
     },
     1080211, "GetFtpProxyInfo(64,64,64,32,0)\n"},
    {"SetFtpProxyInfo",
     [] {
         char password[] = "pw";
         return SetFtpProxyInfo("proxy", 21, 1, "SITE $host$", "user", password, 1);
     },
     1, "SetFtpProxyInfo(proxy,21,1,SITE $host$,user,pw,1)\n"},
    {"GetHttpProxyInfo",
     [] {
         char host[64] = "";
         int port = 0;
         const int active = GetHttpProxyInfo(host, sizeof host, &port, 1);
         return active + port * 10LL + (std::string(host) == "web.proxy.double") * 1000000LL;
     },
     1080801, "GetHttpProxyInfo(64,1)\n"},
    {"SetHttpProxyInfo", [] { return SetHttpProxyInfo("proxy", 8080, 0); }, 1, "SetHttpProxyInfo(proxy,8080,0)\n"},
    {"GetProxyUseFlag", [] { return GetProxyUseFlag(); }, 0, ""},
    {"SetProxyUseFlag", [] { return SetProxyUseFlag(1); }, 0, ""},
    {"ConfigureProxy", [] { return ConfigureProxy(FakeWindow), 0LL; }, 0, "ConfigureProxy(1234)\n"},
    {"FTPOpenConnection", [] { return FTPOpenConnection("ftp.host", "/pub", "user", "pw"); }, 5,
     "FTPOpenConnection(ftp.host,/pub,user,pw)\n"},
    {"FTPCopy", [] { return FTPCopy(5, "a.txt", "b.txt"); }, 1, "FTPCopy(5,a.txt,b.txt)\n"},
    {"FTPCloseConnection", [] { return FTPCloseConnection(5), 0LL; }, 0, "FTPCloseConnection(5)\n"},
    {"QXQuery", [] { return QXQuery(1, 2, 3); }, 0, ""},
    {"QXSQLConnect", [] { return QXSQLConnect(1, 2); }, 0, ""},
};

void ExpectEveryForwarderAnswersZero()
{
    for (const ForwarderCase& c : forwarderCases)
        EXPECT_EQ(c.call(), 0) << c.name;
    char local[MAX_PATH] = "";
    QXWEBJOB job = FakeJob;
    EXPECT_EQ(FTP_Retrieve("a.gif", local, 0, "server", "user", "pw", FakeWindow, 1036, FakeValue, &job), 0);
    EXPECT_EQ(HTTP_Retrieve("a.gif", local, "server", FakeWindow, 1036, FakeValue, &job), 0);
    EXPECT_EQ(URL_Retrieve("http://server/a.gif", local, 0, "", "", FakeWindow, 1036, FakeValue, &job), 0);
    EXPECT_EQ(job, FakeJob);
}

// ---- Open-file dialogs ----

struct DialogCall {
    const char* name;
    std::function<BOOL(OPENFILENAMEA*)> show;
};

const DialogCall dialogCalls[] = {
    {"QXGetOpenFileName", [](OPENFILENAMEA* ofn) { return QXGetOpenFileName(ofn); }},
    {"QXGetOpenFileNamePreview",
     [](OPENFILENAMEA* ofn) {
         QXPREVIEW_REQUEST request{ofn, 0x09, nullptr, 0, 0};
         return QXGetOpenFileNamePreview(&request);
     }},
};

struct OpenFileDialog {
    OpenFileDialog()
    {
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFilter = "Pages\0*.pag\0";
        ofn.Flags = OFN_FILEMUSTEXIST;
    }
    OPENFILENAMEA ofn{};
    char file[MAX_PATH] = "";
};

// The dialog is cancelled as soon as it shows.
void ExpectSystemDialog(const DialogCall& call)
{
    OpenFileDialog dialog;
    const std::string journal = Journal();
    DialogAnswerer cancel(IDCANCEL);
    EXPECT_EQ(call.show(&dialog.ofn), FALSE) << call.name;
    // Under load Wine may activate a helper window of the dialog as well: what matters is
    // that the system dialog came up and was answered.
    EXPECT_GE(cancel.Shown().size(), 1u) << call.name;
    // The system dialog may add flags of its own.
    const DWORD expected = OFN_FILEMUSTEXIST | OFN_EXPLORER;
    EXPECT_EQ(dialog.ofn.Flags & expected, expected) << call.name;
    EXPECT_EQ(Journal(), journal) << call.name;
}

// ---- In this process: the library is never loaded ----

TEST(WebBinding, ForwardersAnswerZeroWhileTheLibraryIsNotLoaded)
{
    ASSERT_FALSE(LibraryLoaded());
    ExpectEveryForwarderAnswersZero();
}

TEST(WebBinding, OpenFileDialogsAreTheSystemsWhileTheLibraryIsNotLoaded)
{
    for (const DialogCall& call : dialogCalls)
        ExpectSystemDialog(call);
    EXPECT_EQ(QXGetOpenFileName(nullptr), FALSE);
    EXPECT_EQ(QXGetOpenFileNamePreview(nullptr), FALSE);
    QXPREVIEW_REQUEST empty{};
    EXPECT_EQ(QXGetOpenFileNamePreview(&empty), FALSE);
}

// ---- Staged copies of this program ----

std::string ModuleFileName(HMODULE module)
{
    char name[MAX_PATH] = "";
    GetModuleFileNameA(module, name, sizeof name);
    return name;
}

std::string FolderOf(const std::string& file) { return file.substr(0, file.find_last_of('\\') + 1); }

int TestsInSuite(const std::string& suite)
{
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    for (int i = 0; i < tests.total_test_suite_count(); ++i)
        if (suite == tests.GetTestSuite(i)->name())
            return tests.GetTestSuite(i)->total_test_count();
    return 0;
}

int Occurrences(const std::string& text, const std::string& pattern)
{
    int count = 0;
    for (size_t at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at + 1))
        ++count;
    return count;
}

// Runs the suite in a copy of this program and of the foundation library in a folder of their
// own, with the stand-in library beside them when asked, and expects all its tests to have
// run and passed.
void RunStaged(const std::string& suite, bool withLibrary)
{
    ScratchDir stage;
    const std::string program = ModuleFileName(nullptr);
    ASSERT_TRUE(CopyFileA(program.c_str(), (stage / ProgramName).c_str(), FALSE)) << program;
    const std::string foundation = ModuleFileName(GetModuleHandleA("qxbase40.dll"));
    ASSERT_TRUE(CopyFileA(foundation.c_str(), (stage / "qxbase40.dll").c_str(), FALSE)) << foundation;
    if (withLibrary) {
        const std::string library = FolderOf(program) + "webdouble\\" + LibraryName;
        ASSERT_TRUE(CopyFileA(library.c_str(), (stage / LibraryName).c_str(), FALSE)) << library;
    }

    std::string command = "\"" + stage / ProgramName + "\" --gtest_filter=" + suite +
                          ".* --gtest_output=xml:" + stage / "result.xml";
    // The copy writes its report where this program writes its own.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA(StageVariable, suite.c_str());
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        stage.Path().c_str(), &startup, &process);
    SetEnvironmentVariableA(StageVariable, nullptr);
    ASSERT_TRUE(started) << command;
    const DWORD waited = WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << suite << " did not finish";
    EXPECT_EQ(exitCode, 0u) << suite;

    const std::string result = stage.Read("result.xml");
    EXPECT_EQ(Occurrences(result, "result=\"completed\""), TestsInSuite(suite)) << result;
    EXPECT_EQ(Occurrences(result, "<failure"), 0) << result;
}

TEST(WebBinding, RunsWithoutTheLibraryFile) { RunStaged("WebBindingWithoutLibrary", false); }

TEST(WebBinding, BindsTheLibraryBesideTheProgram) { RunStaged("WebBindingWithLibrary", true); }

// The suites below run only in the staged copies, each in its own.
class StagedTest : public testing::Test {
protected:
    void SetUp() override
    {
        char stage[64] = "";
        GetEnvironmentVariableA(StageVariable, stage, sizeof stage);
        if (std::string(stage) != testing::UnitTest::GetInstance()->current_test_info()->test_suite_name())
            GTEST_SKIP() << "runs in a staged copy of the program";
    }

    void TearDown() override
    {
        // Every test leaves the binding as it found it.
        EXPECT_FALSE(LibraryLoaded());
    }
};

// ---- Stage without the library ----

using WebBindingWithoutLibrary = StagedTest;

TEST_F(WebBindingWithoutLibrary, OpenRunsWithoutInternetAccess)
{
    QXOpen(nullptr);
    EXPECT_FALSE(LibraryLoaded());
    ExpectEveryForwarderAnswersZero();
    for (const DialogCall& call : dialogCalls)
        ExpectSystemDialog(call);
    QXClose();
}

TEST_F(WebBindingWithoutLibrary, NestedOpensAndClosesStayBalanced)
{
    for (int round = 0; round < 2; ++round) {
        QXOpen(nullptr);
        QXOpen(nullptr);
        QXClose();
        QXClose();
    }
    EXPECT_FALSE(LibraryLoaded());
    EXPECT_EQ(FTPOpenConnection("ftp.host", "/pub", "user", "pw"), 0);
}

// ---- Stage with the stand-in library ----

using WebBindingWithLibrary = StagedTest;

TEST_F(WebBindingWithLibrary, ForwardersGiveTheLibrarysAnswers)
{
    QXOpen(nullptr);
    ASSERT_TRUE(LibraryLoaded());
    for (const ForwarderCase& c : forwarderCases) {
        const std::string before = Journal();
        EXPECT_EQ(c.call(), c.libraryResult) << c.name;
        EXPECT_EQ(Journal().substr(before.size()), c.journal) << c.name;
    }
    QXClose();
    ExpectEveryForwarderAnswersZero();
}

TEST_F(WebBindingWithLibrary, OpensAreCountedAndTheLastCloseFreesTheLibrary)
{
    int one = 1;
    QXOpen(&one);
    const HMODULE library = GetModuleHandleA(LibraryName);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(Journal(), "QXNetOpen\n");
    QXOpen(&one);
    EXPECT_EQ(GetModuleHandleA(LibraryName), library);
    EXPECT_EQ(Journal(), "QXNetOpen\nQXNetOpen\n");

    QXClose();
    EXPECT_TRUE(LibraryLoaded());
    EXPECT_EQ(Journal(), "QXNetOpen\nQXNetOpen\nQXNetClose\n");
    EXPECT_EQ(FTPOpenConnection("ftp.host", "/pub", "user", "pw"), 5);
    QXClose();
    EXPECT_FALSE(LibraryLoaded());
    EXPECT_EQ(FTPOpenConnection("ftp.host", "/pub", "user", "pw"), 0);

    // A later open loads it afresh; a close without an open changes nothing.
    QXClose();
    QXOpen(nullptr);
    ASSERT_TRUE(LibraryLoaded());
    EXPECT_EQ(Journal(), "QXNetOpen\n");
    QXClose();
}

struct DialogChoice {
    const char* name;
    int* useLibraryDialogs;
    bool library;
};

TEST_F(WebBindingWithLibrary, OpenFileDialogsFollowTheChoiceOfTheOpen)
{
    int off = 0;
    int on = 1;
    const DialogChoice choices[] = {
        {"no choice", nullptr, true},
        {"library dialogs", &on, true},
        {"system dialogs", &off, false},
    };
    const char* const libraryAnswers[] = {"http://double/chosen.gif", "http://double/preview.gif"};
    for (const DialogChoice& choice : choices) {
        QXOpen(choice.useLibraryDialogs);
        for (int i = 0; i < 2; ++i) {
            const DialogCall& call = dialogCalls[i];
            if (!choice.library) {
                ExpectSystemDialog(call);
                continue;
            }
            OpenFileDialog dialog;
            const std::string before = Journal();
            EXPECT_EQ(call.show(&dialog.ofn), TRUE) << choice.name << ", " << call.name;
            EXPECT_EQ(std::string(dialog.file), libraryAnswers[i]) << choice.name << ", " << call.name;
            EXPECT_EQ(Journal().substr(before.size()), std::string(call.name) + "(81000)\n")
                << choice.name;
        }
        QXClose();
    }
}

// ---- Downloads through the stand-in ----

constexpr UINT Arrived = 1036;

// A window of this thread that receives the notifications.
class NotifyWindow {
public:
    NotifyWindow()
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~NotifyWindow() { DestroyWindow(window_); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;
    operator HWND() const { return window_; }

    // The next notification, or a message 0 after ten seconds.
    MSG Next() const
    {
        MSG message{};
        const DWORD end = GetTickCount() + 10000;
        while (!PeekMessageA(&message, window_, Arrived, Arrived, PM_REMOVE)) {
            const DWORD now = GetTickCount();
            if (now >= end)
                return MSG{};
            MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_POSTMESSAGE);
        }
        return message;
    }

private:
    HWND window_;
};

struct DownloadCase {
    const char* name;
    const char* file;  // asked from the served folder
    std::function<int(const std::string& served, const std::string& local, HWND, void*, QXWEBJOB*)> start;
    WPARAM outcome;
};

const DownloadCase downloadCases[] = {
    {"http", "logo.gif",
     [](const std::string& served, const std::string& local, HWND window, void* value, QXWEBJOB* job) {
         return HTTP_Retrieve("logo.gif", local.c_str(), served.c_str(), window, Arrived, value, job);
     },
     QXWEB_FILE_ARRIVED},
    {"ftp", "logo.gif",
     [](const std::string& served, const std::string& local, HWND window, void* value, QXWEBJOB* job) {
         return FTP_Retrieve("logo.gif", local.c_str(), 0, served.c_str(), "anonymous", "pw", window, Arrived,
                             value, job);
     },
     QXWEB_FILE_ARRIVED},
    {"url", "logo.gif",
     [](const std::string& served, const std::string& local, HWND window, void* value, QXWEBJOB* job) {
         const std::string address = "http://" + served + "/logo.gif";
         return URL_Retrieve(address.c_str(), local.c_str(), 0, "", "", window, Arrived, value, job);
     },
     QXWEB_FILE_ARRIVED},
    {"missing file", "missing.gif",
     [](const std::string& served, const std::string& local, HWND window, void* value, QXWEBJOB* job) {
         return HTTP_Retrieve("missing.gif", local.c_str(), served.c_str(), window, Arrived, value, job);
     },
     QXWEB_FILE_FAILED},
};

TEST_F(WebBindingWithLibrary, DownloadsNotifyTheirWindowAndCanBeKilledOnce)
{
    ScratchDir dir;
    dir.Write("served\\logo.gif", "GIF89a picture");
    const std::string served = dir / "served";
    QXOpen(nullptr);
    {
        NotifyWindow window;
        for (const DownloadCase& c : downloadCases) {
            const std::string local = dir / (std::string(c.name) + ".tmp");
            int record = 0;  // stands for the kernel's request record
            QXWEBJOB job = nullptr;
            ASSERT_EQ(c.start(served, local, window, &record, &job), 1) << c.name;
            ASSERT_NE(job, nullptr) << c.name;
            const MSG notification = window.Next();
            EXPECT_EQ(notification.message, Arrived) << c.name;
            EXPECT_EQ(notification.wParam, c.outcome) << c.name;
            EXPECT_EQ(notification.lParam, reinterpret_cast<LPARAM>(&record)) << c.name;
            if (c.outcome == QXWEB_FILE_ARRIVED) {
                EXPECT_EQ(dir.Read(std::string(c.name) + ".tmp"), "GIF89a picture") << c.name;
            }
            EXPECT_EQ(HTTP_Kill(job), 1) << c.name;
            EXPECT_EQ(HTTP_Kill(job), 0) << c.name;
        }
    }
    QXClose();
}

}  // namespace
