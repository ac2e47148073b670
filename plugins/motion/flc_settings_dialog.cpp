// The settings dialog "DLG_FLC_SET": what the animation plays (a file or a series of images),
// how it plays and comes on screen, its two branches, and a live preview.
#include "flc_settings.h"

#include "anim.h"
#include "authoring.h"
#include "branch.h"
#include "filefetch.h"
#include "flic_player.h"
#include "help.h"
#include "kernel.h"
#include "media_preview.h"
#include "motionres.h"
#include "objdialog.h"
#include "qxmedia.h"
#include "qxpath.h"
#include "qxpreview.h"
#include "qxsupport.h"
#include "qxwindowptr.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

bool previewOn = true;

constexpr int FILE_CHARS = 499;
constexpr int FPS_CHARS = 4;
constexpr int DELAY_CHARS = 6;
constexpr int PREVIEW_INSET = 3;
constexpr int DIALOG_OK = 0;
constexpr int DIALOG_CANCEL = 1;
constexpr double LONGEST_DELAY = 60.0;

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool HasText(HWND dialog, int id) { return GetWindowTextLengthA(GetDlgItem(dialog, id)) > 0; }
void Show(HWND dialog, int id, bool on) { ShowWindow(GetDlgItem(dialog, id), on ? SW_SHOW : SW_HIDE); }

// What both layouts share once the source has content: the branches, the settings and the
// speed; everything off without content.
void EnableSettings(HWND dialog, bool content, bool withSpeed)
{
    EnableControl(dialog, IDC_SET_AUTOPLAY, content && Checked(dialog, IDC_SET_BAR));
    EnableControl(dialog, IDC_SET_CLICK_UNBRANCH, content && HasText(dialog, IDC_SET_CLICK_TARGET));
    EnableControl(dialog, IDC_SET_CLICK_TARGET, content && HasText(dialog, IDC_SET_CLICK_TARGET));
    EnableControl(dialog, IDC_SET_END_UNBRANCH, content && HasText(dialog, IDC_SET_END_TARGET));
    EnableControl(dialog, IDC_SET_END_TARGET, content && HasText(dialog, IDC_SET_END_TARGET));
    for (int id : {IDC_SET_BAR, IDC_SET_LOOP, IDC_SET_GENERAL, IDC_SET_CLICK_BRANCH, IDC_SET_END_BRANCH})
        EnableControl(dialog, id, content);
    EnableControl(dialog, IDC_SET_LOOPS, content && Checked(dialog, IDC_SET_LOOP));
    for (int id : {IDC_SET_SOUNDS, IDC_SET_FPS_LABEL, IDC_SET_FPS})
        EnableControl(dialog, id, content && withSpeed);
}

// A FLIC's speed shown from the file, "" for anything else or a file that does not open.
void ShowFileSpeed(HWND dialog, FLC* copy, const char* name)
{
    if (FLC::KindOfName(name) != FLC_KIND_FLIC) {
        CheckDlgButton(dialog, IDC_SET_CENTRE, BST_UNCHECKED);
        SetDlgItemTextA(dialog, IDC_SET_FPS, "");
        copy->replaySound = 0;
        return;
    }
    FlicPlayer scratch;
    if (scratch.Open(copy->preview.local.length() ? copy->preview.local : QXSTRING(name), FLIC_NO_WINDOW, 0, 0) ==
        FLIC_OPENED) {
        SetDlgItemInt(dialog, IDC_SET_FPS, static_cast<UINT>(scratch.GetFrameRate()), FALSE);
    } else {
        SetDlgItemTextA(dialog, IDC_SET_FPS, "");
        EnableControl(dialog, IDC_SET_FPS_LABEL, false);
        EnableControl(dialog, IDC_SET_FPS, false);
    }
}

