// The form's window: its pages under a tab control, its language and its two ways out.
#include "net_form_parts.h"

#include "resource.h"

#include <commctrl.h>

namespace {

struct PAGE_TEMPLATE {
    int dialog;
    UINT tabText;
};

constexpr PAGE_TEMPLATE kPages[kPageCount] = {
    {IDD_PAGE_FTP, IDS_TAB_FTP},
    {IDD_PAGE_HTTP, IDS_TAB_HTTP},
    {IDD_PAGE_PROXY, IDS_TAB_PROXY},
};

// The English form opens on its FTP page, the French one on its proxy page.
FormPage FirstPage(FormLanguage language) { return language == FormLanguage::French ? kPageProxy : kPageFtp; }

// The pages only hold controls: the form reads them when it closes.
INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK TranslateControl(HWND control, LPARAM language)
{
    const std::string text = FormText(FormLanguage(language), GetDlgCtrlID(control));
    if (!text.empty())
        SetWindowTextA(control, text.c_str());
    return TRUE;
}

// The French form is the English one with its captions replaced.
void TranslateForm(HWND window, FormLanguage language)
{
    if (language == FormLanguage::English)
        return;
    SetWindowTextA(window, FormText(language, IDD_NETCONFIG).c_str());
    // Enumerates the pages' controls too: they are descendants of the form.
    EnumChildWindows(window, TranslateControl, LPARAM(language));
}

bool CreatePages(HWND window, NET_FORM& form)
{
    const HWND tabs = GetDlgItem(window, IDC_PAGES);
    for (int page = 0; page < kPageCount; ++page) {
        std::string title = FormText(form.language, kPages[page].tabText);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageA(tabs, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
    }
    // Measured once the tabs are in: their row is not part of the pages' area.
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    for (int page = 0; page < kPageCount; ++page) {
        form.pages[page] = CreateDialogParamA(netdlgModule, MAKEINTRESOURCEA(kPages[page].dialog), window, PageProc, 0);
        if (!form.pages[page])
            return false;
        // Above the tab control, so that it does not paint over them.
        SetWindowPos(form.pages[page], HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     0);
    }
    return true;
}

BOOL OnInitDialog(HWND window, NET_FORM& form)
{
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&form));
    if (!CreatePages(window, form)) {
        EndDialog(window, 0);
        return FALSE;
    }
    TranslateForm(window, form.language);
    FillFields(form, form.shown);
    ShowPage(window, form, FirstPage(form.language));
    return TRUE;
}

void OnClose(HWND window, const NET_FORM& form)
{
    NET_SETTINGS edited;
    if (!CollectFields(window, form, edited))
        return;
    StoreNetSettings(form.root, form.baseKey, edited);
    EndDialog(window, kFormClosed);
}

INT_PTR CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog(window, *reinterpret_cast<NET_FORM*>(lParam));
    auto* form = reinterpret_cast<NET_FORM*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!form)
        return FALSE;
    switch (message) {
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->idFrom == IDC_PAGES && notice->code == TCN_SELCHANGE)
            ShowPage(window, *form, FormPage(SendMessageA(notice->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnClose(window, *form);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(window, kFormDismissed);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::string FormText(FormLanguage language, UINT id)
{
    char text[512];
    const UINT stringId = language == FormLanguage::French ? IDS_FRENCH + id : id;
    const int length = LoadStringA(netdlgModule, stringId, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

HWND FormControl(const NET_FORM& form, int id)
{
    return GetDlgItem(form.pages[PageOfControl(form, id)], id);
}

FormPage PageOfControl(const NET_FORM& form, int id)
{
    for (int page = 0; page < kPageCount; ++page)
        if (GetDlgItem(form.pages[page], id))
            return FormPage(page);
    return kPageFtp;
}

void ShowPage(HWND window, const NET_FORM& form, FormPage shown)
{
    SendDlgItemMessageA(window, IDC_PAGES, TCM_SETCURSEL, shown, 0);
    for (int page = 0; page < kPageCount; ++page)
        ShowWindow(form.pages[page], page == shown ? SW_SHOW : SW_HIDE);
}

int RunNetForm(FormLanguage language, HKEY root, const char* baseKeyName)
{
    // An empty name would put the settings straight under the root key.
    if (!baseKeyName || !*baseKeyName)
        return 0;
    NET_FORM form{language, root, baseKeyName, {}, {}};
    if (!ReadNetSettings(root, form.baseKey, form.shown))
        return 0;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const INT_PTR result =
        DialogBoxParamA(netdlgModule, MAKEINTRESOURCEA(IDD_NETCONFIG), nullptr, FormProc, reinterpret_cast<LPARAM>(&form));
    return result > 0 ? int(result) : 0;
}
