// The FTP directory view: its step chain over the FTP browser, its rows and the result.
#include "ftp_view.h"

#include "form_texts.h"
#include "ftp_browser.h"
#include "opendialog_ids.h"

#include <cstring>

namespace {

constexpr int FolderImage = 0;
constexpr int FileImage = 1;

// Steps of the chain: their ends come back as message base + step.
enum : int {
    CONNECTED = 0,
    DIR_SET = 1,
    LISTED = 2,
    DIR_READ = 3,
    RECONNECTED = 10,
    DIR_SET_AGAIN = 11,
    LISTED_AGAIN = 12,
    DIR_READ_AGAIN = 13,
};

// The text a step hands over; its block is the receiver's to free.
std::string TakeText(HGLOBAL block)
{
    if (!block)
        return {};
    std::string text;
    if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
        text = bytes;
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return text;
}

}  // namespace

qhyp_CFtpView::qhyp_CFtpView(int* result, HWND parent, UINT notifyMessage, UINT messageBase, int messageCount, int id,
                             const RECT& area, int multiSelect, int viewKind)
    : qhyp_CListView(nullptr, parent, id, area.left, area.top, area.right, area.bottom, multiSelect, viewKind),
      notifyMessage_(notifyMessage), messageBase_(messageBase)
{
    int answer = FTPVIEW_FEW_MESSAGES;
    if (messageCount >= 3)
        answer = AddIconsAndColumns("IDI_FOLDER", "IDI_FILE", IDS_FTP_NAME,
                                    {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_LEFT});
    if (result)
        *result = answer;
}

qhyp_CFtpView::~qhyp_CFtpView()
{
    Disconnect();
    entries_.clear();
}

int qhyp_CFtpView::DeleteAll()
{
    qhyp_CListView::DeleteAll();
    entries_.clear();
    return 1;
}

void qhyp_CFtpView::Report(WPARAM code, LPARAM value) { SendMessageA(parent_, notifyMessage_, code, value); }

int qhyp_CFtpView::Connect(const char* host, int port, const char* user, const char* password)
{
    if (!host || !user || !password)
        return FTPVIEW_BAD_ARGUMENT;
    currentDir_ = "/";
    host_ = host;
    port_ = port;
    user_ = user;
    password_ = password;
    if (connection_)
        Disconnect();
    connection_ = FTPConnect(host, port, user, password, currentDir_.c_str(), parent_, messageBase_ + CONNECTED);
    if (!connection_)
        return FTPVIEW_CONNECTION_FAILED;
    Report(FTPVIEW_BUSY);
    return 0;
}

int qhyp_CFtpView::Disconnect()
{
    if (!connection_)
        return 0;
    const int failed = FTPDisconnect(connection_);
    connection_ = nullptr;
    return failed ? FTPVIEW_DISCONNECTION_FAILED : 0;
}

int qhyp_CFtpView::ChangeDir(const char* path)
{
    if (!path)
        return FTPVIEW_BAD_ARGUMENT;
    if (!connection_)
        return FTPVIEW_NOT_CONNECTED;
    pendingDir_ = path;
    Report(FTPVIEW_BUSY);
    if (FTPSetCurrentDir(connection_, path, parent_, messageBase_ + DIR_SET))
        FailStep(DIR_SET);
    return 0;
}

int qhyp_CFtpView::Refresh() { return ChangeDir(currentDir_.c_str()); }

int qhyp_CFtpView::GoToParent()
{
    std::string parent;
    if (!ParentDirectory(currentDir_, parent))
        return FTPVIEW_NO_PARENT;
    return ChangeDir(parent.c_str());
}

int qhyp_CFtpView::GetCurrentDir(char* buffer, int size)
{
    if (!buffer || size < 1)
        return FTPVIEW_BAD_ARGUMENT;
    lstrcpynA(buffer, currentDir_.c_str(), size);
    return 0;
}

std::string qhyp_CFtpView::GetUrl() const { return "ftp://" + host_ + currentDir_; }

