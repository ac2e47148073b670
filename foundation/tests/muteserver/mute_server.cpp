// A local server that starts and never offers its classes: it stands for a media server, or a
// service manager, that never answers an activation. It ends by itself after two minutes.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Sleep(120000);
    return 0;
}
