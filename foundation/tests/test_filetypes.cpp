// File types on the real registry of the test prefix: types and verbs registered for a test
// below HKEY_CLASSES_ROOT (Wine has no per-user view of the classes, so they go to the
// machine's), their actions, command lines, and DDE actions carried out against a DDE server
// running on a thread of the test.
#include "qxfiletypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Str(const QXSTRING& text) { return static_cast<const char*>(text); }

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool ClassKeyExists(const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The subkeys of a classes key in the system's order.
std::vector<std::string> Subkeys(const std::string& path)
{
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD i = 0; RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

std::vector<std::string> Names(qutil_CActionList& list)
{
    std::vector<std::string> names;
    for (long i = 0; i < list.Items(); ++i)
        names.push_back(Str(static_cast<QXStringNode*>(list.GetItem(i))->string));
    return names;
}

std::vector<std::string> ActionNames(qutl_CRegFileType& type)
{
    qutil_CActionList list;
    EXPECT_EQ(0, type.GetActions(&list));
    return Names(list);
}

qutl_CRegFileTypeAction* Action(qutl_CRegFileType& type, const char* verb)
{
    const long index = type.FindActionByName(verb);
    return index < 0 ? nullptr : static_cast<qutl_CRegFileTypeAction*>(type.GetItem(index));
}

// One key below HKEY_CLASSES_ROOT: its default value as text, as a number, or none at all.
constexpr DWORD KeyOnly = 0xFFFFFFFF;
struct Entry {
    std::string path;
    DWORD type;
    std::string text;
};

// The keys of a file type, written for one test and removed with it (also before, in case an
// earlier run was stopped halfway).
class RegisteredType {
public:
    RegisteredType(std::string extension, std::string className, const std::vector<Entry>& entries)
        : extension_(std::move(extension)), className_(std::move(className))
    {
        Remove();
        for (const Entry& entry : entries)
            Write(entry);
    }
    ~RegisteredType() { Remove(); }
    RegisteredType(const RegisteredType&) = delete;
    RegisteredType& operator=(const RegisteredType&) = delete;

private:
    static void Write(const Entry& entry)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr))
            << entry.path;
        if (entry.type == REG_DWORD) {
            const DWORD number = 1;
            RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else if (entry.type != KeyOnly) {
            RegSetValueExA(key, nullptr, 0, entry.type, reinterpret_cast<const BYTE*>(entry.text.c_str()),
                           static_cast<DWORD>(entry.text.size() + 1));
        }
        RegCloseKey(key);
    }
    void Remove() const
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, className_.c_str());
    }

    std::string extension_;
    std::string className_;
};

const char DocumentName[] = "C:\\docs\\report.qxtdoc";

std::string ServiceName() { return "QxTestServer" + std::to_string(GetCurrentProcessId()); }

// The document type most tests read: plain verbs, DDE verbs with and without ifexec and
// topic, an expanded command, and a DDE verb whose server refuses and one nobody serves.
std::vector<Entry> DocumentEntries()
{
    const std::string shell = "QxTest.Document\\shell\\";
    const std::string service = ServiceName();
    return {
        {".qxtdoc", REG_SZ, "QxTest.Document"},
        {shell + "open\\command", REG_SZ, "C:\\Tools\\viewer.exe \"%1\""},
        {shell + "print\\command", REG_SZ, "C:\\Tools\\viewer.exe /p %1"},
        {shell + "edit\\command", REG_SZ, "editor.exe %1"},
        {shell + "edit\\ddeexec", REG_SZ, "[edit(\"%1\")]"},
        {shell + "edit\\ddeexec\\application", REG_SZ, service},
        {shell + "edit\\ddeexec\\topic", REG_SZ, "Docs"},
        {shell + "edit\\ddeexec\\ifexec", REG_SZ, "[start(\"%1\")]"},
        {shell + "view\\command", REG_SZ, "viewer.exe %1"},
        {shell + "view\\ddeexec", REG_SZ, "[view(\"%1\")]"},
        {shell + "view\\ddeexec\\application", REG_SZ, service},
        {shell + "expand\\command", REG_EXPAND_SZ, "%QXFT_TOOLS%\\x.exe %1"},
        {shell + "refuse\\command", REG_SZ, "refuse.exe"},
        {shell + "refuse\\ddeexec", REG_SZ, "[refuse(\"%1\")]"},
        {shell + "refuse\\ddeexec\\application", REG_SZ, service},
        {shell + "nobody\\command", REG_SZ, "nobody.exe"},
        {shell + "nobody\\ddeexec", REG_SZ, "[x]"},
        {shell + "nobody\\ddeexec\\application", REG_SZ, "QxNobodyServesThis"},
    };
}

