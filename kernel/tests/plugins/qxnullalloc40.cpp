// A module whose AllocObjet makes no object, as when memory runs out.
#include <windows.h>

struct KERNEL;
class OBJET;

extern "C" __declspec(dllexport) OBJET* AllocObjet(KERNEL*) { return nullptr; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
