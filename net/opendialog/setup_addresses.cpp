// The saved-address list dialog.
#include "setup_addresses.h"

#include "form_texts.h"
#include "opendialog_ids.h"
#include "saved_addresses.h"
#include "synchronize_window.h"

#include <string>
#include <vector>

namespace {

constexpr char ModeProperty[] = "INURL";
constexpr int EntryChars = 255;

SAVED_LIST ListOf(HWND dialog) { return GetPropA(dialog, ModeProperty) ? SAVED_LIST::URLS : SAVED_LIST::SERVERS; }

HWND Entries(HWND dialog) { return GetDlgItem(dialog, IDC_SETUP_ENTRIES); }

void EnableDelete(HWND dialog, bool enable) { EnableWindow(GetDlgItem(dialog, IDC_SETUP_DELETE), enable); }

bool HasSelection(HWND dialog) { return SendMessageA(Entries(dialog), CB_GETCURSEL, 0, 0) != CB_ERR; }

std::string EditText(HWND dialog)
{
    char text[EntryChars + 1] = {};
    GetWindowTextA(Entries(dialog), text, sizeof text);
    return text;
}

LRESULT FindExact(HWND dialog, const std::string& text)
{
    return SendMessageA(Entries(dialog), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text.c_str()));
}

void OnInit(HWND dialog, LPARAM urls)
{
    SetPropA(dialog, ModeProperty, reinterpret_cast<HANDLE>(urls ? 1 : 0));
    if (urls) {
        SetWindowTextA(dialog, LibraryString(IDS_URL_LIST_TITLE).c_str());
        SetDlgItemTextA(dialog, IDC_SETUP_EXAMPLE, LibraryString(IDS_URL_EXAMPLE).c_str());
    }
    const HWND entries = Entries(dialog);
    SendMessageA(entries, CB_RESETCONTENT, 0, 0);
    SendMessageA(entries, CB_LIMITTEXT, EntryChars, 0);
    for (const std::string& entry : ReadSavedAddresses(ListOf(dialog)))
        SendMessageA(entries, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(entries, CB_SETCURSEL, 0, 0);
    if (!SendMessageA(entries, CB_GETCOUNT, 0, 0))
        EnableDelete(dialog, false);
}

void OnOk(HWND dialog)
{
    const std::string typed = EditText(dialog);
    const HWND entries = Entries(dialog);
    if (!typed.empty() && FindExact(dialog, typed) == CB_ERR)
        SendMessageA(entries, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    std::vector<std::string> list;
    const LRESULT count = SendMessageA(entries, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[EntryChars + 2] = {};
        if (SendMessageA(entries, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(entries, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        list.emplace_back(text);
    }
    if (!WriteSavedAddresses(ListOf(dialog), list))
        MessageBoxA(dialog, LibraryString(IDS_REGISTRY_NOT_SAVED).c_str(), LibraryString(IDS_ERROR_TITLE).c_str(),
                    MB_ICONEXCLAMATION);
    EndDialog(dialog, 1);
}

void OnDelete(HWND dialog)
{
    const HWND entries = Entries(dialog);
    const LRESULT selected = SendMessageA(entries, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        EnableDelete(dialog, false);
        return;
    }
    SendMessageA(entries, CB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    // The edit still shows the deleted entry, which OK would add back.
    SetWindowTextA(entries, "");
    if (!SendMessageA(entries, CB_GETCOUNT, 0, 0)) {
        SendMessageA(entries, CB_RESETCONTENT, 0, 0);
        EnableDelete(dialog, false);
    }
}

void OnEntries(HWND dialog, WORD notification)
{
    if (notification == CBN_SELCHANGE) {
        EnableDelete(dialog, HasSelection(dialog));
    } else if (notification == CBN_EDITCHANGE) {
        const LRESULT found = FindExact(dialog, EditText(dialog));
        if (found != CB_ERR)
            SendMessageA(Entries(dialog), CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        EnableDelete(dialog, found != CB_ERR);
    }
}

INT_PTR CALLBACK SetupAddressesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OnInit(dialog, lParam);
            return 0;
        }
        if (message == WM_DESTROY) {
            RemovePropA(dialog, ModeProperty);
            return 0;
        }
        if (message != WM_COMMAND)
            return 0;
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return 1;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return 1;
        case IDC_SETUP_DELETE:
            OnDelete(dialog);
            return 1;
        case IDC_SETUP_ENTRIES:
            OnEntries(dialog, HIWORD(wParam));
            return 1;
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

}  // namespace

INT_PTR RunSetupAddresses(HWND owner, bool urls)
{
    return DialogBoxParamA(LibraryInstance(), "D_SETUPFTP", owner, SetupAddressesDlgProc, urls ? 1 : 0);
}
