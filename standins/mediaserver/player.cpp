// One media-player object's playback, notifications and pictures.
#include "player.h"

#include "packed_frame.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr wchar_t WindowClass[] = L"QXQuickTimePlayerSink";
constexpr UINT_PTR FrameTimer = 1;
constexpr long EndOfPlayEvent = 6;
constexpr long ControlBarPixels = 16;

}  // namespace

Player::Player()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = WindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly once the class exists
    window_ = CreateWindowExW(0, WindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, this);
}

Player::~Player()
{
    Close();
    if (window_)
        DestroyWindow(window_);
}

LRESULT CALLBACK Player::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* player = reinterpret_cast<Player*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        if (player && message == MM_MCINOTIFY && static_cast<MCIDEVICEID>(lParam) == player->device_.Id()) {
            player->DeviceNotified(wParam);
            return 0;
        }
        if (player && message == WM_TIMER && wParam == FrameTimer) {
            player->FrameTick();
            return 0;
        }
    } catch (...) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Player::Init(HWND owner)
{
    owner_ = owner;
}

void Player::Exit()
{
    Close();
    owner_ = nullptr;
    endMessage_ = 0;
}

bool Player::Open(const std::wstring& file)
{
    Close();
    const bool video = frames_.Open(file);
    if (!window_ || !device_.Open(file, video ? window_ : nullptr)) {
        frames_.Close();
        return false;
    }
    file_ = file;
    return true;
}

void Player::Close()
{
    Halt();
    device_.Close();
    frames_.Close();
    file_.clear();
}

bool Player::SaveAs(const std::wstring& file) const
{
    return IsOpen() && CopyFileW(file_.c_str(), file.c_str(), FALSE);
}

void Player::Play()
{
    if (!IsOpen())
        return;
    // A play from the very end is over at once (MCI would not even report it).
    if (device_.Position() >= device_.Length()) {
        if (!loop_) {
            Finished();
            return;
        }
        device_.Seek(0);
    }
    playing_ = device_.Play(window_);
    if (playing_)
        StartFrameTimer();
}

void Player::Halt()
{
    playing_ = false;
    StopFrameTimer();
    device_.Stop();
}

void Player::Stop()
{
    Halt();
    InvalidatePicture();
}

void Player::Home()
{
    Halt();
    device_.Seek(0);
    InvalidatePicture();
}

void Player::End()
{
    Halt();
    device_.Seek(device_.LastPosition());
    InvalidatePicture();
}

void Player::Step(int direction)
{
    Halt();
    device_.Seek(device_.Position() + direction * device_.StepSize());
    InvalidatePicture();
}

void Player::DeviceNotified(WPARAM outcome)
{
    // MCI also reports a stopped video play as successful, and a report can arrive after
    // the next play has started: only the end of the play under way counts.
    if (!playing_ || device_.IsPlaying())
        return;
    if (outcome == MCI_NOTIFY_SUCCESSFUL && loop_) {
        device_.Seek(0);
        if (device_.Play(window_))
            return;
    }
    // A play that failed is over too (and is not tried again, even in a loop).
    if (outcome == MCI_NOTIFY_SUCCESSFUL || outcome == MCI_NOTIFY_FAILURE)
        Finished();
}

void Player::Finished()
{
    playing_ = false;
    StopFrameTimer();
    InvalidatePicture();
    if (owner_ && endMessage_)
        PostMessageW(owner_, endMessage_, EndOfPlayEvent, 0);
}

void Player::FrameTick()
{
    const long position = device_.Position();
    if (position != shownPosition_)
        InvalidatePicture();
    shownPosition_ = position;
}

void Player::StartFrameTimer()
{
    if (frames_.IsOpen() && owner_)
        SetTimer(window_, FrameTimer, static_cast<UINT>(std::clamp(frames_.MsPerFrame(), 15L, 100L)), nullptr);
}

void Player::StopFrameTimer()
{
    KillTimer(window_, FrameTimer);
    shownPosition_ = -1;
}

void Player::InvalidatePicture() const
{
    if (owner_ && IsWindow(owner_))
        InvalidateRect(owner_, IsRectEmpty(&picture_) ? nullptr : &picture_, FALSE);
}

void Player::SetPicture(long x, long y, long w, long h)
{
    picture_ = RECT{x, y, x + w, y + h};
}

long Player::ControlBarHeight() const
{
    return ControlBarPixels;
}

void Player::SetCallback(long event, UINT message)
{
    if (event == EndOfPlayEvent)
        endMessage_ = message;
}

bool Player::InControlBar(int x, int y) const
{
    return controlBar_ && x >= picture_.left && x < picture_.right && y >= picture_.bottom - ControlBarPixels
           && y < picture_.bottom;
}

long Player::WndCommand(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool toggle = (message == WM_KEYDOWN && wParam == VK_SPACE)
                        || (message == WM_LBUTTONDOWN && InControlBar(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    if (!IsOpen() || !toggle)
        return 0;
    if (IsPlaying())
        Stop();
    else
        Play();
    return 1;
}

long Player::DurationMs() const
{
    return frames_.IsOpen() ? frames_.DurationMs() : device_.Length();
}

SAFEARRAY* Player::CurrentFrame() const
{
    if (frames_.IsOpen())
        return PackFrame(frames_.Frame(device_.Position()), frames_.Width(), frames_.Height());
    if (IsOpen())
        return PackFrame(nullptr, picture_.right - picture_.left, picture_.bottom - picture_.top);
    return nullptr;
}
