// Running the library's open-file dialog step by step.
#include "open_dialog_fixture.h"

#include "dialog_answerer.h"
#include "message_pump.h"
#include "registry_values.h"

#include <commctrl.h>

namespace {

constexpr UINT StepMs = 40;
// A step that waits longer than this fails the case and cancels the dialog.
constexpr DWORD StepLimitMs = 30000;

struct RUNNING_STEPS {
    std::vector<DialogStep>* steps = nullptr;
    HWND dialog = nullptr;
    DWORD waitingSince = 0;
    bool finished = false;
};

RUNNING_STEPS running;

void Finish(UINT_PTR timer)
{
    KillTimer(nullptr, timer);
    running.finished = true;
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    static bool inStep = false;
    if (!running.dialog || running.finished || inStep)
        return;
    if (!IsWindow(running.dialog))
        return Finish(timer);
    if (running.steps->empty()) {
        PostMessageA(running.dialog, WM_COMMAND, IDCANCEL, 0);
        return Finish(timer);
    }
    inStep = true;
    const int answer = running.steps->front()(running.dialog);
    inStep = false;
    if (answer == STEP_AGAIN || answer == STEP_CLOSED_BY_DIALOG) {
        if (GetTickCount() - running.waitingSince < StepLimitMs)
            return;
        ADD_FAILURE() << "a step waited too long";
        PostMessageA(running.dialog, WM_COMMAND, IDCANCEL, 0);
        return Finish(timer);
    }
    running.steps->erase(running.steps->begin());
    running.waitingSince = GetTickCount();
    if (answer != STEP_NEXT) {
        PostMessageA(running.dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        Finish(timer);
    }
}

}  // namespace

void OpenDialog::SetUp()
{
    GetCurrentDirectoryA(sizeof startFolder_, startFolder_);
    DownloadJobs::SetUp();
    open_ = reinterpret_cast<decltype(open_)>(reinterpret_cast<void (*)()>(GetProcAddress(library, "QXGetOpenFileName")));
    openPreview_ = reinterpret_cast<decltype(openPreview_)>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "QXGetOpenFileNamePreview")));
    ASSERT_TRUE(open_ && openPreview_);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, SAVED_ADDRESSES_KEY);
    server = "ftp://" + NetServers().FtpHost();
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server1", NetServers().FtpHost());
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL1", HttpAddress("page.htm"));
    for (const char* name : {"pub\\a.txt", "pub\\b.txt", "pub\\c.gif", "a\\b\\x.txt", "a\\c\\y.txt"})
        NetServers().ServeFtp(name, std::string("contents of ") + name);
    local.Write("local.txt", "here");
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrFilter = "Tous les fichiers\0*.*\0Textes\0*.txt\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrInitialDir = nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT;
}

void OpenDialog::TearDown()
{
    SetCurrentDirectoryA(startFolder_);
    DownloadJobs::TearDown();
}

BOOL OpenDialog::Run(std::vector<DialogStep> steps, bool preview)
{
    running = {&steps, nullptr, GetTickCount(), false};
    DialogAnswerer answerer([this](HWND window) {
        // The first dialog up is the open dialog, which the steps play.
        if (!running.dialog) {
            running.dialog = window;
            SetTimer(nullptr, 0, StepMs, NextStep);
            return 0;
        }
        // Cancel closes message boxes and the download error form alike.
        return respond ? respond(window) : IDCANCEL;
    });
    BOOL result = FALSE;
    if (preview) {
        QXPREVIEW_REQUEST request{};
        request.ofn = &ofn;
        result = openPreview_(&request);
    } else {
        result = open_(&ofn);
    }
    shown = answerer.Shown();
    if (!shown.empty())
        shown.erase(shown.begin());  // the open dialog itself
    running = {};
    return result;
}

HWND InternetCombo(HWND dialog) { return GetDlgItem(dialog, 1280); }
HWND FtpView(HWND dialog) { return GetDlgItem(dialog, 1281); }

std::vector<std::pair<std::string, LRESULT>> ComboItems(HWND dialog)
{
    std::vector<std::pair<std::string, LRESULT>> items;
    const HWND combo = InternetCombo(dialog);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[1024] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text, SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    }
    return items;
}

std::string SelectedItem(HWND dialog)
{
    const HWND combo = InternetCombo(dialog);
    char text[1024] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(SendMessageA(combo, CB_GETCURSEL, 0, 0)),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

bool ChooseItem(HWND dialog, const std::string& text)
{
    const HWND combo = InternetCombo(dialog);
    const LRESULT index =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR)
        return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1280, code), reinterpret_cast<LPARAM>(combo));
    return true;
}

std::vector<std::string> Rows(HWND view)
{
    std::vector<std::string> names;
    const LRESULT count = SendMessageA(view, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        names.emplace_back(text);
    }
    return names;
}

void ClickRows(HWND view, const std::vector<std::string>& names, UINT code)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (const std::string& name : names) {
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = name.c_str();
        const LRESULT row = SendMessageA(view, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
        state.state = LVIS_SELECTED;
        SendMessageA(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
    NMITEMACTIVATE click{};
    click.hdr = {view, static_cast<UINT_PTR>(GetDlgCtrlID(view)), code};
    SendMessageA(GetParent(view), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

bool Idle(HWND dialog) { return IsWindowEnabled(InternetCombo(dialog)); }

HWND FileNameEdit(HWND dialog)
{
    if (const HWND edit = GetDlgItem(dialog, 1152))
        return edit;
    const HWND combo = FindWindowExA(GetDlgItem(dialog, 1148), nullptr, "ComboBox", nullptr);
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}

void TypeName(HWND dialog, const std::string& text) { SetWindowTextA(FileNameEdit(dialog), text.c_str()); }

std::string TypedName(HWND dialog)
{
    char text[1024] = {};
    GetWindowTextA(FileNameEdit(dialog), text, sizeof text);
    return text;
}

void PressOpen(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}
