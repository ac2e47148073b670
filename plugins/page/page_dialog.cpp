// "D_PAGE", the page's settings, and "D_PROGOPTIONS", the procedure DLL of the page. For a
// new page, OK writes its file.
#include "page.h"
#include "page_create.h"
#include "page_module.h"
#include "pageres.h"

#include "accessors.h"
#include "authoring.h"
#include "help.h"
#include "objdialog.h"
#include "pagefiles.h"
#include "qxcolour.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxutil.h"
#include "recordio.h"

#include <commdlg.h>

namespace {

// The dialog finds its page through this property: a global block holding the page pointer.
constexpr const char* PAGE_PROPERTY = "DATA";
constexpr int TITLE_CHARS = 49;
constexpr int FUNCTION_CHARS = 99;

struct FRAME_BUTTON {
    int id;
    int frameType;
};
constexpr FRAME_BUTTON FRAME_BUTTONS[] = {{IDC_PAGE_FRAME_NONE, QX_FRAME_NONE},
                                          {IDC_PAGE_FRAME_BORDER, QX_FRAME_BORDER},
                                          {IDC_PAGE_FRAME_CAPTION, QX_FRAME_CAPTION},
                                          {IDC_PAGE_FRAME_POPUP, QX_FRAME_POPUP}};

void ShowError(HWND dialog, int text)
{
    Alert(dialog, PageString(IDS_CREATE_ERROR).c_str(), PageString(text).c_str());
}

void AttachPage(HWND dialog, PAGE* page)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(PAGE*));
    if (!block)
        return;
    *static_cast<PAGE**>(GlobalLock(block)) = page;
    GlobalUnlock(block);
    SetPropA(dialog, PAGE_PROPERTY, block);
}

PAGE* AttachedPage(HWND dialog)
{
    const HGLOBAL block = GetPropA(dialog, PAGE_PROPERTY);
    if (!block)
        return nullptr;
    PAGE* page = *static_cast<PAGE**>(GlobalLock(block));
    GlobalUnlock(block);
    return page;
}

void DetachPage(HWND dialog)
{
    if (const HGLOBAL block = RemovePropA(dialog, PAGE_PROPERTY))
        GlobalFree(block);
}

// A maximal page fills the application: it has no frame of its own.
void ShowFrame(HWND dialog, PAGE* page)
{
    const bool maximal = page->sizeMode == 3;
    if (maximal)
        page->frameType = QX_FRAME_NONE;
    for (const FRAME_BUTTON& button : FRAME_BUTTONS) {
        CheckDlgButton(dialog, button.id, page->frameType == button.frameType ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, button.id), !maximal);
    }
}

// A branch can be removed while the page has one.
void EnableBranchRemoval(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_PAGE_BRANCH_REMOVE),
                 GetWindowTextLengthA(GetDlgItem(dialog, IDC_PAGE_BRANCH_TARGET)) > 0);
}

void ShowBranch(HWND dialog, PAGE* page)
{
    ShowBranchTarget(dialog, IDC_PAGE_BRANCH_TARGET, page->ClickBranch());
    EnableBranchRemoval(dialog);
}

void OnInit(HWND dialog, PAGE* page)
{
    AttachPage(dialog, page);
    SendDlgItemMessageA(dialog, IDC_PAGE_TITLE, EM_LIMITTEXT, TITLE_CHARS, 0);
    SetDlgItemTextA(dialog, IDC_PAGE_TITLE, page->title);
    SetDlgItemTextA(dialog, IDC_PAGE_FILE, page->pageFile);
    EnableWindow(GetDlgItem(dialog, IDC_PAGE_SAVE_AS), page->newPage);
    ShowFrame(dialog, page);
    CheckDlgButton(dialog, IDC_PAGE_CLOSE, page->closeOnLeave ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PAGE_MODELESS, page->modeless ? BST_CHECKED : BST_UNCHECKED);
    page->EffectComboCommand(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(page),
                             GetDlgItem(dialog, IDC_PAGE_EFFECT));
    ShowBranch(dialog, page);
}

void ChooseBackground(HWND dialog, PAGE* page)
{
    COLORREF custom[16] = {};
    KernGetCustomColor(page->kernel, custom);
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpCustColors = custom;
    choice.rgbResult = RGB(page->red, page->green, page->blue);
    choice.Flags = CC_RGBINIT;
    if (!QXChooseColor(&choice))
        return;
    KernSetCustomColor(page->kernel, custom);
    page->red = GetRValue(choice.rgbResult);
    page->green = GetGValue(choice.rgbResult);
    page->blue = GetBValue(choice.rgbResult);
}

void TakeSettings(HWND dialog, PAGE* page)
{
    GetDlgItemTextA(dialog, IDC_PAGE_TITLE, page->title, sizeof page->title);
    for (const FRAME_BUTTON& button : FRAME_BUTTONS)
        if (IsDlgButtonChecked(dialog, button.id) == BST_CHECKED)
            page->frameType = button.frameType;
    page->closeOnLeave = IsDlgButtonChecked(dialog, IDC_PAGE_CLOSE) == BST_CHECKED;
    page->SetModeless(IsDlgButtonChecked(dialog, IDC_PAGE_MODELESS) == BST_CHECKED);
}