class FileType : public testing::Test {
protected:
    FileType() { SetEnvironmentVariableA("QXFT_TOOLS", "C:\\Tools"); }
    ~FileType() override { SetEnvironmentVariableA("QXFT_TOOLS", nullptr); }

    RegisteredType document{".qxtdoc", "QxTest.Document", DocumentEntries()};
};

}  // namespace

// ---- Reading the type and its actions ----

TEST(FileTypeEmpty, ConstructedWithoutNameOrActions)
{
    qutl_CRegFileType type;
    QXSTRING name("old");
    EXPECT_EQ(-2, type.GetFileNameStr(&name));
    EXPECT_EQ("", Str(name));
    EXPECT_EQ(-2, type.GetFileNameStr(nullptr));
    EXPECT_EQ(0, type.Items());
    qutil_CActionList list;
    list.AddTail(new QXStringNode("stale"));
    EXPECT_EQ(0, type.GetActions(&list));
    EXPECT_EQ(0, list.Items()) << "the caller's list is emptied";
    EXPECT_EQ(-1, type.GetActions(nullptr));
}

TEST_F(FileType, ReadsEveryVerbWithItsKeys)
{
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName(DocumentName));
    QXSTRING name;
    EXPECT_EQ(0, type.GetFileNameStr(&name));
    EXPECT_EQ(DocumentName, Str(name));
    EXPECT_EQ(Subkeys("QxTest.Document\\shell"), ActionNames(type)) << "the system's order";

    const std::string service = ServiceName();
    struct Case {
        const char* verb;
        const char* command;
        const char* ddeCommand;
        const char* ifExec;
        std::string application;
        const char* topic;
        int hasDde;
    } cases[] = {
        {"open", "C:\\Tools\\viewer.exe \"%1\"", "", "", "", "", 0},
        {"print", "C:\\Tools\\viewer.exe /p %1", "", "", "", "", 0},
        {"edit", "editor.exe %1", "[edit(\"%1\")]", "[start(\"%1\")]", service, "Docs", 1},
        {"view", "viewer.exe %1", "[view(\"%1\")]", "[view(\"%1\")]", service, "", 1},  // ifexec = ddeexec
        {"expand", "C:\\Tools\\x.exe %1", "", "", "", "", 0},                             // variables expanded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb);
        const qutl_CRegFileTypeAction* action = Action(type, c.verb);
        ASSERT_NE(nullptr, action);
        EXPECT_EQ(std::string("QxTest.Document\\shell\\") + c.verb, Str(action->keyPath));
        EXPECT_EQ(c.verb, Str(action->name));
        EXPECT_EQ(c.command, Str(action->command));
        EXPECT_EQ(c.ddeCommand, Str(action->ddeCommand));
        EXPECT_EQ(c.ifExec, Str(action->ifExec));
        EXPECT_EQ(c.application, Str(action->application));
        EXPECT_EQ(c.topic, Str(action->topic));
        EXPECT_EQ(c.hasDde, action->hasDde);
    }
}

TEST_F(FileType, FindsActionsAndNamesWithoutRegardToCase)
{
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName(DocumentName));
    qutil_CActionList names;
    ASSERT_EQ(0, type.GetActions(&names));
    const long print = type.FindActionByName("print");
    ASSERT_GE(print, 0);
    struct Case {
        const char* asked;
        bool found;
    } cases[] = {{"print", true}, {"PRINT", true}, {"Print", true}, {"prin", false}, {"printer", false},
                 {"", false},     {nullptr, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked ? c.asked : "(null)");
        EXPECT_EQ(c.found ? print : -1, type.FindActionByName(c.asked));
        EXPECT_EQ(c.found ? print : -1, names.FindAction(c.asked)) << "names are in the actions' order";
    }
}

