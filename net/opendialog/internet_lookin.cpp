// The hook of the extended open-file dialog: the Internet look-in combo laid over the
// dialog's own, the mirroring of the own combo's list into it, and its Internet block.
#include "internet_lookin.h"

#include "dialog_proc.h"
#include "form_texts.h"
#include "ofn_data.h"
#include "opendialog_ids.h"
#include "qxwindowptr.h"
#include "saved_addresses.h"

#include <algorithm>

namespace {

// The dialog: the hook window when it holds the look-in combo, else its parent (a hook
// of a template or of the preview dialog runs in a child dialog).
HWND DialogOfHook(HWND hook) { return GetDlgItem(hook, ID_LOOKIN) ? hook : GetParent(hook); }

RECT RectInDialog(HWND window, HWND dialog)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Replace(HWND window, WNDPROC procedure)
{
    auto saved = reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetQORVEXXpointer(window, KEY_SAVED_PROC, saved, KEY_SAVED_PROC);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

// Messages that change the own combo's list, repeated in the Internet combo.
bool ChangesTheList(UINT message)
{
    switch (message) {
    case CB_ADDSTRING:
    case CB_DELETESTRING:
    case CB_INSERTSTRING:
    case CB_RESETCONTENT:
    case CB_SELECTSTRING:
    case CB_SETCURSEL:
    case CB_SETITEMDATA:
    case CB_SETITEMHEIGHT:
    case CB_SETEXTENDEDUI:
    case CB_FINDSTRINGEXACT:
    case CB_SETLOCALE:
    case CB_SETTOPINDEX:
    case CB_SETHORIZONTALEXTENT:
    case CB_SETDROPPEDWIDTH:
    case CB_INITSTORAGE:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK LookInMirrorProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto saved = reinterpret_cast<WNDPROC>(GetQORVEXXpointer(combo, KEY_SAVED_PROC, KEY_SAVED_PROC));
    if (!saved)
        return 0;
    const LRESULT answer = CallWindowProcA(saved, combo, message, wParam, lParam);
    if (ChangesTheList(message)) {
        auto internet = static_cast<HWND>(GetQORVEXXpointer(combo, KEY_INTERNET_COMBO, KEY_INTERNET_COMBO));
        const QXOFN32_DATA* data = DialogData(GetParent(combo));
        if (internet && data && data->mirror)
            SendMessageA(internet, message, wParam, lParam);
    }
    return answer;
}

void CopyLookInItems(HWND source, HWND target, bool select)
{
    SendMessageA(target, CB_RESETCONTENT, 0, 0);
    const LRESULT count = SendMessageA(source, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LOOKIN_ITEM item = ReadLookInItem(source, i);
        const LRESULT added = SendMessageA(target, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
        SendMessageA(target, CB_SETITEMDATA, static_cast<WPARAM>(added), item.data);
    }
    if (select)
        SendMessageA(target, CB_SETCURSEL, static_cast<WPARAM>(SendMessageA(source, CB_GETCURSEL, 0, 0)), 0);
}

void Append(HWND combo, const std::string& text, LRESULT data)
{
    const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// Lays the Internet combo over the own one, whose list it takes over one message later.
void AddInternetCombo(HWND hook, HWND dialog)
{
    const HWND own = OwnLookIn(dialog);
    if (!own)
        return;
    const RECT ownRect = RectInDialog(own, dialog);
    const RECT dialogRect = RectInDialog(dialog, dialog);
    const LONG bottom = std::max(ownRect.bottom, dialogRect.bottom);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(own, GWL_EXSTYLE)) | WS_EX_CLIENTEDGE;
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(own, GWL_STYLE)) | WS_VSCROLL | CBS_DISABLENOSCROLL;
    const HWND internet = CreateWindowExA(exStyle, "ComboBox", "", style, ownRect.left, ownRect.top,
                                          ownRect.right - ownRect.left, bottom - ownRect.top, dialog,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_INTERNET_LOOKIN)),
                                          GetModuleHandleA(nullptr), nullptr);
    if (!internet)
        return;
    SetWindowLongPtrA(own, GWL_STYLE, GetWindowLongPtrA(own, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
    MoveWindow(own, -50, -50, 25, 25, FALSE);
    SendMessageA(internet, WM_SETFONT, static_cast<WPARAM>(SendMessageA(own, WM_GETFONT, 0, 0)), FALSE);
    SetWindowPos(internet, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PostMessageA(hook, WM_OFN_FINISH_SETUP, 0, 0);
}

void FinishSetup(HWND dialog)
{
    const HWND own = OwnLookIn(dialog);
    const HWND internet = InternetLookIn(dialog);
    if (!own || !internet)
        return;
    CopyLookInItems(own, internet, true);
    Replace(own, LookInMirrorProc);
    SetQORVEXXpointer(own, KEY_INTERNET_COMBO, internet, KEY_INTERNET_COMBO);
    FillInternetItems(internet);
}

}  // namespace

HWND OwnLookIn(HWND dialog) { return GetDlgItem(dialog, ID_LOOKIN); }
HWND InternetLookIn(HWND dialog) { return GetDlgItem(dialog, IDC_INTERNET_LOOKIN); }

LOOKIN_ITEM ReadLookInItem(HWND combo, LRESULT index)
{
    LOOKIN_ITEM item{};
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return item;
    if (length < static_cast<LRESULT>(sizeof item.text))
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.text));
    item.data = SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return item;
}

void FillInternetItems(HWND combo)
{
    for (LRESULT last = SendMessageA(combo, CB_GETCOUNT, 0, 0) - 1;
         last >= 0 && IsInternetItem(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(last), 0)); --last)
        SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(last), 0);
    QXOFN32_DATA* data = DialogData(GetParent(combo));
    const std::string addServers = LibraryString(IDS_ADD_REMOVE_SERVERS);
    const std::string addUrls = LibraryString(IDS_ADD_REMOVE_URLS);
    if (data) {
        data->serverView->DeleteAll();
        data->urlView->DeleteAll();
        data->serverView->AddEntry(addServers.c_str(), ADDRESS_ADDREMOVE);
    }
    Append(combo, LibraryString(IDS_SERVERS_HEADER), ITEM_HEADER);
    Append(combo, addServers, ITEM_ADDREMOVE);
    for (const std::string& host : ReadSavedAddresses(SAVED_LIST::SERVERS)) {
        const std::string text = "ftp://" + host;
        Append(combo, text, ITEM_FTPSERVER);
        if (data)
            data->serverView->AddEntry(text.c_str(), ADDRESS_SAVED);
    }
    if (data)
        data->urlView->AddEntry(addUrls.c_str(), ADDRESS_ADDREMOVE);
    Append(combo, LibraryString(IDS_URLS_HEADER), ITEM_HEADER);
    Append(combo, addUrls, ITEM_ADDREMOVE);
    for (const std::string& url : ReadSavedAddresses(SAVED_LIST::URLS)) {
        Append(combo, url, ITEM_URL);
        if (data)
            data->urlView->AddEntry(url.c_str(), ADDRESS_SAVED);
    }
    if (data) {
        data->serverView->Sort(0);
        data->urlView->Sort(0);
    }
}

UINT_PTR CALLBACK OfnHookProc(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    try {
        const HWND dialog = DialogOfHook(hook);
        if (message == WM_INITDIALOG) {
            const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
            auto* data = new QXOFN32_DATA(dialog, ofn);
            SetQORVEXXpointer(dialog, KEY_DIALOG_DATA, data, KEY_DIALOG_DATA);
            if (ofn) {
                SetFilterFromOfn(*data, ofn);
                data->result = reinterpret_cast<InternetResult*>(ofn->lCustData);
            }
            Replace(dialog, OfnDialogProc);
            AddInternetCombo(hook, dialog);
            return 1;
        }
        if (message == WM_OFN_FINISH_SETUP) {
            FinishSetup(dialog);
            return 1;
        }
        if (message == WM_NOTIFY) {
            const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
            if (notice->hdr.code == CDN_TYPECHANGE && notice->lpOFN) {
                if (QXOFN32_DATA* data = DialogData(dialog))
                    SetFilterFromOfn(*data, notice->lpOFN);
            }
        }
        return 0;
    } catch (...) {
        return 0;
    }
}
