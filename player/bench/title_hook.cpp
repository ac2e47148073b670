// Hooked by the start benchmark into the program it starts: once a window of that program
// has taken the title named by QX_START_TITLE, the event named by QX_START_EVENT is set.
// The program's own windowing tells the moment, so the benchmark neither polls nor sleeps.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK TitleTaken(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code >= 0 && sent->message == WM_SETTEXT) {
        char wanted[256] = "", title[256] = "", event[64] = "";
        GetEnvironmentVariableA("QX_START_TITLE", wanted, sizeof wanted);
        GetEnvironmentVariableA("QX_START_EVENT", event, sizeof event);
        GetWindowTextA(sent->hwnd, title, sizeof title);
        if (*wanted && lstrcmpA(title, wanted) == 0) {
            if (HANDLE shown = OpenEventA(EVENT_MODIFY_STATE, FALSE, event)) {
                SetEvent(shown);
                CloseHandle(shown);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