TEST_F(FileType, EachCallReplacesTheActions)
{
    const RegisteredType other(".qxtother", "QxTest.Other",
                               {{".qxtother", REG_SZ, "QxTest.Other"},
                                {"QxTest.Other\\shell\\play\\command", REG_SZ, "player.exe %1"}});
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName(DocumentName));
    ASSERT_GT(type.Items(), 1);
    EXPECT_EQ(0, type.SetFileName("C:\\a.qxtother"));
    EXPECT_EQ(std::vector<std::string>{"play"}, ActionNames(type));
    EXPECT_EQ(-3, type.SetFileName("C:\\a.qxtunregistered"));
    EXPECT_EQ(0, type.Items());
    QXSTRING name;
    EXPECT_EQ(-3, type.GetFileNameStr(&name)) << "the state is the last build's result";
    EXPECT_EQ("C:\\a.qxtunregistered", Str(name));
    EXPECT_EQ(-1, type.SetFileName(nullptr));
    EXPECT_EQ(-1, type.GetFileNameStr(&name));
    EXPECT_EQ("", Str(name));
}

TEST(FileTypeBuild, ResultOfEachKindOfRegistration)
{
    SetEnvironmentVariableA("QXFT_CLASS", "QxTest.Case");
    const std::string shell = "QxTest.Case\\shell\\";
    const Entry extension{".qxtcase", REG_SZ, "QxTest.Case"};
    const Entry openCommand{shell + "open\\command", REG_SZ, "open.exe %1"};
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        int result;
        size_t actions;
    } cases[] = {
        {"not registered", {}, -3, 0},
        {"extension without a class", {{".qxtcase", KeyOnly, ""}, openCommand}, -2, 0},
        {"class given as a number", {{".qxtcase", REG_DWORD, ""}, openCommand}, -2, 0},
        {"class without shell key", {extension, {"QxTest.Case", KeyOnly, ""}}, -2, 0},
        {"shell without verbs", {extension, {shell, KeyOnly, ""}}, 0, 0},
        {"class named through a variable", {{".qxtcase", REG_EXPAND_SZ, "%QXFT_CLASS%"}, openCommand}, 0, 1},
        {"verb without command key", {extension, {shell + "open", KeyOnly, ""}}, -2, 0},
        {"command key without value", {extension, {shell + "open\\command", KeyOnly, ""}}, -2, 0},
        {"command given as a number", {extension, {shell + "open\\command", REG_DWORD, ""}}, -2, 0},
        {"ddeexec given as a number", {extension, openCommand, {shell + "open\\ddeexec", REG_DWORD, ""}}, -2, 0},
        {"topic given as a number",
         {extension, openCommand, {shell + "open\\ddeexec", REG_SZ, "[x]"}, {shell + "open\\ddeexec\\topic", REG_DWORD, ""}},
         -2, 0},
        {"ifexec given as a number",
         {extension, openCommand, {shell + "open\\ddeexec", REG_SZ, "[x]"}, {shell + "open\\ddeexec\\ifexec", REG_DWORD, ""}},
         -2, 0},
        {"application given as a number",
         {extension, openCommand, {shell + "open\\ddeexec", REG_SZ, "[x]"},
          {shell + "open\\ddeexec\\application", REG_DWORD, ""}},
         -2, 0},
        {"ddeexec without value", {extension, openCommand, {shell + "open\\ddeexec", KeyOnly, ""}}, 0, 1},
        {"a broken verb ends the build", {extension, {shell + "broken", KeyOnly, ""}, openCommand}, -2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RegisteredType registered(".qxtcase", "QxTest.Case", c.entries);
        qutl_CRegFileType type;
        EXPECT_EQ(c.result, type.SetFileName("C:\\docs\\a.qxtcase"));
        EXPECT_EQ(c.actions, static_cast<size_t>(type.Items()));
    }
    SetEnvironmentVariableA("QXFT_CLASS", nullptr);
}

