// The preview window "FLCSAMPWIND" of the settings dialog: it opens the file the dialog names
// (FLIC player, media server or MCI), gives a new object the media's size on first sight,
// plays the appearance effect, and plays while the dialog asks; in image-series mode it draws
// the series and steps it on the millisecond table's ticks.
#include "flc_settings.h"

#include "anim.h"
#include "flic_player.h"
#include "kernel.h"
#include "kerntree.h"
#include "motionres.h"
#include "qxmedia.h"

#include <mmsystem.h>
#include <digitalv.h>

namespace {

FLC* CopyOf(HWND window) { return reinterpret_cast<FLC*>(GetWindowLongPtrA(window, 0)); }

void Grey(HDC dc, const RECT& area) { FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))); }

// `draw` paints the client area; with an effect pending it is revealed by the effect.
template <class Draw>
void PaintRevealed(FLC* copy, HWND window, HDC dc, const RECT& area, Draw draw)
{
    if (!copy->effectPending || !copy->effectId || !PreviewOn()) {
        draw(dc);
        copy->effectPending = 0;
        return;
    }
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP image = CreateCompatibleBitmap(dc, area.right, area.bottom);
    const HGDIOBJ old = SelectObject(memory, image);
    Grey(memory, area);
    draw(memory);
    SelectObject(memory, old);
    if (copy->DrawEffect(window, dc, 0, 0, area.right, area.bottom, image, nullptr, SRCCOPY, 0) == -1)
        draw(dc);
    DeleteObject(image);
    DeleteDC(memory);
    copy->effectPending = 0;
}

// The object takes the media's size; a new one is centred on the page.
void FitObject(FLC* copy, int width, int height)
{
    copy->w = width;
    copy->h = height;
    if (copy->loaded)
        return;
    OBJET* page = KernGetTopObjet(copy->GetKernel());
    if (!page || !page->window)
        return;
    RECT client{};
    GetClientRect(page->window, &client);
    POINT at{(client.right - width) / 2, (client.bottom - height) / 2};
    OBJET* parent = copy->GetParent();
    if (parent && parent->window && parent != page)
        MapWindowPoints(page->window, parent->window, &at, 1);
    copy->x = at.x;
    copy->y = at.y;
}

int BarHeight(const FLC* copy, int own) { return copy->preview.controlBar ? own : 0; }

void OpenMediaPreview(FLC* copy, HWND window, const RECT& area)
{
    FlcPreview& preview = copy->preview;
    if (!preview.media)
        preview.media = OpenServerMedia(window, preview.local, &area);
    if (!preview.media) {
        const QXSTRING alias = NewMciAlias();
        MCI_DGV_OPEN_PARMSA open{};
        open.lpstrElementName = const_cast<char*>(static_cast<const char*>(preview.local));
        open.lpstrAlias = const_cast<char*>(static_cast<const char*>(alias));
        open.dwStyle = WS_CHILD;
        open.hWndParent = window;
        if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS |
                                             MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&open)))
            return;
        preview.mciDevice = open.wDeviceID;
    }
    if (preview.fitToMedia) {
        if (preview.media) {
            long width = 0, height = 0, bar = 0;
            preview.media->get_Width(&width);
            preview.media->get_Height(&height);
            preview.media->get_ControlbarHeight(&bar);
            FitObject(copy, width ? static_cast<int>(width) : 320, static_cast<int>(height) + BarHeight(copy, bar));
        } else {
            MCI_DGV_RECT_PARMS where{};
            mciSendCommandA(preview.mciDevice, MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&where));
            FitObject(copy, where.rc.right, where.rc.bottom + BarHeight(copy, FLC_CONTROL_BAR_HEIGHT));
        }
        preview.fitToMedia = 0;
    }
    if (!PreviewOn()) {
        ClosePreviewMedia(copy);
        return;
    }
    if (preview.mciDevice) {
        MCI_DGV_WINDOW_PARMSA into{};
        into.hWnd = window;
        if (mciSendCommandA(preview.mciDevice, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&into))) {
            ClosePreviewMedia(copy);
            return;
        }
        mciSendCommandA(preview.mciDevice, MCI_REALIZE, MCI_DGV_REALIZE_BKGD | MCI_WAIT, 0);
        MCI_DGV_PUT_PARMS put{};
        put.rc = RECT{0, 0, area.right, area.bottom};
        mciSendCommandA(preview.mciDevice, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&put));
    }
}

void OpenFlicPreview(FLC* copy, HWND window, const RECT& area)
{
    FlcPreview& preview = copy->preview;
    auto player = std::make_unique<FlicPlayer>();
    if (player->Open(preview.local, PreviewOn() ? window : FLIC_NO_WINDOW, 0, 0) != FLIC_OPENED)
        return;
    if (copy->framesPerSecond)
        player->SetFrameRate(copy->framesPerSecond);
    if (preview.fitToMedia) {
        FitObject(copy, player->Width(), player->Height() + BarHeight(copy, FLC_CONTROL_BAR_HEIGHT));
        preview.fitToMedia = 0;
    }
    if (!PreviewOn())
        return;
    player->SetStretch(true);
    player->Place(0, 0, area.right, area.bottom);
    player->SetPaletteMode(0);
    // The object as the end value: a pointer, carried whole.
    player->SetNotify(preview.dialog, FLC_FLIC_END, reinterpret_cast<LPARAM>(copy));
    player->SetFrameMessage(FLC_PREVIEW_FRAME, MAKELONG(player->Frames() - 1, 0), 0);
    preview.player = std::move(player);
}

