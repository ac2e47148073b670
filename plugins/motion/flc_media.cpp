// Opening and closing the media of each kind, the files they need, and the picture area.
#include "flc.h"

#include "anim.h"
#include "filefetch.h"
#include "flic_player.h"
#include "kernel.h"
#include "kerntree.h"
#include "motionres.h"
#include "qxbbutton.h"
#include "qxmedia.h"
#include "qxutil.h"

#include <mmsystem.h>
#include <digitalv.h>

#include <cstring>

namespace {

bool IsLocalFile(const char* name)
{
    const DWORD attributes = name && *name ? GetFileAttributesA(name) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int FLC::KindOfName(const char* name) { return MediaKindOfName(name); }

RECT FLC::PictureArea() const
{
    RECT area{0, 0, w, h};
    if (controlBarFlag && controlBar)
        area.bottom = h > FLC_CONTROL_BAR_HEIGHT ? h - FLC_CONTROL_BAR_HEIGHT : 0;
    return area;
}

bool FLC::FetchOne(const QXSTRING& name, QXSTRING* local)
{
    if (!name.length() || local->length())
        return true;
    GETFILE_STRUCT request;
    request.object = this;
    KernGetFile(kernel, name, QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
    // A local file is there at once; its notice that follows changes nothing.
    if (request.state == QX_REQUEST_LOCAL && IsLocalFile(request.localFile)) {
        *local = request.localFile;
        return true;
    }
    return false;
}

bool FLC::FetchNeeded(bool withMedia)
{
    bool ready = !withMedia || FetchOne(mediaName, &mediaLocal);
    ready = FetchOne(soundName, &soundLocal) && ready;
    for (SoundFrame& entry : soundTrack)
        ready = FetchOne(entry.name, &entry.local) && ready;
    return ready;
}

void FLC::CloseMedia()
{
    switch (kind) {
    case FLC_KIND_FLIC:
        if (player)
            player->Stop();
        player.reset();
        StopSound();
        break;
    case FLC_KIND_MEDIA:
        delete media;
        media = nullptr;
        if (mciDevice)
            mciSendCommandA(mciDevice, MCI_CLOSE, MCI_WAIT, 0);
        mciDevice = 0;
        break;
    case FLC_KIND_SERIES:
        if (anim)
            anim->Stop();
        StopSound();
        break;
    default:
        break;
    }
    kind = FLC_KIND_NONE;
    playing = 0;
    mediaPlayPending = 0;
}

void FLC::OpenMedia(int newKind, bool show)
{
    if (newKind == kind && !show)
        return;
    CloseMedia();
    waitingKind = FLC_KIND_NONE;
    if (!series && !mediaName.length())
        return;
    if (series)
        newKind = FLC_KIND_SERIES;
    switch (newKind) {
    case FLC_KIND_FLIC:
        if (!FetchNeeded(true)) {
            waitingKind = newKind;
            return;
        }
        if (OpenFlic())
            kind = FLC_KIND_FLIC;
        break;
    case FLC_KIND_MEDIA:
        if (OpenServedMedia())
            kind = FLC_KIND_MEDIA;
        break;
    case FLC_KIND_SERIES:
        if (!FetchNeeded(false)) {
            waitingKind = newKind;
            return;
        }
        kind = FLC_KIND_SERIES;
        OpenSeries(show);
        break;
    default:
        return;
    }
    SelectSoundAt(0);
    Layout();
    if (controlBar || media)
        UpdateControlBar();
}

bool FLC::OpenFlic()
{
    if (!window)
        return false;
    player = std::make_unique<FlicPlayer>();
    player->SetStretch(stretch != 0);
    if (player->Open(mediaLocal, window, 0, 0) != FLIC_OPENED) {
        player.reset();
        return false;
    }
    player->SetPaletteMode(paletteMode);
    if (framesPerSecond)
        player->SetFrameRate(framesPerSecond);
    player->SetNotify(window, FLC_FLIC_END, reinterpret_cast<LPARAM>(this));
    player->SetFrameMessage(FLC_FRAME_MESSAGE, MAKELONG(player->Frames() - 1, 0), 0);
    return true;
}

bool FLC::OpenServedMedia()
{
    if (!window)
        return false;
    if (!mediaLocal.length()) {
        char local[QX_NAME_BUFFER] = "";
        KernGetFileSync(kernel, mediaName, local);
        if (IsLocalFile(local))
            mediaLocal = local;
    }
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const RECT area = PictureArea();
    media = mediaLocal.length() ? OpenServerMedia(window, mediaLocal, &area) : nullptr;
    if (!media && mediaLocal.length()) {
        mciAlias = NewMciAlias();
        MCI_DGV_OPEN_PARMSA open{};
        open.lpstrElementName = const_cast<char*>(static_cast<const char*>(mediaLocal));
        open.lpstrAlias = const_cast<char*>(static_cast<const char*>(mciAlias));
        open.dwStyle = WS_CHILD;
        open.hWndParent = window;
        if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS,
                            reinterpret_cast<DWORD_PTR>(&open)) == 0) {
            mciDevice = open.wDeviceID;
            KeepMciDriverLoaded(mciDevice);
            MCI_DGV_WINDOW_PARMSA into{};
            into.hWnd = window;
            if (mciSendCommandA(mciDevice, MCI_WINDOW, MCI_DGV_WINDOW_HWND, reinterpret_cast<DWORD_PTR>(&into)) != 0) {
                mciSendCommandA(mciDevice, MCI_CLOSE, MCI_WAIT, 0);
                mciDevice = 0;
            }
        }
    }
    SetCursor(previous);
    if (controlBar)
        SetWindowPos(controlBar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!media && !mciDevice) {
        QXSTRING caption, text;
        caption.LoadResource(module, IDS_SYSTEM_ERROR);
        text.LoadResource(module, IDS_NO_MCI);
        Alert(KernGetAppWindow(kernel), caption, text);
        return false;
    }
    return true;
}

void FLC::SetPaletteMode(int mode)
{
    paletteMode = mode;
    if (player)
        player->SetPaletteMode(mode);
    if (mciDevice) {
        // In the foreground while the page realises its palettes, else in the background.
        mciSendCommandA(mciDevice, MCI_REALIZE, mode ? MCI_DGV_REALIZE_NORM : MCI_DGV_REALIZE_BKGD, 0);
    }
}

void FLC::Layout()
{
    const RECT area = PictureArea();
    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    switch (kind) {
    case FLC_KIND_FLIC:
        if (!player)
            break;
        if (centre && !stretch)
            player->Place((areaWidth - player->Width()) / 2, (areaHeight - player->Height()) / 2, player->Width(),
                          player->Height());
        else
            player->Place(0, 0, areaWidth, areaHeight);
        break;
    case FLC_KIND_MEDIA:
        if (media)
            media->SetXYWH(0, 0, areaWidth, areaHeight);
        if (mciDevice) {
            MCI_DGV_PUT_PARMS put{};
            put.rc = RECT{0, 0, areaWidth, areaHeight};
            mciSendCommandA(mciDevice, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT,
                            reinterpret_cast<DWORD_PTR>(&put));
        }
        break;
    case FLC_KIND_SERIES:
        if (anim)
            anim->SetRect(0, 0, areaWidth, areaHeight);
        break;
    default:
        break;
    }
}
