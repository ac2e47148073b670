// The transfer dialog "DLG_SYNCXFER": a synchronous fetch waits in it, off the screen, while
// the message loop goes on. It starts the transfer itself, or waits for one that runs
// elsewhere by watching the cache.
#include "transfer.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxwindowptr.h"

#include <exception>

namespace {

constexpr UINT_PTR PollTimer = 1;
constexpr UINT PollMilliseconds = 150;
const char HostProperty[] = "PLUGINSHWND-QORVEX";

XFER_STRUCT* TransferOf(HWND dialog) { return static_cast<XFER_STRUCT*>(GetQORVEXpointer(dialog)); }

void FormatItem(HWND dialog, int item, const char* server)
{
    QXSTRING format;
    format.GetWindowTextA(GetDlgItem(dialog, item));
    QXSTRING text;
    text.Format(static_cast<const char*>(format), server);
    SetDlgItemTextA(dialog, item, text);
}

void ShowTransferring(HWND dialog, bool transferring)
{
    ShowWindow(GetDlgItem(dialog, IDC_SYNCXFER_CONNECTING), transferring ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_SYNCXFER_TRANSFERRING), transferring ? SW_SHOW : SW_HIDE);
}

QXSTRING CacheKey(const XFER_STRUCT& transfer)
{
    QXSTRING key;
    if (transfer.kind == QX_LOCATION_FTP)
        key.Format("FTP://%s/%s", static_cast<const char*>(transfer.server),
                   static_cast<const char*>(transfer.remotePath));
    else if (transfer.kind == QX_LOCATION_HTTP)
        key.Format("HTTP://%s/%s", static_cast<const char*>(transfer.server),
                   static_cast<const char*>(transfer.remotePath));
    return key;
}

void End(HWND dialog, INT_PTR result)
{
    KillTimer(dialog, PollTimer);
    EndDialog(dialog, result);
}

BOOL OnInitDialog(HWND dialog, XFER_STRUCT* transfer)
{
    if (!transfer) {
        EndDialog(dialog, 0);
        return FALSE;
    }
    SetQORVEXpointer(dialog, transfer);
    SetPropA(dialog, HostProperty, transfer->window);
    FormatItem(dialog, IDC_SYNCXFER_CONNECTING, transfer->server);
    FormatItem(dialog, IDC_SYNCXFER_TRANSFERRING, transfer->server);
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    MoveWindow(dialog, -(width + 100), -(height + 100), width, height, FALSE);
    ShowTransferring(dialog, false);
    transfer->start = new DLGXFER;
    transfer->start->state = 1;
    transfer->start->server = transfer->server;
    transfer->start->notify = dialog;
    transfer->transferId = nullptr;
    PostMessageA(dialog, KM_SYNCXFERSTART, 0, 0);
    return TRUE;
}

void OnStart(HWND dialog, XFER_STRUCT& transfer)
{
    const QXSTRING key = CacheKey(transfer);
    if (!*key) {
        PostMessageA(dialog, KM_NETNOANSWER, 0, 0);
    } else if (KernProcess().cache.GetFileStatus(key) != QX_CACHE_UNDER_WAY) {
        KernProcess().cache.SetFileStatus(key, QX_CACHE_UNDER_WAY);
        if (!CreateStarterWindow(transfer.start)) {
            delete transfer.start;
            transfer.start = nullptr;
            PostMessageA(dialog, KM_NETNOANSWER, 0, 0);
        }
    } else {
        // A transfer of this file runs elsewhere: the cache tells when it is over.
        delete transfer.start;
        transfer.start = nullptr;
    }
    SetTimer(dialog, PollTimer, PollMilliseconds, nullptr);
}

