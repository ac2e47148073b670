// The bookmark dialog (built-in action 4): the list is edited in the dialog and replaces the
// kernel's on OK, "Aller à" and "Sauvegarder"; the slide show can be started from it.
#include "bookmarks.h"

#include "bookmarklist.h"
#include "help.h"
#include "history.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxsupport.h"
#include "qxwindowptr.h"
#include "slideshow.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>


namespace {

constexpr int TitleChars = 128;
constexpr int DelayChars = 4;
constexpr int FileChars = 500;
// The delay shown when the field holds no number.
constexpr int DefaultDelay = 3;

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_BOOKMARK_LIST); }

int Count(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCOUNT, 0, 0)); }

int Selected(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETSELCOUNT, 0, 0)); }

std::string Entry(HWND dialog, int index) { return KernBookmarkListEntry(List(dialog), index); }

void AddEntry(HWND dialog, const char* title, const char* page)
{
    const std::string entry = std::string(title) + "\t" + page;
    SendMessageA(List(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void UpdateButtons(HWND dialog)
{
    const int selected = Selected(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_REMOVE), selected > 0);
    EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_GOTO), selected == 1);
    EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_ADD), GetWindowTextLengthA(GetDlgItem(dialog, IDC_BOOKMARK_TITLE)) > 0);
    EnableWindow(GetDlgItem(dialog, IDC_BOOKMARK_START), Count(dialog) >= 2);
}

void Fill(HWND dialog, KERNEL* kernel)
{
    SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < kernel->bookmarks.Items(); ++i) {
        auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(i));
        AddEntry(dialog, bookmark->title, bookmark->page);
    }
    SetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, "");
    CheckDlgButton(dialog, IDC_BOOKMARK_LOOP, kernel->slideLoop ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_BOOKMARK_DELAY, static_cast<UINT>(kernel->slideDelay), FALSE);
    UpdateButtons(dialog);
}

// The list replaces the kernel's; entries without a TAB are dropped.
void KeepList(HWND dialog, KERNEL* kernel)
{
    kernel->bookmarks.Clear();
    for (int i = 0; i < Count(dialog); ++i) {
        const std::string entry = Entry(dialog, i);
        const size_t tab = entry.find('\t');
        if (tab == std::string::npos)
            continue;
        auto* bookmark = new KERNBOOKMARK(entry.substr(tab + 1).c_str(), entry.substr(0, tab).c_str());
        if (bookmark)
            kernel->bookmarks.AddTail(bookmark);
    }
}

void KeepSettings(HWND dialog, KERNEL* kernel)
{
    kernel->slideLoop = IsDlgButtonChecked(dialog, IDC_BOOKMARK_LOOP) == BST_CHECKED ? 1 : 0;
    BOOL isNumber = FALSE;
    const UINT delay = GetDlgItemInt(dialog, IDC_BOOKMARK_DELAY, &isNumber, FALSE);
    if (isNumber)
        kernel->slideDelay = static_cast<int>(delay);
}

void OnSelection(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, "");
    if (Selected(dialog) == 1) {
        int index = 0;
        SendMessageA(List(dialog), LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index));
        const std::string entry = Entry(dialog, index);
        SetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, entry.substr(0, entry.find('\t')).c_str());
    }
    UpdateButtons(dialog);
}

void OnAdd(HWND dialog, KERNEL* kernel)
{
    char title[TitleChars + 1] = "";
    GetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, title, sizeof title);
    STACKFILE* current = kernel->history.Last();
    if (!*title || !current)
        return;
    AddEntry(dialog, title, current->name);
    SetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, "");
    SetFocus(GetDlgItem(dialog, IDC_BOOKMARK_TITLE));
    UpdateButtons(dialog);
}

void OnRemove(HWND dialog)
{
    for (int i = Count(dialog) - 1; i >= 0; --i) {
        if (SendMessageA(List(dialog), LB_GETSEL, i, 0) > 0)
            SendMessageA(List(dialog), LB_DELETESTRING, i, 0);
    }
    UpdateButtons(dialog);
}

void OnGoTo(HWND dialog, KERNEL* kernel)
{
    int index = 0;
    if (Selected(dialog) > 1 || SendMessageA(List(dialog), LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index)) != 1)
        return;
    KeepList(dialog, kernel);
    EndDialog(dialog, index);
}

// The common file dialog on the bookmark filter, starting in `folder`.
bool AskFile(HWND dialog, bool save, const char* folder, char* file)
{
    QXSTRING filter = KernString(IDS_BOOKMARK_FILTER);
    std::vector<char> filters(static_cast<size_t>(filter.length()) + 2, '\0');
    std::memcpy(filters.data(), static_cast<const char*>(filter), static_cast<size_t>(filter.length()));
    for (char& c : filters) {
        if (c == '|')
            c = '\0';
    }
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpstrFilter = filters.data();
    request.lpstrFile = file;
    request.nMaxFile = FileChars;
    request.lpstrInitialDir = folder;
    request.lpstrDefExt = "QXB";
    request.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    return save ? GetSaveFileNameA(&request) != FALSE : GetOpenFileNameA(&request) != FALSE;
}

