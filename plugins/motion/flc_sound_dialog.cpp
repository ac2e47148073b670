// The sound-track dialog "DLG_FLC_SOUND": the sounds played at chosen frames of the
// animation, edited in place in their list, with a preview of the animation whose frames
// play their sounds as they are reached.
#include "flc_settings.h"

#include "anim.h"
#include "authoring.h"
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

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int FRAME_CHARS = 4;
constexpr int FILE_CHARS = 499;
constexpr const char* STATE_PROPERTY = "QXTRACK";

struct TrackEntry {
    int frame;
    std::string file;
    bool added;
};

struct TrackDialog {
    FLC* object = nullptr;
    std::vector<TrackEntry> entries;
    PREVIEWDATA* data = nullptr;
    QXPREVIEW* pane = nullptr;
    WNDPROC editProcs[2]{};
    WNDPROC seriesFrameProc = nullptr;
    int edited = -1;  // the entry under the in-place editors
};

// The sound of the frame reached: one at a time for the whole module.
CMedia* frameSound = nullptr;
UINT frameSoundDevice = 0;

void EndFrameSound()
{
    delete frameSound;
    frameSound = nullptr;
    if (frameSoundDevice)
        mciSendCommandA(frameSoundDevice, MCI_CLOSE, MCI_WAIT, 0);
    frameSoundDevice = 0;
}

TrackDialog* StateOf(HWND dialog) { return static_cast<TrackDialog*>(GetPropA(dialog, STATE_PROPERTY)); }
HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_TRACK_LIST); }
// Whether an entry is under the editors: the dialog's own state, not what is on screen, which
// a dialog not yet shown would report as nothing edited.
bool Editing(const TrackDialog& state) { return state.edited >= 0; }
bool Playing(const TrackDialog& state)
{
    if (state.object->series)
        return state.object->anim && state.object->anim->GetState() == ANIM::Playing;
    return state.data && state.data->playing;
}

void Show(HWND dialog, std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        ShowWindow(GetDlgItem(dialog, id), on ? SW_SHOW : SW_HIDE);
}

void Enable(HWND dialog, std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        EnableControl(dialog, id, on);
}

constexpr std::initializer_list<int> TRANSPORT = {IDC_TRACK_PLAY, IDC_TRACK_STOP, IDC_TRACK_BACK, IDC_TRACK_FORWARD,
                                                  IDC_TRACK_REWIND};

// The editors answer Enter and Escape themselves: released, they confirm or cancel the edit.
LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND dialog = GetParent(editor);
    TrackDialog* state = StateOf(dialog);
    if (!state)
        return DefWindowProcA(editor, message, wParam, lParam);
    const WNDPROC own = state->editProcs[GetDlgCtrlID(editor) == IDC_TRACK_FRAME_EDIT ? 0 : 1];
    const bool ends = wParam == VK_RETURN || wParam == VK_ESCAPE;
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcA(own, editor, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_CHAR:
        if (ends)
            return 0;
        break;
    case WM_KEYUP:
        if (ends) {
            PostMessageA(dialog, WM_COMMAND, wParam == VK_RETURN ? IDOK : IDCANCEL, 0);
            return 0;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(own, editor, message, wParam, lParam);
}

void ShowFrameNumber(HWND dialog, int frame) { SetDlgItemInt(dialog, IDC_TRACK_FRAME_NUMBER, static_cast<UINT>(frame), FALSE); }

// The image series drawn in the preview frame; its ticks step it and report the image.
LRESULT CALLBACK SeriesFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND dialog = GetParent(frame);
    TrackDialog* state = StateOf(dialog);
    if (!state || !state->seriesFrameProc)
        return DefWindowProcA(frame, message, wParam, lParam);
    ANIM* anim = state->object->anim.get();
    if (anim && message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(frame, &paint);
        RECT area{};
        GetClientRect(frame, &area);
        anim->Paint(dc, [&](HDC blank) { FillRect(blank, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))); });
        EndPaint(frame, &paint);
        return 0;
    }
    if (anim && message == QX_ANIM_TIMER) {
        if (anim->Advance())
            PostMessageA(dialog, FLC_PREVIEW_FRAME, static_cast<WPARAM>(anim->Current()), 1);
        else
            PostMessageA(dialog, FLC_PREVIEW_FRAME, 0, 0);
        InvalidateRect(frame, nullptr, FALSE);
        anim->TimerHandled();
        return 0;
    }
    return CallWindowProcA(state->seriesFrameProc, frame, message, wParam, lParam);
}

