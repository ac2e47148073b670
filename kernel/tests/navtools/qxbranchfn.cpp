// A user DLL of branches for the tests: each function leaves the parameter it was handed in
// the environment variable QXBRANCHFN_CALLED and answers as its name says.
#include <windows.h>

namespace {

int Record(const char* parameter)
{
    SetEnvironmentVariableA("QXBRANCHFN_CALLED", parameter ? parameter : "");
    return 0;
}

}  // namespace

extern "C" __declspec(dllexport) int WINAPI AnswerStop(HWND, char* parameter) { return Record(parameter); }

extern "C" __declspec(dllexport) int WINAPI AnswerGoOn(HWND, char* parameter)
{
    Record(parameter);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
