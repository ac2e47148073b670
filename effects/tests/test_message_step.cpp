// Messages while an effect runs: posted ones, the kernel's WM_NULL among them, are neither
// handled nor reordered nor added to; messages sent from other threads still get through.
#include "area.h"
#include "effect_module.h"
#include "effect_request.h"
#include "image_handle.h"
#include "target_window.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

namespace {

struct Seen {
    UINT message;
    bool duringEffect;
};

std::vector<Seen> seen;
bool effectRunning = false;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NULL || message == WM_CLOSE || message >= WM_USER)
        seen.push_back({message, effectRunning});
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessagesDuringEffect : public testing::Test {
protected:
    MessagesDuringEffect()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QxfxRecordingWindow";
        RegisterClassA(&windowClass);
        listener_ = CreateWindowExA(0, "QxfxRecordingWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        seen.clear();
    }
    ~MessagesDuringEffect() override { DestroyWindow(listener_); }

    // A door effect of some twenty steps.
    void RunEffect()
    {
        Area area{0, 0, 37, 23};
        TargetWindow window(37, 23);
        ImageHandle image(NewImagePicture(37, 23), kBitmapImage);
        effectRunning = true;
        EXPECT_EQ(Wipe3().Draw(window.Dc(), area, image.get(), kBitmapImage, 7), 0);
        effectRunning = false;
    }

    // The posted messages now waiting for the listener or the thread, in their order.
    std::vector<std::pair<HWND, UINT>> TakeQueued()
    {
        std::vector<std::pair<HWND, UINT>> queued;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.hwnd == listener_ || message.hwnd == nullptr)
                queued.emplace_back(message.hwnd, message.message);
        return queued;
    }

    HWND listener_;
};

TEST_F(MessagesDuringEffect, PostedMessagesStayQueuedInTheirOrder)
{
    PostMessageA(listener_, WM_USER + 1, 0, 0);
    PostMessageA(listener_, WM_NULL, 0, 0);  // as the kernel posts it to run a pending branch
    PostMessageA(listener_, WM_USER + 2, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 3, 0, 0);

    RunEffect();

    EXPECT_TRUE(seen.empty()) << "message " << seen.front().message << " was handled";
    std::vector<std::pair<HWND, UINT>> expected = {
        {listener_, WM_USER + 1}, {listener_, WM_NULL}, {listener_, WM_USER + 2}, {nullptr, WM_USER + 3}};
    EXPECT_EQ(TakeQueued(), expected);
}

TEST_F(MessagesDuringEffect, QueuedCloseIsLeftAloneAndNothingPilesUpBehindIt)
{
    PostMessageA(listener_, WM_CLOSE, 0, 0);

    RunEffect();

    EXPECT_TRUE(seen.empty());
    std::vector<std::pair<HWND, UINT>> expected = {{listener_, WM_CLOSE}};
    EXPECT_EQ(TakeQueued(), expected);
}

TEST_F(MessagesDuringEffect, MessagesSentFromAnotherThreadAreHandled)
{
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND listener = listener_;
    std::thread sender([=] {
        SetEvent(started);
        SendMessageA(listener, WM_USER + 9, 0, 0);
    });
    WaitForSingleObject(started, INFINITE);

    RunEffect();

    sender.join();
    CloseHandle(started);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, WM_USER + 9u);
    EXPECT_TRUE(seen[0].duringEffect) << "the sent message waited for the effect to end";
}

} // namespace