TEST(FileTypeBuild, DdeexecWithoutValueIsAnEmptyDdeCommand)
{
    const RegisteredType registered(".qxtcase", "QxTest.Case",
                                    {{".qxtcase", REG_SZ, "QxTest.Case"},
                                     {"QxTest.Case\\shell\\open\\command", REG_SZ, "open.exe %1"},
                                     {"QxTest.Case\\shell\\open\\ddeexec", KeyOnly, ""}});
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName("C:\\a.qxtcase"));
    const qutl_CRegFileTypeAction* open = Action(type, "open");
    ASSERT_NE(nullptr, open);
    EXPECT_EQ(1, open->hasDde);
    EXPECT_EQ("", Str(open->ddeCommand));
    EXPECT_EQ("", Str(open->ifExec));
}

TEST(FileTypeBuild, NameWithoutDotUsesTheTypeKeyDot)
{
    if (ClassKeyExists("."))
        GTEST_SKIP() << "this prefix registers the type key \".\"";
    qutl_CRegFileType type;
    EXPECT_EQ(-3, type.SetFileName("C:\\docs\\readme"));
}

TEST_F(FileType, AddressesUseTheTypeOfTheirProtocol)
{
    for (const char* protocol : {"HTTP", "FTP"}) {
        SCOPED_TRACE(protocol);
        const std::string address = Lower(protocol) + "://host/dir/report.qxtdoc";
        qutl_CRegFileType type;
        const int result = type.SetFileName(address.c_str());
        if (!ClassKeyExists(protocol)) {
            EXPECT_EQ(-3, result);
            EXPECT_EQ(0, type.Items());
            continue;
        }
        const std::vector<std::string> verbs = Subkeys(std::string(protocol) + "\\shell");
        EXPECT_EQ(verbs.empty() && !ClassKeyExists(std::string(protocol) + "\\shell") ? -2 : 0, result);
        EXPECT_EQ(verbs, ActionNames(type)) << "the protocol's verbs, not those of .qxtdoc";
        QXSTRING cmd;
        if (type.FindActionByName("open") >= 0) {
            EXPECT_EQ(0, type.GetActionCmdLineStr("open", &cmd));
            EXPECT_NE(std::string::npos, Str(cmd).find(address)) << Str(cmd);
        }
    }
    qutl_CRegFileType local;
    EXPECT_EQ(0, local.SetFileName("C:\\dir\\report.qxtdoc"));
    EXPECT_EQ(Subkeys("QxTest.Document\\shell"), ActionNames(local));
}

// ---- Command lines ----

TEST(FileTypeCommandLine, TemplatesAreFilledWithTheFileName)
{
    struct Case {
        const char* command;
        const char* expected;
    } cases[] = {
        {"prog.exe %1", "prog.exe C:\\a.txt"},
        {"\"C:\\Program Files\\prog.exe\" \"%1\"", "\"C:\\Program Files\\prog.exe\" \"C:\\a.txt\""},
        {"prog.exe %L", "prog.exe C:\\a.txt"},
        {"prog.exe %l", "prog.exe C:\\a.txt"},
        {"prog.exe %0", "prog.exe C:\\a.txt"},
        {"prog.exe %*", "prog.exe C:\\a.txt"},
        {"prog.exe /p %1 %2 %3", "prog.exe /p C:\\a.txt  "},
        {"prog.exe %2%3%4%5%6%7%8%9-%1", "prog.exe -C:\\a.txt"},
        {"prog.exe %9 %1", "prog.exe  C:\\a.txt"},
        {"prog.exe %1 %1 %1 %1 %1 %1", "prog.exe C:\\a.txt C:\\a.txt C:\\a.txt C:\\a.txt C:\\a.txt C:\\a.txt"},
        {"prog.exe 100%%", "prog.exe 100%"},
        {"prog.exe %%1", "prog.exe %1"},
        {"prog.exe %~dp1", "prog.exe %~dp1"},
        {"prog.exe %s %d %n %x %p", "prog.exe %s %d %n %x %p"},
        {"prog.exe %", "prog.exe %"},
        {"prog.exe", "prog.exe"},
        {"", ""},
        {nullptr, ""},
    };
    qutl_CRegFileType type;
    type.SetFileName("C:\\a.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command ? c.command : "(null)");
        QXSTRING cmd("old");
        EXPECT_EQ(0, type.BuildCmdLineStr(c.command, &cmd));
        EXPECT_EQ(c.expected, Str(cmd));
    }
    EXPECT_EQ(-1, type.BuildCmdLineStr("prog.exe %1", nullptr));
}

