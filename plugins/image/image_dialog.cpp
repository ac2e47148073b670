// The settings dialog "DLG_IMG_SET": picture (file, library, camera), appearance effect and
// delay, keep ratio, the picture's settings, the branch taken on a click, the general options
// and the live preview.
#include "image_dialog.h"

#include "authoring.h"
#include "help.h"
#include "imageres.h"
#include "kernel.h"
#include "librarychooser.h"
#include "objdialog.h"
#include "qxpath.h"
#include "qxpreview.h"
#include "qxwindowptr.h"

#include <string>

namespace {

// Kept from one dialog to the next for the whole process, as the author left it.
bool previewOn = false;

// The chooser's flag word for the picture library.
constexpr intptr_t ImageLibraryFlags = 33;

void InvalidatePreview(HWND dialog, bool erase)
{
    if (HWND preview = GetDlgItem(dialog, IDC_IMAGE_PREVIEW))
        InvalidateRect(preview, nullptr, erase ? TRUE : FALSE);
}

// Setting the name box runs its EN_UPDATE handling, which takes the name into the copy.
void TakeFileName(HWND dialog, const char* name)
{
    SetDlgItemTextA(dialog, IDC_IMAGE_FILE, name);
    SetFocus(GetDlgItem(dialog, IDC_IMAGE_FILE));
    SetFocus(GetDlgItem(dialog, IDC_IMAGE_CHOOSE));
}

// The imaging library's formats: string 212, then the patterns.
std::string OpenFilter()
{
    char title[200] = "";
    const int length = LoadStringA(ImageModule(), IDS_ALL_FORMATS, title, sizeof title);
    std::string filter(title, static_cast<size_t>(length > 0 ? length : 0));
    filter += '\0';
    filter += "*.clp;*.ani;*.iff;*.cal;*.jbg;*.png;*.dic;*.fpx;*.img;*.gif;*.jpg;*.jff;*.jtf;*.pic;*.pct;*.mac;"
              "*.awd;*.msp;*.pcx;*.dcx;*.pcd;*.psd;*.eps;*.ras;*.tga;*.tif;*.fxs;*.bmp;*.cur;*.ico;*.emf;*.wmf;"
              "*.wpg;*.xpm;*.qxi;";
    filter += '\0';
    return filter;
}

void OnInit(HWND dialog, IMAGE* copy)
{
    SetQORVEXpointer(dialog, copy);
    copy->EffectComboCommand(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(copy),
                             GetDlgItem(dialog, IDC_IMAGE_EFFECT));
    copy->dialogFileName = "";
    SetDlgItemTextA(dialog, IDC_IMAGE_FILE, copy->fileName);
    ShowDelayBox(dialog, IDC_IMAGE_DELAY, copy->showDelay);
    ShowBranchTarget(dialog, IDC_IMAGE_TARGET, copy->GetBranch(0));
    if (!copy->loaded) {
        for (int id : {IDC_IMAGE_BRANCH, IDC_IMAGE_GENERAL, IDC_IMAGE_METADATA})
            EnableControl(dialog, id, false);
    }
    if (!CameraAvailable()) {
        EnableControl(dialog, IDC_IMAGE_CAMERA, false);
        ShowWindow(GetDlgItem(dialog, IDC_IMAGE_CAMERA), SW_HIDE);
    }
    CheckDlgButton(dialog, IDC_IMAGE_PREVIEW_ON, previewOn ? BST_CHECKED : BST_UNCHECKED);
    if (!CreatePreview(dialog, IDC_IMAGE_PREVIEW_FRAME, IDC_IMAGE_PREVIEW, copy)) {
        CheckDlgButton(dialog, IDC_IMAGE_PREVIEW_ON, BST_UNCHECKED);
        EnableControl(dialog, IDC_IMAGE_PREVIEW_ON, false);
    }
    CheckDlgButton(dialog, IDC_IMAGE_KEEPRATIO, copy->keepRatio ? BST_CHECKED : BST_UNCHECKED);
}

void OnOk(HWND dialog, IMAGE* copy)
{
    copy->fileName = ControlText(dialog, IDC_IMAGE_FILE);
    if (!copy->fileName.length() || ValidateFileName(copy->fileName, nullptr, 0)) {
        copy->showDelay = ReadDelayBox(dialog, IDC_IMAGE_DELAY);
        EndDialog(dialog, 0);
        return;
    }
    QXSTRING text, caption;
    text.LoadResource(ImageModule(), IDS_IMAGE_NOT_FOUND);
    caption.LoadResource(ImageModule(), IDS_BAD_NAME_CAPTION);
    MessageBoxA(dialog, text, caption, MB_OK | MB_ICONWARNING);
    copy->fileName = "";
    SetFocus(GetDlgItem(dialog, IDC_IMAGE_FILE));
}

// Another file starts from the whole picture with the file's own look; its rotation stays.
void OnFileNameEdited(HWND dialog, IMAGE* copy)
{
    const QXSTRING text = ControlText(dialog, IDC_IMAGE_FILE);
    const bool valid = ValidateFileName(text, nullptr, 0) != 0;
    for (int id : {IDC_IMAGE_BRANCH, IDC_IMAGE_GENERAL, IDC_IMAGE_METADATA})
        EnableControl(dialog, id, valid);
    if (valid) {
        copy->dialogFileName = text;
        if (lstrcmpiA(text, copy->fileName) != 0) {
            copy->newPicture = 1;
            copy->transparent = 0;
            copy->transparentColour = 0;
            for (int& edge : copy->crop)
                edge = 0;
            copy->flipVertical = 0;
            copy->flipHorizontal = 0;
        }
    } else {
        copy->dialogFileName = "";
    }
    copy->fileName = text;
    InvalidatePreview(dialog, true);
}

void OnChooseFile(HWND dialog, IMAGE* copy)
{
    QXSTRING chosen;
    if (AskPreviewedFile(copy->GetKernel(), dialog, OpenFilter(), ControlText(dialog, IDC_IMAGE_FILE),
                         QXPREVIEW_IMAGE | QXPREVIEW_CHECKBOX, &chosen))
        TakeFileName(dialog, chosen);
}

void OnLibrary(HWND dialog, IMAGE* copy)
{
    QXTMPL_BLOCK block{};
    block.category = "Image";
    block.flags = ImageLibraryFlags;
    const QXSTRING chosen = ChooseLibraryFile(copy->GetKernel(), dialog, block, "IMGLIB.PAG");
    if (chosen.length())
        TakeFileName(dialog, chosen);
}

void OnCamera(HWND dialog, IMAGE* copy)
{
    QXSTRING imported;
    if (ImportFromCamera(dialog, copy, ControlText(dialog, IDC_IMAGE_FILE), &imported))
        TakeFileName(dialog, imported);
}

void OnCommand(HWND dialog, IMAGE* copy, int id, int notification)
{
    switch (id) {
    case IDOK:
        OnOk(dialog, copy);
        break;
    case IDCANCEL:
        EndDialog(dialog, 1);
        break;
    case IDC_IMAGE_HELP:
        KernHelp(copy->GetKernel(), "image.pag");
        break;
    case IDC_IMAGE_FILE:
        if (notification == EN_UPDATE)
            OnFileNameEdited(dialog, copy);
        break;
    case IDC_IMAGE_CHOOSE:
        OnChooseFile(dialog, copy);
        break;
    case IDC_IMAGE_LIBRARY:
        OnLibrary(dialog, copy);
        break;
    case IDC_IMAGE_CAMERA:
        OnCamera(dialog, copy);
        break;
    case IDC_IMAGE_METADATA:
        EditMetaData(dialog, copy);
        CheckDlgButton(dialog, IDC_IMAGE_KEEPRATIO, copy->keepRatio ? BST_CHECKED : BST_UNCHECKED);
        InvalidatePreview(dialog, true);
        break;
    case IDC_IMAGE_PREVIEW_ON:
        previewOn = IsDlgButtonChecked(dialog, IDC_IMAGE_PREVIEW_ON) == BST_CHECKED;
        InvalidatePreview(dialog, true);
        break;
    case IDC_IMAGE_KEEPRATIO:
        copy->keepRatio = IsDlgButtonChecked(dialog, IDC_IMAGE_KEEPRATIO) == BST_CHECKED ? 1 : 0;
        InvalidatePreview(dialog, false);
        break;
    case IDC_IMAGE_GENERAL:
        if (KernSetGeneralObj(copy->GetKernel(), dialog, copy))
            copy->newPicture = 0;
        break;
    case IDC_IMAGE_BRANCH:
        KernBranchTo(copy->GetKernel(), dialog, copy->GetBranch(0));
        ShowBranchTarget(dialog, IDC_IMAGE_TARGET, copy->GetBranch(0));
        break;
    case IDC_IMAGE_TARGET:
        if (notification == EN_CHANGE)
            EnableControl(dialog, IDC_IMAGE_UNBRANCH, GetWindowTextLengthA(GetDlgItem(dialog, IDC_IMAGE_TARGET)) > 0);
        break;
    case IDC_IMAGE_UNBRANCH:
        ClearBranch(copy->GetBranch(0));
        SetDlgItemTextA(dialog, IDC_IMAGE_TARGET, "");
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK ImageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInit(dialog, reinterpret_cast<IMAGE*>(lParam));
        return TRUE;
    }
    auto* copy = static_cast<IMAGE*>(GetQORVEXpointer(dialog));
    if (!copy)
        return FALSE;
    if (copy->EffectComboCommand(dialog, message, wParam, lParam, GetDlgItem(dialog, IDC_IMAGE_EFFECT)))
        return TRUE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, copy, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        if (HWND preview = GetDlgItem(dialog, IDC_IMAGE_PREVIEW))
            DestroyWindow(preview);
        SetQORVEXpointer(dialog, nullptr);
        return FALSE;
    default:
        return FALSE;
    }
}
