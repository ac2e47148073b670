// Named mutexes and events used from several threads, and call objects run on the thread of
// the synchronisation window.
#include "named_objects.h"
#include "synchronize_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct NameCase {
    const char* base;
    DWORD tick;
    DWORD thread;
    const char* expected;
};

class UniqueNames : public testing::TestWithParam<NameCase> {};

TEST_P(UniqueNames, BaseThenTickThenThread)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(c.expected, MakeUniqueObjectName(c.base, c.tick, c.thread));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UniqueNames,
    testing::Values(NameCase{"UrlThreadDataMutex", 0xC0FFEE, 0x1A2B, "UrlThreadDataMutex00C0FFEE00001A2B"},
                    NameCase{"", 0, 0, "0000000000000000"},
                    NameCase{"E", 0xFFFFFFFF, 0xABCDEF01, "EFFFFFFFFABCDEF01"}));

TEST(NamedObjects, SameBaseGivesDistinctObjects)
{
    qnet_CMutex first("Same");
    qnet_CMutex second("Same");
    EXPECT_STRNE(first.Name(), second.Name());
    ASSERT_EQ(1, first.Lock(0));
    int triedSecond = -1;
    std::thread([&] { triedSecond = second.Lock(0); second.Unlock(); }).join();
    EXPECT_EQ(1, triedSecond) << "the second mutex is not the first";
    first.Unlock();
}

struct TryCase {
    bool heldByOtherThread;
    int expected;
};

class MutexTry : public testing::TestWithParam<TryCase> {};

// A try on a mutex held by another thread fails at once; by the same thread it succeeds.
TEST_P(MutexTry, AnswersAtOnce)
{
    qnet_CMutex mutex("TryMutex");
    qnet_CEvent held("Held", false);
    qnet_CEvent done("Done", false);
    std::thread holder;
    if (GetParam().heldByOtherThread) {
        holder = std::thread([&] {
            mutex.Lock();
            held.Set();
            done.Wait();
            mutex.Unlock();
        });
        held.Wait();
    } else {
        ASSERT_EQ(1, mutex.Lock());
    }
    EXPECT_EQ(GetParam().expected, mutex.Lock(0));
    if (GetParam().expected)
        mutex.Unlock();
    if (holder.joinable()) {
        done.Set();
        holder.join();
    } else {
        mutex.Unlock();
    }
    EXPECT_EQ(1, mutex.OpenHandles()) << "every use closed its handle";
}

INSTANTIATE_TEST_SUITE_P(Table, MutexTry, testing::Values(TryCase{true, 0}, TryCase{false, 1}));

TEST(NamedObjects, EventSetResetAndTimeOut)
{
    qnet_CEvent event("Ev", true);
    EXPECT_EQ(1, event.Wait(0));
    event.Set(false);
    EXPECT_EQ(0, event.Wait(0));
    EXPECT_EQ(0, event.Wait(20));
    std::thread([&] { event.Set(); }).join();
    EXPECT_EQ(1, event.Wait(0));
}

// Names come from the clock's tick, which may stay the same for several objects a thread
// makes in a row: an object of the name still open elsewhere is never taken for a new one.
TEST(NamedObjects, ANameStillInUseIsNotShared)
{
    std::vector<HANDLE> squatters;
    const DWORD now = GetTickCount();
    for (DWORD tick = now; tick < now + 30; ++tick) {
        const std::string name = MakeUniqueObjectName("Squatted", tick, GetCurrentThreadId());
        squatters.push_back(CreateEventA(nullptr, TRUE, FALSE, name.c_str()));
    }
    qnet_CEvent event("Squatted", false);
    event.Set();
    for (HANDLE squatter : squatters) {
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(squatter, 0)) << event.Name();
        CloseHandle(squatter);
    }
}

