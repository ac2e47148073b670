// Registering the window classes of the tests and making their windows.
#include "test_window.h"

HWND CreateTestWindow(const char* className, WNDPROC procedure, DWORD style, HWND parent, int width, int height)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
    }
    return CreateWindowExA(0, className, "", style, 0, 0, width, height, parent, nullptr, instance, nullptr);
}
