// Printing a DIB with banding, the "Printing" dialog and its abort procedure. The job runs
// on a print device: the default printer, or a plain device context for previews.
#include "qxdib.h"

#include "dibprint_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// One print job at a time: the dialog and its abort flag are library-wide.
HWND printDialog = nullptr;
bool printAborted = false;

// What the job needs of the device it prints on.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    HDC Dc() const { return dc_; }
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual bool InstallAbortProc(ABORTPROC procedure) = 0;
    virtual bool StartDocument(const char* title) = 0;
    virtual bool SupportsBanding() const = 0;
    virtual bool SupportsBandInfo() const = 0;
    // The next band; an empty one ends the page.
    virtual bool NextBand(RECT* band) = 0;
    // Whether the band takes graphics.
    virtual bool BandTakesGraphics() = 0;
    virtual bool NewFrame() = 0;
    virtual bool EndDocument() = 0;

protected:
    HDC dc_ = nullptr;
};

bool Supports(HDC dc, int escape)
{
    return Escape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), nullptr) > 0;
}

class PrinterDevice : public PrintDevice {
public:
    explicit PrinterDevice(HDC dc) { dc_ = dc; }
    int PageWidth() const override { return GetDeviceCaps(dc_, HORZRES); }
    int PageHeight() const override { return GetDeviceCaps(dc_, VERTRES); }
    bool InstallAbortProc(ABORTPROC procedure) override { return SetAbortProc(dc_, procedure) > 0; }
    bool StartDocument(const char* title) override
    {
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = title;
        return StartDocA(dc_, &info) > 0;
    }
    bool SupportsBanding() const override { return Supports(dc_, NEXTBAND); }
    bool SupportsBandInfo() const override { return Supports(dc_, BANDINFO); }
    bool NextBand(RECT* band) override { return Escape(dc_, NEXTBAND, 0, nullptr, band) > 0; }
    bool BandTakesGraphics() override
    {
        struct { BOOL graphics; BOOL text; RECT rect; } info{};
        Escape(dc_, BANDINFO, sizeof info, reinterpret_cast<LPCSTR>(&info), &info);
        return info.graphics;
    }
    bool NewFrame() override { return Escape(dc_, NEWFRAME, 0, nullptr, nullptr) > 0; }
    bool EndDocument() override { return EndDoc(dc_) > 0; }
};

// A device context without spooler: bands are cut here, top to bottom, and the abort
// procedure is called before each, as a printer driver does.
class PlainDevice : public PrintDevice {
public:
    PlainDevice(HDC dc, int width, int height, int bandRows) : width_(width), height_(height), bandRows_(bandRows)
    {
        dc_ = dc;
    }
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    bool InstallAbortProc(ABORTPROC procedure) override
    {
        abort_ = procedure;
        return true;
    }
    bool StartDocument(const char*) override { return true; }
    bool SupportsBanding() const override { return bandRows_ > 0; }
    bool SupportsBandInfo() const override { return false; }
    bool NextBand(RECT* band) override
    {
        if (!abort_(dc_, 0) || nextTop_ >= height_) {
            SetRectEmpty(band);
            return true;
        }
        *band = RECT{0, nextTop_, width_, std::min(height_, nextTop_ + bandRows_)};
        nextTop_ = band->bottom;
        return true;
    }
    bool BandTakesGraphics() override { return true; }
    bool NewFrame() override { return abort_(dc_, 0), true; }
    bool EndDocument() override { return true; }

private:
    int width_;
    int height_;
    int bandRows_;
    int nextTop_ = 0;
    ABORTPROC abort_ = nullptr;
};

BOOL CALLBACK PumpWhilePrinting(HDC, int)
{
    MSG message;
    while (!printAborted && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!printDialog || !IsDialogMessageA(printDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return !printAborted;
}

INT_PTR CALLBACK PrintDialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        printAborted = true;
        DestroyWindow(dialog);
        printDialog = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&PrintDialogProc), &module);
    return module;
}

void ShowPrintDialog(const char* title, const char* printer, const char* port)
{
    printAborted = false;
    printDialog = CreateDialogParamA(ThisModule(), "Printing", GetFocus(), PrintDialogProc, 0);
    if (!printDialog)
        return;
    char text[128];
    std::snprintf(text, sizeof text, "Printing '%.31s'", title ? title : "");
    SetDlgItemTextA(printDialog, IDC_PRINT_TITLE, text);
    std::snprintf(text, sizeof text, "on %.50s on %.50s", printer, port);
    SetDlgItemTextA(printDialog, IDC_PRINT_PRINTER, text);
    SetFocus(GetDlgItem(printDialog, IDCANCEL));
}

void ClosePrintDialog()
{
    if (printDialog)
        DestroyWindow(printDialog);
    printDialog = nullptr;
}

RECT PageRect(const PrintDevice& device, int dibWidth, int dibHeight, WORD kind, WORD xScale, WORD yScale)
{
    const int pageWidth = device.PageWidth();
    switch (kind) {
    case DIB_PRINT_PAGE_WIDTH: {
        const double dpiX = GetDeviceCaps(device.Dc(), LOGPIXELSX), dpiY = GetDeviceCaps(device.Dc(), LOGPIXELSY);
        return RECT{0, 0, pageWidth, static_cast<LONG>(static_cast<double>(dibHeight) * pageWidth * dpiY / (dibWidth * dpiX))};
    }
    case DIB_PRINT_SCALED:
        return RECT{0, 0, dibWidth * xScale, dibHeight * yScale};
    default:
        return RECT{0, 0, pageWidth, device.PageHeight()};
    }
}

