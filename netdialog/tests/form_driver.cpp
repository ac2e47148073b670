// Finding and working the form's controls from a test.
#include "form_driver.h"

#include "dialog_items.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct SEARCH {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<SEARCH*>(lParam);
    // The pages are windows of the form too: only controls count.
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (GetDlgCtrlID(child) == search->id && lstrcmpA(className, "#32770") != 0) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// One control of each page, in the order of the tabs.
constexpr int kPageMarkers[] = {IDC_EDIT_PORT_FTP, IDC_EDIT_PORT_HTTP, IDC_EDIT_PROXY_USERNAME};

int PageIndexOf(HWND form, HWND control)
{
    for (int index = 0; index < 3; ++index)
        if (GetParent(FormItem(form, kPageMarkers[index])) == GetParent(control))
            return index;
    return -1;
}

}  // namespace

HWND FormItem(HWND form, int id)
{
    SEARCH search{id, nullptr};
    EnumChildWindows(form, MatchId, reinterpret_cast<LPARAM>(&search));
    EXPECT_NE(nullptr, search.found) << "no control " << id;
    return search.found;
}

std::string FormItemText(HWND form, int id) { return WindowText(FormItem(form, id)); }

void TypeInto(HWND form, int id, const std::string& text) { SetWindowTextA(FormItem(form, id), text.c_str()); }

bool IsItemChecked(HWND form, int id) { return SendMessageA(FormItem(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ClickItem(HWND form, int id)
{
    const HWND button = FormItem(form, id);
    const HWND tabs = GetDlgItem(form, IDC_PAGES);
    // Selecting a tab tells the form as a click on it would.
    SendMessageA(tabs, TCM_SETCURSEL, PageIndexOf(form, button), 0);
    NMHDR notice{tabs, UINT_PTR(IDC_PAGES), UINT(TCN_SELCHANGE)};
    SendMessageA(form, WM_NOTIFY, IDC_PAGES, reinterpret_cast<LPARAM>(&notice));
    ASSERT_TRUE(IsWindowVisible(button));
    SendMessageA(button, BM_CLICK, 0, 0);
}

int ShownPage(HWND form)
{
    const int selected = int(SendDlgItemMessageA(form, IDC_PAGES, TCM_GETCURSEL, 0, 0));
    int shown = -1;
    for (int index = 0; index < 3; ++index)
        if (IsWindowVisible(FormItem(form, kPageMarkers[index]))) {
            EXPECT_EQ(-1, shown) << "two pages shown";
            shown = index;
        }
    EXPECT_EQ(selected, shown) << "the page shown is not the tab selected";
    return shown;
}

std::string TabText(HWND form, int index)
{
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendDlgItemMessageA(form, IDC_PAGES, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

void PressClose(HWND form) { PostMessageA(form, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

void PressCloseBox(HWND form) { PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool IsNetForm(HWND window) { return GetDlgItem(window, IDC_PAGES) != nullptr; }

ModalScript::Step OnForm(std::function<void(HWND form)> act)
{
    return [act](HWND active) {
        // The modal loop shows the form only once it is idle, after activating it.
        if (!IsNetForm(active) || !IsWindowVisible(active))
            return false;
        act(active);
        return true;
    };
}

ModalScript::Step OnBox(std::function<void(HWND box)> act)
{
    return [act](HWND active) {
        if (IsNetForm(active) || !IsWindowVisible(active))
            return false;
        act(active);
        return true;
    };
}

namespace {

BOOL CALLBACK JoinStatic(HWND child, LPARAM lParam)
{
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    const std::string text = WindowText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        auto* joined = reinterpret_cast<std::string*>(lParam);
        *joined += (joined->empty() ? "" : "\n") + text;
    }
    return TRUE;
}

}  // namespace

std::string BoxText(HWND box)
{
    std::string joined;
    EnumChildWindows(box, JoinStatic, reinterpret_cast<LPARAM>(&joined));
    return joined;
}