void AttachSeries(HWND dialog, TrackDialog& state)
{
    ANIM* anim = state.object->anim.get();
    if (!anim)
        return;
    const HWND frame = GetDlgItem(dialog, IDC_TRACK_PREVIEW);
    RECT area{};
    GetClientRect(frame, &area);
    anim->Stop();
    anim->SetWindow(frame);
    anim->SetRect(0, 0, area.right, area.bottom);
    if (anim->Current() < 0 && anim->Count() > 0)
        anim->StepTo(0);
    anim->StepFirst();
    state.seriesFrameProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SeriesFrameProc)));
    InvalidateRect(frame, nullptr, TRUE);
}

int FrameCount(const TrackDialog& state)
{
    if (FLC::KindOfName(state.object->mediaName) == FLC_KIND_FLIC && !state.object->series)
        return state.data && state.data->player->IsOpen() ? state.data->player->Frames() : 0;
    return state.object->anim ? state.object->anim->Count() : 0;
}

void Refill(HWND dialog, TrackDialog& state)
{
    const HWND list = List(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const TrackEntry& entry : state.entries) {
        char line[QX_NAME_BUFFER + 16];
        std::snprintf(line, sizeof line, "%d\t%s", entry.frame, entry.file.c_str());
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
}

void SelectAlone(HWND dialog, int index)
{
    SendMessageA(List(dialog), LB_SETSEL, FALSE, -1);
    if (index >= 0)
        SendMessageA(List(dialog), LB_SETSEL, TRUE, index);
}

void OnListMode(HWND dialog, TrackDialog& state, WPARAM how)
{
    Show(dialog, {IDC_TRACK_FRAME_EDIT, IDC_TRACK_FILE_EDIT, IDC_TRACK_CONFIRM, IDC_TRACK_CANCEL_EDIT, IDC_TRACK_CHOOSE,
                  IDC_TRACK_LIBRARY}, false);
    Show(dialog, {IDC_TRACK_ADD, IDC_TRACK_DELETE, IDC_TRACK_MODIFY}, true);
    Enable(dialog, {IDC_TRACK_LIST, IDC_TRACK_ADD, IDOK, IDCANCEL}, true);
    Enable(dialog, TRANSPORT, true);
    Enable(dialog, {IDC_TRACK_DELETE, IDC_TRACK_MODIFY}, false);
    if (how == 2)
        std::erase_if(state.entries, [](const TrackEntry& entry) { return entry.added; });
    std::stable_sort(state.entries.begin(), state.entries.end(),
                     [](const TrackEntry& a, const TrackEntry& b) { return a.frame < b.frame; });
    Refill(dialog, state);
    if (how != 0)
        for (TrackEntry& entry : state.entries)
            entry.added = false;
    state.edited = -1;
    SetFocus(List(dialog));
}

void PressStop(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDC_TRACK_STOP, 0); }

