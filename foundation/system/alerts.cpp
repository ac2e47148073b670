// The two message boxes through which every error and warning reaches the user.
#include "qxutil.h"

int Alert(HWND owner, const char* caption, const char* text)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONERROR);
    return 0;
}

int Warning(HWND owner, const char* caption, const char* text)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONWARNING);
    return 0;
}
