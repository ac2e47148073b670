// The branch sound: played by the outside media server when it answers, else through MCI
// under the kernel's claim on the sound device (id 1). One sound for the whole process; the
// next replaces it.
#include "sound.h"

#include "accessors.h"
#include "filefetch.h"
#include "kernel.h"
#include "qxmedia.h"
#include "qxpath.h"

#include <mmsystem.h>
#include <oleauto.h>

namespace {

// The resource id of the sound device among the kernel's claimed ids.
constexpr int SoundDeviceId = 1;

MCIDEVICEID playing = 0;
CMedia* server = nullptr;

void CloseDevice()
{
    if (!playing)
        return;
    mciSendCommandA(playing, MCI_CLOSE, 0, 0);
    playing = 0;
}

void DropServer()
{
    delete server;
    server = nullptr;
}

// True when the media server took the file.
bool PlayOnServer(const char* file)
{
    if (!server) {
        server = new CMedia;
        if (server && !server->Active())
            DropServer();
    }
    if (!server)
        return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, file, -1, nullptr, 0);
    BSTR name = SysAllocStringLen(nullptr, length > 0 ? static_cast<UINT>(length - 1) : 0);
    if (name)
        MultiByteToWideChar(CP_ACP, 0, file, -1, name, length);
    long opened = 0;
    if (!name || !server->Open(name, &opened)) {
        SysFreeString(name);
        DropServer();
        return false;
    }
    SysFreeString(name);
    server->Play();
    return true;
}

void PlayThroughMci(KERNEL* kernel, const char* file)
{
    if (!KernLockId(kernel, kernel->kernelObject, SoundDeviceId, 0))
        return;
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = file;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) == 0) {
        playing = open.wDeviceID;
        KeepMciDriverLoaded(playing);
        MCI_PLAY_PARMS play{};
        mciSendCommandA(playing, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
    }
    KernUnlockId(kernel, SoundDeviceId);
}

}  // namespace

void KernStopSound()
{
    CloseDevice();
    DropServer();
}

void KernPlaySound(KERNEL* kernel, const char* file)
{
    if (!kernel || !file || !*file || waveOutGetNumDevs() == 0)
        return;
    GETFILE_STRUCT request;
    KernGetFile(kernel, file, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    if (request.localFile.length() == 0 || !DoFileExist(request.localFile))
        return;
    CloseDevice();
    if (!PlayOnServer(request.localFile))
        PlayThroughMci(kernel, request.localFile);
}
