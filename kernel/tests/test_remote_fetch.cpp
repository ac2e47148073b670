// Files fetched from servers through the stand-in internet library, which serves a local
// folder as the server: background jobs with their notifications, one transfer for several
// waiters, waiters that go while their transfer starts or runs, and the synchronous wait.
#include "dialog_answerer.h"
#include "internet_servers.h"
#include "filefetch.h"
#include "kernel.h"
#include "objet.h"
#include "scratch_dir.h"
#include "transfer.h"
#include "webdouble/webdouble_probe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char LibraryName[] = "QXWEB40.DLL";
const char HostClass[] = "QxRemoteFetchHost";
constexpr int HostExtraBytes = 16;
constexpr DWORD WaitMilliseconds = 10000;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const LRESULT handled = KernCommand(window, message, wParam, lParam))
        return handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ExeFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string folder = exe;
    return folder.substr(0, folder.rfind('\\') + 1);
}

std::string FileText(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// What the stand-in has recorded since it was loaded.
std::string Journal()
{
    const HMODULE library = GetModuleHandleA(LibraryName);
    if (!library)
        return "";
    const auto journal = reinterpret_cast<WebDoubleJournalFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, WEB_DOUBLE_JOURNAL)));
    return journal ? journal() : "";
}

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Runs the messages of the thread until `done` or the time is over.
bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > WaitMilliseconds)
            return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            Sleep(5);
        }
    }
    return true;
}

// An object that keeps the file notifications it hears, with the content of the file.
class WaitingObjet : public OBJET {
public:
    explicit WaitingObjet(KERNEL* kernel) : OBJET(kernel, nullptr) {}
    LRESULT KernelMessage(MSGL* msg) override
    {
        if (msg->message == KM_FILEREADY) {
            const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg->lParam);
            statuses.push_back(msg->wParam);
            contents.push_back(FileText(static_cast<const char*>(record->localFile)));
            if (onReady)
                onReady();
        }
        return OBJET::KernelMessage(msg);
    }
    std::vector<WPARAM> statuses;
    std::vector<std::string> contents;
    std::function<void()> onReady;  // what the object does once told
};

// A kernel on a hidden host window.
class KernelOnHost : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.cbWndExtra = HostExtraBytes;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = HostClass;
        RegisterClassA(&windowClass);
        host = CreateWindowA(HostClass, "Hôte", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        kernel = KernConstructeur(host, this, "", "", "");
        SetWindowLongPtrA(host, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(kernel));
    }

    void TearDown() override
    {
        KernDestructeur(kernel);
        DestroyWindow(host);
    }

    void Request(const std::string& address, OBJET* object, int transferAllowed = 1)
    {
        GETFILE_STRUCT request;
        request.object = object;
        request.transferAllowed = transferAllowed;
        KernGetFile(kernel, address.c_str(), QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
    }

    HWND host = nullptr;
    KERNEL* kernel = nullptr;
};

// With internet access through the stand-in library.
class RemoteFetch : public KernelOnHost {
protected:
    void SetUp() override
    {
        KernelOnHost::SetUp();
        // The binding loads the library by its name, which finds a module of that name
        // already loaded before any file (the program's folder may hold the real library).
        standIn = LoadLibraryA((ExeFolder() + "webdouble\\" + LibraryName).c_str());
        ASSERT_NE(nullptr, standIn);
        KernStart(1);
        ASSERT_EQ(standIn, GetModuleHandleA(LibraryName));
        server.Write("data.txt", "payload");
    }

    void TearDown() override
    {
        KernEnd();  // joins the stand-in's transfers
        KernStart(0);
        if (standIn)
            FreeLibrary(standIn);
        KernelOnHost::TearDown();
    }

    // "HTTP://<server folder>/<path>": the stand-in reads <server folder>\<path>.
    std::string Address(const char* protocol, const char* path) const
    {
        std::string folder = server.Path();
        folder.pop_back();
        return std::string(protocol) + folder + "/" + path;
    }

    // Whatever goes wrong, no alert waits for a user.
    DialogAnswerer unattended;
    ScratchDir server;
    HMODULE standIn = nullptr;
};

