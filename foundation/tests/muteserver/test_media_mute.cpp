// The media-server clients when the server never answers an activation. A process whose
// activation went unanswered counts the server as mute for good, so these tests have a test
// program of their own.
#include "qxmedia.h"

#include "test_programs.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>

namespace {

constexpr const char* MuteServerProgram = "qxmuteserver.exe";
constexpr const char* ModuleClassKey = "CLSID\\{687C6184-9B69-11D3-9FE3-0040F6D49C4D}";
constexpr const char* PlayerClassKey = "CLSID\\{666BA0D0-9944-11D3-9FE1-0040F6D49C4D}";

// Whatever the waits inside COM, a connection must come back well before this.
constexpr DWORD HangMs = 60000;

int MuteServersRunning(bool end = false)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, MuteServerProgram) != 0)
            continue;
        ++count;
        if (HANDLE process = end ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr) {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return count;
}

void WriteLocalServer(const char* classKey, const std::string& program)
{
    const std::string key = std::string(classKey) + "\\LocalServer32";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, program.c_str(),
                                          static_cast<DWORD>(program.size())));
}

// The media classes name the mute program as their server; the real registration comes back
// at the end.
class MuteMediaServer : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
        const std::string program = "\"" + TestProgramFolder() + MuteServerProgram + "\"";
        WriteLocalServer(ModuleClassKey, program);
        WriteLocalServer(PlayerClassKey, program);
    }

    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ModuleClassKey);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, PlayerClassKey);
        MuteServersRunning(true);
        EXPECT_EQ(0u, RunMediaServer("/REGSERVER"));
        CoUninitialize();
    }
};

// Connects a client on a thread of its own, so that a connection that never comes back
// fails the test instead of holding it.
template <typename Client>
bool ConnectsAndComesBack(bool& active)
{
    struct Attempt {
        bool active = false;
        static DWORD WINAPI Run(void* parameter)
        {
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            {
                Client client;
                static_cast<Attempt*>(parameter)->active = client.Active() != 0;
            }
            CoUninitialize();
            return 0;
        }
    };
    auto* attempt = new Attempt;
    HANDLE thread = CreateThread(nullptr, 0, Attempt::Run, attempt, 0, nullptr);
    const bool cameBack = WaitForSingleObject(thread, HangMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!cameBack)
        return false;  // the attempt is left to the thread
    active = attempt->active;
    delete attempt;
    return true;
}

}  // namespace

TEST_F(MuteMediaServer, ConnectionsGiveUpAndLaterOnesDoNotTryAgain)
{
    bool active = true;
    ASSERT_TRUE(ConnectsAndComesBack<CMediaModule>(active)) << "the module's connection never came back";
    EXPECT_FALSE(active);
    // The server program was started once and never answered.
    EXPECT_EQ(1, MuteServersRunning());

    // From now on the server counts as mute: clients are inactive without starting it again.
    MuteServersRunning(true);
    ASSERT_TRUE(ConnectsAndComesBack<CMedia>(active)) << "the player's connection never came back";
    EXPECT_FALSE(active);
    EXPECT_EQ(0, MuteServersRunning());
    CMedia media;
    EXPECT_FALSE(media.Active());
    long duration = 5;
    EXPECT_EQ(0, media.GetDuration(&duration));
    EXPECT_EQ(5, duration);
}
