// The settings dialog "D_SOUND": file, library, show delay, loop, iterations before the
// branch, the branch itself, and a preview of the sound played through the dialog's window.
#include "sound_dialog.h"

#include "authoring.h"
#include "filefetch.h"
#include "help.h"
#include "kernel.h"
#include "librarychooser.h"
#include "objdialog.h"
#include "qxmedia.h"
#include "qxpath.h"
#include "qxpreview.h"
#include "sound.h"
#include "soundres.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* DataProperty = "DATA";
constexpr int IterationsChars = 3;

SOUND* CopyOf(HWND dialog)
{
    HGLOBAL block = GetPropA(dialog, DataProperty);
    auto** slot = block ? static_cast<SOUND**>(GlobalLock(block)) : nullptr;
    SOUND* copy = slot ? *slot : nullptr;
    if (slot)
        GlobalUnlock(block);
    return copy;
}

bool HasText(HWND dialog, int id) { return GetWindowTextLengthA(GetDlgItem(dialog, id)) > 0; }

void ShowIterations(HWND dialog, const SOUND* copy)
{
    SetDlgItemInt(dialog, IDC_SOUND_ITERATIONS, static_cast<UINT>(copy->iterations), TRUE);
}

void ShowTarget(HWND dialog, SOUND* copy)
{
    ShowBranchTarget(dialog, IDC_SOUND_TARGET, copy->GetBranch(0));
    EnableControl(dialog, IDC_SOUND_UNBRANCH, HasText(dialog, IDC_SOUND_TARGET));
}

// The file name goes into the copy and the name box; the focus visits the box and comes back.
void TakeFileName(HWND dialog, SOUND* copy, const char* name, int backTo)
{
    copy->fileName = name;
    SetDlgItemTextA(dialog, IDC_SOUND_FILE, name);
    InvalidateRect(GetDlgItem(dialog, IDC_SOUND_FILE), nullptr, TRUE);
    SetFocus(GetDlgItem(dialog, IDC_SOUND_FILE));
    SetFocus(GetDlgItem(dialog, backTo));
}

void OnInit(HWND dialog, HGLOBAL block)
{
    SetPropA(dialog, DataProperty, block);
    SOUND* copy = CopyOf(dialog);
    SetDlgItemTextA(dialog, IDC_SOUND_FILE, copy->fileName);
    ShowTarget(dialog, copy);
    EnableControl(dialog, IDC_SOUND_PLAY, HasText(dialog, IDC_SOUND_FILE));
    SendDlgItemMessageA(dialog, IDC_SOUND_ITERATIONS, EM_LIMITTEXT, IterationsChars, 0);
    ShowIterations(dialog, copy);
    ShowDelayBox(dialog, IDC_SOUND_DELAY, copy->showDelay);
    EnableControl(dialog, IDC_SOUND_STOP, false);
    if (!copy->loaded) {
        EnableControl(dialog, IDC_SOUND_BRANCH, false);
        EnableControl(dialog, IDC_SOUND_ITERATIONS, false);
        EnableControl(dialog, IDC_SOUND_LOOP, false);
    }
    CheckDlgButton(dialog, IDC_SOUND_LOOP, copy->loop ? BST_CHECKED : BST_UNCHECKED);
    if (!copy->loop)
        EnableControl(dialog, IDC_SOUND_ITERATIONS, false);
}

void OnOk(HWND dialog, SOUND* copy)
{
    copy->fileName = ControlText(dialog, IDC_SOUND_FILE);
    if (ValidateFileNameStr(copy->fileName, nullptr)) {
        copy->loop = IsDlgButtonChecked(dialog, IDC_SOUND_LOOP) == BST_CHECKED ? 1 : 0;
        const int iterations = std::atoi(ControlText(dialog, IDC_SOUND_ITERATIONS));
        copy->iterations = iterations < 1 ? 1 : iterations;
        copy->showDelay = ReadDelayBox(dialog, IDC_SOUND_DELAY);
        EndDialog(dialog, 1);
        return;
    }
    QXSTRING text, caption;
    text.LoadResource(SoundModule(), IDS_SOUND_NOT_FOUND);
    caption.LoadResource(SoundModule(), IDS_BAD_NAME_CAPTION);
    MessageBoxA(dialog, text, caption, MB_OK | MB_ICONEXCLAMATION);
    copy->fileName = "";
    SetFocus(GetDlgItem(dialog, IDC_SOUND_FILE));
}