TEST_F(RemoteFetch, ABackgroundFileArrivesForItsObjectAndIsThenTakenFromTheCache)
{
    WaitingObjet object(kernel);
    const std::string address = Address("HTTP://", "Data.TXT");
    Request(address, &object);
    EXPECT_EQ(1, object.fileWait);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); })) << Journal();
    EXPECT_EQ(QX_FILE_ARRIVED, object.statuses[0]);
    EXPECT_EQ("payload", object.contents[0]);
    EXPECT_EQ(0, object.fileWait);
    // The path is asked for in small letters; the job stays until its object goes.
    EXPECT_EQ(1, Count(Journal(), "HTTP_Retrieve(data.txt,")) << Journal();
    ASSERT_EQ(1, kernel->jobs.Items());
    EXPECT_EQ(nullptr, static_cast<FTP_PROCESS*>(kernel->jobs.GetItem(0))->transferId);

    WaitingObjet second(kernel);
    Request(address, &second);
    ASSERT_TRUE(PumpUntil([&] { return !second.statuses.empty(); }));
    EXPECT_EQ(QX_FILE_ARRIVED, second.statuses[0]);
    EXPECT_EQ("payload", second.contents[0]);
    EXPECT_EQ(1, Count(Journal(), "HTTP_Retrieve(")) << "a complete copy needs no transfer";
    KernRemoveFtpProcess(kernel, &object);
    KernRemoveFtpProcess(kernel, &second);
}

TEST_F(RemoteFetch, TwoWaitersOfOneFileShareOneTransfer)
{
    WaitingObjet first(kernel), second(kernel);
    const std::string address = Address("FTP://", "data.txt");
    Request(address, &first);
    Request(address, &second);
    ASSERT_TRUE(PumpUntil([&] { return !first.statuses.empty() && !second.statuses.empty(); })) << Journal();
    EXPECT_EQ(QX_FILE_ARRIVED, first.statuses[0]);
    EXPECT_EQ(QX_FILE_ARRIVED, second.statuses[0]);
    EXPECT_EQ("payload", second.contents[0]);
    EXPECT_EQ(1, Count(Journal(), "FTP_Retrieve(data.txt,")) << Journal();
    EXPECT_EQ(1, Count(Journal(), ",anonymous,")) << "no account given: the anonymous one";
    KernRemoveAllFtpProcess(kernel);
    EXPECT_EQ(0, kernel->jobs.Items());
}

TEST_F(RemoteFetch, EveryWaiterStillListedHearsOnceWhatTheToldOnesEndOrAsk)
{
    WaitingObjet first(kernel), second(kernel), third(kernel), late(kernel);
    const std::string address = Address("HTTP://", "data.txt");
    // The first ends its own job and another object asks for the file while its arrival is
    // being told; the second ends the job of a waiter not told yet.
    first.onReady = [&] {
        KernRemoveFtpProcess(kernel, &first);
        Request(address, &late);
    };
    second.onReady = [&] { KernRemoveFtpProcess(kernel, &third); };
    Request(address, &first);
    Request(address, &second);
    Request(address, &third);
    ASSERT_TRUE(PumpUntil([&] { return !late.statuses.empty(); })) << Journal();
    PumpUntil([] { return !GetQueueStatus(QS_ALLINPUT); });
    EXPECT_EQ(std::vector<WPARAM>{QX_FILE_ARRIVED}, first.statuses);
    EXPECT_EQ(std::vector<WPARAM>{QX_FILE_ARRIVED}, second.statuses);
    EXPECT_TRUE(third.statuses.empty());
    EXPECT_EQ(std::vector<WPARAM>{QX_FILE_ARRIVED}, late.statuses);
    EXPECT_EQ("payload", late.contents[0]);
    EXPECT_EQ(1, Count(Journal(), "HTTP_Retrieve(")) << Journal();
    KernRemoveAllFtpProcess(kernel);
    EXPECT_EQ(0, kernel->jobs.Items());
}

