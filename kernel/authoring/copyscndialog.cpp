// The dialog "DLG_COPYTOSCNDRIVE": where on the publication's disk a file from another disk
// is to be copied.
#include "scndrive.h"

#include "filedialogs_res.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "qxutil.h"
#include "qxwindowtree.h"

namespace {

COPYTOSCNDRIVEDIALOG* RecordOf(HWND dialog)
{
    return reinterpret_cast<COPYTOSCNDRIVEDIALOG*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ShowDestination(HWND dialog, const char* folder, const FNSPLIT& file)
{
    QXSTRING destination;
    destination.Format("%s%s%s", folder, static_cast<const char*>(file.name), static_cast<const char*>(file.ext));
    SetDlgItemTextA(dialog, IDC_COPYTOSCN_DESTINATION, destination);
}

QXSTRING DestinationText(HWND dialog)
{
    QXSTRING text;
    text.GetWindowTextA(GetDlgItem(dialog, IDC_COPYTOSCN_DESTINATION));
    return text;
}

// A destination must lie on the publication's disk; the author is told when it does not.
bool OnScnDrive(HWND dialog, const COPYTOSCNDRIVEDIALOG& record, const char* name)
{
    const QXSTRING scnDrive = FNSPLIT(record.destinationFolder).drive;
    if (lstrcmpiA(FNSPLIT(name).drive, scnDrive) == 0)
        return true;
    KernTreeMessageBox(dialog, IDS_ERROR, IDS_WRONG_DESTINATION_DRIVE, MB_OK | MB_ICONERROR, scnDrive);
    return false;
}

void ChooseFolder(HWND dialog, const COPYTOSCNDRIVEDIALOG& record)
{
    const FNSPLIT proposed(DestinationText(dialog));
    QXSTRING folder = proposed.drive + proposed.dir;
    if (SelectDirectoryStr(dialog, &folder) && OnScnDrive(dialog, record, folder))
        ShowDestination(dialog, folder, proposed);
}

// A name typed on another disk would put the copy where the publication cannot have it (or
// over the source itself), so it is refused like a folder chosen there.
void Confirm(HWND dialog, COPYTOSCNDRIVEDIALOG& record)
{
    const QXSTRING destination = DestinationText(dialog);
    if (!OnScnDrive(dialog, record, destination))
        return;
    record.destination = destination;
    record.confirmed = 1;
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK CopyToScnDriveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<COPYTOSCNDRIVEDIALOG*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, IDC_COPYTOSCN_SOURCE, record->source);
        ShowDestination(dialog, record->destinationFolder, FNSPLIT(record->source));
        return TRUE;
    }
    COPYTOSCNDRIVEDIALOG* record = RecordOf(dialog);
    if (message != WM_COMMAND || !record)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_COPYTOSCN_CHOOSE:
        ChooseFolder(dialog, *record);
        return TRUE;
    case IDOK:
        Confirm(dialog, *record);
        return TRUE;
    case IDCANCEL:
        record->confirmed = 0;
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int COPYTOSCNDRIVEDIALOG::Execute()
{
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(owner);
    tree.SetEnableState(0);
    const INT_PTR result = DialogBoxParamA(KernProcess().module, "DLG_COPYTOSCNDRIVE", owner, CopyToScnDriveProc,
                                           reinterpret_cast<LPARAM>(this));
    tree.ResetInitEnableState();
    return result == 1 ? 1 : 0;
}