void Edit(HWND dialog, TrackDialog& state)
{
    const HWND list = List(dialog);
    if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) != 1)
        return;
    int index = -1;
    SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index));
    if (index < 0 || index >= static_cast<int>(state.entries.size()))
        return;
    PressStop(dialog);
    state.edited = index;
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list, dialog, reinterpret_cast<POINT*>(&item), 2);
    RECT heading{};
    GetWindowRect(GetDlgItem(dialog, IDC_TRACK_FILE_HEADING), &heading);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&heading), 2);
    const int height = std::max<int>(item.bottom - item.top + 4, 16);
    MoveWindow(GetDlgItem(dialog, IDC_TRACK_FRAME_EDIT), item.left, item.top, heading.left - item.left - 2, height, TRUE);
    MoveWindow(GetDlgItem(dialog, IDC_TRACK_FILE_EDIT), heading.left, item.top, item.right - heading.left, height, TRUE);
    const TrackEntry& entry = state.entries[static_cast<size_t>(index)];
    if (entry.frame == -1)
        SetDlgItemTextA(dialog, IDC_TRACK_FRAME_EDIT, "");
    else
        SetDlgItemInt(dialog, IDC_TRACK_FRAME_EDIT, static_cast<UINT>(entry.frame), FALSE);
    SetDlgItemTextA(dialog, IDC_TRACK_FILE_EDIT, entry.file.c_str());
    Show(dialog, {IDC_TRACK_FRAME_EDIT, IDC_TRACK_FILE_EDIT, IDC_TRACK_CONFIRM, IDC_TRACK_CANCEL_EDIT, IDC_TRACK_CHOOSE,
                  IDC_TRACK_LIBRARY}, true);
    Show(dialog, {IDC_TRACK_ADD, IDC_TRACK_DELETE, IDC_TRACK_MODIFY}, false);
    Enable(dialog, {IDC_TRACK_LIST, IDC_TRACK_ADD, IDC_TRACK_DELETE, IDC_TRACK_MODIFY, IDOK, IDCANCEL}, false);
    Enable(dialog, TRANSPORT, false);
    Enable(dialog, {IDC_TRACK_CHOOSE, IDC_TRACK_LIBRARY}, true);
    const HWND frameEdit = GetDlgItem(dialog, IDC_TRACK_FRAME_EDIT);
    SetWindowPos(frameEdit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(GetDlgItem(dialog, IDC_TRACK_FILE_EDIT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus(frameEdit);
    SendMessageA(frameEdit, EM_SETSEL, 0, -1);
}

bool FrameUsed(const TrackDialog& state, int frame, int except)
{
    for (size_t i = 0; i < state.entries.size(); ++i)
        if (static_cast<int>(i) != except && state.entries[i].frame == frame)
            return true;
    return false;
}

void OnAdd(HWND dialog, TrackDialog& state)
{
    PressStop(dialog);
    int frame = static_cast<int>(GetDlgItemInt(dialog, IDC_TRACK_FRAME_NUMBER, nullptr, FALSE));
    while (FrameUsed(state, frame, -1))
        ++frame;
    state.entries.push_back({frame, "", true});
    SendMessageA(dialog, FLC_TRACK_LIST_MODE, 0, 0);
    int index = static_cast<int>(state.entries.size()) - 1;
    for (size_t i = 0; i < state.entries.size(); ++i)
        if (state.entries[i].added && state.entries[i].frame == frame)
            index = static_cast<int>(i);
    SelectAlone(dialog, index);
    Edit(dialog, state);
}

void Refuse(HWND dialog, int text, int focus)
{
    ModuleBox(dialog, IDS_VALIDATION_CAPTION, text, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, focus));
}

void OnConfirm(HWND dialog, TrackDialog& state)
{
    if (state.edited < 0)
        return;
    const QXSTRING frameText = ControlText(dialog, IDC_TRACK_FRAME_EDIT);
    char* end = nullptr;
    const unsigned long frame = std::strtoul(frameText, &end, 10);
    if (!frameText.length() || *end || frame < 1 || frame > static_cast<unsigned long>(FrameCount(state)))
        return Refuse(dialog, IDS_BAD_FRAME, IDC_TRACK_FRAME_EDIT);
    const QXSTRING file = ControlText(dialog, IDC_TRACK_FILE_EDIT);
    if (!file.length())
        return Refuse(dialog, IDS_SOUND_NEEDED, IDC_TRACK_FILE_EDIT);
    if (!ValidateFileName(file, nullptr, 0))
        return Refuse(dialog, IDS_SOUND_NOT_FOUND, IDC_TRACK_FILE_EDIT);
    if (FrameUsed(state, static_cast<int>(frame), state.edited))
        return Refuse(dialog, IDS_FRAME_TAKEN, IDC_TRACK_FRAME_EDIT);
    TrackEntry& entry = state.entries[static_cast<size_t>(state.edited)];
    entry.frame = static_cast<int>(frame);
    entry.file = static_cast<const char*>(file);
    PostMessageA(dialog, FLC_TRACK_LIST_MODE, 1, 0);
}

void OnDelete(HWND dialog, TrackDialog& state)
{
    const HWND list = List(dialog);
    const int count = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    if (count <= 0)
        return;
    std::vector<int> selected(static_cast<size_t>(count));
    SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(selected.data()));
    std::sort(selected.rbegin(), selected.rend());
    for (int index : selected)
        if (index >= 0 && index < static_cast<int>(state.entries.size()))
            state.entries.erase(state.entries.begin() + index);
    SendMessageA(dialog, FLC_TRACK_LIST_MODE, 0, 0);
}

