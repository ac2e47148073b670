// The player window "QXMOTION_CALLBACK": paints the frame, advances on the pacing table's
// WM_TIMER, tells the notify window of the end, passes the mouse on; and play and stop.
#include "flic_player.h"

#include "pacing_clock.h"
#include "qxsupport.h"

namespace {

HINSTANCE playerClassModule = nullptr;

LRESULT CALLBACK FlicPlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return 0;
    }
    auto* player = reinterpret_cast<FlicPlayer*>(GetWindowLongPtrA(window, 0));
    if (!player)
        return DefWindowProcA(window, message, wParam, lParam);
    return player->OnMessage(window, message, wParam, lParam);
}

}  // namespace

bool RegisterFlicPlayerClass(HINSTANCE module)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = FlicPlayerProc;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = FLIC_PLAYER_CLASS;
    if (!RegisterClassA(&windowClass))
        return false;
    playerClassModule = module;
    return true;
}

void UnregisterFlicPlayerClass()
{
    if (playerClassModule)
        UnregisterClassA(FLIC_PLAYER_CLASS, playerClassModule);
    playerClassModule = nullptr;
}

HWND CreateFlicPlayerWindow(FlicPlayer* player, HWND parent, int x, int y, int width, int height)
{
    return QXCreateTaggedWindow(FLIC_PLAYER_CLASS, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                playerClassModule, player, "anim.pag");
}

void FlicPlayer::SetNotify(HWND window, UINT endMessage, LPARAM endTag)
{
    notify_ = window;
    endMessage_ = endMessage;
    endTag_ = endTag;
}

void FlicPlayer::SetFrameMessage(UINT message, DWORD stopFrameAndLoop, LPARAM tag)
{
    frameMessage_ = message;
    stopFrame_ = LOWORD(stopFrameAndLoop);
    stopLoop_ = HIWORD(stopFrameAndLoop);
    tag_ = tag;
}

int FlicPlayer::Play()
{
    if (registered_)
        return 1;
    registered_ = true;
    // Without a free slot the player is not paced: it shows its frame and waits.
    slot_ = FlicPlayerTable().Add(window_, WM_TIMER, static_cast<int>(reader_.Speed()), 0, &busy_);
    PostFrame(Counter());
    return 1;
}

int FlicPlayer::Stop()
{
    if (registered_) {
        registered_ = false;
        FlicPlayerTable().Remove(slot_);
    }
    return 1;
}

// Once per arrival at the stop frame, and only during a play: a frame stepped to by hand, or
// the same frame painted again, is no end.
void FlicPlayer::PostEndIfStopFrameShown()
{
    if (!registered_ || endPosted_ || !notify_ || !frameMessage_)
        return;
    if (Counter() >= stopFrame_ && Loops() == stopLoop_) {
        endPosted_ = true;
        PostMessageA(notify_, frameMessage_, 0, tag_);
    }
}

void FlicPlayer::OnPlayerTick()
{
    if (busy_)
        return;
    busy_ = true;
    if (Counter() + 1 == Frames() && notify_) {
        if (endMessage_)
            PostMessageA(notify_, endMessage_, 0, endTag_);
        Stop();
        busy_ = false;
        return;
    }
    NextFrame();
}

LRESULT FlicPlayer::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        KillTimer(window, FLIC_WATCHDOG_TIMER);
        Draw(dc, true);
        EndPaint(window, &paint);
        busy_ = false;
        PostEndIfStopFrameShown();
        return 0;
    }
    case WM_TIMER:
        if (wParam == FLIC_WATCHDOG_TIMER) {
            // The paint never came (a hidden window): pacing goes on, and the end is still told.
            KillTimer(window, FLIC_WATCHDOG_TIMER);
            busy_ = false;
            PostEndIfStopFrameShown();
        } else {
            OnPlayerTick();
        }
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (notify_)
            PostMessageA(notify_, message, wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