void OnFileEdited(HWND dialog, FLC* copy)
{
    ClosePreviewMedia(copy);
    ApplyFileLayout(dialog, copy);
    const QXSTRING name = ControlText(dialog, IDC_SET_FILE);
    if (!name.length())
        return;
    if (!ValidateFileNameStr(name, nullptr)) {
        SetPreviewFile(copy, "");
        SetDlgItemTextA(dialog, IDC_SET_FPS, "");
        return;
    }
    if (lstrcmpiA(name, copy->mediaName) != 0)
        copy->preview.fitToMedia = 1;
    copy->mediaName = name;
    SetPreviewFile(copy, name);
    ShowFileSpeed(dialog, copy, name);
    SendMessageA(dialog, FLC_PREVIEW_FRAME, 0, 1);
    if (copy->preview.window)
        InvalidateRect(copy->preview.window, nullptr, TRUE);
}

void TakeFileName(HWND dialog, const char* name)
{
    SetDlgItemTextA(dialog, IDC_SET_FILE, name);
    SetFocus(GetDlgItem(dialog, IDC_SET_FILE));
}

void OnChooseFile(HWND dialog, FLC* copy)
{
    PREVIEWDATA data;
    char file[QX_NAME_BUFFER];
    if (AskPreviewedFiles(copy->GetKernel(), dialog, ModuleFilter(IDS_ANIMATION_FILTER), ControlText(dialog, IDC_SET_FILE),
                          QXPREVIEW_IMAGE | QXPREVIEW_PLAY | QXPREVIEW_STOP | QXPREVIEW_CHECKBOX, 0,
                          MediaPreviewCallback, reinterpret_cast<LPARAM>(&data), file, sizeof file))
        TakeFileName(dialog, file);
}

void OnBranch(HWND dialog, FLC* copy, int branch, int field, int remover, bool pageOnly)
{
    BRANCH* target = copy->GetBranch(branch);
    if (pageOnly)
        KernBranchToPage(copy->GetKernel(), dialog, target);
    else
        KernBranchTo(copy->GetKernel(), dialog, target);
    if (pageOnly)
        SetDlgItemTextA(dialog, field, target->target);
    else
        ShowBranchTarget(dialog, field, target);
    EnableControl(dialog, field, HasText(dialog, field));
    EnableControl(dialog, remover, HasText(dialog, field));
}

void OnRemoveBranch(HWND dialog, FLC* copy, int branch, int field)
{
    ClearBranch(copy->GetBranch(branch));
    SetDlgItemTextA(dialog, field, "");
}

void OnBarChecked(HWND dialog, FLC* copy)
{
    if (!Checked(dialog, IDC_SET_BAR)) {
        CheckDlgButton(dialog, IDC_SET_AUTOPLAY, BST_CHECKED);
        EnableControl(dialog, IDC_SET_AUTOPLAY, false);
    } else {
        EnableControl(dialog, IDC_SET_AUTOPLAY, true);
    }
    copy->preview.controlBar = Checked(dialog, IDC_SET_BAR) ? 1 : 0;
}

void OnLoopChecked(HWND dialog, FLC* copy)
{
    if (Checked(dialog, IDC_SET_LOOP)) {
        EnableControl(dialog, IDC_SET_LOOPS, true);
        SetDlgItemInt(dialog, IDC_SET_LOOPS, static_cast<UINT>(copy->loopCount), FALSE);
        copy->SetLoop(1);
    } else {
        copy->loopCount = 1;
        SetDlgItemTextA(dialog, IDC_SET_LOOPS, "1");
        EnableControl(dialog, IDC_SET_LOOPS, false);
        copy->replaySound = 0;
        copy->SetLoop(0);
    }
}

void OnPreviewSwitch(HWND dialog, FLC* copy)
{
    previewOn = Checked(dialog, IDC_SET_PREVIEW_ON);
    copy->preview.playing = 0;
    copy->preview.started = 0;
    if (copy->preview.window)
        InvalidateRect(copy->preview.window, nullptr, TRUE);
    ResetPreview(dialog, copy);
}