QXSTRING WithoutTrailingBackslash(const char* folder)
{
    QXSTRING text = folder;
    const int length = text.length();
    if (length > 0 && folder[length - 1] == '\\')
        text.Format("%.*s", length - 1, folder);
    return text;
}

void OnSave(HWND dialog, KERNEL* kernel)
{
    char file[FileChars] = "";
    if (!AskFile(dialog, true, WithoutTrailingBackslash(kernel->scnPath), file))
        return;
    KeepList(dialog, kernel);
    KeepSettings(dialog, kernel);
    KernSaveBookmarks(kernel, file);
}

void OnOpen(HWND dialog, KERNEL* kernel)
{
    QXSTRING folder = kernel->bookmarkFile;
    if (const char* slash = std::strrchr(folder, '\\'))
        folder.Format("%.*s", static_cast<int>(slash - static_cast<const char*>(folder)), static_cast<const char*>(folder));
    else
        folder = kernel->scnPath.length() ? kernel->scnPath : kernel->appPath;
    char file[FileChars] = "";
    if (!AskFile(dialog, false, folder, file))
        return;
    KernLoadBookmarks(kernel, file);
    Fill(dialog, kernel);
}

void OnDelayLeft(HWND dialog)
{
    BOOL isNumber = FALSE;
    GetDlgItemInt(dialog, IDC_BOOKMARK_DELAY, &isNumber, FALSE);
    if (!isNumber)
        SetDlgItemInt(dialog, IDC_BOOKMARK_DELAY, DefaultDelay, FALSE);
}

void OnCommand(HWND dialog, KERNEL* kernel, int id, int notification)
{
    switch (id) {
    case IDC_BOOKMARK_LIST:
        if (notification == LBN_SELCHANGE)
            OnSelection(dialog);
        else if (notification == LBN_DBLCLK && Selected(dialog) <= 1)
            OnGoTo(dialog, kernel);
        break;
    case IDC_BOOKMARK_TITLE:
        if (notification == EN_CHANGE)
            UpdateButtons(dialog);
        break;
    case IDC_BOOKMARK_DELAY:
        if (notification == EN_KILLFOCUS)
            OnDelayLeft(dialog);
        break;
    case IDC_BOOKMARK_ADD:
        OnAdd(dialog, kernel);
        break;
    case IDC_BOOKMARK_REMOVE:
        OnRemove(dialog);
        break;
    case IDC_BOOKMARK_NEW:
        SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
        SetFocus(GetDlgItem(dialog, IDC_BOOKMARK_TITLE));
        UpdateButtons(dialog);
        break;
    case IDC_BOOKMARK_GOTO:
        OnGoTo(dialog, kernel);
        break;
    case IDOK:
        KeepList(dialog, kernel);
        KeepSettings(dialog, kernel);
        EndDialog(dialog, -1);
        break;
    case IDCANCEL:
        EndDialog(dialog, -1);
        break;
    case IDC_BOOKMARK_SAVE:
        OnSave(dialog, kernel);
        break;
    case IDC_BOOKMARK_OPEN:
        OnOpen(dialog, kernel);
        break;
    case IDC_BOOKMARK_START:
        KeepSettings(dialog, kernel);
        EndDialog(dialog, -1);
        KernStartSlideShow(kernel);
        break;
    case IDC_BOOKMARK_HELP:
        KernHelp(kernel, "bookmark.pag");
        break;
    default:
        break;
    }
}

void OnInit(HWND dialog, KERNEL* kernel)
{
    SetQORVEXpointer(dialog, kernel);
    RECT area;
    GetClientRect(List(dialog), &area);
    // The page after the TAB lies beyond the visible part of the list.
    const int width = area.right - area.left;
    const int stop = MulDiv(width * 2, 4, LOWORD(GetDialogBaseUnits()));
    SendMessageA(List(dialog), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    SendMessageA(List(dialog), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width * 2), 0);
    SendDlgItemMessageA(dialog, IDC_BOOKMARK_TITLE, EM_LIMITTEXT, TitleChars, 0);
    SendDlgItemMessageA(dialog, IDC_BOOKMARK_DELAY, EM_LIMITTEXT, DelayChars, 0);
    Fill(dialog, kernel);
    KernSubclassBookmarkList(dialog, List(dialog));
}

}  // namespace

INT_PTR CALLBACK KernBookMarkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* kernel = static_cast<KERNEL*>(GetQORVEXpointer(dialog));
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<KERNEL*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (kernel)
            OnCommand(dialog, kernel, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

int KernBookMark(KERNEL* kernel)
{
    if (!kernel || kernel->history.Items() == 0)
        return 0;
    KernEndSlideShow(kernel);
    const MODALDIALOG dialog(KernProcess().module, KernGetAppWindow(kernel), MAKEINTRESOURCEA(DLG_BOOKMARK),
                             KernBookMarkDialogProc, reinterpret_cast<LPARAM>(kernel));
    if (dialog.result < 0 || dialog.result >= kernel->bookmarks.Items())
        return 0;
    auto* chosen = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(static_cast<int>(dialog.result)));
    QXSTRING resolved;
    kernel->history.PushStr(chosen->page, &resolved);
    chosen->page = resolved;
    return 1;
}