int qhyp_CFtpView::SetFilter(const char* pattern)
{
    filter_ = pattern ? pattern : "";
    qhyp_CListView::DeleteAll();
    for (const auto& entry : entries_) {
        if (PassesFilter(filter_, entry->name, entry->folder))
            ShowEntry(*entry);
    }
    Sort(sortKey_);
    return 0;
}

int qhyp_CFtpView::OpenSelected()
{
    int selected = 0;
    Count(1, &selected);
    if (selected != 1)
        return FTPVIEW_NOTHING_TO_OPEN;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
        return FTPVIEW_NO_ENTRY;
    const auto* entry = reinterpret_cast<const qhyp_CFtpViewItem*>(item.lParam);
    if (!entry->folder)
        return FTPVIEW_NOTHING_TO_OPEN;
    std::string path;
    if (!currentDir_.empty())
        path = currentDir_ + (currentDir_.back() == '/' ? "" : "/") + entry->name;
    const int changed = ChangeDir(path.c_str());
    return changed ? changed : FTPVIEW_FOLDER_ENTERED;
}

int qhyp_CFtpView::GetSelectedFiles(std::string* text, int* count)
{
    if (!count)
        return FTPVIEW_BAD_ARGUMENT;
    *count = 0;
    if (text)
        text->clear();
    int selected = 0;
    Count(1, &selected);
    int row = -1;
    for (int i = 0; i < selected; ++i) {
        row = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (row < 0 || !Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
            return FTPVIEW_NO_ENTRY;
        const auto* entry = reinterpret_cast<const qhyp_CFtpViewItem*>(item.lParam);
        if (entry->folder)
            continue;
        ++*count;
        if (text)
            *text += (text->empty() ? "\"" : " \"") + entry->name + "\"";
    }
    return 0;
}

bool qhyp_CFtpView::Exists(const std::string& name) const
{
    for (const auto& entry : entries_) {
        if (!lstrcmpiA(entry->name.c_str(), name.c_str()))
            return true;
    }
    return false;
}

int qhyp_CFtpView::BuildResult(const char* text, char* file, int fileSize, char* title, int titleSize)
{
    return BuildFtpResult(GetUrl(), text, [this](const std::string& name) { return Exists(name); }, file, fileSize,
                          title, titleSize);
}

int qhyp_CFtpView::Sort(int code) { return SortRows(code, CompareRows); }

int CALLBACK qhyp_CFtpView::CompareRows(LPARAM a, LPARAM b, LPARAM view)
{
    return CompareListingEntries(*reinterpret_cast<const qhyp_CFtpViewItem*>(a),
                                 *reinterpret_cast<const qhyp_CFtpViewItem*>(b),
                                 reinterpret_cast<const qhyp_CFtpView*>(view)->sortKey_);
}

LRESULT qhyp_CFtpView::OnNotify(const NMHDR* header)
{
    if (header->code == LVN_COLUMNCLICK) {
        Sort(30 + reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        return 1;
    }
    if (header->code == static_cast<UINT>(NM_CLICK))
        Report(FTPVIEW_CLICKED);
    return 0;
}

LRESULT qhyp_CFtpView::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    const auto* result = reinterpret_cast<const FTP_BROWSER_RESULT*>(wParam);
    if (!result)
        return 0;
    // Copied before anything else: the record is the browser's and the block is ours.
    const FTP_BROWSER_RESULT record = *result;
    const std::string text = TakeText(record.block);
    Step(static_cast<int>(message - messageBase_), record, text);
    return 1;
}

void qhyp_CFtpView::FailStep(int step)
{
    const FTP_BROWSER_RESULT failed{connection_, -1, nullptr};
    SendMessageA(parent_, messageBase_ + static_cast<UINT>(step), reinterpret_cast<WPARAM>(&failed), 0);
}

void qhyp_CFtpView::DropConnection()
{
    if (connection_)
        FTPDisconnect(connection_);
    connection_ = nullptr;
}

void qhyp_CFtpView::Reconnect()
{
    if (connection_)
        FTPDisconnect(connection_);
    connection_ = FTPConnect(host_.c_str(), port_, user_.c_str(), password_.c_str(), currentDir_.c_str(), parent_,
                             messageBase_ + RECONNECTED);
    if (!connection_)
        Report(FTPVIEW_DONE, FTPVIEW_CONNECTION_FAILED);
}

void qhyp_CFtpView::Step(int step, const FTP_BROWSER_RESULT& result, const std::string& text)
{
    const bool ok = result.error == 0;
    switch (step) {
    case CONNECTED:
        if (ok)
            return Report(FTPVIEW_DONE, 0);
        DropConnection();
        return Report(FTPVIEW_DONE, FTPVIEW_CONNECTION_FAILED);
    case DIR_SET:
        if (!ok)
            return Reconnect();
        if (FTPGetFileList(connection_, pendingDir_.c_str(), parent_, messageBase_ + LISTED))
            FailStep(LISTED);
        return;
    case LISTED:
        if (!ok)
            return Reconnect();
        Rebuild(text);
        if (FTPGetCurrentDir(connection_, parent_, messageBase_ + DIR_READ))
            FailStep(DIR_READ);
        return;
    case DIR_READ:
        if (!ok)
            return Reconnect();
        currentDir_ = text;
        Report(FTPVIEW_DONE, 0);
        return Report(FTPVIEW_FOLDER_CHANGED);
    case RECONNECTED:
        if (ok && !FTPSetCurrentDir(connection_, pendingDir_.c_str(), parent_, messageBase_ + DIR_SET_AGAIN))
            return;
        DropConnection();
        return Report(FTPVIEW_DONE, FTPVIEW_CONNECTION_FAILED);
    case DIR_SET_AGAIN:
        if (ok && !FTPGetFileList(connection_, pendingDir_.c_str(), parent_, messageBase_ + LISTED_AGAIN))
            return;
        if (ok)
            DropConnection();
        return Report(FTPVIEW_DONE, FTPVIEW_CHANGE_FAILED_AGAIN);
    case LISTED_AGAIN:
        if (!ok)
            return Report(FTPVIEW_DONE, FTPVIEW_LISTING_FAILED);
        Rebuild(text);
        if (FTPGetCurrentDir(connection_, parent_, messageBase_ + DIR_READ_AGAIN)) {
            DropConnection();
            return Report(FTPVIEW_DONE, FTPVIEW_CURRENT_FAILED_AGAIN);
        }
        return;
    case DIR_READ_AGAIN:
        if (ok) {
            currentDir_ = text;
            Report(FTPVIEW_FOLDER_CHANGED);
            return Report(FTPVIEW_DONE, 0);
        }
        DeleteAll();
        Refresh();
        Report(FTPVIEW_FOLDER_CHANGED);
        return Report(FTPVIEW_DONE, FTPVIEW_CURRENT_FAILED_AGAIN);
    default:
        return;  // the other messages of the view's range carry nothing
    }
}

void qhyp_CFtpView::Rebuild(const std::string& listing)
{
    DeleteAll();
    const FTP_TYPE_WORDS words{LibraryString(IDS_FTP_FOLDER), LibraryString(IDS_FTP_FILE)};
    for (FTP_LISTING_ENTRY& parsed : ParseListing(listing.c_str(), words)) {
        entries_.push_back(std::make_unique<qhyp_CFtpViewItem>(std::move(parsed)));
        if (PassesFilter(filter_, entries_.back()->name, entries_.back()->folder))
            ShowEntry(*entries_.back());
    }
    Sort(sortKey_);
}

void qhyp_CFtpView::ShowEntry(const qhyp_CFtpViewItem& entry)
{
    const int row = InsertRow(entry.name.c_str(), entry.folder ? FolderImage : FileImage, &entry);
    SetCell(row, 1, entry.folder ? "" : SizeColumnText(entry.size, LibraryString(IDS_FTP_KILOBYTES)).c_str());
    SetCell(row, 2, entry.type.c_str());
    SetCell(row, 3, entry.modified.c_str());
}
