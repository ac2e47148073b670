// The media preview callback: a file opened by its suffix, drawn, played and stopped.
#include "media_preview.h"

#include "media_open.h"
#include "flic_player.h"
#include "qxmedia.h"
#include "qxpreview.h"
#include "qxutil.h"

#include <mmsystem.h>
#include <digitalv.h>

PREVIEWDATA::PREVIEWDATA() : player(std::make_unique<FlicPlayer>()) {}

PREVIEWDATA::~PREVIEWDATA() { CloseAll(); }

void PREVIEWDATA::CloseAll()
{
    if (player)
        player->Close();
    delete media;
    media = nullptr;
    if (mciDevice)
        mciSendCommandA(mciDevice, MCI_CLOSE, MCI_WAIT, 0);
    mciDevice = 0;
    kind = PREVIEW_NOTHING;
}

namespace {

void OpenFlic(PREVIEWDATA& data)
{
    FlicPlayer& player = *data.player;
    if (player.Open(data.file, data.window, data.rect.left, data.rect.top) != FLIC_OPENED) {
        data.file = "";
        return;
    }
    if (data.speed != -1)
        player.SetFrameRate(data.speed);
    data.speed = player.GetFrameRate();
    // Without a listener the player still needs a notify window to stop at its last frame.
    player.SetNotify(data.notify ? data.notify : data.window, 0, 0);
    player.SetFrameMessage(data.notify ? FLC_FRAME_MESSAGE : 0, MAKELONG(player.Frames() - 1, 0), 0);
    RECT place = data.rect;
    if (!data.keepRect) {
        const RECT content{0, 0, player.Width(), player.Height()};
        StretchRectToFit(&place, &data.rect, &content, 1);
    }
    player.SetStretch(true);
    player.Place(place.left, place.top, place.right - place.left, place.bottom - place.top);
    data.kind = PREVIEW_FLIC;
}

void OpenMedia(PREVIEWDATA& data)
{
    SetWindowPos(data.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    data.media = OpenServerMedia(data.window, data.file, &data.rect);
    if (data.media) {
        data.kind = PREVIEW_MEDIA;
        return;
    }
    const QXSTRING alias = NewMciAlias();
    MCI_DGV_OPEN_PARMSA open{};
    open.lpstrElementName = const_cast<char*>(static_cast<const char*>(data.file));
    open.lpstrAlias = const_cast<char*>(static_cast<const char*>(alias));
    open.dwStyle = WS_CHILD;
    open.hWndParent = data.window;
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const MCIERROR failed = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_DGV_OPEN_PARENT |
                                                             MCI_DGV_OPEN_WS | MCI_WAIT,
                                            reinterpret_cast<DWORD_PTR>(&open));
    SetCursor(previous);
    if (failed)
        return;
    data.mciDevice = open.wDeviceID;
    MCI_DGV_WINDOW_PARMSA into{};
    into.hWnd = data.window;
    if (mciSendCommandA(data.mciDevice, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&into))) {
        mciSendCommandA(data.mciDevice, MCI_CLOSE, MCI_WAIT, 0);
        data.mciDevice = 0;
        return;
    }
    MCI_DGV_PUT_PARMS put{};
    put.rc = RECT{data.rect.left, data.rect.top, data.rect.right - data.rect.left, data.rect.bottom - data.rect.top};
    mciSendCommandA(data.mciDevice, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&put));
    data.kind = PREVIEW_MEDIA;
}

// A name the record does not show yet (letter case aside) is opened by its suffix.
void TakeFile(PREVIEWDATA& data, const char* file)
{
    if (!file || !*file) {
        data.file = "";
        data.CloseAll();
        return;
    }
    if (lstrcmpiA(file, data.file) == 0)
        return;
    data.file = file;
    data.CloseAll();
    switch (MediaKindOfName(file)) {
    case FLC_KIND_FLIC:
        OpenFlic(data);
        break;
    case FLC_KIND_MEDIA:
        OpenMedia(data);
        break;
    default:
        break;
    }
}

void Paint(PREVIEWDATA& data, HDC dc)
{
    if (!data.file.length() || !dc)
        return;
    if (data.kind == PREVIEW_FLIC) {
        data.player->Draw(dc, false);
    } else if (data.media) {
        data.media->Update(dc, -1, -1);
    } else if (data.mciDevice) {
        MCI_DGV_UPDATE_PARMS update{};
        update.hDC = static_cast<HDC>(dc);
        update.rc = RECT{data.rect.left, data.rect.top, data.rect.right - data.rect.left,
                         data.rect.bottom - data.rect.top};
        mciSendCommandA(data.mciDevice, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&update));
    }
}

void Play(PREVIEWDATA& data)
{
    data.playing = 1;
    if (data.kind == PREVIEW_FLIC) {
        data.player->Play();
        return;
    }
    if (data.media) {
        data.media->Home();
        data.media->Play();
    }
    if (data.mciDevice) {
        mciSendCommandA(data.mciDevice, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, 0);
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(data.notify ? data.notify : data.window);
        mciSendCommandA(data.mciDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    }
}

void Stop(PREVIEWDATA& data)
{
    data.playing = 0;
    if (data.kind == PREVIEW_FLIC) {
        data.player->Stop();
        return;
    }
    if (data.media) {
        data.media->Stop();
        data.media->Home();
        InvalidateRect(data.window, nullptr, TRUE);
    }
    if (data.mciDevice)
        mciSendCommandA(data.mciDevice, MCI_STOP, MCI_WAIT, 0);
}

}  // namespace

int MediaPreviewCallback(char event, HANDLE handle, const RECT* rect, const char* file, LPARAM user)
{
    auto* data = reinterpret_cast<PREVIEWDATA*>(user);
    if (!data)
        return 0;
    if (event == QXPREVIEW_READY) {
        data->window = static_cast<HWND>(handle);
        if (rect)
            data->rect = *rect;
    }
    TakeFile(*data, file);
    switch (event) {
    case QXPREVIEW_PAINT:
        Paint(*data, static_cast<HDC>(handle));
        break;
    case QXPREVIEW_PLAY_PRESSED:
        Play(*data);
        break;
    case QXPREVIEW_STOP_PRESSED:
        Stop(*data);
        break;
    default:
        return 0;
    }
    // Files the preview does not open (pictures) are left to the pane's own drawing.
    return data->kind != PREVIEW_NOTHING ? 1 : 0;
}