TEST(FileTypeCommandLine, FileNamesWithPercentSignsAndLongNamesStayIntact)
{
    const std::string longName = "C:\\" + std::string(700, 'n') + "%1%s.txt";
    qutl_CRegFileType type;
    type.SetFileName(longName.c_str());
    QXSTRING cmd;
    EXPECT_EQ(0, type.BuildCmdLineStr("prog.exe \"%1\" %2", &cmd));
    EXPECT_EQ("prog.exe \"" + longName + "\" ", Str(cmd));
}

TEST_F(FileType, CommandLineOfEachAction)
{
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName(DocumentName));
    struct Case {
        const char* verb;
        int result;
        std::string cmd;
    } cases[] = {
        {"open", 0, "C:\\Tools\\viewer.exe \"C:\\docs\\report.qxtdoc\""},
        {"print", 0, "C:\\Tools\\viewer.exe /p C:\\docs\\report.qxtdoc"},
        {"PRINT", 0, "C:\\Tools\\viewer.exe /p C:\\docs\\report.qxtdoc"},
        {"rename", 0, "C:\\Tools\\viewer.exe \"C:\\docs\\report.qxtdoc\""},  // no such verb: "open"
        {"edit", -5, "editor.exe C:\\docs\\report.qxtdoc"},
        {"expand", 0, "C:\\Tools\\x.exe C:\\docs\\report.qxtdoc"},
        {nullptr, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb ? c.verb : "(null)");
        QXSTRING cmd("old");
        EXPECT_EQ(c.result, type.GetActionCmdLineStr(c.verb, &cmd));
        EXPECT_EQ(c.cmd, Str(cmd));
    }
    EXPECT_EQ(-1, type.GetActionCmdLineStr("open", nullptr));
}

TEST(FileTypeCommandLine, UnknownVerbFallsBackToOpen)
{
    const RegisteredType registered(".qxtcase", "QxTest.Case",
                                    {{".qxtcase", REG_SZ, "QxTest.Case"},
                                     {"QxTest.Case\\shell\\print\\command", REG_SZ, "printer.exe %1"},
                                     {"QxTest.Case\\shell\\open\\command", REG_SZ, "opener.exe %1"}});
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName("C:\\a.qxtcase"));
    QXSTRING cmd;
    EXPECT_EQ(0, type.GetActionCmdLineStr("edit", &cmd));
    EXPECT_EQ("opener.exe C:\\a.qxtcase", Str(cmd));
}

TEST(FileTypeCommandLine, WithoutActionTheAssociatedExecutableIsAsked)
{
    // "broken" is listed before "open" and stops the build, so the list holds no "open" while
    // the system still knows the program that opens the type.
    const RegisteredType registered(".qxtcase", "QxTest.Case",
                                    {{".qxtcase", REG_SZ, "QxTest.Case"},
                                     {"QxTest.Case\\shell\\broken", KeyOnly, ""},
                                     {"QxTest.Case\\shell\\open\\command", REG_SZ, "notepad.exe %1"}});
    qutl_CRegFileType type;
    ASSERT_EQ(-2, type.SetFileName("C:\\docs\\a.qxtcase"));
    ASSERT_EQ(0, type.Items());
    QXSTRING cmd;
    EXPECT_EQ(-4, type.GetActionCmdLineStr("open", &cmd));
    const std::string line = Lower(Str(cmd));
    const std::string tail = "notepad.exe c:\\docs\\a.qxtcase";
    ASSERT_GE(line.size(), tail.size()) << line;
    EXPECT_EQ(tail, line.substr(line.size() - tail.size())) << "executable, a blank and the file name";

    qutl_CRegFileType unknown;
    ASSERT_EQ(-3, unknown.SetFileName("C:\\docs\\a.qxtunregistered"));
    cmd = "old";
    EXPECT_EQ(-3, unknown.GetActionCmdLineStr("open", &cmd));
    EXPECT_EQ("", Str(cmd));
}