TEST_F(RemoteFetch, AWaiterThatGoesBeforeTheStartCancelsItSilently)
{
    auto* object = new WaitingObjet(kernel);
    Request(Address("HTTP://", "data.txt"), object);
    ASSERT_EQ(1, kernel->jobs.Items());
    DialogAnswerer answerer;
    KillObjet(object);
    EXPECT_EQ(0, kernel->jobs.Items());
    // The starter window went with the job: nothing is started later.
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    EXPECT_EQ(0, Count(Journal(), "Retrieve(")) << Journal();
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(RemoteFetch, AWaiterThatGoesWhileItsTransferRunsKillsIt)
{
    auto* object = new WaitingObjet(kernel);
    Request(Address("HTTP://", "data.txt"), object);
    ASSERT_TRUE(PumpUntil([&] { return Count(Journal(), "HTTP_Retrieve(") == 1; }));
    DialogAnswerer answerer;
    KillObjet(object);
    EXPECT_EQ(1, Count(Journal(), "HTTP_Kill")) << Journal();
    EXPECT_EQ(0, kernel->jobs.Items());
    // The stand-in still reports the copy it made; nobody is left to hear of it.
    MSG msg;
    for (int i = 0; i < 40; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(RemoteFetch, AMissingRemoteFileFailsItsWaiterAndIsReportedOnce)
{
    WaitingObjet object(kernel);
    object.effectPending = 1;
    DialogAnswerer answerer;
    Request(Address("HTTP://", "absent.txt"), &object);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); })) << Journal();
    EXPECT_EQ(QX_FILE_FAILED, object.statuses[0]);
    EXPECT_EQ(0, object.effectPending) << "no effect for a file that did not come";
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de réseau", answerer.Shown()[0].caption);
    KernRemoveFtpProcess(kernel, &object);
}

TEST_F(RemoteFetch, AfterTheHostSaidItClosesFailuresAreNotShown)
{
    EXPECT_EQ(1, KernKillInternetJobs(kernel));
    char window[32];
    std::snprintf(window, sizeof window, "CleanUpDeadWindow(%llx)",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(host)));
    EXPECT_EQ(1, Count(Journal(), window)) << Journal();
    WaitingObjet object(kernel);
    DialogAnswerer answerer;
    Request(Address("HTTP://", "absent.txt"), &object);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); }));
    EXPECT_EQ(QX_FILE_FAILED, object.statuses[0]);
    EXPECT_TRUE(answerer.Shown().empty());
    KernRemoveFtpProcess(kernel, &object);
}

TEST_F(RemoteFetch, ATransferNotAllowedNeedsACompleteCopy)
{
    WaitingObjet object(kernel);
    DialogAnswerer answerer;
    Request(Address("HTTP://", "data.txt"), &object, 0);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); }));
    EXPECT_EQ(QX_FILE_FAILED, object.statuses[0]);
    EXPECT_EQ(0, Count(Journal(), "Retrieve(")) << Journal();
    KernRemoveFtpProcess(kernel, &object);
}

TEST_F(RemoteFetch, ASynchronousFetchWaitsInTheTransferDialog)
{
    DialogAnswerer answerer;
    char local[QX_NAME_BUFFER] = "";
    KernGetFileSync(kernel, Address("HTTP://", "data.txt").c_str(), local);
    EXPECT_EQ("payload", FileText(local)) << local;
    EXPECT_EQ(1, Count(Journal(), "HTTP_Retrieve(data.txt,")) << Journal();
    ASSERT_FALSE(answerer.Shown().empty());
    EXPECT_EQ("Connexion Internet", answerer.Shown()[0].caption);
    EXPECT_EQ(0, kernel->syncTransfer);
}

TEST_F(RemoteFetch, ASynchronousFetchWaitsForATransferThatRunsElsewhere)
{
    struct Case {
        const char* path;
        const char* expected;  // the content of the local file; "" for none
    } cases[] = {{"data.txt", "payload"}, {"absent.txt", ""}};
    for (const Case& c : cases) {
        WaitingObjet object(kernel);
        DialogAnswerer answerer;
        const std::string address = Address("HTTP://", c.path);
        Request(address, &object);
        // The dialog must end when the other transfer ends, also when it fails.
        char local[QX_NAME_BUFFER] = "";
        KernGetFileSync(kernel, address.c_str(), local);
        EXPECT_EQ(c.expected, std::string(*local ? FileText(local) : "")) << c.path;
        if (!*c.expected) {
            EXPECT_STREQ("", local) << c.path;
        }
        EXPECT_EQ(1, Count(Journal(), std::string("HTTP_Retrieve(") + c.path)) << Journal();
        KernRemoveFtpProcess(kernel, &object);
    }
}

TEST_F(RemoteFetch, ASynchronousFetchWithoutTransferGetsNoHalfWrittenFile)
{
    WaitingObjet object(kernel);
    const std::string address = Address("HTTP://", "data.txt");
    Request(address, &object);  // under way from now on
    GETFILE_STRUCT request;
    request.transferAllowed = 0;
    KernGetFile(kernel, address.c_str(), QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    EXPECT_STREQ("", request.localFile);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); }));
    KernRemoveFtpProcess(kernel, &object);
}

