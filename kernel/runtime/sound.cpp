// The branch sound, played through MCI; the device stays open until the next sound replaces
// it or the sound is stopped.
#include "sound.h"

#include "filefetch.h"
#include "qxpath.h"

#include <mmsystem.h>

namespace {

MCIDEVICEID playing = 0;

}  // namespace

void KernStopSound()
{
    if (!playing)
        return;
    mciSendCommandA(playing, MCI_CLOSE, 0, 0);
    playing = 0;
}

void KernPlaySound(KERNEL* kernel, const char* file)
{
    if (!kernel || !file || !*file || waveOutGetNumDevs() == 0)
        return;
    GETFILE_STRUCT request;
    KernGetFile(kernel, file, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    if (request.localFile.length() == 0 || !DoFileExist(request.localFile))
        return;
    KernStopSound();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = request.localFile;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return;
    playing = open.wDeviceID;
    MCI_PLAY_PARMS play{};
    mciSendCommandA(playing, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
}