// ---- DDE ----

namespace {

// A document program's DDE server on a thread of its own: it accepts the topics "System" and
// "Docs", records each executed command with its topic and refuses those that begin with
// "[refuse".
class DdeServer {
public:
    explicit DdeServer(const std::string& service)
    {
        current = this;
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, service, ready] { Run(service, ready); });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~DdeServer()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        current = nullptr;
    }
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;

    bool Running() const { return registered_; }
    std::vector<std::string> Received()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    void Run(const std::string& service, HANDLE ready)
    {
        threadId_ = GetCurrentThreadId();
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
        HSZ serviceName = nullptr;
        if (DdeInitializeA(&instance_, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0)
            == DMLERR_NO_ERROR) {
            serviceName = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
            registered_ = DdeNameService(instance_, serviceName, nullptr, DNS_REGISTER) != nullptr;
        }
        SetEvent(ready);
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        if (instance_) {
            DdeNameService(instance_, serviceName, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(instance_, serviceName);
            DdeUninitialize(instance_);
        }
    }

    std::string Text(HSZ handle) const
    {
        char text[256] = "";
        DdeQueryStringA(instance_, handle, text, sizeof text, CP_WINANSI);
        return text;
    }

    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR)
    {
        DdeServer* server = current;
        switch (type) {
        case XTYP_CONNECT: {
            const std::string name = server->Text(topic);
            return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(name == "System" || name == "Docs"));
        }
        case XTYP_EXECUTE: {
            char command[1024] = "";
            DdeGetData(data, reinterpret_cast<BYTE*>(command), sizeof command - 1, 0);
            {
                std::lock_guard<std::mutex> lock(server->mutex_);
                server->received_.push_back(server->Text(topic) + ":" + command);
            }
            return reinterpret_cast<HDDEDATA>(
                static_cast<UINT_PTR>(std::strncmp(command, "[refuse", 7) == 0 ? DDE_FNOTPROCESSED : DDE_FACK));
        }
        default:
            return nullptr;
        }
    }

    static inline DdeServer* current = nullptr;
    std::thread thread_;
    DWORD threadId_ = 0;
    DWORD instance_ = 0;
    bool registered_ = false;
    std::mutex mutex_;
    std::vector<std::string> received_;
};

// Each DDE instance keeps an event window on the thread that started it ("WineDdeEventClass"
// under Wine, "DDEMLEvent" under Windows) until it is uninitialised: a leaked instance shows
// here. Other windows are left out: Wine itself keeps the client window of a connection that
// failed.
int DdeInstancesOfThisThread()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, "WineDdeEventClass") == 0 || std::strcmp(name, "DDEMLEvent") == 0)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class FileTypeDde : public FileType {
protected:
    DdeServer server{ServiceName()};
};

}  // namespace

TEST_F(FileTypeDde, ActionsAreExecutedByTheirServer)
{
    ASSERT_TRUE(server.Running());
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName(DocumentName));
    struct Case {
        const char* verb;
        int useDdeCommand;
        int result;
        const char* received;  // topic:command, or null when nothing may arrive
    } cases[] = {
        {"edit", 1, 0, "Docs:[edit(\"C:\\docs\\report.qxtdoc\")]"},
        {"EDIT", 0, 0, "Docs:[start(\"C:\\docs\\report.qxtdoc\")]"},           // ifexec
        {"view", 0, 0, "System:[view(\"C:\\docs\\report.qxtdoc\")]"},         // no ifexec, no topic
        {"refuse", 1, -7, "System:[refuse(\"C:\\docs\\report.qxtdoc\")]"},    // refused by the server
        {"nobody", 1, -6, nullptr},                                           // no such server
        {"print", 1, -2, nullptr},                                            // no DDE
        {"rename", 1, -2, nullptr},                                           // "open", no DDE
        {nullptr, 1, -1, nullptr},
    };
    ASSERT_EQ(0, DdeInstancesOfThisThread());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb ? c.verb : "(null)");
        const size_t receivedBefore = server.Received().size();
        EXPECT_EQ(c.result, type.ProcessDdeAction(c.verb, c.useDdeCommand));
        const std::vector<std::string> received = server.Received();
        if (c.received) {
            ASSERT_EQ(receivedBefore + 1, received.size());
            EXPECT_EQ(c.received, received.back());
        } else {
            EXPECT_EQ(receivedBefore, received.size());
        }
        EXPECT_EQ(0, DdeInstancesOfThisThread()) << "the DDE instance ends with its conversation";
    }
}

