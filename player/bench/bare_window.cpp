// The yardstick of the player's start: the least a Win32 program does to show a window of the
// publication's size, framed and captioned as the player's, and paint it. Once painted it
// names itself "painted", which the benchmark hears as the player's page title.
// A stage makes it first start what the player starts before its first page, each stage
// adding to the one before, so that the benchmark tells where the player's start goes:
//   libraries  the system libraries the player's modules import, loaded
//   ole        and OLE initialised
//   media      and the outside media server's module object made and let go
//   qxbare_window.exe width height [stage]
#include "media_activation.h"
#include "media_registration.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &paint);
        SetWindowTextA(window, "painted");
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The system libraries that the player, the foundation, the kernel, the network dialog and
// the first page's plug-ins import beyond the yardstick's own.
constexpr const char* PlayerLibraries[] = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll",
                                           "oleaut32.dll", "shell32.dll",  "shlwapi.dll",  "version.dll",
                                           "windowscodecs.dll", "winmm.dll"};

int StageNumber(const char* stage)
{
    const char* const stages[] = {"libraries", "ole", "media"};
    for (int i = 0; i < 3; ++i)
        if (stage && std::strcmp(stage, stages[i]) == 0)
            return i + 1;
    return 0;
}

void StartAsThePlayer(int stage)
{
    if (stage >= 1)
        for (const char* library : PlayerLibraries)
            LoadLibraryA(library);
    if (stage >= 2)
        OleInitialize(nullptr);
    IUnknown* module = nullptr;
    if (stage >= 3 && SUCCEEDED(ActivateMediaObject(CLSID_QXMediaModule, &module, MediaActivationWaitMs)))
        module->Release();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const int width = __argc > 2 ? std::atoi(__argv[1]) : 640;
    const int height = __argc > 2 ? std::atoi(__argv[2]) : 480;
    StartAsThePlayer(StageNumber(__argc > 3 ? __argv[3] : nullptr));
    WNDCLASSA bare{};
    bare.lpfnWndProc = BareProc;
    bare.hInstance = instance;
    bare.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    bare.lpszClassName = "QxBareWindow";
    RegisterClassA(&bare);
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA("QxBareWindow", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
