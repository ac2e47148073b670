// Playing the sound through the media server or MCI, and what happens at the end of a play.
#include "sound.h"

#include "accessors.h"
#include "branch.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "objgeometry.h"
#include "qxmedia.h"

#include <mmsystem.h>
#include <cstring>

namespace {

bool HasWaveDevice() { return waveOutGetNumDevs() > 0; }

bool IsWave(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    return dot && lstrcmpiA(dot + 1, "WAV") == 0;
}

}  // namespace

void SOUND::CloseDevice()
{
    if (mciDevice)
        mciSendCommandA(mciDevice, MCI_CLOSE, MCI_WAIT, 0);
    mciDevice = 0;
    playing = 0;
}

void SOUND::ReleaseDevice()
{
    if (deviceLock)
        KernUnlockId(kernel, QX_SOUND_DEVICE);
    deviceLock = 0;
}

void SOUND::PostEndOfPlay()
{
    if (!window)
        return;
    PostMessageA(window, QX_MEDIA_END, 0, 0);
    PostMessageA(window, MM_MCINOTIFY, 0, 0);
}

int SOUND::StartSound()
{
    if (delayTimer || !fileName.length() || !HasWaveDevice())
        return 0;
    if (!localPath.length()) {
        GETFILE_STRUCT request;
        request.object = this;
        KernGetFile(kernel, fileName, QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
        return 1;
    }
    if (!media) {
        media = new CMedia;
        if (media && media->Active()) {
            long result = 0;
            media->Init(window, &result);
            media->SetCallbackMessage(6, QX_MEDIA_END);
        } else {
            delete media;
            media = nullptr;
        }
    }
    if (media) {
        long opened = 0;
        wchar_t wide[QX_NAME_BUFFER];
        MultiByteToWideChar(CP_ACP, 0, localPath, -1, wide, QX_NAME_BUFFER);
        BSTR name = SysAllocString(wide);
        media->Open(name, &opened);
        SysFreeString(name);
        if (opened) {
            media->Play();
            plays = 0;
            playing = 1;
            return 1;
        }
        delete media;
        media = nullptr;
    }
    if (IsWave(localPath) && !deviceLock) {
        deviceLock = KernLockId(kernel, this, QX_SOUND_DEVICE, 1);
        if (!deviceLock)
            return 0;
    }
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = localPath;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) == 0 && open.wDeviceID) {
        mciDevice = open.wDeviceID;
        KeepMciDriverLoaded(mciDevice);
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
        if (mciSendCommandA(mciDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0) {
            plays = 0;
            playing = 1;
            return 1;
        }
    }
    CloseDevice();
    ReleaseDevice();
    return 0;
}

// Without loop the branch is taken after the first play, whatever the iterations say:
// files may hold iterations above 1 without loop, which would otherwise never branch.
void SOUND::OnPlayEnded(bool throughMedia)
{
    ++plays;
    BRANCH* branch = GetBranch(0);
    const int wanted = loop ? iterations : 1;
    if (!(KernGetMode(kernel) & QX_MODE_EDIT_BIT)) {
        if (branch && branch->IsBranchingSomewhere() && (shown || localPath.length()) && kernel->autoBranch &&
            plays >= wanted) {
            branch->source = window;
            KernSetBranch(kernel, branch);
        } else if (loop && throughMedia && media) {
            media->Home();
            media->Play();
            playing = 1;
            return;
        } else if (loop && !throughMedia && mciDevice) {
            MCI_SEEK_PARMS seek{};
            mciSendCommandA(mciDevice, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
            MCI_PLAY_PARMS play{};
            play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
            mciSendCommandA(mciDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
            playing = 1;
            return;
        }
    }
    if (throughMedia) {
        delete media;
        media = nullptr;
        playing = 0;
        plays = 0;
        return;
    }
    CloseDevice();
    plays = 0;
    ReleaseDevice();
}

LRESULT SOUND::WindowsMessage(MSGL* msg)
{
    switch (msg->message) {
    case WM_MOVE:
    case WM_SIZE:
        FollowMoveOrSize(this, msg);
        return 0;
    case WM_PAINT: {
        static bool painting = false;
        if ((msg->mode & QX_MODE_EDIT_BIT) && !painting && SoundIcon()) {
            painting = true;
            HDC dc = reinterpret_cast<HDC>(msg->wParam);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, SoundIcon());
            StretchBlt(dc, 0, 0, w, h, memory, 0, 0, 48, 48, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            painting = false;
        }
        return 1;
    }
    case MM_MCINOTIFY:
        if (msg->lParam && mciDevice) {
            MCI_STATUS_PARMS status{};
            status.dwItem = MCI_STATUS_MODE;
            if (mciSendCommandA(mciDevice, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                                reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
                status.dwReturn == MCI_MODE_PLAY) {
                SetTimer(window, QX_TIMER_MCI_POLL, 10, nullptr);
                return 0;
            }
        }
        if (HasWaveDevice())
            OnPlayEnded(false);
        else
            CloseDevice();
        return 0;
    case WM_TIMER:
        KillTimer(window, QX_TIMER_MCI_POLL);
        PostMessageA(window, MM_MCINOTIFY, 0, 0);
        PostMessageA(window, QX_MEDIA_END, 0, 0);
        return 0;
    case QX_MEDIA_END:
        if (HasWaveDevice() && media)
            OnPlayEnded(true);
        return 0;
    default:
        return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
    }
}
