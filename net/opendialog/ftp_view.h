// The FTP directory view of the open-file dialog: one folder of a server, browsed through the
// library's FTP browser as a chain of steps whose ends come back as window messages to the
// dialog, which hands them here. It tells the dialog what happens with the registered
// message "qxofn32_msgNotify".
#pragma once

#include "ftp_listing.h"
#include "list_view.h"

#include <memory>
#include <string>
#include <vector>

class QXFTPBrowser;
struct FTP_BROWSER_RESULT;

// Reports to the dialog (the notify message's wParam).
constexpr WPARAM FTPVIEW_CLICKED = 0;
constexpr WPARAM FTPVIEW_FOLDER_CHANGED = 1;
constexpr WPARAM FTPVIEW_BUSY = 2;
constexpr WPARAM FTPVIEW_DONE = 3;

// Result codes besides those of ftp_listing.h.
constexpr int FTPVIEW_CONNECTION_FAILED = -2;
constexpr int FTPVIEW_DISCONNECTION_FAILED = -3;
constexpr int FTPVIEW_LISTING_FAILED = -4;
constexpr int FTPVIEW_NO_MEMORY = -6;
constexpr int FTPVIEW_NOT_CONNECTED = -7;
constexpr int FTPVIEW_NO_ENTRY = -9;
constexpr int FTPVIEW_FOLDER_ENTERED = -10;
constexpr int FTPVIEW_NOTHING_TO_OPEN = -11;
constexpr int FTPVIEW_FEW_MESSAGES = -12;
constexpr int FTPVIEW_CHANGE_FAILED_AGAIN = -16;
constexpr int FTPVIEW_CURRENT_FAILED_AGAIN = -17;

using qhyp_CFtpViewItem = FTP_LISTING_ENTRY;

class qhyp_CFtpView : public qhyp_CListView {
public:
    qhyp_CFtpView(int* result, HWND parent, UINT notifyMessage, UINT messageBase, int messageCount, int id,
                  const RECT& area, int multiSelect, int viewKind);
    ~qhyp_CFtpView() override;
    int DeleteAll() override;

    int Connect(const char* host, int port, const char* user, const char* password);
    int Disconnect();
    int ChangeDir(const char* path);
    int Refresh();
    int GoToParent();
    int GetCurrentDir(char* buffer, int size);
    std::string GetUrl() const;
    int SetFilter(const char* pattern);
    int OpenSelected();
    // The quoted names of the selected files, separated by blanks; folders are left out.
    int GetSelectedFiles(std::string* text, int* count);
    bool Exists(const std::string& name) const;
    int BuildResult(const char* text, char* file, int fileSize, char* title, int titleSize);
    int Sort(int code);
    LRESULT OnNotify(const NMHDR* header);
    int OnCommand(WPARAM, LPARAM) { return 0; }
    // A message of the dialog from the message base on: the end of a step.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM view);
    void Report(WPARAM code, LPARAM value = 0);
    void Step(int step, const FTP_BROWSER_RESULT& result, const std::string& text);
    void Reconnect();
    void DropConnection();
    // The step's end as a failed record, when its call could not start.
    void FailStep(int step);
    void Rebuild(const std::string& listing);
    void ShowEntry(const qhyp_CFtpViewItem& entry);

    std::string currentDir_ = "/";
    std::string filter_ = "*.*";
    std::string host_;
    int port_ = 0;
    std::string user_;
    std::string password_;
    QXFTPBrowser* connection_ = nullptr;
    std::vector<std::unique_ptr<qhyp_CFtpViewItem>> entries_;  // also those the filter hides
    UINT notifyMessage_;
    UINT messageBase_;
    std::string pendingDir_;
};
