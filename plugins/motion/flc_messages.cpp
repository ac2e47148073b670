// Kernel messages of the animation object and the messages of its window.
#include "flc.h"

#include "qxplugin.h"

#include <algorithm>
#include <functional>

#include "accessors.h"
#include "anim.h"
#include "branch.h"
#include "filefetch.h"
#include "filefind.h"
#include "flic_player.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxbmp.h"
#include "qxmedia.h"

#include <mmsystem.h>
#include <digitalv.h>

void FLC::ArmBranchTimers()
{
    for (int i = 0; i < GetBranchItems(); ++i)
        if (GetBranch(i) && GetBranch(i)->delay != 0.0)
            KernAddBranchTimer(kernel, GetBranch(i));
}

int FLC::KindWanted() const
{
    return series ? FLC_KIND_SERIES : KindOfName(mediaName);
}

// An image series plays unless its control bar is there to start it.
void FLC::StartIfAutoPlay()
{
    const bool waiting = delayTimer || (delayPending && showDelay != 0.0);
    const bool wanted = kind == FLC_KIND_SERIES ? !(controlBarFlag && !autoPlay) : autoPlay != 0;
    if (KernGetMode(kernel) == QX_MODE_PRESENTATION && wanted && !waiting)
        Play(1);
}

LRESULT FLC::OnShown(MSGL* msg)
{
    if (!window) {
        window = CreateShownObjectWindow(*this, "anim.pag", "FLC");
        KernFindFileStr(kernel, &mediaName, 1);
        KernFindFileStr(kernel, &soundName, 1);
        for (SoundFrame& entry : soundTrack)
            KernFindFileStr(kernel, &entry.name, 1);
    }
    if (showDelay == 0.0)
        ArmBranchTimers();
    UpdateControlBar();
    if (kind == FLC_KIND_NONE && waitingKind == FLC_KIND_NONE && !failed) {
        OpenMedia(KindWanted(), true);
        StartIfAutoPlay();
    } else if (kind != FLC_KIND_NONE && !playing) {
        StartIfAutoPlay();
    }
    return OBJET::KernelMessage(msg);
}

LRESULT FLC::OnExtent(MSGL* msg)
{
    OBJET* root = KernGetTopParentObjet(kernel, this);
    if (root && !root->sizeDep) {
        PixelsFromUnits(this);
        if (window)
            MoveWindow(window, x, y, w, h, TRUE);
        UpdateControlBar();
        Layout();
    } else {
        UnitsFromPixels(this);
    }
    return OBJET::KernelMessage(msg);
}

// Records the local copy of whichever file arrived; opens the media once all are there.
LRESULT FLC::OnFileReady(MSGL* msg)
{
    const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg->lParam);
    if (!record)
        return 1;
    const bool arrived = msg->wParam == QX_FILE_ARRIVED && record->localFile.length();
    if (TakeSeriesFrame(*record, arrived))
        return 0;
    auto take = [&](const QXSTRING& name, QXSTRING& local) {
        if (!name.length() || lstrcmpiA(name, record->source) != 0)
            return;
        if (arrived)
            local = record->localFile;
        else
            failed = 1;
    };
    take(mediaName, mediaLocal);
    take(soundName, soundLocal);
    for (SoundFrame& entry : soundTrack)
        take(entry.name, entry.local);
    if (failed) {
        waitingKind = FLC_KIND_NONE;
        return 0;
    }
    if (waitingKind != FLC_KIND_NONE && FetchNeeded(waitingKind != FLC_KIND_SERIES)) {
        OpenMedia(waitingKind, true);
        SetPaletteMode(paletteMode);
        StartIfAutoPlay();
    }
    return 0;
}

