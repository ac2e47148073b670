// The extended open-file dialog's own window procedure.
#include "dialog_proc.h"

#include "internet_lookin.h"
#include "internet_navigation.h"
#include "opendialog_ids.h"
#include "qxwindowptr.h"

namespace {

LRESULT PassOn(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto saved = reinterpret_cast<WNDPROC>(GetQORVEXXpointer(dialog, KEY_SAVED_PROC, KEY_SAVED_PROC));
    return saved ? CallWindowProcA(saved, dialog, message, wParam, lParam) : 0;
}

void SetViewStyles(QXOFN32_DATA& data, int style)
{
    data.ftpView->SetViewStyle(style);
    data.serverView->SetViewStyle(style);
    data.urlView->SetViewStyle(style);
}

LRESULT OnDrawItem(HWND dialog, DRAWITEMSTRUCT& item)
{
    if (IsInternetItem(static_cast<LRESULT>(static_cast<LONG_PTR>(item.itemData)))) {
        DrawInternetItem(item);
        return 0;
    }
    // The dialog draws its own folder items into the Internet combo.
    item.CtlID = ID_LOOKIN;
    item.hwndItem = OwnLookIn(dialog);
    return PassOn(dialog, WM_DRAWITEM, ID_LOOKIN, reinterpret_cast<LPARAM>(&item));
}

// The dialog opens the own combo's selected item as a user's choice of it.
void OpenOwnSelection(HWND dialog)
{
    const HWND own = OwnLookIn(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ID_LOOKIN, CBN_SELENDOK), reinterpret_cast<LPARAM>(own));
}

LRESULT OnInternetCombo(HWND dialog, QXOFN32_DATA* data, WPARAM wParam)
{
    const HWND own = OwnLookIn(dialog);
    const HWND internet = InternetLookIn(dialog);
    switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
        if (!data || !OnLookInSelect(*data))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ID_LOOKIN, CBN_SELCHANGE), reinterpret_cast<LPARAM>(own));
        return 0;
    case CBN_DROPDOWN:
    case CBN_CLOSEUP:
        // The own combo is told as if its own list went up and down; it stays out of sight.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ID_LOOKIN, HIWORD(wParam)), reinterpret_cast<LPARAM>(own));
        return 0;
    case CBN_SELENDOK:
        if (data && OnLookInSelect(*data)) {
            data->mirror = 0;
            SendMessageA(own, CB_SETCURSEL, 0, 0);
            data->mirror = 1;
            return 0;
        }
        SendMessageA(own, CB_SETCURSEL, static_cast<WPARAM>(SendMessageA(internet, CB_GETCURSEL, 0, 0)), 0);
        OpenOwnSelection(dialog);
        return 0;
    default:
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ID_LOOKIN, HIWORD(wParam)), reinterpret_cast<LPARAM>(own));
        return 0;
    }
}

LRESULT OnCommand(HWND dialog, QXOFN32_DATA* data, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDC_INTERNET_LOOKIN)
        return OnInternetCombo(dialog, data, wParam);
    if (data && id >= IDC_FTP_VIEW && id <= IDC_URL_VIEW)
        return 0;
    if (id == ID_UP_ONE_LEVEL && data && GoUpOneLevel(*data))
        return 0;
    if ((id == ID_LIST_STYLE || id == ID_DETAILS_STYLE) && data)
        SetViewStyles(*data, id == ID_LIST_STYLE ? BROWSE_LIST : BROWSE_DETAILS);
    if (id == IDOK && data && OnOpen(*data))
        return 0;
    return PassOn(dialog, WM_COMMAND, wParam, lParam);
}

LRESULT Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    QXOFN32_DATA* data = DialogData(dialog);
    if (data && message == data->notifyMessage) {
        OnFtpViewReport(*data, wParam, lParam);
        return 0;
    }
    if (data && message >= FTP_VIEW_MESSAGE_BASE)
        return data->ftpView->OnMessage(message, wParam, lParam);
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlID == IDC_INTERNET_LOOKIN) {
            measure->CtlID = ID_LOOKIN;
            return PassOn(dialog, message, ID_LOOKIN, lParam);
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID == IDC_INTERNET_LOOKIN)
            return OnDrawItem(dialog, *item);
        break;
    }
    case WM_DESTROY: {
        auto* record = static_cast<QXOFN32_DATA*>(GetQORVEXXpointer(dialog, KEY_DIALOG_DATA, KEY_DIALOG_DATA));
        ClearQORVEXXpointer(dialog, record, KEY_DIALOG_DATA, KEY_DIALOG_DATA);
        delete record;
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (data && header->idFrom >= IDC_FTP_VIEW && header->idFrom <= IDC_URL_VIEW)
            return OnViewNotify(*data, header);
        break;
    }
    case WM_COMMAND:
        return OnCommand(dialog, data, wParam, lParam);
    default:
        break;
    }
    return PassOn(dialog, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK OfnDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Dispatch(dialog, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