void DrawOpen(FLC* copy, HDC dc, const RECT& area)
{
    FlcPreview& preview = copy->preview;
    if (preview.media) {
        preview.media->Update(dc, -1, -1);
    } else if (preview.mciDevice) {
        mciSendCommandA(preview.mciDevice, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, 0);
        MCI_DGV_UPDATE_PARMS update{};
        update.hDC = dc;
        update.rc = RECT{0, 0, area.right, area.bottom};
        mciSendCommandA(preview.mciDevice, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&update));
    } else if (preview.player) {
        preview.player->Stop();
        preview.player->Rewind(dc);
    }
}

bool SomethingOpen(const FlcPreview& preview) { return preview.media || preview.mciDevice || preview.player; }

void OpenPreviewFile(FLC* copy, HWND window, const RECT& area)
{
    if (FLC::KindOfName(copy->preview.local) == FLC_KIND_FLIC)
        OpenFlicPreview(copy, window, area);
    else
        OpenMediaPreview(copy, window, area);
}

// Playing: each media started once.
void PaintPlaying(FLC* copy, HWND window)
{
    FlcPreview& preview = copy->preview;
    if (!SomethingOpen(preview) && preview.local.length()) {
        RECT area{};
        GetClientRect(window, &area);
        OpenPreviewFile(copy, window, area);
    }
    if (preview.player) {
        if (!preview.player->IsPlaying())
            preview.player->Play();
    } else if (preview.media || preview.mciDevice) {
        if (!preview.started) {
            preview.started = 1;
            if (preview.media) {
                preview.media->Home();
                preview.media->Play();
            } else {
                mciSendCommandA(preview.mciDevice, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, 0);
                MCI_PLAY_PARMS play{};
                play.dwCallback = reinterpret_cast<DWORD_PTR>(preview.dialog);
                mciSendCommandA(preview.mciDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
            }
        }
    } else {
        PostMessageA(preview.dialog, FLC_PREVIEW_FRAME, 0, 0);
    }
    DefWindowProcA(window, WM_PAINT, 0, 0);
}

void PaintShowing(FLC* copy, HWND window)
{
    FlcPreview& preview = copy->preview;
    if (!copy->mediaName.length())
        copy->effectPending = 0;
    if (preview.media) {
        int playing = 0;
        preview.media->isPlaying(&playing);
        if (playing)
            preview.media->Stop();
        preview.media->Home();
    }
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT area{};
    GetClientRect(window, &area);
    if (!PreviewOn())
        ClosePreviewMedia(copy);
    if (!SomethingOpen(preview) && preview.local.length())
        OpenPreviewFile(copy, window, area);
    PaintRevealed(copy, window, dc, area, [&](HDC target) {
        if (!preview.media)
            Grey(target, area);
        DrawOpen(copy, target, area);
    });
    EndPaint(window, &paint);
}

void PaintSeries(FLC* copy, HWND window)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT area{};
    GetClientRect(window, &area);
    if (copy->anim && PreviewOn() && copy->anim->Current() != -1)
        PaintRevealed(copy, window, dc, area,
                      [&](HDC target) { copy->anim->Paint(target, [&](HDC blank) { Grey(blank, area); }); });
    else
        Grey(dc, area);
    copy->effectPending = 0;
    EndPaint(window, &paint);
}

void OnSeriesTick(FLC* copy, HWND window)
{
    ANIM& anim = *copy->anim;
    const bool moved = anim.GetState() == ANIM::Playing && anim.Advance();
    if (!moved) {
        anim.Stop();
        const HWND dialog = copy->preview.dialog;
        for (int id : {IDC_SET_IMAGES, IDC_SET_ADD_IMAGES, IDC_SET_MODIFY_IMAGE, IDC_SET_DELETE_IMAGE,
                       IDC_SET_PREVIEW_PLAY, IDC_SET_FPS_LABEL, IDC_SET_FPS})
            EnableWindow(GetDlgItem(dialog, id), TRUE);
        EnableWindow(GetDlgItem(dialog, IDC_SET_PREVIEW_STOP), FALSE);
        copy->preview.playing = 0;
        SendDlgItemMessageA(dialog, IDC_SET_IMAGES, LB_SETCURSEL, static_cast<WPARAM>(anim.Current()), 0);
    }
    InvalidateRect(window, nullptr, FALSE);
    anim.TimerHandled();
}

}  // namespace

LRESULT CALLBACK FlcPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        FLC* copy = CopyOf(window);
        if (!copy)
            return DefWindowProcA(window, message, wParam, lParam);
        if (copy->series) {
            if (message == WM_PAINT) {
                PaintSeries(copy, window);
                return 0;
            }
            if (message == QX_ANIM_TIMER && copy->anim) {
                OnSeriesTick(copy, window);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (message == MediaFinishedMessage()) {
            SendMessageA(copy->preview.dialog, message, wParam, lParam);
        } else if (message == WM_PAINT) {
            if (copy->preview.playing)
                PaintPlaying(copy, window);
            else
                PaintShowing(copy, window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