TEST_F(RemoteFetch, JobsOfOneServerAreRemovedAlone)
{
    ScratchDir other;
    other.Write("data.txt", "other");
    std::string otherFolder = other.Path();
    otherFolder.pop_back();
    WaitingObjet first(kernel), second(kernel);
    Request(Address("HTTP://", "data.txt"), &first);
    Request("HTTP://" + otherFolder + "/data.txt", &second);
    ASSERT_EQ(2, kernel->jobs.Items());
    KernRemoveAllFtpByServer(kernel, otherFolder.c_str());
    ASSERT_EQ(1, kernel->jobs.Items());
    EXPECT_EQ(&first, static_cast<FTP_PROCESS*>(kernel->jobs.GetItem(0))->object);
    KernRemoveAllFtpByServer(kernel, nullptr);
    EXPECT_EQ(1, kernel->jobs.Items());
    KernRemoveAllFtpProcess(kernel);
}

TEST_F(RemoteFetch, AServerInTroubleEndsOnlyItsOwnJobs)
{
    ScratchDir other;
    std::string otherFolder = other.Path();
    otherFolder.pop_back();
    struct Case {
        UINT message;
        const char* text;
    } cases[] = {{KM_NETNOANSWER, "ne répond pas"}, {KM_NETNOHOST, "Impossible de localiser le serveur"}};
    for (const Case& c : cases) {
        WaitingObjet first(kernel), second(kernel);
        KernAddFtpProcess(kernel, Address("HTTP://", "data.txt").c_str(), &first, QX_LOCATION_HTTP, nullptr);
        KernAddFtpProcess(kernel, ("HTTP://" + otherFolder + "/data.txt").c_str(), &second, QX_LOCATION_HTTP, nullptr);
        auto* block = new BACKGROUND_XFER;
        block->server = otherFolder.c_str();
        DialogAnswerer answerer;
        EXPECT_EQ(1, SendMessageA(host, c.message, 0, reinterpret_cast<LPARAM>(block)));
        ASSERT_EQ(1, kernel->jobs.Items()) << c.text;
        EXPECT_EQ(&first, static_cast<FTP_PROCESS*>(kernel->jobs.GetItem(0))->object) << c.text;
        ASSERT_EQ(1u, answerer.Shown().size()) << c.text;
        EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find(c.text)) << answerer.Shown()[0].text;
        EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find(otherFolder)) << answerer.Shown()[0].text;
        // Without a block nobody knows which transfer could not be prepared.
        EXPECT_EQ(1, SendMessageA(host, KM_NETNOANSWER, 0, 0));
        EXPECT_EQ(0, kernel->jobs.Items()) << c.text;
    }
}

// With the real internet library against real servers on 127.0.0.1.
class ServedFetch : public KernelOnHost, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        KernelOnHost::SetUp();
        ASSERT_TRUE(SharedInternetServers().Started());
        SharedInternetServers().ServeHttp("data.txt", "payload\r\n\x1A");
        SharedInternetServers().ServeFtp("data.txt", "payload\r\n\x1A");
        KernStart(1);
        ASSERT_NE(nullptr, GetModuleHandleA(LibraryName));
    }

    void TearDown() override
    {
        KernEnd();
        KernStart(0);
        KernelOnHost::TearDown();
    }

    // The kernel asks for the path in small letters, as the server names its files.
    std::string Served(const char* name) const
    {
        const std::string protocol = GetParam();
        return protocol + (protocol == "FTP://" ? SharedInternetServers().FtpHost() : SharedInternetServers().HttpHost()) +
               "/" + name;
    }
};

TEST_P(ServedFetch, BackgroundFileArrivesForItsObject)
{
    WaitingObjet object(kernel);
    Request(Served("Data.TXT"), &object);
    ASSERT_TRUE(PumpUntil([&] { return !object.statuses.empty(); }));
    EXPECT_EQ(QX_FILE_ARRIVED, object.statuses[0]);
    EXPECT_EQ("payload\r\n\x1A", object.contents[0]);
    KernRemoveFtpProcess(kernel, &object);
}

TEST_P(ServedFetch, SynchronousFetchWaitsForTheFile)
{
    char local[QX_NAME_BUFFER] = "";
    KernGetFileSync(kernel, Served("DATA.txt").c_str(), local);
    EXPECT_EQ("payload\r\n\x1A", FileText(local)) << local;
    EXPECT_EQ(0, kernel->syncTransfer);
}

INSTANTIATE_TEST_SUITE_P(Protocols, ServedFetch, testing::Values("HTTP://", "FTP://"));

}  // namespace
