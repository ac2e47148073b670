// The Internet actions of the extended open-file dialog.
#include "internet_navigation.h"

#include "form_texts.h"
#include "internet_lookin.h"
#include "opendialog_ids.h"
#include "qxpath.h"
#include "qxwindowptr.h"
#include "setup_addresses.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int FtpPort = 21;
constexpr char AnonymousUser[] = "anonymous";
// Anonymous servers ask for an e-mail address as the password.
constexpr char AnonymousPassword[] = "visiteur@qorvex.com";
constexpr int CurrentDirChars = 499;

// The controls that the look-in actions need, and the Internet combo's selection.
struct LOOKIN_CONTROLS {
    HWND own = nullptr;
    HWND internet = nullptr;
    HWND toolbar = nullptr;
    LRESULT selected = CB_ERR;
    bool Ready() const { return own && internet && toolbar && selected != CB_ERR; }
};

bool IsClass(HWND window, const char* wanted)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return !lstrcmpiA(name, wanted);
}

// The toolbar with the up-one-level button: some dialogs have a places bar, another
// toolbar, before it.
HWND Toolbar(HWND dialog)
{
    const WINDOW_CHILDREN children(dialog);
    for (int i = 0; i < children.count; ++i) {
        const HWND window = children.windows[i];
        if (IsClass(window, TOOLBARCLASSNAMEA) && SendMessageA(window, TB_COMMANDTOINDEX, ID_UP_ONE_LEVEL, 0) >= 0)
            return window;
    }
    return nullptr;
}

// The file-name edit: control 1152, or the edit inside the file-name combo (1148) of the
// dialogs that offer recent names there.
HWND FileNameEdit(HWND dialog)
{
    if (const HWND edit = GetDlgItem(dialog, ID_FILE_NAME))
        return edit;
    const WINDOW_CHILDREN children(GetDlgItem(dialog, ID_FILE_NAME_COMBO));
    for (int i = 0; i < children.count; ++i) {
        if (IsClass(children.windows[i], "Edit"))
            return children.windows[i];
    }
    return nullptr;
}

void SetEditText(const QXOFN32_DATA& data, const char* text) { SetWindowTextA(FileNameEdit(data.dialog), text); }

LOOKIN_CONTROLS Controls(const QXOFN32_DATA& data)
{
    LOOKIN_CONTROLS controls;
    controls.own = OwnLookIn(data.dialog);
    controls.internet = InternetLookIn(data.dialog);
    controls.toolbar = Toolbar(data.dialog);
    if (controls.internet)
        controls.selected = SendMessageA(controls.internet, CB_GETCURSEL, 0, 0);
    return controls;
}

