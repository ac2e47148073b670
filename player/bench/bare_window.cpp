// The yardstick of the player's start: the least a Win32 program does to show a window of the
// publication's size, framed and captioned as the player's, and paint it. Once painted it
// names itself "painted", which the benchmark hears as the player's page title.
//   qxbare_window.exe width height
#include <windows.h>

#include <cstdlib>

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const int width = __argc > 2 ? std::atoi(__argv[1]) : 640;
    const int height = __argc > 2 ? std::atoi(__argv[2]) : 480;
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