LRESULT FLC::OnEnable(MSGL* msg)
{
    if (msg->wParam) {
        OpenMedia(KindWanted(), true);
        UpdateControlBar();
        StartIfAutoPlay();
    } else {
        Stop();
        if (!GrabSnapshot() && window)
            InvalidateRect(window, nullptr, TRUE);
        CloseMedia();
        DestroyControlBar();
    }
    return OBJET::KernelMessage(msg);
}

bool FLC::GrabSnapshot()
{
    if (!window || !snapshot.Name().length())
        return false;
    BMP picture;
    return picture.Grab(window) && picture.Export(snapshot.Name(), BMP_FORMAT_BMP, 24) == 0;
}

LRESULT FLC::OnPaintTo(MSGL* msg)
{
    if (reinterpret_cast<HWND>(msg->wParam) == window)
        return 1;
    const auto* record = reinterpret_cast<const KERNDRAW*>(msg->lParam);
    if (!record || !window)
        return OBJET::KernelMessage(msg);
    RECT own{};
    GetWindowRect(window, &own);
    RECT common{};
    if (!IntersectRect(&common, &own, &record->page))
        return 0;
    POINT origin{};
    SetViewportOrgEx(record->dc, own.left - record->page.left, own.top - record->page.top, &origin);
    PaintContent(record->dc);
    if (controlBarFlag && controlBar) {
        RECT strip{0, h - FLC_CONTROL_BAR_HEIGHT, w, h};
        FillRect(record->dc, &strip, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        FrameRect(record->dc, &strip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    SetViewportOrgEx(record->dc, origin.x, origin.y, nullptr);
    return OBJET::KernelMessage(msg);
}

LRESULT FLC::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN:
        return OnShown(msg);
    case KM_EXTENT:
        return OnExtent(msg);
    case KM_LEAVEPAGE:
        // A page left behind plays on neither picture nor end branch.
        SetPaletteMode(0);
        Stop();
        break;
    case KM_RELINK:
        SetPaletteMode(0);
        ArmBranchTimerAfterDelayedShow(this);
        break;
    case KM_PAINTTO:
        return OnPaintTo(msg);
    case KM_REALIZEPALETTE:
        // A series is always drawn without its palette.
        if (kind != FLC_KIND_SERIES)
            SetPaletteMode(1);
        return 1;
    case KM_IDREQUEST:
        if ((kind == FLC_KIND_FLIC || kind == FLC_KIND_SERIES) && soundDevice && !soundMedia) {
            mciSendCommandA(soundDevice, MCI_CLOSE, MCI_WAIT, 0);
            soundDevice = 0;
            // The kernel takes the device over: the lock is forgotten, not released.
            soundLock = 0;
        }
        return 1;
    case KM_FILEREADY:
        return OnFileReady(msg);
    case KM_ENABLE:
        return OnEnable(msg);
    default:
        break;
    }
    return OBJET::KernelMessage(msg);
}

void FLC::PaintContent(HDC dc)
{
    const auto background = [this](HDC into) { DrawWindowBackground(into); };
    switch (kind) {
    case FLC_KIND_SERIES:
        if (anim)
            anim->Paint(dc, background);
        return;
    case FLC_KIND_FLIC: {
        // Around a frame that does not fill the object, what lies beneath shows.
        const int areaHeight = PictureArea().bottom;
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP picture = CreateCompatibleBitmap(dc, std::max(w, 1), std::max(areaHeight, 1));
        HGDIOBJ old = SelectObject(memory, picture);
        DrawWindowBackground(memory);
        if (player)
            player->Draw(memory, false);
        BitBlt(dc, 0, 0, w, areaHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(picture);
        DeleteDC(memory);
        return;
    }
    case FLC_KIND_MEDIA: {
        const RECT area = PictureArea();
        if (media) {
            long barHeight = 0;
            if (controlBarFlag)
                media->get_ControlbarHeight(&barHeight);
            media->Update(dc, area.right, area.bottom - barHeight);
        } else if (mciDevice) {
            MCI_DGV_UPDATE_PARMS update{};
            update.hDC = dc;
            update.rc = area;
            mciSendCommandA(mciDevice, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT | MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&update));
        }
        return;
    }
    default: {
        BMP picture;
        if (snapshot.Name().length() && picture.Import(snapshot.Name()) == 0)
            picture.Draw(dc, 0, 0, SRCCOPY, 0);
        else
            DrawWindowBackground(dc);
        return;
    }
    }
}

void FLC::StartMediaPlay()
{
    mediaPlayPending = 0;
    if (media) {
        media->Play();
    } else if (mciDevice) {
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
        mciSendCommandA(mciDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    }
}

void FLC::OnFrame(WPARAM counter, LPARAM reached)
{
    if (!reached) {
        EndOfLoop();
        return;
    }
    SelectSoundAt(static_cast<int>(counter) + 1);
    if (!currentSound.length() || !currentSoundLocal.length())
        return;
    StopSound();
    PlayCurrentSound();
}

void FLC::OnSeriesTimer()
{
    if (!anim || kind != FLC_KIND_SERIES)
        return;
    if (!anim->Advance())
        PostMessageA(window, FLC_FRAME_MESSAGE, 0, 0);
    else
        PostMessageA(window, FLC_FRAME_MESSAGE, static_cast<WPARAM>(anim->Current() - 1), 1);
    InvalidatePicture();
    anim->TimerHandled();
}

LRESULT FLC::WindowsMessage(MSGL* msg)
{
    // The media server sees clicks and keys first: its own control bar answers them. Moves
    // are not worth a call to the server each.
    const bool click = msg->message > WM_MOUSEMOVE && msg->message <= WM_MOUSELAST;
    const bool key = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    if (media && (click || key)) {
        long handled = 0;
        media->WndCommand(window, msg->message, msg->wParam, msg->lParam, &handled);
        if (handled)
            return 0;
    }
    BRANCH* branch = GetBranch(0);
    const bool clickLeads = branch && branch->IsBranchingSomewhere();
    switch (msg->message) {
    case WM_DESTROY:
        CloseMedia();
        return 0;
    case WM_MOVE:
    case WM_SIZE:
        FollowMoveOrSize(this, msg);
        if (msg->message == WM_SIZE) {
            if (controlBar)
                UpdateControlBar();
            Layout();
        }
        return 0;
    case WM_PAINT:
        if (kind == FLC_KIND_MEDIA && mediaPlayPending)
            StartMediaPlay();
        PaintContent(reinterpret_cast<HDC>(msg->wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (clickLeads && !(KernGetMode(kernel) & QX_MODE_EDIT_BIT))
            KernSetHand(kernel);
        return 0;
    case WM_LBUTTONDOWN:
        if (clickLeads && !(msg->mode & QX_MODE_EDIT_BIT)) {
            branch->source = window;
            KernSetBranch(kernel, branch);
        }
        return 0;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(msg->wParam) == window)
            return 0;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        InvalidatePicture();
        return 0;
    case MM_MCINOTIFY:
        if (msg->wParam == MCI_NOTIFY_SUCCESSFUL) {
            const auto device = static_cast<UINT>(msg->lParam);
            if (soundDevice && device == soundDevice)
                StopSound();
            else if (kind == FLC_KIND_MEDIA && mciDevice && device == mciDevice)
                EndOfLoop();
        }
        return 0;
    case FLC_FRAME_MESSAGE:
        OnFrame(msg->wParam, msg->lParam);
        return 0;
    case QX_ANIM_TIMER:
        OnSeriesTimer();
        return 0;
    case FLC_REOPEN:
        OpenMedia(KindWanted(), true);
        return 0;
    default:
        if (msg->message == MediaFinishedMessage() && MediaFinishedMessage()) {
            if (!soundTrack.empty())
                StopSound();
            if (kind == FLC_KIND_MEDIA)
                EndOfLoop();
            return 0;
        }
        return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
    }
}