LRESULT ItemData(HWND combo, LRESULT index)
{
    return SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void Tell(const QXOFN32_DATA& data, UINT text, UINT title)
{
    MessageBoxA(data.dialog, LibraryString(text).c_str(), LibraryString(title).c_str(), MB_ICONEXCLAMATION);
}

void EnableDialogControls(const QXOFN32_DATA& data, bool enable)
{
    const WINDOW_CHILDREN children(data.dialog);
    for (int i = 0; i < children.count; ++i) {
        if (enable || GetDlgCtrlID(children.windows[i]) != IDCANCEL)
            EnableWindow(children.windows[i], enable);
    }
}

std::string EditText(const QXOFN32_DATA& data)
{
    char text[4096] = {};
    GetWindowTextA(FileNameEdit(data.dialog), text, sizeof text);
    return text;
}

void DeleteFolderItems(HWND combo)
{
    for (LRESULT i = SendMessageA(combo, CB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
        if (IsFolderItem(ItemData(combo, i)))
            SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
    }
}

// The nearest item at or above `from` whose data is `wanted`; CB_ERR when none.
LRESULT SearchUpward(HWND combo, LRESULT from, LRESULT wanted)
{
    for (LRESULT i = from; i >= 0; --i) {
        if (ItemData(combo, i) == wanted)
            return i;
    }
    return CB_ERR;
}

// The remote folder of a folder item: its name and those of the folder items above it.
std::string FolderPath(HWND combo, LRESULT index)
{
    std::string path;
    for (LRESULT i = index; i >= 0 && IsFolderItem(ItemData(combo, i)); --i) {
        const std::string text = ReadLookInItem(combo, i).text;
        path = "/" + text.substr(std::min(text.find_first_not_of(' '), text.size())) + path;
    }
    return path.empty() ? "/" : path;
}

void DisconnectServer(QXOFN32_DATA& data)
{
    if (data.connectionState == STATE_CLOSED || (data.connectionState & 0xFFFF) == 1)
        return;
    data.connectionState = STATE_DISCONNECTING;
    data.ftpView->Disconnect();
    data.connectionState = STATE_CLOSED;
}

int ConnectServer(QXOFN32_DATA& data, const char* host)
{
    if ((data.connectionState & 0xFFFF) == 1)
        return 1;
    if (data.connectionState != STATE_CLOSED)
        DisconnectServer(data);
    data.connectionState = STATE_CONNECTING;
    if (data.ftpView->Connect(host, FtpPort, AnonymousUser, AnonymousPassword)) {
        data.connectionState = STATE_CLOSED;
        return 0;
    }
    return 1;
}

void RunAddressList(QXOFN32_DATA& data, const LOOKIN_CONTROLS& controls, bool urls)
{
    GoUpOneLevel(data);
    if (RunSetupAddresses(data.dialog, urls) != 1)
        return;
    const LRESULT noted = SendMessageA(controls.internet, CB_GETCURSEL, 0, 0);
    FillInternetItems(controls.internet);
    SendMessageA(controls.internet, CB_SETCURSEL, static_cast<WPARAM>(noted), 0);
}

void OnServerItem(QXOFN32_DATA& data, const char* text)
{
    char host[256] = {};
    if (GetFileLocation(text, host, sizeof host, nullptr, 0) != QX_LOCATION_FTP) {
        GoUpOneLevel(data);
        return;
    }
    if (!ConnectServer(data, host)) {
        Tell(data, IDS_NO_CONNECTION, IDS_CONNECTION_TITLE);
        EnableDialogControls(data, true);
        GoUpOneLevel(data);
    }
}

bool Contains(const char* text, UINT id) { return std::strstr(text, LibraryString(id).c_str()) != nullptr; }

void ActOn(QXOFN32_DATA& data, const LOOKIN_CONTROLS& controls, const LOOKIN_ITEM& item)
{
    switch (item.data) {
    case ITEM_CURFOLDER:
        SetMode(data, MODE_FTP);
        return;
    case ITEM_FOLDER:
        SetMode(data, MODE_FTP);
        if (data.ftpView->ChangeDir(FolderPath(controls.internet, controls.selected).c_str()))
            Tell(data, IDS_NO_FOLDER, IDS_ERROR_TITLE);
        return;
    case ITEM_ADDREMOVE:
        return RunAddressList(data, controls, Contains(item.text, IDS_URLS_WORD));
    case ITEM_URL:
        SetMode(data, MODE_URL_CHOSEN);
        SetEditText(data, item.text);
        return;
    case ITEM_FTPSERVER:
        SetMode(data, MODE_FTP);
        return OnServerItem(data, item.text);
    default:  // a header
        if (Contains(item.text, IDS_SERVERS_MARK))
            SetMode(data, MODE_SERVERS);
        else if (Contains(item.text, IDS_URLS_MARK))
            SetMode(data, MODE_URLS);
        return;
    }
}

void SelectionToEdit(QXOFN32_DATA& data)
{
    std::string names;
    int count = 0;
    if (data.ftpView->GetSelectedFiles(&names, &count) || !count)
        return;
    if (count == 1)
        names = names.substr(1, names.size() - 2);
    SetEditText(data, names.c_str());
}

// What a failed remote operation leaves: the connection state, and the message shown.
struct OPERATION_FAILURE {
    int result;
    DWORD state;
    UINT text;
    UINT title;
};

constexpr OPERATION_FAILURE OperationFailures[] = {
    {FTPVIEW_CONNECTION_FAILED, STATE_CLOSED, IDS_NO_CONNECTION, IDS_CONNECTION_TITLE},
    {FTPVIEW_LISTING_FAILED, STATE_IDLE, IDS_NO_FILE_LIST, IDS_ERROR_TITLE},
    {FTPVIEW_NOT_CONNECTED, STATE_CLOSED, IDS_NOT_CONNECTED, IDS_ERROR_TITLE},
    {FTPVIEW_CHANGE_FAILED_AGAIN, STATE_IDLE, IDS_NO_FOLDER_CHANGE, IDS_ERROR_TITLE},
    {FTPVIEW_CURRENT_FAILED_AGAIN, STATE_IDLE, IDS_NO_CURRENT_FOLDER, IDS_ERROR_TITLE},
};

// After the connection went, or its first folder could not be listed, the user is brought
// back to the block's header.
void OnOperationEnd(QXOFN32_DATA& data, LPARAM result)
{
    EnableDialogControls(data, true);
    if (result == 0) {
        if (data.connectionState == STATE_CONNECTING) {
            data.connectionState = STATE_FIRST_LISTING;
            if (data.ftpView->Refresh()) {
                data.connectionState = STATE_IDLE;
                Tell(data, IDS_NO_FOLDER_LISTING, IDS_ERROR_TITLE);
                EnableDialogControls(data, true);
                GoUpOneLevel(data);
            }
        } else if (data.connectionState == STATE_FIRST_LISTING) {
            data.connectionState = STATE_IDLE;
        }
        return;
    }
    for (const OPERATION_FAILURE& failure : OperationFailures) {
        if (failure.result != result)
            continue;
        data.connectionState = failure.state;
        Tell(data, failure.text, failure.title);
        if (failure.result == FTPVIEW_CONNECTION_FAILED)
            GoUpOneLevel(data);
        return;
    }
    data.connectionState = STATE_CLOSED;
}

bool StartsWithoutCase(const std::string& text, const char* prefix)
{
    const size_t length = std::strlen(prefix);
    return text.size() >= length && !_strnicmp(text.c_str(), prefix, length);
}

int BuildInternetResult(QXOFN32_DATA& data, const std::string& text)
{
    if (!data.file || data.fileSize < 1)
        return 0;
    if (StartsWithoutCase(text, "http://") || StartsWithoutCase(text, "ftp://")) {
        lstrcpynA(data.file, text.c_str(), data.fileSize);
        if (data.title && data.titleSize > 0)
            GetFileLocation(text.c_str(), nullptr, 0, data.title, data.titleSize);
    } else {
        const int built = data.ftpView->BuildResult(text.c_str(), data.file, data.fileSize, data.title, data.titleSize);
        if (built == FTPVIEW_MISSING_FILE) {
            char message[1024];
            wsprintfA(message, LibraryString(IDS_FILE_NOT_FOUND).c_str(), data.file);
            MessageBoxA(data.dialog, message, LibraryString(IDS_ERROR_TITLE).c_str(), MB_ICONEXCLAMATION);
        }
        if (built)
            return 0;
    }
    if (InternetResult* result = data.result) {
        if (result->file && data.file)
            std::memcpy(result->file, data.file, static_cast<size_t>(std::min(result->fileSize, data.fileSize)));
        if (result->title && data.title)
            std::memcpy(result->title, data.title, static_cast<size_t>(std::min(result->titleSize, data.titleSize)));
        result->done = 1;
    }
    return 1;
}

// Picks the address of an address view's row in the Internet combo and acts on it.
void ChooseAddress(QXOFN32_DATA& data, const std::string& text)
{
    const HWND internet = InternetLookIn(data.dialog);
    const LRESULT from = SendMessageA(internet, CB_GETCURSEL, 0, 0);
    const LRESULT found = SendMessageA(internet, CB_FINDSTRINGEXACT, static_cast<WPARAM>(from),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (found == CB_ERR)
        return;
    SendMessageA(internet, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    OnLookInSelect(data);
}

}  // namespace

void SetMode(QXOFN32_DATA& data, int mode)
{
    if (mode == data.mode || mode > MODE_URL_CHOSEN || mode < MODE_LOCAL)
        return;
    data.ftpView->Show(SW_HIDE);
    data.serverView->Show(SW_HIDE);
    data.urlView->Show(SW_HIDE);
    EnableWindow(data.ftpView->Window(), TRUE);
    if (mode == MODE_LOCAL) {
        const RECT& rect = data.placeholderRect;
        MoveWindow(data.placeholder, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    } else {
        MoveWindow(data.placeholder, -50, -50, 25, 25, FALSE);
        if (const HWND fileView = GetDlgItem(data.dialog, ID_FILE_VIEW))
            DestroyWindow(fileView);
        qhyp_CListView* shown = data.ftpView.get();
        if (mode == MODE_SERVERS)
            shown = data.serverView.get();
        else if (mode == MODE_URLS)
            shown = data.urlView.get();
        if (mode == MODE_URL_CHOSEN) {
            data.ftpView->DeleteAll();
            EnableWindow(data.ftpView->Window(), FALSE);
        }
        SetWindowPos(shown->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        shown->Show(SW_SHOW);
    }
    data.mode = mode;
}

int OnLookInSelect(QXOFN32_DATA& data)
{
    const LOOKIN_CONTROLS controls = Controls(data);
    if (!controls.Ready())
        return 0;
    const LOOKIN_ITEM item = ReadLookInItem(controls.internet, controls.selected);
    if (!IsInternetItem(item.data)) {
        // Coming back to an Internet item later acts on it again.
        data.currentAddress.clear();
        SetMode(data, MODE_LOCAL);
        return 0;
    }
    SendMessageA(controls.toolbar, TB_ENABLEBUTTON, ID_NEW_FOLDER, FALSE);
    SendMessageA(controls.toolbar, TB_ENABLEBUTTON, ID_UP_ONE_LEVEL, item.data != ITEM_HEADER);
    if (!lstrcmpiA(item.text, data.currentAddress.c_str()))
        return 1;
    data.currentAddress = item.text;
    if (!IsFolderItem(item.data)) {
        data.ftpView->DeleteAll();
        DeleteFolderItems(controls.internet);
    }
    ActOn(data, Controls(data), item);
    return 1;
}

int GoUpOneLevel(QXOFN32_DATA& data)
{
    const LOOKIN_CONTROLS controls = Controls(data);
    if (!controls.Ready())
        return 0;
    const LRESULT item = ItemData(controls.internet, controls.selected);
    if (IsFolderItem(item)) {
        if (data.ftpView->GoToParent())
            Tell(data, IDS_NO_PARENT_FOLDER, IDS_ERROR_TITLE);
        return 1;
    }
    if (item == ITEM_ADDREMOVE || item == ITEM_URL || item == ITEM_FTPSERVER) {
        const LRESULT header = SearchUpward(controls.internet, controls.selected, ITEM_HEADER);
        if (header != CB_ERR) {
            SendMessageA(controls.internet, CB_SETCURSEL, static_cast<WPARAM>(header), 0);
            OnLookInSelect(data);
        }
        return 1;
    }
    if (item == ITEM_HEADER) {
        SendMessageA(controls.own, CB_SETCURSEL, 0, 0);
        data.currentAddress.clear();
        SetMode(data, MODE_LOCAL);
        SendMessageA(data.dialog, WM_COMMAND, MAKEWPARAM(ID_LOOKIN, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(controls.own));
        return 1;
    }
    return 0;
}

void SyncFolderItems(QXOFN32_DATA& data)
{
    const LOOKIN_CONTROLS controls = Controls(data);
    if (!controls.Ready())
        return;
    const HWND combo = controls.internet;
    char dir[CurrentDirChars + 1] = {};
    data.ftpView->GetCurrentDir(dir, sizeof dir);
    const LRESULT server = SearchUpward(combo, controls.selected, ITEM_FTPSERVER);
    if (server == CB_ERR)
        return;
    std::vector<std::string> parts;
    for (const char* part = std::strtok(dir, "/"); part; part = std::strtok(nullptr, "/"))
        parts.emplace_back(part);
    for (size_t depth = 1; depth <= parts.size(); ++depth) {
        const std::string text = std::string(depth, ' ') + parts[depth - 1];
        const LRESULT at = server + static_cast<LRESULT>(depth);
        const LOOKIN_ITEM item = ReadLookInItem(combo, at);
        bool kept = false;
        if (IsFolderItem(item.data)) {
            SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), ITEM_FOLDER);
            kept = !lstrcmpiA(item.text, text.c_str());
            while (!kept && IsFolderItem(ItemData(combo, at)))
                SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(at), 0);
        }
        if (!kept) {
            SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), ITEM_FOLDER);
        }
    }
    const LRESULT last = server + static_cast<LRESULT>(parts.size());
    while (IsFolderItem(ItemData(combo, last + 1)))
        SendMessageA(combo, CB_DELETESTRING, static_cast<WPARAM>(last + 1), 0);
    if (ItemData(combo, last) == ITEM_FOLDER)
        SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(last), ITEM_CURFOLDER);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(last), 0);
    // At the root the server item itself is selected: the server is the one already browsed,
    // not one to connect to again.
    if (last == server)
        data.currentAddress = ReadLookInItem(combo, server).text;
    OnLookInSelect(data);
}

