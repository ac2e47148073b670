// Printing the page shown: the page is drawn into a bitmap by its objects, then printed
// while a small dialog asks the user to wait.
#include "printing.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "objet.h"
#include "pagerender.h"
#include "qxbmp.h"
#include "qxdib.h"
#include "qxsupport.h"
#include "qxwindowptr.h"

#include <commdlg.h>

namespace {

// Posted by the dialog to itself, so that it is on screen while the page prints.
constexpr UINT WM_PRINT_NOW = 3024;
// The document name is the host caption, read up to this length.
constexpr int DocumentChars = 200;

struct PRINTING {
    HDC printer;
    HBITMAP page;
    QXSTRING document;
    int printed;
};

void CentreOnScreen(HWND dialog)
{
    RECT area;
    GetWindowRect(dialog, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK PrintingProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CentreOnScreen(dialog);
        if (!lParam) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        SetQORVEXpointer(dialog, reinterpret_cast<void*>(lParam));
        PostMessageA(dialog, WM_PRINT_NOW, 0, 0);
        return TRUE;
    case WM_PRINT_NOW:
        if (auto* job = static_cast<PRINTING*>(GetQORVEXpointer(dialog)))
            job->printed = KernPrintPageBitmap(dialog, job->printer, job->page, job->document);
        EndDialog(dialog, 1);
        return TRUE;
    case WM_DESTROY:
        EndDialog(dialog, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int KernDrawPageBitmap(HDC dc, HBITMAP page)
{
    HANDLE dib = _BitmapToDIB(page, nullptr);
    if (!dib)
        return 0;
    int pasted = 0;
    {
        // The image may keep the block until it goes.
        BMP image;
        pasted = image.Paste(static_cast<HGLOBAL>(dib)) == 0;
        if (pasted)
            image.Print(dc);
    }
    _DestroyDIB(dib);
    return pasted ? 1 : 0;
}

int KernPrintPageBitmap(HWND owner, HDC printer, HBITMAP page, const char* document)
{
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document;
    if (StartDocA(printer, &info) <= 0) {
        KernAlert(owner, IDS_ERROR, IDS_PRINT_FAILED);
        return 0;
    }
    if (StartPage(printer) <= 0) {
        AbortDoc(printer);
        KernAlert(owner, IDS_ERROR, IDS_PRINT_FAILED);
        return 0;
    }
    const int drawn = KernDrawPageBitmap(printer, page);
    EndPage(printer);
    EndDoc(printer);
    return drawn;
}

int KernPrintPage(KERNEL* kernel)
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return 0;
    const HWND host = KernGetAppWindow(kernel);
    PRINTDLGA ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = host;
    ask.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    if (!PrintDlgA(&ask) || !ask.hDC)
        return 0;
    RECT area;
    GetClientRect(root->window, &area);
    MapWindowPoints(root->window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const HDC screen = GetDC(nullptr);
    PRINTING job{ask.hDC, KernRenderPage(kernel, root, area, screen), QXSTRING(), 0};
    ReleaseDC(nullptr, screen);
    char caption[DocumentChars + 1] = "";
    GetWindowTextA(host, caption, sizeof caption);
    job.document = caption;
    if (job.page) {
        MODALDIALOG waiting(KernProcess().module, host, MAKEINTRESOURCEA(DLG_PRINTING), PrintingProc,
                    reinterpret_cast<LPARAM>(&job));
        DeleteObject(job.page);
    }
    // The printer's context is ours once the print dialog returned it.
    DeleteDC(ask.hDC);
    if (ask.hDevMode)
        GlobalFree(ask.hDevMode);
    if (ask.hDevNames)
        GlobalFree(ask.hDevNames);
    return job.printed;
}