// The header, the page's record and the final line; false when any write failed.
bool WritePageFile(PAGE* page, const char* name)
{
    QXCreateFilePath(name);
    const QXFILE file = QXopen(name, 1);
    if (!file)
        return false;
    RECORDWRITER out(file);
    out.Line(QX_PAGE_HEADER);
    char version[16];
    KernGetVersionString(version);
    out.Format("version : %s", version);
    int universe = 1;
    if (out.Ok() && !page->Save(file, universe, 1))
        out.Fail();
    out.Line(QX_RECORD_SEPARATOR);
    const bool written = out.Ok();
    QXclose(file);
    if (!written)
        DeleteFileA(name);
    return written;
}

// OK on a new page: checks the name, then writes the page. False keeps the dialog open.
bool CreatePageFile(HWND dialog, PAGE* page)
{
    GetDlgItemTextA(dialog, IDC_PAGE_TITLE, page->title, sizeof page->title);
    const QXSTRING name = ControlText(dialog, IDC_PAGE_FILE);
    const char* suffix = strrchr(name, '.');
    int refusal = 0;
    if (name.length() == 0)
        refusal = IDS_NO_FILE_NAME;
    else if (!suffix || lstrcmpiA(suffix, ".PAG") != 0)
        refusal = IDS_BAD_SUFFIX;
    else if (DoFileExist(name))
        refusal = IDS_PAGE_EXISTS;
    if (refusal) {
        ShowError(dialog, refusal);
        return false;
    }
    page->pageFile = name;
    TakeSettings(dialog, page);
    if (!WritePageFile(page, name)) {
        ShowError(dialog, IDS_CANNOT_CREATE);
        return false;
    }
    return true;
}

void OnOk(HWND dialog, PAGE* page)
{
    if (page->newPage) {
        if (CreatePageFile(dialog, page))
            EndDialog(dialog, 1);
        return;
    }
    TakeSettings(dialog, page);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK ProgOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<PAGE*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, IDC_PROG_DLL, page->procDll);
        SendDlgItemMessageA(dialog, IDC_PROG_FUNCTION, EM_LIMITTEXT, FUNCTION_CHARS, 0);
        SetDlgItemTextA(dialog, IDC_PROG_FUNCTION, page->procFunction);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto* page = reinterpret_cast<PAGE*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (LOWORD(wParam) == IDOK) {
        page->procDll = ControlText(dialog, IDC_PROG_DLL);
        GetDlgItemTextA(dialog, IDC_PROG_FUNCTION, page->procFunction, sizeof page->procFunction);
        const struct {
            int answer, text;
        } warnings[] = {{QX_HOOK_NO_DLL, IDS_DLL_MISSING},
                        {QX_HOOK_NO_FUNCTION, IDS_FUNCTION_INVALID},
                        {QX_HOOK_DLL_NOT_LOADED, IDS_DLL_NOT_LOADED}};
        const int bound = page->BindPageHook();
        for (const auto& warning : warnings)
            if (bound == warning.answer)
                Alert(dialog, PageString(IDS_DLL_ERROR).c_str(), PageString(warning.text).c_str());
        EndDialog(dialog, 1);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
    }
    return TRUE;
}

void OnCommand(HWND dialog, PAGE* page, int id, int code)
{
    KERNEL* kernel = page->kernel;
    switch (id) {
    case IDOK:
        OnOk(dialog, page);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_PAGE_SAVE_AS: {
        QXSTRING name;
        if (AskNewPageName(kernel, &name, 0, dialog))
            SetDlgItemTextA(dialog, IDC_PAGE_FILE, name);
        break;
    }
    case IDC_PAGE_BRANCH_TO:
        KernBranchToPage(kernel, dialog, page->ClickBranch());
        ShowBranch(dialog, page);
        break;
    case IDC_PAGE_BRANCH_OPTIONS:
        KernBranchTo(kernel, dialog, page->ClickBranch());
        ShowBranch(dialog, page);
        break;
    case IDC_PAGE_BRANCH_REMOVE:
        ClearBranch(page->ClickBranch());
        ShowBranch(dialog, page);
        break;
    case IDC_PAGE_BRANCH_TARGET:
        if (code == EN_CHANGE)
            EnableBranchRemoval(dialog);
        break;
    case IDC_PAGE_COLOUR:
        ChooseBackground(dialog, page);
        break;
    case IDC_PAGE_GENERAL:
        KernSetGeneralObj(kernel, dialog, page);
        ShowFrame(dialog, page);
        break;
    case IDC_PAGE_PROGRAMMER:
        DialogBoxParamA(PageModule(), "D_PROGOPTIONS", dialog, ProgOptionsProc, reinterpret_cast<LPARAM>(page));
        break;
    case IDC_PAGE_HELP:
        KernHelp(kernel, "page.pag");
        break;
    }
}

INT_PTR CALLBACK PageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OnInit(dialog, reinterpret_cast<PAGE*>(lParam));
        return TRUE;
    }
    PAGE* page = AttachedPage(dialog);
    if (!page)
        return FALSE;
    if (page->EffectComboCommand(dialog, message, wParam, lParam, GetDlgItem(dialog, IDC_PAGE_EFFECT)))
        return TRUE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(dialog, page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        DetachPage(dialog);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunPageDialog(HWND parent, PAGE* page)
{
    return DialogBoxParamA(PageModule(), "D_PAGE", parent, PageDialogProc, reinterpret_cast<LPARAM>(page));
}