int ReadSpeed(HWND dialog) { return std::atoi(ControlText(dialog, IDC_SET_FPS)); }

void StartPreview(HWND dialog, FLC* copy)
{
    if (copy->series)
        for (int id : {IDC_SET_IMAGES, IDC_SET_ADD_IMAGES, IDC_SET_MODIFY_IMAGE, IDC_SET_DELETE_IMAGE})
            EnableControl(dialog, id, false);
    for (int id : {IDC_SET_FPS_LABEL, IDC_SET_FPS, IDC_SET_PREVIEW_PLAY})
        EnableControl(dialog, id, false);
    EnableControl(dialog, IDC_SET_PREVIEW_STOP, true);
    copy->preview.playing = 1;
    const int speed = ReadSpeed(dialog);
    if (copy->series && copy->anim) {
        copy->anim->SetFrameRate(speed);
        copy->anim->Play();
    } else {
        if (copy->preview.player && speed > 0)
            copy->preview.player->SetFrameRate(speed);
        if (copy->preview.window)
            InvalidateRect(copy->preview.window, nullptr, FALSE);
    }
}

// The end of a preview's play: again from the start when looping, else stopped.
void OnPreviewEnd(HWND dialog, FLC* copy)
{
    if (!copy->preview.playing)
        return;
    if (!Checked(dialog, IDC_SET_LOOP)) {
        StopPreview(dialog, copy);
        return;
    }
    if (copy->preview.player) {
        copy->preview.player->Rewind();
        copy->preview.player->Play();
        return;
    }
    copy->preview.started = 0;
    if (copy->preview.window)
        InvalidateRect(copy->preview.window, nullptr, FALSE);
}

void OnSoundTrack(HWND dialog, FLC* copy)
{
    copy->framesPerSecond = ReadSpeed(dialog);
    if (copy->series && copy->anim)
        copy->anim->Stop();
    RunSoundTrackDialog(dialog, copy);
    AttachSeriesToPreview(copy);
}

// The series goes back to the object's own window, out of the millisecond table.
void DetachSeries(FLC* copy)
{
    if (!copy->anim)
        return;
    copy->anim->Stop();
    copy->anim->SetWindow(copy->window);
}

void OnOk(HWND dialog, FLC* copy)
{
    DetachSeries(copy);
    copy->framesPerSecond = ReadSpeed(dialog);
    copy->mediaName = ControlText(dialog, IDC_SET_FILE);
    const bool badName = copy->mediaName.length() && !ValidateFileName(copy->mediaName, nullptr, 0);
    const bool empty = copy->series ? !copy->anim || copy->anim->Count() == 0 : !copy->mediaName.length();
    if (badName || empty) {
        ModuleBox(dialog, IDS_NO_FILE_CAPTION, IDS_NO_FILE, MB_OK | MB_ICONWARNING);
        copy->mediaName = "";
        SetFocus(GetDlgItem(dialog, IDC_SET_FILE));
        AttachSeriesToPreview(copy);
        return;
    }
    copy->controlBarFlag = Checked(dialog, IDC_SET_BAR) ? 1 : 0;
    copy->autoPlay = Checked(dialog, IDC_SET_AUTOPLAY) ? 1 : 0;
    copy->SetLoop(Checked(dialog, IDC_SET_LOOP) ? 1 : 0);
    copy->centre = Checked(dialog, IDC_SET_CENTRE) ? 1 : 0;
    copy->loopCount = std::max(1, std::atoi(ControlText(dialog, IDC_SET_LOOPS)));
    double delay = copy->showDelay;
    if (std::sscanf(ControlText(dialog, IDC_SET_DELAY), "%lf", &delay) == 1)
        copy->showDelay = std::clamp(delay, 0.0, LONGEST_DELAY);
    EndDialog(dialog, DIALOG_OK);
}

