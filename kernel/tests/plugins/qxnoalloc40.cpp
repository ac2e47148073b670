// A module that loads but makes no object: it lacks AllocObjet.
#include <windows.h>

extern "C" __declspec(dllexport) int GetNumberTools() { return 0; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