// A caller waiting for its answer destroys the event as soon as it is set: the thread that
// set it must touch nothing of it afterwards.
TEST(NamedObjects, TheWaiterMayDestroyTheEventOnceItIsSet)
{
    constexpr unsigned char Reused = 0x5A;
    for (int round = 0; round < 1000; ++round) {
        auto* event = new qnet_CEvent("Handoff", false);
        std::thread setter([event] { event->Set(); });
        event->Wait();
        event->~qnet_CEvent();
        // The storage is at once someone else's.
        auto* storage = reinterpret_cast<unsigned char*>(event);
        std::memset(storage, Reused, sizeof(qnet_CEvent));
        setter.join();
        const bool untouched =
            std::all_of(storage, storage + sizeof(qnet_CEvent), [](unsigned char b) { return b == Reused; });
        ::operator delete(storage);
        ASSERT_TRUE(untouched) << "round " << round;
    }
}

TEST(NamedObjects, UnlockWithoutOwnershipThrowsTheLibraryFailure)
{
    qnet_CMutex mutex("NotOwned");
    int thrown = -1;
    try {
        mutex.Unlock();
    } catch (int failure) {
        thrown = failure;
    }
    EXPECT_EQ(QNET_SYNC_FAILURE, thrown);
    EXPECT_EQ(1, mutex.OpenHandles());
}

TEST(NamedObjects, AbandonedMutexThrows)
{
    qnet_CMutex mutex("Abandoned");
    std::thread([&] { mutex.Lock(); }).join();
    EXPECT_THROW(mutex.Lock(0), int);
}

// A mutex whose every use a test may leave open.
class LeakyMutex : public qnet_CMutex {
public:
    using qnet_CMutex::qnet_CMutex;
    void LeaveAUseOpen() { new Use(*this, OpenMutexA(SYNCHRONIZE, FALSE, Name())); }
};

// A destructor that throws would end the program: a handle left open is only noted.
TEST(NamedObjects, DestroyingAnObjectInUseDoesNotThrow)
{
    auto* mutex = new LeakyMutex("InUse");
    mutex->LeaveAUseOpen();
    EXPECT_EQ(2, mutex->OpenHandles());
    EXPECT_NO_THROW(delete mutex);
}

// Records the thread that ran it.
class ThreadProbe : public qnet_CSynchroExecObject {
public:
    int Execute() override
    {
        ranOn = GetCurrentThreadId();
        return 42;
    }
    DWORD ranOn = 0;
};

TEST(SynchronizeWindow, HiddenWindowOfItsClassAndTitle)
{
    qnet_CSynchronizeWindow window;
    char name[64] = {};
    GetClassNameA(window.Window(), name, sizeof name);
    EXPECT_STREQ("qnet_CSynchronizeWindow_WndClass", name);
    GetWindowTextA(window.Window(), name, sizeof name);
    EXPECT_STREQ("qnet_CSynchronizeWindow", name);
    EXPECT_FALSE(IsWindowVisible(window.Window()));
}

struct ExecuteCase {
    bool fromWorker;
};

class SynchronizeExecute : public testing::TestWithParam<ExecuteCase> {};

// From a worker the call waits for the window's thread, which serves it while it waits.
TEST_P(SynchronizeExecute, RunsOnTheWindowThread)
{
    qnet_CSynchronizeWindow window;
    ThreadProbe probe;
    int result = 0;
    if (GetParam().fromWorker) {
        qnet_CEvent finished("Finished", false);
        std::thread worker([&] {
            result = window.Execute(&probe);
            finished.Set();
        });
        finished.WaitServingSentMessages();
        worker.join();
    } else {
        result = window.Execute(&probe);
    }
    EXPECT_EQ(42, result);
    EXPECT_EQ(GetCurrentThreadId(), probe.ranOn);
}

INSTANTIATE_TEST_SUITE_P(Table, SynchronizeExecute, testing::Values(ExecuteCase{false}, ExecuteCase{true}));

TEST(SynchronizeWindow, NullCallThrowsAndTheMessageAloneAnswersZero)
{
    qnet_CSynchronizeWindow window;
    EXPECT_THROW(window.Execute(nullptr), int);
    EXPECT_EQ(0, SendMessageA(window.Window(), QNET_SYNCHRO_EXECUTE, 0, 0));
}

}  // namespace
