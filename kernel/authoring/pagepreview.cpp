// The page preview of the open-file dialog: the preview window, the painting of a page scaled
// into it, and the callback that runs a second kernel on the page file selected.
#include "pagepreview.h"

#include "accessors.h"
#include "filefetch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "objet.h"
#include "pagefiles.h"
#include "pagerender.h"
#include "qxfile.h"
#include "qxpreview.h"

#include <cstring>

namespace {

constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

KERNPREVIEWPAGE* RecordOf(HWND window)
{
    return reinterpret_cast<KERNPREVIEWPAGE*>(GetWindowLongPtrA(window, 0));
}

HWND CreatePreviewWindow(HWND parent, DWORD style)
{
    return CreateWindowExA(0, QX_PREVIEW_PAGE_CLASS, "", style, 0, 0, 1, 1, parent, nullptr, KernProcess().module,
                           nullptr);
}

// The largest square centred in the client area (the area counted inclusively, as the page's
// own rectangles are).
void PaintSquare(HWND window, HDC dc, const KERNPREVIEWPAGE& record)
{
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    if (h < w)
        KernPaintPreviewPage(record.kernel, dc, client.left + ((w + 1) - (h + 1)) / 2, client.top, h + 1, h + 1);
    else
        KernPaintPreviewPage(record.kernel, dc, client.left, client.top + ((h + 1) - (w + 1)) / 2, w + 1, w + 1);
}

bool IsPageFile(const char* file)
{
    const char* dot = std::strrchr(file, '.');
    return dot && lstrcmpiA(dot, ".PAG") == 0;
}

// The preview says nothing about files it cannot show, while loading a page reports its
// errors: only a file that begins as a page is handed to the loader.
bool BeginsAsPage(const char* file)
{
    const QXFILE page = QXopen(file, 0);
    if (!page)
        return false;
    char line[64] = "";
    const bool read = QXLoadString(page, line, sizeof line) != 0;
    QXclose(page);
    return read && lstrcmpiA(line, QX_PAGE_HEADER) == 0;
}

int OnPaneReady(KERNPREVIEWPAGE& record, HWND pane, const RECT& area)
{
    SetParent(record.preview, pane);
    MoveWindow(record.preview, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
    SetParent(record.host, pane);
    MoveWindow(record.host, 0, 0, QX_PREVIEW_PAGE_WIDTH, QX_PREVIEW_PAGE_HEIGHT, FALSE);
    record.kernel = KernConstructeur(record.host, nullptr, "", "", "");
    if (record.kernel) {
        // The pages hold objects of the opener's plug-ins.
        if (record.opener)
            record.kernel->appPath = record.opener->appPath;
        KernSetAppExtent(record.kernel, 0, 0, QX_PREVIEW_PAGE_WIDTH, QX_PREVIEW_PAGE_HEIGHT);
    }
    ShowWindow(record.preview, SW_HIDE);
    return 1;
}

int OnPreviewEnd(KERNPREVIEWPAGE& record)
{
    if (record.kernel) {
        KernKillInternetJobs(record.kernel);
        KernDestructeur(record.kernel);
        record.kernel = nullptr;
    }
    DestroyWindow(record.host);
    DestroyWindow(record.preview);
    record.host = nullptr;
    record.preview = nullptr;
    return 1;
}

int OnSelection(KERNPREVIEWPAGE& record, const RECT& area, const char* file)
{
    if (!file || !*file) {
        ShowWindow(record.preview, SW_HIDE);
        return 0;
    }
    ShowWindow(record.preview, SW_SHOW);
    if (!IsPageFile(file) || !record.kernel)
        return 0;
    MoveWindow(record.preview, area.left, area.top, area.right - area.left + 1, area.bottom - area.top + 1, FALSE);
    // The pane asks for every repaint: the page is read again only when another one is chosen.
    if (lstrcmpiA(KernGetActiveFilename(record.kernel), file) != 0 && BeginsAsPage(file)) {
        const char* slash = std::strrchr(file, '\\');
        QXSTRING folder;
        folder.Format("%.*s", slash ? static_cast<int>(slash - file + 1) : 0, file);
        KernSetScnPath(record.kernel, folder);
        KernLoad(record.kernel, file, nullptr, 0);
        KernSetAutoBranch(record.kernel, 0);
    }
    InvalidateRect(record.preview, nullptr, TRUE);
    return 1;
}

}  // namespace

BOOL KernRegisterPreviewPageClass()
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = KernPreviewPageWindowProc;
    windowClass.cbWndExtra = 40;
    windowClass.hInstance = KernProcess().module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = QX_PREVIEW_PAGE_CLASS;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BOOL KernCreatePreviewPageWindows(HWND dialog, KERNPREVIEWPAGE* record)
{
    if (!record || !KernRegisterPreviewPageClass())
        return FALSE;
    *record = KERNPREVIEWPAGE{};
    record->preview = CreatePreviewWindow(dialog, ChildStyle | WS_VISIBLE);
    record->host = CreatePreviewWindow(dialog, ChildStyle);
    if (!record->preview || !record->host) {
        DestroyWindow(record->preview);
        DestroyWindow(record->host);
        *record = KERNPREVIEWPAGE{};
        return FALSE;
    }
    SetWindowLongPtrA(record->preview, 0, reinterpret_cast<LONG_PTR>(record));
    return TRUE;
}

LRESULT CALLBACK KernPreviewPageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The hidden window hosts the preview kernel, which takes its own messages.
    if (KernCommand(window, message, wParam, lParam))
        return 0;
    const KERNPREVIEWPAGE* record = RecordOf(window);
    if (message == WM_PAINT && record) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        PaintSquare(window, dc, *record);
        EndPaint(window, &paint);
        return 0;
    }
    // Lets the preview be drawn into any device context (a thumbnail, a test's bitmap).
    if (message == WM_PRINTCLIENT && record) {
        PaintSquare(window, reinterpret_cast<HDC>(wParam), *record);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void KernPaintPreviewPage(KERNEL* kernel, HDC dc, int x, int y, int width, int height)
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return;
    RECT page;
    GetClientRect(root->window, &page);
    MapWindowPoints(root->window, nullptr, reinterpret_cast<POINT*>(&page), 2);
    const HBITMAP bitmap = KernRenderPage(kernel, root, page, dc);
    if (!bitmap)
        return;
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, memory, 0, 0, page.right - page.left, page.bottom - page.top, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

int KernPreviewPageCallback(char code, HANDLE handle, const RECT* area, const char* file, LPARAM user)
{
    auto* record = reinterpret_cast<KERNPREVIEWPAGE*>(user);
    if (!record || !record->preview)
        return 0;
    const RECT none{};
    switch (code) {
    case QXPREVIEW_READY:
        return OnPaneReady(*record, static_cast<HWND>(handle), area ? *area : none);
    case QXPREVIEW_END:
        return OnPreviewEnd(*record);
    case QXPREVIEW_PAINT:
        return OnSelection(*record, area ? *area : none, file);
    default:
        return 0;
    }
}