void OnInit(HWND dialog, FLC* copy)
{
    SetQORVEXpointer(dialog, copy);
    copy->preview.dialog = dialog;
    copy->EffectComboCommand(dialog, WM_INITDIALOG, 0, 0, GetDlgItem(dialog, IDC_SET_EFFECT));
    copy->preview.file = "";
    copy->preview.local = "";
    copy->preview.mciDevice = 0;
    copy->preview.playing = 0;
    copy->preview.started = 0;
    SendDlgItemMessageA(dialog, IDC_SET_FILE, EM_LIMITTEXT, FILE_CHARS, 0);
    SendDlgItemMessageA(dialog, IDC_SET_FPS, EM_LIMITTEXT, FPS_CHARS, 0);
    SendDlgItemMessageA(dialog, IDC_SET_DELAY, EM_LIMITTEXT, DELAY_CHARS, 0);
    CheckDlgButton(dialog, IDC_SET_BAR, copy->controlBarFlag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SET_AUTOPLAY, copy->autoPlay ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SET_LOOP, copy->loop ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SET_CENTRE, copy->centre ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SET_PREVIEW_ON, previewOn ? BST_CHECKED : BST_UNCHECKED);
    // Set before the name box's text, whose change opens the preview.
    SetPreviewFile(copy, copy->series ? "" : static_cast<const char*>(copy->mediaName));
    ShowBranchTarget(dialog, IDC_SET_CLICK_TARGET, copy->GetBranch(0));
    ShowBranchTarget(dialog, IDC_SET_END_TARGET, copy->GetBranch(1));
    SetDlgItemInt(dialog, IDC_SET_LOOPS, static_cast<UINT>(copy->loopCount), FALSE);
    ShowDelayBox(dialog, IDC_SET_DELAY, copy->showDelay);
    OnBarChecked(dialog, copy);
    OnLoopChecked(dialog, copy);
    if (copy->loaded)
        SetDlgItemInt(dialog, IDC_SET_FPS, static_cast<UINT>(copy->framesPerSecond), FALSE);

    RECT frame{};
    const HWND frameWindow = GetDlgItem(dialog, IDC_SET_PREVIEW_FRAME);
    GetClientRect(frameWindow, &frame);
    copy->preview.window = CreateWindowExA(0, "FLCSAMPWIND", "", WS_CHILD | WS_VISIBLE, PREVIEW_INSET, PREVIEW_INSET,
                                           frame.right - 2 * PREVIEW_INSET, frame.bottom - 2 * PREVIEW_INSET,
                                           frameWindow, nullptr, MotionModule(), nullptr);
    if (copy->preview.window) {
        SetWindowLongPtrA(copy->preview.window, 0, reinterpret_cast<LONG_PTR>(copy));
    } else {
        CheckDlgButton(dialog, IDC_SET_PREVIEW_ON, BST_UNCHECKED);
        EnableControl(dialog, IDC_SET_PREVIEW_ON, false);
    }
    FillImageList(dialog, copy);
    AttachSeriesToPreview(copy);
    if (copy->series) {
        if (copy->anim) {
            copy->anim->FetchAll([copy](const std::string& name) {
                char local[QX_NAME_BUFFER] = "";
                KernGetFileSync(copy->GetKernel(), name.c_str(), local);
                return std::string(local);
            });
            if (copy->anim->Count() > 0) {
                copy->anim->Stop();
                copy->anim->StepTo(0);
                SendDlgItemMessageA(dialog, IDC_SET_IMAGES, LB_SETCURSEL, 0, 0);
            }
        }
        CheckDlgButton(dialog, IDC_SET_SERIES_MODE, BST_CHECKED);
        ApplySeriesLayout(dialog, copy);
    } else {
        CheckDlgButton(dialog, IDC_SET_FILE_MODE, BST_CHECKED);
        SetDlgItemTextA(dialog, IDC_SET_FILE, copy->mediaName);
        ApplyFileLayout(dialog, copy);
    }
    SubclassImageList(dialog, copy);
}

