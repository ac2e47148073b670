// The library's open-file dialog run under Wine against the program's FTP server, with the
// saved servers and URLs in a scratch copy of their registry key, and played by the test in
// steps: each step runs one timer tick after the one before, may wait for what the dialog
// is doing, and the last one closes the dialog.
#pragma once

#include "dialog_answerer.h"
#include "download_fixture.h"
#include "saved_registry_key.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A step's answer: go on with the next step, run this one again at the next tick, or a
// command (IDOK, IDCANCEL) posted to the dialog to close it.
constexpr int STEP_NEXT = 0;
constexpr int STEP_AGAIN = -1;
// Or the dialog closes itself: the step only waits for it to go.
constexpr int STEP_CLOSED_BY_DIALOG = -2;
using DialogStep = std::function<int(HWND dialog)>;

constexpr const char* SAVED_ADDRESSES_KEY = "SOFTWARE\\Qorvex\\QXCOMDLG";
constexpr const char* SAVED_SERVERS_KEY = "SOFTWARE\\Qorvex\\QXCOMDLG\\FTP Servers";
constexpr const char* SAVED_URLS_KEY = "SOFTWARE\\Qorvex\\QXCOMDLG\\URLs";

class OpenDialog : public DownloadJobs {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the dialog (the preview form when asked) through the steps; its result.
    BOOL Run(std::vector<DialogStep> steps, bool preview = false);

    // The caller's description and buffers.
    OPENFILENAMEA ofn{};
    char file[1024] = {};
    char title[256] = {};
    // Every dialog shown over the open dialog (message boxes, the download error form),
    // answered with Cancel unless `respond` is set.
    std::vector<ShownDialog> shown;
    std::function<int(HWND)> respond;
    std::string server;  // "ftp://127.0.0.1:<port>"

private:
    // The dialog may leave the process in the folder it showed last; the other cases rely on
    // the program's own.
    char startFolder_[MAX_PATH] = {};
    decltype(&::QXGetOpenFileName) open_ = nullptr;
    decltype(&::QXGetOpenFileNamePreview) openPreview_ = nullptr;
    SavedRegistryKey saved_{HKEY_LOCAL_MACHINE, SAVED_ADDRESSES_KEY};
};

// Reading and playing the dialog.
HWND InternetCombo(HWND dialog);
HWND FtpView(HWND dialog);
// The Internet combo's items: text and item data.
std::vector<std::pair<std::string, LRESULT>> ComboItems(HWND dialog);
std::string SelectedItem(HWND dialog);
// Chooses the item of that text in the Internet combo as the user does (both notifications).
bool ChooseItem(HWND dialog, const std::string& text);
// The names in a view's rows, in row order.
std::vector<std::string> Rows(HWND view);
// Selects the rows of these names (and no other) and tells the dialog of a click on the view.
void ClickRows(HWND view, const std::vector<std::string>& names, UINT code = NM_CLICK);
// Whether the dialog takes input again after a remote operation.
bool Idle(HWND dialog);
// The file-name box: edit 1152, or the edit of Wine's file-name combo 1148.
HWND FileNameEdit(HWND dialog);
void TypeName(HWND dialog, const std::string& text);
std::string TypedName(HWND dialog);
void PressOpen(HWND dialog);