void TakeSoundFile(HWND dialog, const char* name)
{
    SetDlgItemTextA(dialog, IDC_TRACK_FILE_EDIT, name);
}

void OnChooseSound(HWND dialog, TrackDialog& state)
{
    QXSTRING chosen;
    if (AskPreviewedFile(state.object->GetKernel(), dialog, ModuleFilter(IDS_SOUND_FILTER),
                         ControlText(dialog, IDC_TRACK_FILE_EDIT), QXPREVIEW_PLAY | QXPREVIEW_STOP, &chosen))
        TakeSoundFile(dialog, chosen);
    if (Editing(state))
        SetFocus(GetDlgItem(dialog, IDC_TRACK_FRAME_EDIT));
}

void OnLibrary(HWND dialog, TrackDialog& state)
{
    char chosen[QX_NAME_BUFFER] = "";
    if (ChooseLibrarySound(dialog, state.object->GetKernel(), chosen))
        TakeSoundFile(dialog, chosen);
    if (Editing(state))
        SetFocus(GetDlgItem(dialog, IDC_TRACK_FRAME_EDIT));
}

void OnSelection(HWND dialog, TrackDialog& state)
{
    const HWND list = List(dialog);
    const int count = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EnableControl(dialog, IDC_TRACK_MODIFY, count == 1);
    EnableControl(dialog, IDC_TRACK_DELETE, count >= 1);
    if (count != 1 || state.object->series || !state.data || state.data->kind != PREVIEW_FLIC)
        return;
    int index = -1;
    SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index));
    if (index < 0 || index >= static_cast<int>(state.entries.size()))
        return;
    FlicPlayer& player = *state.data->player;
    const int target = state.entries[static_cast<size_t>(index)].frame - 1;
    if (target < player.Counter())
        player.StepBackToFrame(target);
    else
        player.GoToFrame(target);
    ShowFrameNumber(dialog, player.Counter() + 1);
}

void SetTransport(HWND dialog, bool playing)
{
    CheckDlgButton(dialog, IDC_TRACK_PLAY, playing ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_TRACK_STOP, playing ? BST_UNCHECKED : BST_CHECKED);
}

void RepaintSeries(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_TRACK_PREVIEW), nullptr, FALSE); }

void OnPlay(HWND dialog, TrackDialog& state)
{
    SetTransport(dialog, true);
    if (state.object->series) {
        if (state.object->anim)
            state.object->anim->Play();
        RepaintSeries(dialog);
    } else if (state.pane) {
        state.pane->DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr);
    }
}

void OnStop(HWND dialog, TrackDialog& state)
{
    SetTransport(dialog, false);
    EndFrameSound();
    if (state.object->series) {
        if (state.object->anim)
            state.object->anim->Stop();
        RepaintSeries(dialog);
    } else if (state.pane) {
        state.pane->DoCallback(QXPREVIEW_STOP_PRESSED, nullptr, nullptr);
    }
}

// Back, forward and rewind: the preview stopped, then moved one frame or to the start.
void OnStep(HWND dialog, TrackDialog& state, int id)
{
    PressStop(dialog);
    if (state.object->series) {
        ANIM* anim = state.object->anim.get();
        if (!anim)
            return;
        if (id == IDC_TRACK_REWIND)
            anim->StepFirst();
        else if (id == IDC_TRACK_BACK)
            anim->StepTo(anim->PreviousAvailable(anim->Current(), false));
        else
            anim->StepNextNoWrap();
        anim->Start();
        ShowFrameNumber(dialog, anim->Current() + 1);
        RepaintSeries(dialog);
        return;
    }
    if (!state.data || state.data->kind != PREVIEW_FLIC)
        return;
    FlicPlayer& player = *state.data->player;
    if (id == IDC_TRACK_REWIND)
        player.Rewind();
    else if (id == IDC_TRACK_BACK)
        player.StepBackToFrame(player.Counter() - 1);
    else
        player.NextFrame();
    ShowFrameNumber(dialog, player.Counter() + 1);
}