void OnSeriesMode(HWND dialog, FLC* copy)
{
    CheckRadioButton(dialog, IDC_SET_FILE_MODE, IDC_SET_SERIES_MODE, IDC_SET_SERIES_MODE);
    if (copy->series)
        return;
    copy->series = 1;
    if (!copy->anim)
        copy->anim = std::make_unique<ANIM>();
    AttachSeriesToPreview(copy);
    ApplySeriesLayout(dialog, copy);
}

void OnFileMode(HWND dialog, FLC* copy)
{
    CheckRadioButton(dialog, IDC_SET_FILE_MODE, IDC_SET_SERIES_MODE, IDC_SET_FILE_MODE);
    if (copy->series && copy->anim)
        copy->anim->Stop();
    copy->series = 0;
    ApplyFileLayout(dialog, copy);
}

void OnCommand(HWND dialog, FLC* copy, int id, int notification)
{
    switch (id) {
    case IDC_SET_BAR: case IDC_SET_AUTOPLAY: case IDC_SET_LOOP: case IDC_SET_FPS: case IDC_SET_DELAY:
    case IDC_SET_PREVIEW_PLAY: case IDC_SET_PREVIEW_STOP:
        break;
    default:
        // Every other command first stops the preview; a typed name must not stop it twice.
        if (copy->preview.playing)
            StopPreview(dialog, copy);
        break;
    }
    switch (id) {
    case IDOK: OnOk(dialog, copy); break;
    case IDCANCEL:
        DetachSeries(copy);
        EndDialog(dialog, DIALOG_CANCEL);
        break;
    case IDC_SET_BAR: OnBarChecked(dialog, copy); break;
    case IDC_SET_LOOP: OnLoopChecked(dialog, copy); break;
    case IDC_SET_PREVIEW_ON: OnPreviewSwitch(dialog, copy); break;
    case IDC_SET_PREVIEW_PLAY: StartPreview(dialog, copy); break;
    case IDC_SET_PREVIEW_STOP: StopPreview(dialog, copy); break;
    case IDC_SET_FILE:
        if (notification == EN_UPDATE)
            OnFileEdited(dialog, copy);
        break;
    case IDC_SET_CHOOSE: OnChooseFile(dialog, copy); break;
    case IDC_SET_LIBRARY: {
        const QXSTRING chosen = ChooseLibraryAnimation(dialog, copy->GetKernel());
        if (chosen.length()) {
            OnFileMode(dialog, copy);
            TakeFileName(dialog, chosen);
        }
        break;
    }
    case IDC_SET_GENERAL: KernSetGeneralObj(copy->GetKernel(), dialog, copy); break;
    case IDC_SET_HELP: KernHelp(copy->GetKernel(), "anim.pag"); break;
    case IDC_SET_CLICK_BRANCH: OnBranch(dialog, copy, 0, IDC_SET_CLICK_TARGET, IDC_SET_CLICK_UNBRANCH, false); break;
    case IDC_SET_END_BRANCH: OnBranch(dialog, copy, 1, IDC_SET_END_TARGET, IDC_SET_END_UNBRANCH, false); break;
    case IDC_SET_CLICK_PAGE: OnBranch(dialog, copy, 0, IDC_SET_CLICK_TARGET, IDC_SET_CLICK_UNBRANCH, true); break;
    case IDC_SET_END_PAGE: OnBranch(dialog, copy, 1, IDC_SET_END_TARGET, IDC_SET_END_UNBRANCH, true); break;
    case IDC_SET_CLICK_UNBRANCH: OnRemoveBranch(dialog, copy, 0, IDC_SET_CLICK_TARGET); break;
    case IDC_SET_END_UNBRANCH: OnRemoveBranch(dialog, copy, 1, IDC_SET_END_TARGET); break;
    case IDC_SET_CLICK_TARGET:
        if (notification == EN_CHANGE)
            EnableControl(dialog, IDC_SET_CLICK_UNBRANCH, HasText(dialog, IDC_SET_CLICK_TARGET));
        break;
    case IDC_SET_END_TARGET:
        if (notification == EN_CHANGE)
            EnableControl(dialog, IDC_SET_END_UNBRANCH, HasText(dialog, IDC_SET_END_TARGET));
        break;
    case IDC_SET_FILE_MODE: OnFileMode(dialog, copy); break;
    case IDC_SET_SERIES_MODE: OnSeriesMode(dialog, copy); break;
    case IDC_SET_IMAGES:
        if (notification == LBN_SELCHANGE)
            OnImageSelected(dialog, copy);
        break;
    case IDC_SET_ADD_IMAGES: OnAddImages(dialog, copy); break;
    case IDC_SET_MODIFY_IMAGE: OnModifyImage(dialog, copy); break;
    case IDC_SET_DELETE_IMAGE: OnDeleteImage(dialog, copy); break;
    case IDC_SET_SOUNDS: OnSoundTrack(dialog, copy); break;
    default: break;
    }
}

}  // namespace

