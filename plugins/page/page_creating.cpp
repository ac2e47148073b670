// "D_CREATING": reserves the names of the new pages, then writes them one by one from the
// template with a progress line, letting the author cancel between two pages.
#include "page_create.h"

#include "page_module.h"
#include "pageres.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT START_CREATING = WM_USER + 1;  // 1025
constexpr UINT CANCEL_CREATING = WM_USER + 2;  // 1026
constexpr int MESSAGES_BETWEEN_PAGES = 100;

void DeletePages(const std::vector<std::string>& pages)
{
    for (const std::string& page : pages)
        DeleteFileA(page.c_str());
}

// The names of the pages, reserved on disk so that each numbered name differs from the one
// before; empty when a name could not be made. A single page may replace the file the author
// chose to overwrite.
std::vector<std::string> ReservePageNames(CREATION& creation, const QXSTRING& base)
{
    std::vector<std::string> pages;
    for (int page = 0; page < creation.pages; ++page) {
        QXSTRING name = base;
        const bool single = creation.pages == 1;
        const bool named = single || NextNumberedPageName(creation.kernel, &name) >= 0;
        if (!named || !ReserveFileName(name, single)) {
            DeletePages(pages);
            return {};
        }
        pages.push_back(static_cast<const char*>(name));
    }
    return pages;
}

struct CREATING {
    CREATION& creation;
    bool cancelled = false;  // message 1026 came: Cancel was pressed
};

// Lets waiting messages run so that Cancel can be pressed; true when it was.
bool CancelWasPressed(HWND dialog, const CREATING& state)
{
    MSG msg;
    for (int handled = 0; handled < MESSAGES_BETWEEN_PAGES && !state.cancelled &&
                          PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return true;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return state.cancelled;
}

void ShowProgress(HWND dialog, int page, int pages)
{
    char format[200] = {}, line[250];
    GetDlgItemTextA(dialog, IDC_CREATING_FORMAT, format, sizeof format);
    snprintf(line, sizeof line, format, page, pages);
    SetDlgItemTextA(dialog, IDC_CREATING_PROGRESS, line);
}

void ShowDeleting(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    ShowWindow(GetDlgItem(dialog, IDC_CREATING_PROGRESS), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CREATING_DELETING), SW_SHOW);
    UpdateWindow(dialog);
}

// 1 when every page was written, -1 when cancelled, 0 when a page could not be made.
INT_PTR CreatePages(HWND dialog, CREATING& state)
{
    CREATION& creation = state.creation;
    QXSTRING base;
    if (!AskNewPageName(creation.kernel, &base, creation.pages > 1, dialog))
        return -1;
    const std::vector<std::string> pages = ReservePageNames(creation, base);
    if (pages.empty())
        return 0;
    creation.firstPage = pages.front().c_str();
    const int count = static_cast<int>(pages.size());
    for (int page = 0; page < count; ++page) {
        ShowProgress(dialog, page + 1, count);
        if (CancelWasPressed(dialog, state)) {
            ShowDeleting(dialog);
            DeletePages(pages);
            return -1;
        }
        const char* next = page + 1 < count ? pages[page + 1].c_str() : nullptr;
        if (!CopyTemplatePage(creation.kernel, pages[page].c_str(), creation.templateFile, next)) {
            DeletePages(pages);
            return 0;
        }
    }
    return 1;
}

INT_PTR CALLBACK CreatingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        PostMessageA(dialog, START_CREATING, 0, 0);
        return TRUE;
    }
    auto* state = reinterpret_cast<CREATING*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!state)
        return FALSE;
    switch (message) {
    case START_CREATING:
        EndDialog(dialog, state->creation.kernel ? CreatePages(dialog, *state) : 0);
        return TRUE;
    case CANCEL_CREATING:
        state->cancelled = true;
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            PostMessageA(dialog, CANCEL_CREATING, 0, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunCreatingDialog(HWND parent, CREATION* creation)
{
    CREATING state{*creation};
    return DialogBoxParamA(PageModule(), "D_CREATING", parent, CreatingDialogProc, reinterpret_cast<LPARAM>(&state));
}