TEST_F(FileTypeDde, UnregisteredTypeHasNoAction)
{
    qutl_CRegFileType type;
    ASSERT_EQ(-3, type.SetFileName("C:\\a.qxtunregistered"));
    EXPECT_EQ(-3, type.ProcessDdeAction("open", 1));
}

TEST_F(FileTypeDde, AnsiFileNamesReachTheServerUnchanged)
{
    ASSERT_TRUE(server.Running());
    qutl_CRegFileType type;
    ASSERT_EQ(0, type.SetFileName("C:\\Été\\Noël 100%.qxtdoc"));
    EXPECT_EQ(0, type.ProcessDdeAction("edit", 1));
    const std::vector<std::string> received = server.Received();
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ("Docs:[edit(\"C:\\Été\\Noël 100%.qxtdoc\")]", received.back());
}

TEST_F(FileTypeDde, ConversationStepsOneByOne)
{
    ASSERT_TRUE(server.Running());
    qutl_CRegFileType type;
    ASSERT_EQ(0, DdeInstancesOfThisThread());
    EXPECT_EQ(0, type.DdeExec("[early]", 0)) << "no conversation yet";
    EXPECT_EQ(0, type.DdeConnectToServer("", "System")) << "an empty service would reach any server";
    EXPECT_EQ(0, type.DdeConnectToServer(nullptr, "System"));
    EXPECT_EQ(0, type.DdeConnectToServer(ServiceName().c_str(), "NoSuchTopic"));
    EXPECT_EQ(0, DdeInstancesOfThisThread()) << "a failed connection leaves no instance";

    ASSERT_EQ(1, type.DdeConnectToServer(ServiceName().c_str(), "Docs"));
    EXPECT_EQ(1, DdeInstancesOfThisThread()) << "the conversation's instance";
    EXPECT_EQ(1, type.DdeExec("[one]", 0));
    EXPECT_EQ(0, type.DdeExec("[refuse]", 0));
    EXPECT_EQ(0, type.DdeExec(nullptr, 0));
    ASSERT_EQ(1, type.DdeExec("[two]", 1));
    // An asynchronous transaction completes through this thread's messages.
    for (int wait = 0; wait < 200 && server.Received().size() < 3; ++wait) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
    ASSERT_EQ(1, type.DdeConnectToServer(ServiceName().c_str(), nullptr)) << "a new conversation replaces the first";
    EXPECT_EQ(1, DdeInstancesOfThisThread()) << "the first conversation's instance is gone";
    EXPECT_EQ(1, type.DdeExec("[three]", 0));
    type.DdeDisconnectFromServer();
    EXPECT_EQ(0, type.DdeExec("[late]", 0));
    EXPECT_EQ((std::vector<std::string>{"Docs:[one]", "Docs:[refuse]", "Docs:[two]", "System:[three]"}), server.Received());
    EXPECT_EQ(0, DdeInstancesOfThisThread());
}

TEST_F(FileTypeDde, DestructorEndsAConversationLeftOpen)
{
    ASSERT_TRUE(server.Running());
    ASSERT_EQ(0, DdeInstancesOfThisThread());
    {
        qutl_CRegFileType type;
        ASSERT_EQ(1, type.DdeConnectToServer(ServiceName().c_str(), "Docs"));
        EXPECT_EQ(1, DdeInstancesOfThisThread());
    }
    EXPECT_EQ(0, DdeInstancesOfThisThread());
}