bool PreviewOn() { return previewOn; }

FLC* SettingsCopy(HWND dialog) { return static_cast<FLC*>(GetQORVEXpointer(dialog)); }

void ApplyFileLayout(HWND dialog, FLC* copy)
{
    for (int id : {IDC_SET_IMAGES, IDC_SET_ADD_IMAGES, IDC_SET_MODIFY_IMAGE, IDC_SET_DELETE_IMAGE}) {
        Show(dialog, id, false);
        EnableControl(dialog, id, false);
    }
    for (int id : {IDC_SET_CHOOSE, IDC_SET_LIBRARY, IDC_SET_FILE}) {
        Show(dialog, id, true);
        EnableControl(dialog, id, true);
    }
    EnableSettings(dialog, HasText(dialog, IDC_SET_FILE), false);
    EnableControl(dialog, IDC_SET_CENTRE, false);
    ResetPreview(dialog, copy);
}

void ApplySeriesLayout(HWND dialog, FLC* copy)
{
    for (int id : {IDC_SET_CHOOSE, IDC_SET_LIBRARY, IDC_SET_FILE}) {
        Show(dialog, id, false);
        EnableControl(dialog, id, false);
    }
    for (int id : {IDC_SET_IMAGES, IDC_SET_ADD_IMAGES, IDC_SET_MODIFY_IMAGE, IDC_SET_DELETE_IMAGE})
        Show(dialog, id, true);
    const bool content = copy->anim && copy->anim->Count() > 0;
    const bool selected = content && copy->anim->Current() >= 0;
    EnableSettings(dialog, content, true);
    EnableControl(dialog, IDC_SET_MODIFY_IMAGE, selected);
    EnableControl(dialog, IDC_SET_DELETE_IMAGE, selected);
    EnableControl(dialog, IDC_SET_CENTRE, false);
    EnableControl(dialog, IDC_SET_IMAGES, true);
    EnableControl(dialog, IDC_SET_ADD_IMAGES, true);
    ResetPreview(dialog, copy);
}

void ClosePreviewMedia(FLC* copy)
{
    FlcPreview& preview = copy->preview;
    delete preview.media;
    preview.media = nullptr;
    if (preview.mciDevice)
        mciSendCommandA(preview.mciDevice, MCI_CLOSE, MCI_WAIT, 0);
    preview.mciDevice = 0;
    preview.player.reset();
}

void ResetPreview(HWND dialog, FLC* copy)
{
    ClosePreviewMedia(copy);
    const bool something = copy->series ? copy->anim && copy->anim->Count() > 1 : HasText(dialog, IDC_SET_FILE);
    EnableControl(dialog, IDC_SET_PREVIEW_PLAY, Checked(dialog, IDC_SET_PREVIEW_ON) && something);
    EnableControl(dialog, IDC_SET_PREVIEW_STOP, false);
    if (copy->preview.window)
        InvalidateRect(copy->preview.window, nullptr, TRUE);
}

