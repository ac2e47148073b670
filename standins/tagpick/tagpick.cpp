// Tagpick.dll, a stand-in for the outside metadata module: its one export hands the callers'
// picture records to a small dialog of its own.
#include "tagpick_dialog.h"

namespace {
HINSTANCE tagpickModule = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        tagpickModule = instance;
    return TRUE;
}

// The language is not read: the stand-in speaks French, as the system's dialogs ask.
extern "C" __declspec(dllexport) int WINAPI GetMetaData(HWND owner, const char*, int count, void* pictures)
{
    if (count <= 0 || !pictures)
        return 0;
    try {
        return EditPictures(tagpickModule, owner, static_cast<PICTURE_SETTINGS*>(pictures), count);
    } catch (...) {
        return 0;
    }
}
