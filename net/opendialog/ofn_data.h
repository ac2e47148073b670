// What one extended open-file dialog keeps: the caller's buffers, the views laid over the
// file area, the mode of that area and the state of its FTP connection.
#pragma once

#include "address_view.h"
#include "ftp_view.h"

#include <commdlg.h>

#include <memory>
#include <string>

// The buffers in which the dialog leaves an Internet result, handed to the hook as the
// dialog's custom data; the export copies them to the caller once the dialog has ended.
struct InternetResult {
    char* file;
    int fileSize;
    char* title;
    int titleSize;
    int done;
};

// Item data of the Internet items of the look-in combo. Compared as LRESULT: the combo
// answers them sign-extended.
constexpr LRESULT ITEM_HEADER = -2;
constexpr LRESULT ITEM_FTPSERVER = -3;
constexpr LRESULT ITEM_URL = -4;
constexpr LRESULT ITEM_ADDREMOVE = -5;
constexpr LRESULT ITEM_FOLDER = -6;
constexpr LRESULT ITEM_CURFOLDER = -7;

inline bool IsInternetItem(LRESULT data) { return data <= ITEM_HEADER && data >= ITEM_CURFOLDER; }
inline bool IsFolderItem(LRESULT data) { return data == ITEM_FOLDER || data == ITEM_CURFOLDER; }

// Modes of the file area.
constexpr int MODE_LOCAL = 0;
constexpr int MODE_SERVERS = 1;
constexpr int MODE_URLS = 2;
constexpr int MODE_FTP = 3;
constexpr int MODE_URL_CHOSEN = 4;

// Connection states; the low 16 bits are 1 while a remote operation runs.
constexpr DWORD STATE_CLOSED = 0;
constexpr DWORD STATE_CONNECTING = 0x10001;
constexpr DWORD STATE_FIRST_LISTING = 0x30001;
constexpr DWORD STATE_IDLE = 0x20000;
constexpr DWORD STATE_DISCONNECTING = 0x40001;

// Keys under which pointers are recorded on windows (both keys of a pair the same).
constexpr int KEY_SAVED_PROC = 500;
constexpr int KEY_INTERNET_COMBO = 501;
constexpr int KEY_DIALOG_DATA = 502;

// The system dialog's own controls.
constexpr int ID_LOOKIN = 1137;
constexpr int ID_FILE_PLACEHOLDER = 1120;
constexpr int ID_FILE_VIEW = 1121;
constexpr int ID_FILE_NAME = 1152;
constexpr int ID_FILE_NAME_COMBO = 1148;
constexpr int ID_UP_ONE_LEVEL = 40961;
constexpr int ID_NEW_FOLDER = 40962;
constexpr int ID_LIST_STYLE = 40963;
constexpr int ID_DETAILS_STYLE = 40964;

struct QXOFN32_DATA {
    QXOFN32_DATA(HWND dialog, const OPENFILENAMEA* ofn);
    ~QXOFN32_DATA() = default;
    QXOFN32_DATA(const QXOFN32_DATA&) = delete;
    QXOFN32_DATA& operator=(const QXOFN32_DATA&) = delete;

    int valid = 0;
    HWND dialog;
    HWND placeholder = nullptr;
    int mode = MODE_LOCAL;
    RECT placeholderRect{};
    int mirror = 1;
    int multiSelect = 0;
    char* file = nullptr;
    int fileSize = 0;
    char* title = nullptr;
    int titleSize = 0;
    InternetResult* result = nullptr;
    DWORD connectionState = STATE_CLOSED;
    std::string currentAddress;
    UINT notifyMessage;
    std::unique_ptr<qhyp_CFtpView> ftpView;
    std::unique_ptr<qhyp_CAddressView> serverView;
    std::unique_ptr<qhyp_CAddressView> urlView;
};

// The record of the dialog, null when it has none.
QXOFN32_DATA* DialogData(HWND dialog);
// The FTP view's name filter from the pattern of the caller's chosen file type.
void SetFilterFromOfn(QXOFN32_DATA& data, const OPENFILENAMEA* ofn);