// The part of the DIB that falls in the band, stretched into it.
bool PaintBand(HDC dc, const RECT& band, const RECT& page, LPSTR dib)
{
    RECT part;
    if (!IntersectRect(&part, &band, &page))
        return true;
    const int dibWidth = static_cast<int>(_DIBWidth(dib)), dibHeight = static_cast<int>(_DIBHeight(dib));
    const double sx = static_cast<double>(page.right - page.left) / dibWidth;
    const double sy = static_cast<double>(page.bottom - page.top) / dibHeight;
    const int left = static_cast<int>((part.left - page.left) / sx + 0.5);
    const int top = static_cast<int>((part.top - page.top) / sy + 0.5);
    const int right = left + static_cast<int>((part.right - part.left) / sx + 0.5);
    const int bottom = top + static_cast<int>((part.bottom - part.top) / sy + 0.5);
    return StretchDIBits(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, left,
                         dibHeight - bottom, right - left, bottom - top, _FindDIBBits(dib),
                         reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS, SRCCOPY) != 0;
}

WORD RunJob(PrintDevice& device, LPSTR dib, WORD kind, WORD xScale, WORD yScale, LPCSTR title,
            const char* printer, const char* port)
{
    SetStretchBltMode(device.Dc(), COLORONCOLOR);
    const RECT page = PageRect(device, static_cast<int>(_DIBWidth(dib)), static_cast<int>(_DIBHeight(dib)), kind,
                               xScale, yScale);
    ShowPrintDialog(title, printer, port);
    if (!device.InstallAbortProc(PumpWhilePrinting)) {
        ClosePrintDialog();
        return DIB_ERR_SETABORTPROC;
    }
    if (!device.StartDocument(title ? title : "")) {
        ClosePrintDialog();
        return DIB_ERR_STARTDOC;
    }
    WORD result = 0;
    if (device.SupportsBanding()) {
        const bool bandInfo = device.SupportsBandInfo();
        RECT band;
        for (int number = 1; !printAborted && device.NextBand(&band) && !IsRectEmpty(&band); ++number) {
            const bool graphics = !bandInfo || device.BandTakesGraphics();
            char text[48];
            std::snprintf(text, sizeof text, "Printing Band Number %d", number);
            if (printDialog)
                SetDlgItemTextA(printDialog, IDC_PRINT_STATUS, text);
            if (graphics && !PaintBand(device.Dc(), band, page, dib)) {
                result = DIB_ERR_STRETCHDIBITS;
                break;
            }
        }
    } else {
        if (printDialog)
            SetDlgItemTextA(printDialog, IDC_PRINT_STATUS, "Sending bitmap to printer...");
        if (!PaintBand(device.Dc(), page, page, dib))
            result = DIB_ERR_STRETCHDIBITS;
        else if (!device.NewFrame())
            result = DIB_ERR_NEWFRAME;
    }
    if (!printAborted) {
        if (!device.EndDocument() && result == 0)
            result = DIB_ERR_ENDDOC;
        ClosePrintDialog();
    }
    return result;
}

// The default printer "name,driver,port" of the profile, split in place.
bool DefaultPrinter(char* line, size_t size, char** name, char** driver, char** port)
{
    GetProfileStringA("windows", "device", "", line, static_cast<DWORD>(size));
    *name = std::strtok(line, ",");
    *driver = std::strtok(nullptr, ", ");
    *port = std::strtok(nullptr, ", ");
    return *name && *driver && *port;
}

}  // namespace

WORD _PrintDIBToDC(HANDLE dib, HDC dc, int pageWidth, int pageHeight, WORD kind, WORD xScale, WORD yScale,
                   LPCSTR title, int bandRows)
{
    if (!dib || !dc)
        return DIB_ERR_INVALID_HANDLE;
    auto* bytes = static_cast<LPSTR>(GlobalLock(dib));
    if (!bytes)
        return DIB_ERR_LOCK;
    PlainDevice device(dc, pageWidth, pageHeight, bandRows);
    const WORD result = RunJob(device, bytes, kind, xScale, yScale, title, "DC", "memory");
    GlobalUnlock(dib);
    return result;
}

WORD _PrintDIB(HANDLE dib, WORD kind, WORD xScale, WORD yScale, LPCSTR title)
{
    if (!dib)
        return DIB_ERR_INVALID_HANDLE;
    char line[256];
    char *name, *driver, *port;
    HDC dc = DefaultPrinter(line, sizeof line, &name, &driver, &port) ? CreateDCA(driver, name, port, nullptr) : nullptr;
    if (!dc)
        return DIB_ERR_GET_DC;
    auto* bytes = static_cast<LPSTR>(GlobalLock(dib));
    WORD result = DIB_ERR_LOCK;
    if (bytes) {
        PrinterDevice device(dc);
        result = RunJob(device, bytes, kind, xScale, yScale, title, name, port);
        GlobalUnlock(dib);
    }
    DeleteDC(dc);
    return result;
}

WORD _PrintWindow(HWND window, WORD copyKind, WORD printKind, WORD xScale, WORD yScale, LPCSTR title)
{
    if (!window)
        return DIB_ERR_INVALID_HANDLE;
    HANDLE dib = _CopyWindowToDIB(window, copyKind);
    if (!dib)
        return DIB_ERR_GENERAL;
    const WORD result = _PrintDIB(dib, printKind, xScale, yScale, title);
    GlobalFree(dib);
    return result;
}

WORD _PrintScreen(LPRECT rect, WORD printKind, WORD xScale, WORD yScale, LPCSTR title)
{
    HANDLE dib = _CopyScreenToDIB(rect);
    if (!dib)
        return DIB_ERR_GENERAL;
    const WORD result = _PrintDIB(dib, printKind, xScale, yScale, title);
    GlobalFree(dib);
    return result;
}