void PlayFrameSound(HWND dialog, KERNEL* kernel, const std::string& file)
{
    EndFrameSound();
    char local[QX_NAME_BUFFER] = "";
    KernGetFileSync(kernel, file.c_str(), local);
    const char* sound = local[0] ? local : file.c_str();
    RECT client{};
    GetClientRect(dialog, &client);
    frameSound = OpenServerMedia(dialog, sound, &client);
    if (frameSound) {
        frameSound->Play();
        return;
    }
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = sound;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)))
        return;
    frameSoundDevice = open.wDeviceID;
    KeepMciDriverLoaded(frameSoundDevice);
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(dialog);
    mciSendCommandA(frameSoundDevice, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void OnFrame(HWND dialog, TrackDialog& state, WPARAM counter, LPARAM reached)
{
    if (reached != 1) {
        PressStop(dialog);
        return;
    }
    const int frame = static_cast<int>(counter) + 1;
    ShowFrameNumber(dialog, frame);
    for (size_t i = 0; i < state.entries.size(); ++i) {
        if (state.entries[i].frame != frame)
            continue;
        if (Playing(state) && !state.entries[i].file.empty() && waveOutGetNumDevs() > 0)
            PlayFrameSound(dialog, state.object->GetKernel(), state.entries[i].file);
        SelectAlone(dialog, static_cast<int>(i));
        return;
    }
}

void OnInit(HWND dialog, FLC* object)
{
    auto* state = new TrackDialog;
    state->object = object;
    SetPropA(dialog, STATE_PROPERTY, state);
    for (const SoundFrame& entry : object->soundTrack)
        state->entries.push_back({entry.frame, static_cast<const char*>(entry.name), false});
    if (!object->series) {
        state->data = new PREVIEWDATA;
        state->data->notify = dialog;
        state->data->speed = object->framesPerSecond > 0 ? object->framesPerSecond : -1;
        RECT place{};
        const HWND frame = GetDlgItem(dialog, IDC_TRACK_PREVIEW);
        GetWindowRect(frame, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        ShowWindow(frame, SW_HIDE);
        state->pane = new QXPREVIEW(dialog, QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &place, MediaPreviewCallback,
                                    reinterpret_cast<LPARAM>(state->data));
        char local[QX_NAME_BUFFER] = "";
        KernGetFileSync(object->GetKernel(), object->mediaName, local);
        if (state->pane)
            state->pane->SetFilename(local[0] ? local : static_cast<const char*>(object->mediaName));
    }
    // The file column starts at the heading's left edge, in the list's dialog units.
    RECT heading{}, list{}, units{0, 0, 4, 8};
    GetWindowRect(GetDlgItem(dialog, IDC_TRACK_FILE_HEADING), &heading);
    GetWindowRect(List(dialog), &list);
    MapDialogRect(dialog, &units);
    INT tab = units.right ? static_cast<INT>((heading.left - list.left) * 4 / units.right) : 0;
    SendMessageA(List(dialog), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    SendDlgItemMessageA(dialog, IDC_TRACK_FRAME_EDIT, EM_LIMITTEXT, FRAME_CHARS, 0);
    SendDlgItemMessageA(dialog, IDC_TRACK_FILE_EDIT, EM_LIMITTEXT, FILE_CHARS, 0);
    for (int i = 0; i < 2; ++i)
        state->editProcs[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(GetDlgItem(dialog, i == 0 ? IDC_TRACK_FRAME_EDIT : IDC_TRACK_FILE_EDIT), GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(EditorProc)));
    SetTransport(dialog, false);
    PostMessageA(dialog, FLC_TRACK_LIST_MODE, 0, 0);
    PostMessageA(dialog, FLC_PREVIEW_FRAME, 0, 1);
    if (object->series)
        PostMessageA(dialog, FLC_TRACK_ATTACH_SERIES, 0, 0);
}

void OnEnd(HWND dialog, TrackDialog& state, bool ok)
{
    if (ok) {
        state.object->soundTrack.clear();
        for (const TrackEntry& entry : state.entries) {
            SoundFrame frame;
            frame.frame = entry.frame;
            frame.name = entry.file.c_str();
            state.object->soundTrack.push_back(frame);
        }
    }
    EndDialog(dialog, ok ? 1 : 0);
}

void OnCommand(HWND dialog, TrackDialog& state, int id, int notification)
{
    switch (id) {
    case IDOK:
        if (Editing(state))
            OnConfirm(dialog, state);
        else
            OnEnd(dialog, state, true);
        break;
    case IDCANCEL:
        if (Editing(state))
            PostMessageA(dialog, FLC_TRACK_LIST_MODE, 2, 0);
        else
            OnEnd(dialog, state, false);
        break;
    case IDC_TRACK_CONFIRM: OnConfirm(dialog, state); break;
    case IDC_TRACK_CANCEL_EDIT: PostMessageA(dialog, FLC_TRACK_LIST_MODE, 2, 0); break;
    case IDC_TRACK_ADD: OnAdd(dialog, state); break;
    case IDC_TRACK_MODIFY:
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRACK_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(List(dialog)));
        break;
    case IDC_TRACK_DELETE: OnDelete(dialog, state); break;
    case IDC_TRACK_CHOOSE: OnChooseSound(dialog, state); break;
    case IDC_TRACK_LIBRARY: OnLibrary(dialog, state); break;
    case IDC_TRACK_HELP: KernHelp(state.object->GetKernel(), "animson.pag"); break;
    case IDC_TRACK_LIST:
        if (notification == LBN_DBLCLK)
            Edit(dialog, state);
        else if (notification == LBN_SELCHANGE)
            OnSelection(dialog, state);
        break;
    case IDC_TRACK_PLAY: OnPlay(dialog, state); break;
    case IDC_TRACK_STOP: OnStop(dialog, state); break;
    case IDC_TRACK_BACK: case IDC_TRACK_FORWARD: case IDC_TRACK_REWIND: OnStep(dialog, state, id); break;
    default: break;
    }
}

void OnDestroy(HWND dialog, TrackDialog* state)
{
    EndFrameSound();
    if (state->seriesFrameProc) {
        if (state->object->anim)
            state->object->anim->Stop();
        SetWindowLongPtrA(GetDlgItem(dialog, IDC_TRACK_PREVIEW), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(state->seriesFrameProc));
    }
    delete state->pane;
    delete state->data;
    RemovePropA(dialog, STATE_PROPERTY);
    delete state;
}

INT_PTR CALLBACK SoundTrackProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OnInit(dialog, reinterpret_cast<FLC*>(lParam));
            return TRUE;
        }
        TrackDialog* state = StateOf(dialog);
        if (!state)
            return FALSE;
        if (message == MediaFinishedMessage()) {
            delete frameSound;
            frameSound = nullptr;
            return TRUE;
        }
        switch (message) {
        case WM_COMMAND:
            OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case FLC_TRACK_LIST_MODE:
            OnListMode(dialog, *state, wParam);
            return TRUE;
        case FLC_PREVIEW_FRAME:
            OnFrame(dialog, *state, wParam, lParam);
            return TRUE;
        case FLC_TRACK_ATTACH_SERIES:
            AttachSeries(dialog, *state);
            return TRUE;
        case MM_MCINOTIFY:
            if (wParam != MCI_NOTIFY_ABORTED && static_cast<UINT>(lParam) == frameSoundDevice)
                EndFrameSound();
            return TRUE;
        case WM_DESTROY:
            OnDestroy(dialog, state);
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

int RunSoundTrackDialog(HWND owner, FLC* object)
{
    const MODALDIALOG dialog(MotionModule(), owner, "DLG_FLC_SOUND", SoundTrackProc, reinterpret_cast<LPARAM>(object));
    return dialog.result == 1 ? 1 : 0;
}