void OnPoll(HWND dialog, const XFER_STRUCT& transfer)
{
    const int status = KernProcess().cache.GetFileStatus(CacheKey(transfer));
    if (status == QX_CACHE_COMPLETE)
        PostMessageA(dialog, KM_FILEREADY, QX_FILE_ARRIVED, 0);
    else if (status != QX_CACHE_UNDER_WAY)
        // The transfer failed wherever it ran and the cache dropped the item: nothing will
        // arrive, and its failure has been reported where it ran.
        End(dialog, 0);
}

void OnRetrieve(HWND dialog, XFER_STRUCT& transfer)
{
    transfer.transferId = nullptr;
    transfer.start = nullptr;  // the starter window deleted it
    int started = 0;
    if (transfer.kind == QX_LOCATION_FTP) {
        const char* user;
        const char* password;
        ChooseFtpAccount(transfer.user, transfer.password, &user, &password);
        started = FTP_Retrieve(transfer.remotePath, transfer.localFile, 0, transfer.server, user, password, dialog,
                               KM_FILEREADY, nullptr, &transfer.transferId);
    } else if (transfer.kind == QX_LOCATION_HTTP) {
        started = HTTP_Retrieve(transfer.remotePath, transfer.localFile, transfer.server, dialog, KM_FILEREADY,
                                nullptr, &transfer.transferId);
    }
    if (!started)
        PostMessageA(dialog, KM_FILEREADY, QX_FILE_FAILED, 0);
    else
        ShowTransferring(dialog, true);
}

void OnFileReady(HWND dialog, const XFER_STRUCT& transfer, WPARAM status)
{
    KillTimer(dialog, PollTimer);
    if (status == QX_FILE_ARRIVED) {
        End(dialog, 1);
        return;
    }
    KernAlert(dialog, IDS_NETWORK_ERROR, IDS_REMOTE_FILE_NOT_FOUND, transfer.remotePath);
    End(dialog, 0);
}

void OnServerProblem(HWND dialog, XFER_STRUCT& transfer, int text)
{
    transfer.start = nullptr;
    KernAlert(dialog, IDS_NETWORK_ERROR, text, transfer.server);
    PostMessageA(dialog, KM_FILEREADY, QX_FILE_FAILED, 0);
}

void OnCancel(HWND dialog, const XFER_STRUCT& transfer)
{
    if (transfer.transferId) {
        if (transfer.kind == QX_LOCATION_FTP)
            FTP_Kill(transfer.transferId);
        else if (transfer.kind == QX_LOCATION_HTTP)
            HTTP_Kill(transfer.transferId);
    }
    // A killed transfer may never report: the dialog does not wait for it.
    End(dialog, 0);
}

INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog, reinterpret_cast<XFER_STRUCT*>(lParam));
    XFER_STRUCT* transfer = TransferOf(dialog);
    if (!transfer)
        return FALSE;
    switch (message) {
    case KM_SYNCXFERSTART:
        OnStart(dialog, *transfer);
        return TRUE;
    case WM_TIMER:
        if (wParam == PollTimer)
            OnPoll(dialog, *transfer);
        return TRUE;
    case KM_STARTRETRIEVE:
        OnRetrieve(dialog, *transfer);
        return TRUE;
    case KM_FILEREADY:
        OnFileReady(dialog, *transfer, wParam);
        return TRUE;
    case KM_NETNOANSWER:
        OnServerProblem(dialog, *transfer, IDS_SERVER_NO_ANSWER);
        return TRUE;
    case KM_NETNOHOST:
        OnServerProblem(dialog, *transfer, IDS_SERVER_UNKNOWN);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            OnCancel(dialog, *transfer);
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, PollTimer);
        RemovePropA(dialog, HostProperty);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK SyncXferCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Handle(dialog, message, wParam, lParam);
    } catch (const std::exception&) {
        return FALSE;
    }
}

INT_PTR RunSyncTransfer(HWND owner, XFER_STRUCT* transfer)
{
    return DialogBoxParamA(KernProcess().module, "DLG_SYNCXFER", owner, SyncXferCommand,
                           reinterpret_cast<LPARAM>(transfer));
}