void OnFtpViewReport(QXOFN32_DATA& data, WPARAM code, LPARAM value)
{
    switch (code) {
    case FTPVIEW_CLICKED:
        return SelectionToEdit(data);
    case FTPVIEW_FOLDER_CHANGED:
        return SyncFolderItems(data);
    case FTPVIEW_BUSY:
        return EnableDialogControls(data, false);
    case FTPVIEW_DONE:
        return OnOperationEnd(data, value);
    default:
        return;
    }
}

LRESULT OnViewNotify(QXOFN32_DATA& data, const NMHDR* header)
{
    const bool doubleClick = header->code == static_cast<UINT>(NM_DBLCLK);
    if (header->idFrom == IDC_FTP_VIEW) {
        if (doubleClick && data.ftpView->OpenSelected() != FTPVIEW_FOLDER_ENTERED)
            PostMessageA(data.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(data.dialog, IDOK)));
        return data.ftpView->OnNotify(header);
    }
    qhyp_CAddressView& view = header->idFrom == IDC_SERVER_VIEW ? *data.serverView : *data.urlView;
    if (doubleClick)
        ChooseAddress(data, view.SelectedText());
    else if (header->code == static_cast<UINT>(NM_CLICK))
        SetEditText(data, view.SelectedText().c_str());
    return view.OnNotify(header);
}

bool OnOpen(QXOFN32_DATA& data)
{
    for (qhyp_CAddressView* view : {data.serverView.get(), data.urlView.get()}) {
        if (!IsWindowVisible(view->Window()))
            continue;
        const std::string selected = view->SelectedText();
        if (!selected.empty() && !lstrcmpiA(selected.c_str(), EditText(data).c_str()))
            ChooseAddress(data, selected);
        return true;
    }
    const HWND internet = InternetLookIn(data.dialog);
    if (!internet || !IsInternetItem(ItemData(internet, SendMessageA(internet, CB_GETCURSEL, 0, 0))))
        return false;
    if (data.ftpView->OpenSelected() == FTPVIEW_FOLDER_ENTERED)
        return true;
    const std::string text = EditText(data);
    if (text.empty())
        return true;
    if (text.find_first_of("*?") != std::string::npos) {
        data.ftpView->SetFilter(text.c_str());
        return true;
    }
    if (BuildInternetResult(data, text))
        EndDialog(data.dialog, 1);
    return true;
}
