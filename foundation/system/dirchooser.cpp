// CQX_SELECTDIR_DLG: the directory chooser built on the Explorer-style save-file dialog.
#include "qxdirs.h"

#include "qxpath.h"
#include "qxwindowptr.h"
#include "resource.h"

#include <dlgs.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Controls of the system's Explorer-style file dialog.
constexpr int FileNameEdit = edt1;        // 1152, in the dialogs of older systems
constexpr int FileNameCombo = cmb13;      // 1148, its place in the newer ones
constexpr int FileTypeLabel = stc2;       // 1089
constexpr int FileTypeBox = cmb1;         // 1136
constexpr int FolderBox = cmb2;           // 1137
constexpr int FileNameLabel = stc3;       // 1090, becomes the chosen-folder label
constexpr int FolderBoxLabel = stc4;      // 1091
constexpr int ChosenFolderEdit = 1153;    // the edit the chooser adds

// The dialog needs a file name to accept OK; the chooser keeps only its folder.
constexpr char DummyFileName[] = "Qorvex.dir";
// A pattern that matches no file, so that the list shows folders only.
constexpr char FolderOnlyFilter[] = " \0*.>>>\0";

void SetControlText(HWND dialog, int id, const char* text)
{
    SendMessageA(dialog, CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(text));
}

void SetControlSize(HWND dialog, int id, int width, int height)
{
    SetWindowPos(GetDlgItem(dialog, id), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetControlPlace(HWND control, int x, int y, int width, int height)
{
    SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Replaces the window procedure and keeps the previous one on the window itself.
void Subclass(HWND control, WNDPROC procedure)
{
    const LONG_PTR previous = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetQORVEXpointer(control, reinterpret_cast<void*>(previous));
}

WNDPROC PreviousProcedure(HWND control) { return reinterpret_cast<WNDPROC>(GetQORVEXpointer(control)); }

}  // namespace

CQX_SELECTDIR_DLG::CQX_SELECTDIR_DLG(HINSTANCE moduleInstance)
    : module(moduleInstance), record{}, previousDialogProc(nullptr)
{
    title.LoadResource(module, IDS_SELECTDIR_TITLE);
    okText.LoadResource(module, IDS_SELECTDIR_OK);
    openText.LoadResource(module, IDS_SELECTDIR_OPEN);
    currentFolderLabel.LoadResource(module, IDS_SELECTDIR_CURRENT);
    chosenFolderLabel.LoadResource(module, IDS_SELECTDIR_CHOSEN);
    cancelText.LoadResource(module, IDS_SELECTDIR_CANCEL);

    record.lStructSize = sizeof record;
    record.lpstrFilter = FolderOnlyFilter;
    record.lpstrTitle = title;
    record.Flags = OFN_EXPLORER | OFN_NOVALIDATE | OFN_ENABLEHOOK | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    record.lCustData = reinterpret_cast<LPARAM>(this);
    record.lpfnHook = GetSaveDirNameProc;
}

CQX_SELECTDIR_DLG::~CQX_SELECTDIR_DLG() = default;

int CQX_SELECTDIR_DLG::GetSaveDirName(HWND owner, char* folder, int size)
{
    const int fileChars = size - 2;
    if (!folder || fileChars <= 0)
        return 0;
    std::vector<char> fileName(static_cast<size_t>(fileChars));
    lstrcpynA(fileName.data(), DummyFileName, fileChars);
    record.hwndOwner = owner;
    record.lpstrInitialDir = folder;
    record.lpstrFile = fileName.data();
    record.nMaxFile = fileChars;

    const BOOL chosen = GetSaveFileNameA(&record);
    record.lpstrInitialDir = nullptr;
    record.lpstrFile = nullptr;
    if (!chosen)
        return 0;
    QXSTRING drive, dir;
    QXfnsplitStr(fileName.data(), &drive, &dir, nullptr, nullptr);
    std::snprintf(folder, static_cast<size_t>(size), "%s%s", static_cast<const char*>(drive),
                  static_cast<const char*>(dir));
    return chosen;
}

void CQX_SELECTDIR_DLG::InitDialog(HWND dialog)
{
    HWND fileName = GetDlgItem(dialog, FileNameEdit);
    if (!fileName)
        fileName = GetDlgItem(dialog, FileNameCombo);
    const HWND chosen = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                        0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(ChosenFolderEdit), module, nullptr);
    SendMessageA(chosen, WM_SETFONT, SendMessageA(fileName, WM_GETFONT, 0, 0), FALSE);
    // Tabbing reaches the new edit right after its label.
    SetWindowPos(chosen, GetDlgItem(dialog, FileNameLabel), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Subclass(GetDlgItem(dialog, IDOK), IDOKSubClassProc);
    SetQORVEXpointer(dialog, this);
    previousDialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OpenSaveSubClassProc)));

    SetControlText(dialog, IDOK, okText);
    SetControlText(dialog, IDCANCEL, cancelText);
    SetControlText(dialog, FolderBoxLabel, currentFolderLabel);
    SetControlText(dialog, FileNameLabel, chosenFolderLabel);
    SetControlSize(dialog, FolderBoxLabel, 83, 13);
    SetControlSize(dialog, FileNameLabel, 83, 13);
    SetControlPlace(GetDlgItem(dialog, FolderBox), 99, 5, 160, 22);
    SetControlPlace(chosen, 99, 179, 215, 20);

    // The dummy file name stays in the hidden field: it is what lets the dialog accept OK.
    SendMessageA(dialog, CDM_HIDECONTROL, FileNameEdit, 0);
    SendMessageA(dialog, CDM_HIDECONTROL, FileNameCombo, 0);
    SendMessageA(dialog, CDM_HIDECONTROL, FileTypeLabel, 0);
    SendMessageA(dialog, CDM_HIDECONTROL, FileTypeBox, 0);
}