// The string's parts are separated by '|'; the dialog wants them separated by zeros.
std::string OpenFilter()
{
    char text[200] = "";
    const int length = LoadStringA(SoundModule(), IDS_SOUND_FILTER, text, sizeof text);
    std::string filter(text, static_cast<size_t>(length > 0 ? length : 0));
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

void OnChooseFile(HWND dialog, SOUND* copy)
{
    QXSTRING chosen;
    if (AskPreviewedFile(copy->GetKernel(), dialog, OpenFilter(), copy->fileName, QXPREVIEW_PLAY | QXPREVIEW_STOP, &chosen))
        TakeFileName(dialog, copy, chosen, IDC_SOUND_CHOOSE);
    EnableControl(dialog, IDC_SOUND_PLAY, HasText(dialog, IDC_SOUND_FILE));
    EnableControl(dialog, IDC_SOUND_UNBRANCH, HasText(dialog, IDC_SOUND_TARGET));
}

void OnLibrary(HWND dialog, SOUND* copy)
{
    const QXSTRING chosen = ChooseLibrarySoundFile(copy->GetKernel(), dialog, SoundModule(), "D_PLAYSOUND");
    if (chosen.length())
        TakeFileName(dialog, copy, chosen, IDC_SOUND_CHOOSE);
}

void OnLoop(HWND dialog, SOUND* copy)
{
    if (IsDlgButtonChecked(dialog, IDC_SOUND_LOOP) == BST_CHECKED) {
        copy->loop = 1;
        ShowIterations(dialog, copy);
        EnableControl(dialog, IDC_SOUND_ITERATIONS, true);
    } else {
        copy->loop = 0;
        copy->iterations = 1;
        ShowIterations(dialog, copy);
        EnableControl(dialog, IDC_SOUND_ITERATIONS, false);
    }
}

// Played as the object plays at run time, but heard through the dialog: the media client and
// MCI report the end of the play to it.
void OnPreview(HWND dialog, SOUND* copy)
{
    copy->fileName = ControlText(dialog, IDC_SOUND_FILE);
    if (!copy->fileName.length() || waveOutGetNumDevs() == 0)
        return;
    GETFILE_STRUCT request;
    KernGetFile(copy->GetKernel(), copy->fileName, QX_FETCH_SYNC, 0, dialog, &request, nullptr, nullptr);
    if (!request.localFile.length() || GetFileAttributesA(request.localFile) == INVALID_FILE_ATTRIBUTES)
        return;
    copy->localPath = request.localFile;
    copy->window = dialog;
    if (copy->StartSound()) {
        EnableControl(dialog, IDC_SOUND_PLAY, false);
        EnableControl(dialog, IDC_SOUND_STOP, true);
    }
}

void OnPreviewEnded(HWND dialog)
{
    EnableControl(dialog, IDC_SOUND_PLAY, HasText(dialog, IDC_SOUND_FILE));
    EnableControl(dialog, IDC_SOUND_STOP, false);
}

void OnBranch(HWND dialog, SOUND* copy)
{
    KernBranchTo(copy->GetKernel(), dialog, copy->GetBranch(0));
    ShowTarget(dialog, copy);
}

void OnRemoveBranch(HWND dialog, SOUND* copy)
{
    ClearBranch(copy->GetBranch(0));
    SetDlgItemTextA(dialog, IDC_SOUND_TARGET, "");
    EnableControl(dialog, IDC_SOUND_UNBRANCH, false);
}

void OnFileNameEdited(HWND dialog, SOUND* copy)
{
    const bool valid = ValidateFileNameStr(ControlText(dialog, IDC_SOUND_FILE), nullptr) != 0;
    for (int id : {IDC_SOUND_BRANCH, IDC_SOUND_LOOP, IDC_SOUND_PLAY})
        EnableControl(dialog, id, valid);
    if (!valid)
        copy->localPath = "";
}

void OnCommand(HWND dialog, SOUND* copy, int id, int notification)
{
    switch (id) {
    case IDOK:
        OnOk(dialog, copy);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_SOUND_HELP:
        KernHelp(copy->GetKernel(), "son.pag");
        break;
    case IDC_SOUND_CHOOSE:
        OnChooseFile(dialog, copy);
        break;
    case IDC_SOUND_LIBRARY:
        OnLibrary(dialog, copy);
        break;
    case IDC_SOUND_LOOP:
        OnLoop(dialog, copy);
        break;
    case IDC_SOUND_PLAY:
        OnPreview(dialog, copy);
        break;
    case IDC_SOUND_STOP:
        SendMessageA(dialog, MM_MCINOTIFY, 0, 0);
        SendMessageA(dialog, QX_MEDIA_END, 0, 0);
        break;
    case IDC_SOUND_BRANCH:
        OnBranch(dialog, copy);
        break;
    case IDC_SOUND_UNBRANCH:
        OnRemoveBranch(dialog, copy);
        break;
    case IDC_SOUND_FILE:
        if (notification == EN_UPDATE)
            OnFileNameEdited(dialog, copy);
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK SoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInit(dialog, reinterpret_cast<HGLOBAL>(lParam));
        return TRUE;
    }
    SOUND* copy = CopyOf(dialog);
    if (!copy)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, copy, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case MM_MCINOTIFY:
        // MCI tells of a stopped preview too, once its device is closed (and its id perhaps
        // given to the next preview): that notice must not end the next one.
        if (lParam && (wParam == MCI_NOTIFY_ABORTED || wParam == MCI_NOTIFY_SUPERSEDED ||
                       static_cast<UINT>(lParam) != copy->mciDevice))
            return TRUE;
        copy->CloseDevice();
        copy->ReleaseDevice();
        OnPreviewEnded(dialog);
        return TRUE;
    case QX_MEDIA_END:
        delete copy->media;
        copy->media = nullptr;
        OnPreviewEnded(dialog);
        return TRUE;
    case WM_DESTROY:
        RemovePropA(dialog, DataProperty);
        return FALSE;
    default:
        return FALSE;
    }
}
