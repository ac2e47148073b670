// The sound of an animation: the single sound at the first frame, or the sound-track entry of
// the frame reached, played through the media server or MCI while the shared sound device is
// held.
#include "flc.h"

#include "accessors.h"
#include "kernel.h"
#include "qxmedia.h"

#include <mmsystem.h>

void FLC::SelectSoundAt(int frame)
{
    currentSound = "";
    currentSoundLocal = "";
    if (frame == 0 && soundName.length()) {
        currentSound = soundName;
        currentSoundLocal = soundLocal;
        return;
    }
    for (const SoundFrame& entry : soundTrack) {
        if (entry.frame == frame) {
            currentSound = entry.name;
            currentSoundLocal = entry.local;
            return;
        }
    }
}

void FLC::StopSound()
{
    delete soundMedia;
    soundMedia = nullptr;
    if (soundDevice)
        mciSendCommandA(soundDevice, MCI_CLOSE, MCI_WAIT, 0);
    soundDevice = 0;
    if (soundLock)
        KernUnlockId(kernel, FLC_SOUND_DEVICE);
    soundLock = 0;
}

void FLC::OpenSound(const QXSTRING& name, const QXSTRING& local)
{
    if (!name.length() || !local.length())
        return;
    StopSound();
    soundMedia = OpenServerMedia(window, local, nullptr);
    if (soundMedia)
        return;
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = local;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) == 0) {
        soundDevice = open.wDeviceID;
        KeepMciDriverLoaded(soundDevice);
    }
}

void FLC::PlayCurrentSound()
{
    if (!soundMedia && !soundDevice)
        OpenSound(currentSound, currentSoundLocal);
    if (soundMedia)
        soundMedia->Play();
    if (soundDevice) {
        if (!soundLock)
            soundLock = KernLockId(kernel, this, FLC_SOUND_DEVICE, 1);
        // The end comes to the object window, which then frees the sound device.
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
        mciSendCommandA(soundDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    }
}