void StopPreview(HWND dialog, FLC* copy)
{
    FlcPreview& preview = copy->preview;
    bool canPlay = false;
    if (copy->series && copy->anim) {
        copy->anim->Stop();
        EnableControl(dialog, IDC_SET_IMAGES, true);
        EnableControl(dialog, IDC_SET_ADD_IMAGES, true);
        const int current = copy->anim->Current();
        SendDlgItemMessageA(dialog, IDC_SET_IMAGES, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
        for (int id : {IDC_SET_MODIFY_IMAGE, IDC_SET_DELETE_IMAGE, IDC_SET_FPS_LABEL, IDC_SET_FPS})
            EnableControl(dialog, id, current >= 0);
        canPlay = current >= 0;
    } else {
        if (preview.player) {
            preview.player->Stop();
            EnableControl(dialog, IDC_SET_FPS_LABEL, HasText(dialog, IDC_SET_FILE));
            EnableControl(dialog, IDC_SET_FPS, HasText(dialog, IDC_SET_FILE));
        }
        if (preview.media)
            preview.media->Stop();
        if (preview.mciDevice)
            mciSendCommandA(preview.mciDevice, MCI_STOP, MCI_WAIT, 0);
        canPlay = HasText(dialog, IDC_SET_FILE);
    }
    EnableControl(dialog, IDC_SET_PREVIEW_STOP, false);
    EnableControl(dialog, IDC_SET_PREVIEW_PLAY, Checked(dialog, IDC_SET_PREVIEW_ON) && canPlay);
    preview.playing = 0;
    preview.started = 0;
    if (preview.window)
        InvalidateRect(preview.window, nullptr, FALSE);
}

void AttachSeriesToPreview(FLC* copy)
{
    if (!copy->anim || !copy->preview.window)
        return;
    RECT client{};
    GetClientRect(copy->preview.window, &client);
    copy->anim->SetWindow(copy->preview.window);
    copy->anim->SetRect(0, 0, client.right, client.bottom);
}

void SetPreviewFile(FLC* copy, const char* name)
{
    FlcPreview& preview = copy->preview;
    preview.file = name ? name : "";
    preview.local = "";
    if (!preview.file.length())
        return;
    char local[QX_NAME_BUFFER] = "";
    KernGetFileSync(copy->GetKernel(), preview.file, local);
    if (!local[0] || GetFileAttributesA(local) == INVALID_FILE_ATTRIBUTES)
        preview.file = "";
    else
        preview.local = local;
}

std::string ModuleFilter(int id)
{
    char text[QX_NAME_BUFFER * 5] = "";
    const int length = LoadStringA(MotionModule(), static_cast<UINT>(id), text, sizeof text);
    std::string filter(text, static_cast<size_t>(length > 0 ? length : 0));
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

int ModuleBox(HWND owner, int caption, int text, UINT style)
{
    QXSTRING title, message;
    title.LoadResource(MotionModule(), caption);
    message.LoadResource(MotionModule(), text);
    return MessageBoxA(owner, message, title, style);
}

INT_PTR CALLBACK FlcSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OnInit(dialog, reinterpret_cast<FLC*>(lParam));
            return TRUE;
        }
        FLC* copy = SettingsCopy(dialog);
        if (!copy)
            return FALSE;
        if (copy->EffectComboCommand(dialog, message, wParam, lParam, GetDlgItem(dialog, IDC_SET_EFFECT)))
            return TRUE;
        if (message == MediaFinishedMessage() || (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) ||
            (message == FLC_PREVIEW_FRAME && lParam != 1)) {
            OnPreviewEnd(dialog, copy);
            return TRUE;
        }
        switch (message) {
        case WM_COMMAND:
            OnCommand(dialog, copy, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            ClosePreviewMedia(copy);
            if (copy->anim)
                copy->anim->Stop();
            copy->preview.window = nullptr;
            copy->preview.dialog = nullptr;
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}
