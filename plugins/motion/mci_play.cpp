// The play thread of an MCI device, and its stop.
#include "mci_play.h"

#include <mmsystem.h>

void MciPlay::Start(UINT device, HWND window)
{
    Stop();
    if (!device)
        return;
    device_ = device;
    window_ = window;
    stopping_ = false;
    ended_ = false;
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DWORD WINAPI MciPlay::Run(void* self)
{
    auto* play = static_cast<MciPlay*>(self);
    MCIERROR error = 0;
    if (!play->stopping_) {
        MCI_PLAY_PARMS parameters{};
        error = mciSendCommandA(play->device_, MCI_PLAY, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
    }
    play->ended_ = true;
    if (!play->stopping_)
        PostMessageA(play->window_, MM_MCINOTIFY, error ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL, play->device_);
    return 0;
}

void MciPlay::Stop()
{
    if (!thread_)
        return;
    stopping_ = true;
    // The stop may come before the play has begun: it is sent again until the play is over.
    // Messages sent to this thread's windows by the driver meanwhile are answered.
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, 0, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        if (!ended_) {
            MCI_GENERIC_PARMS stop{};
            mciSendCommandA(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
        }
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        MsgWaitForMultipleObjects(1, &thread_, FALSE, 5, QS_SENDMESSAGE);
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    device_ = 0;
}