void CQX_SELECTDIR_DLG::FolderChanged(HWND dialog)
{
    char path[QX_NAME_BUFFER] = {};
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    SetDlgItemTextA(dialog, ChosenFolderEdit, path);
    SetDlgItemTextA(dialog, IDOK, okText);
}

bool CQX_SELECTDIR_DLG::HasChosenFolder(HWND dialog) const
{
    return GetWindowTextLengthA(GetDlgItem(dialog, ChosenFolderEdit)) > 0;
}

UINT_PTR CALLBACK CQX_SELECTDIR_DLG::GetSaveDirNameProc(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    // The hook is a child of the file dialog; the dialog's controls are its siblings.
    const HWND dialog = GetParent(hook);
    if (message == WM_INITDIALOG) {
        auto* chooser = reinterpret_cast<CQX_SELECTDIR_DLG*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        chooser->InitDialog(dialog);
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_FOLDERCHANGE) {
        if (auto* chooser = static_cast<CQX_SELECTDIR_DLG*>(GetQORVEXpointer(dialog)))
            chooser->FolderChanged(dialog);
        return 1;
    }
    return 0;
}

LRESULT CALLBACK CQX_SELECTDIR_DLG::IDOKSubClassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND dialog = GetParent(button);
    auto* chooser = static_cast<CQX_SELECTDIR_DLG*>(GetQORVEXpointer(dialog));
    if (message == WM_SETTEXT && chooser && lParam) {
        // The dialog names the button after what OK would do: any text but ours means that a
        // folder of the list is selected and OK opens it.
        if (std::strcmp(reinterpret_cast<const char*>(lParam), chooser->okText) != 0) {
            lParam = reinterpret_cast<LPARAM>(static_cast<const char*>(chooser->openText));
            EnableWindow(button, TRUE);
        } else {
            EnableWindow(button, chooser->HasChosenFolder(dialog));
        }
    }
    return CallWindowProcA(PreviousProcedure(button), button, message, wParam, lParam);
}

LRESULT CALLBACK CQX_SELECTDIR_DLG::OpenSaveSubClassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* chooser = static_cast<CQX_SELECTDIR_DLG*>(GetQORVEXpointer(dialog));
    if (!chooser)  // the pair is set before the subclassing and goes only with the window
        return DefDlgProcA(dialog, message, wParam, lParam);
    if (message == WM_COMMAND && LOWORD(wParam) == ChosenFolderEdit && HIWORD(wParam) == EN_CHANGE)
        EnableWindow(GetDlgItem(dialog, IDOK), chooser->HasChosenFolder(dialog));
    return CallWindowProcA(chooser->previousDialogProc, dialog, message, wParam, lParam);
}

void* CQX_SELECTDIR_DLG::operator new(size_t bytes) { return ::operator new(bytes); }
void CQX_SELECTDIR_DLG::operator delete(void* block) { ::operator delete(block); }
