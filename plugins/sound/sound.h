// SOUND: a sound file that plays when its page is shown (after its show delay), may loop,
// and may take its branch once it has played a number of times. Invisible while the
// publication runs; a 48x48 icon in creation mode.
#pragma once

#include "objet.h"

class CMedia;

// Media-server end of play, posted to the object window (a window message, not KM_PAINTTO).
constexpr UINT QX_MEDIA_END = WM_USER + 4;
// Polls the MCI device that reported its end too early.
constexpr UINT_PTR QX_TIMER_MCI_POLL = 10;
// The shared device id of sounds.
constexpr int QX_SOUND_DEVICE = 1;

class SOUND : public OBJET {
public:
    SOUND(KERNEL* kernel, HINSTANCE module);
    ~SOUND() override;

    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int IsStdClipFormatAvailable() override { return 0; }
    int Save(QXFILE file, int& universe, int withBranches) override;
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;
    int DelaiObjetShow() override;
    // The settings dialog "D_SOUND" on a copy; 1 when the object took the copy's settings.
    int Modify() override;

    // 1 when a play started or a fetch was requested.
    int StartSound();
    // Posts the two end messages, so that a play that cannot start counts as played.
    void PostEndOfPlay();
    void CloseDevice();
    void ReleaseDevice();

    UINT mciDevice = 0;
    CMedia* media{};
    int deviceLock = 0;
    int playing = 0;
    int plays = 0;
    int loop = 0;
    int iterations = 1;
    QXSTRING fileName;
    QXSTRING localPath;

private:
    void OnPlayEnded(bool throughMedia);
    LRESULT OnShown(MSGL* msg);
    LRESULT OnFileReady(MSGL* msg);
    LRESULT OnPaintTo(MSGL* msg);
};

HINSTANCE SoundModule();
HBITMAP SoundIcon();
