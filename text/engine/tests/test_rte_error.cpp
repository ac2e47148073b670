// Error frames: raises reach the innermost frame, keep their facts, and the frame-less path.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "rte_memory.h"
#include "rte_typed.h"
#include "test_programs.h"

namespace {

struct FatalReached {
    int32_t code;
};

void ThrowingFatalHook(int32_t code, int32_t) { throw FatalReached{code}; }

int g_framelessCalls = 0;
void CountingFramelessHook(RteMemContext*) { ++g_framelessCalls; }

class RteErrorTest : public testing::Test {
protected:
    void SetUp() override { RteMemInit(&context_, 0); }
    void TearDown() override { RteMemFree(&context_); }
    RteMemContext context_ = {};
};

TEST_F(RteErrorTest, RaiseReachesTheFrameWithCodeAndGuiltyHandle)
{
    RteHandle handle = RteAlloc(&context_, 1, 4, 0, true);
    bool after = false;
    uint16_t code = RteTry(&context_, [&] {
        RteRaise(&context_, 776, handle);
        after = true;
    });
    EXPECT_EQ(776, code);
    EXPECT_FALSE(after);
    EXPECT_EQ(776, context_.lastError);
    EXPECT_EQ(handle, context_.guiltyHandle);
    EXPECT_EQ(nullptr, context_.innermostFrame);
}

TEST_F(RteErrorTest, WorkThatRunsThroughPopsItsFrame)
{
    EXPECT_EQ(0, RteTry(&context_, [] {}));
    EXPECT_EQ(nullptr, context_.innermostFrame);
}

TEST_F(RteErrorTest, NestedFramesReachTheInnermostThenTheNextOut)
{
    std::vector<std::string> trail;
    uint16_t outer = RteTry(&context_, [&] {
        RteErrorFrame* outerFrame = context_.innermostFrame;
        uint16_t inner = RteTry(&context_, [&] { RteRaise(&context_, 0xFFFF, nullptr); });
        trail.push_back("inner " + std::to_string(inner));
        EXPECT_EQ(outerFrame, context_.innermostFrame) << "one frame unlinked per raise";
        RteRaiseAgain(&context_);
    });
    trail.push_back("outer " + std::to_string(outer));
    EXPECT_EQ((std::vector<std::string>{"inner 65535", "outer 65535"}), trail);
}

TEST_F(RteErrorTest, UndoRunsThenTheSameErrorGoesOut)
{
    RteHandle handle = RteAlloc(&context_, 1, 4, 0, true);
    RteLock(handle);
    uint16_t code = RteTry(&context_, [&] {
        RteTryOrUndo(
            &context_, [&] { RteRaise(&context_, 258, handle); },
            [&] {
                // Undo pushing frames of its own must not lose the error.
                RteTry(&context_, [] {});
                RteUnlock(handle);
            });
    });
    EXPECT_EQ(258, code);
    EXPECT_EQ(handle, context_.guiltyHandle);
    EXPECT_EQ(0, RteLockCount(handle));
}

TEST_F(RteErrorTest, ScopedLocksAreReleasedByTheRaise)
{
    RteHandle handle = RteAllocOf<int32_t>(&context_, 3, 0, true);
    uint16_t code = RteTry(&context_, [&] {
        RteLocked<int32_t> outer(handle);
        RteLocked<int32_t> inner(handle);
        EXPECT_EQ(2, RteLockCount(handle));
        RteRaise(&context_, 256, handle);
    });
    EXPECT_EQ(256, code);
    EXPECT_EQ(0, RteLockCount(handle));
}

TEST_F(RteErrorTest, AForeignExceptionLeavesNoFrameBehind)
{
    EXPECT_THROW(RteTry(&context_, [] { throw std::runtime_error("not ours"); }), std::runtime_error);
    EXPECT_EQ(nullptr, context_.innermostFrame);
}

TEST_F(RteErrorTest, RaiseUnlessToleratesZeroAndTheToleratedCode)
{
    struct Case {
        int32_t tolerated, code;
        uint16_t raised;
    } cases[] = {{1023, 0, 0}, {1023, 0x10000, 0}, {1023, 1023, 0}, {1023, 776, 776}, {0, -1, 0xFFFF}};
    for (const Case& c : cases)
        EXPECT_EQ(c.raised, RteTry(&context_, [&] { RteRaiseUnless(&context_, c.tolerated, c.code); }))
            << c.tolerated << " " << c.code;
}

TEST_F(RteErrorTest, NoteErrorKeepsTheFirstHandleAndValueAndTheLastCode)
{
    RteHandle first = RteAlloc(&context_, 1, 1, 0, true);
    RteHandle second = RteAlloc(&context_, 1, 1, 0, true);
    RteTry(&context_, [&] {
        RteNoteError(&context_, 776, first, 11);
        RteNoteError(&context_, 1027, second, 22);
    });
    EXPECT_EQ(1027, context_.lastError);
    EXPECT_EQ(first, context_.guiltyHandle);
    EXPECT_EQ(11, context_.extraErrorValue);
}

TEST_F(RteErrorTest, PushClearsWhatTheLastRaiseLeft)
{
    RteHandle handle = RteAlloc(&context_, 1, 1, 0, true);
    RteTry(&context_, [&] { RteRaise(&context_, 776, handle); });
    context_.extraErrorValue = 5;
    RteErrorFrame frame;
    RteTryPush(&context_, &frame);
    EXPECT_EQ(0, context_.lastError);
    EXPECT_EQ(nullptr, context_.guiltyHandle) << "a later note names its own handle";
    EXPECT_EQ(0, context_.extraErrorValue);
    RteTryPop(&context_);
}

TEST_F(RteErrorTest, ErrorCodeLooksAtTheLow16Bits)
{
    EXPECT_EQ(0, RteErrorCode(0));
    EXPECT_EQ(0, RteErrorCode(0x30000));
    EXPECT_EQ(0x30100, RteErrorCode(0x30100));
}

TEST_F(RteErrorTest, RaiseWithoutFrameEndsInTheFatalHookWith522)
{
    context_.fatalHook = ThrowingFatalHook;
    try {
        RteRaise(&context_, 256, nullptr);
        FAIL() << "returned";
    } catch (const FatalReached& fatal) {
        EXPECT_EQ(522, fatal.code);
    }
}

TEST_F(RteErrorTest, PopWithoutFrameTakesTheSamePath)
{
    context_.fatalHook = ThrowingFatalHook;
    try {
        RteTryPop(&context_);
        FAIL() << "no hook";
    } catch (const FatalReached& fatal) {
        EXPECT_EQ(522, fatal.code);
    }
}

TEST_F(RteErrorTest, FramelessHookIsCalledInsteadOfTheFatalHook)
{
    context_.fatalHook = ThrowingFatalHook;
    context_.framelessHook = CountingFramelessHook;
    g_framelessCalls = 0;
    RteTryPop(&context_);
    EXPECT_EQ(1, g_framelessCalls);
}

TEST_F(RteErrorTest, DefaultFatalHookAsksTheMessageLoopToEndWithCode1)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    context_.fatalHook(522, 0);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(1u, message.wParam);
}

void ReturningFatalHook(int32_t, int32_t) {}

// Run in a process of its own by the next test: a raise with no frame must not come back.
TEST(RteFramelessChild, DISABLED_RaiseWithoutFrame)
{
    RteMemContext context = {};
    RteMemInit(&context, 0);
    context.fatalHook = ReturningFatalHook;
    RteRaise(&context, 256, nullptr);
    ExitProcess(7);
}

TEST(RteFramelessTest, RaiseWithNoFrameEndsTheProcessWhenTheHooksReturn)
{
    EXPECT_EQ(1u, RunTestProgram("qxrteengine_tests.exe",
                                 "--gtest_also_run_disabled_tests --gtest_filter=RteFramelessChild.*"));
}

}  // namespace
