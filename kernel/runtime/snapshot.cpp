// KernPreviewPage: a hidden window with a kernel of its own loads the page, lays it out as
// in presentation, and draws it into a bitmap from its own message loop.
#include "snapshot.h"

#include "accessors.h"
#include "filefetch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kerntree.h"
#include "objet.h"
#include "pagefiles.h"
#include "pagerender.h"
#include "qxwindowptr.h"

#include <cstring>

namespace {

constexpr const char* PreviewClass = "PreviewPageWindow";
// Posted once the page is loaded: draw it.
constexpr UINT WM_PREVIEW_DRAW = WM_USER + 27;
constexpr int SnapshotWidth = 640;
constexpr int SnapshotHeight = 480;
constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;
constexpr int EditMode = 2;

void DrawSnapshot(HWND window, KERNEL* kernel)
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return;
    RECT area = {0, 0, SnapshotWidth, SnapshotHeight};
    MapWindowPoints(root->window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    // Shown once as in presentation, so that every object is laid out and on screen.
    KernSetMode(kernel, EditMode);
    KernSetMode(kernel, QX_MODE_PRESENTATION);
    const HDC reference = GetDC(window);
    const HBITMAP bitmap = KernRenderPage(kernel, root, area, reference);
    ReleaseDC(window, reference);
    KernSetMode(kernel, EditMode);
    if (bitmap)
        SetQORVEXpointer(window, bitmap);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    KERNEL* kernel = KernOfHost(window);
    if (kernel && KernCommand(window, message, wParam, lParam))
        return 0;
    if (message == WM_PREVIEW_DRAW && kernel) {
        DrawSnapshot(window, kernel);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterPreviewClass()
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(KernProcess().module, PreviewClass, &windowClass))
        return true;
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = PreviewProc;
    windowClass.cbWndExtra = 40;
    windowClass.hInstance = KernProcess().module;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PreviewClass;
    return RegisterClassA(&windowClass) != 0;
}

bool IsPageFile(const char* file)
{
    if (!file)
        return false;
    const DWORD attributes = GetFileAttributesA(file);
    return attributes != INVALID_FILE_ATTRIBUTES && attributes != FILE_ATTRIBUTE_DIRECTORY;
}

// Runs the window's messages until it carries the bitmap. A WM_QUIT belongs to the loop
// that called us: it is posted again and the snapshot gives up.
HBITMAP WaitForSnapshot(HWND window)
{
    MSG msg;
    while (!GetQORVEXpointer(window)) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return nullptr;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<HBITMAP>(GetQORVEXpointer(window));
}

}  // namespace

HBITMAP KernPreviewPage(const char* file)
{
    if (!IsPageFile(file) || !RegisterPreviewClass())
        return nullptr;
    const HWND window = CreateWindowExA(0, PreviewClass, "", WS_OVERLAPPEDWINDOW, 0, 0, WindowWidth, WindowHeight,
                                        nullptr, nullptr, KernProcess().module, nullptr);
    if (!window)
        return nullptr;
    KERNEL* kernel = KernConstructeur(window, nullptr, "", "", "");
    HBITMAP bitmap = nullptr;
    if (kernel) {
        // The plug-ins are those of the host's kernel when there is one.
        if (KernProcess().kernels.Items() > 1)
            kernel->appPath = static_cast<KERNEL*>(KernProcess().kernels.GetItem(0))->appPath;
        KernSetAppExtent(kernel, 0, 0, SnapshotWidth, SnapshotHeight);
        const char* slash = std::strrchr(file, '\\');
        QXSTRING folder;
        folder.Format("%.*s", slash ? static_cast<int>(slash - file + 1) : 0, file);
        KernSetScnPath(kernel, folder);
        KernLoad(kernel, file, nullptr, 0);
        KernSetAutoBranch(kernel, 0);
        // A page that did not load leaves nothing to wait for.
        OBJET* root = KernGetTopObjet(kernel);
        if (root && root->window) {
            PostMessageA(window, WM_PREVIEW_DRAW, 0, 0);
            bitmap = WaitForSnapshot(window);
        }
        KernRemoveAllFtpProcess(kernel);
        KernDestructeur(kernel);
    }
    DestroyWindow(window);
    return bitmap;
}
