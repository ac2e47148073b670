// QXQuickTime.exe: "/REGSERVER" and "/UNREGSERVER" write and remove the class keys (exit
// code 0 on success); started by COM with "-Embedding" it serves its two classes until no
// client holds an object any more.
#include "class_factory.h"
#include "class_ids.h"
#include "media_module_object.h"
#include "media_player_object.h"
#include "registration.h"
#include "server_lifetime.h"

#include <windows.h>
#include <shellapi.h>
#include <vfw.h>

#include <string>

namespace {

enum class Switch { None, Register, Unregister, Embedding };

Switch SwitchOfCommandLine()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    Switch found = Switch::None;
    for (int i = 1; arguments && i < count && found == Switch::None; ++i) {
        const wchar_t* word = arguments[i];
        if (*word != L'/' && *word != L'-')
            continue;
        ++word;
        if (_wcsicmp(word, L"RegServer") == 0)
            found = Switch::Register;
        else if (_wcsicmp(word, L"UnregServer") == 0)
            found = Switch::Unregister;
        else if (_wcsicmp(word, L"Embedding") == 0)
            found = Switch::Embedding;
    }
    LocalFree(arguments);
    return found;
}

std::wstring ServerPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

ClassFactory playerFactory(CreateObjectOf<MediaPlayerObject>);
ClassFactory moduleFactory(CreateObjectOf<MediaModuleObject>);
DWORD playerCookie = 0;
DWORD moduleCookie = 0;

void WithdrawFactories()
{
    if (playerCookie)
        CoRevokeClassObject(playerCookie);
    if (moduleCookie)
        CoRevokeClassObject(moduleCookie);
    playerCookie = moduleCookie = 0;
}

int Serve()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    AVIFileInit();
    const HRESULT player = CoRegisterClassObject(CLSID_MediaPlayerObject, &playerFactory, CLSCTX_LOCAL_SERVER,
                                                 REGCLS_MULTIPLEUSE, &playerCookie);
    const HRESULT module = CoRegisterClassObject(CLSID_MediaModuleObject, &moduleFactory, CLSCTX_LOCAL_SERVER,
                                                 REGCLS_MULTIPLEUSE, &moduleCookie);
    if (SUCCEEDED(player) && SUCCEEDED(module))
        RunServerLoop(WithdrawFactories);
    WithdrawFactories();
    AVIFileExit();
    CoUninitialize();
    return SUCCEEDED(player) && SUCCEEDED(module) ? 0 : 1;
}

int Run()
{
    switch (SwitchOfCommandLine()) {
    case Switch::Register: return RegisterServer(ServerPath()) ? 0 : 1;
    case Switch::Unregister: return UnregisterServer() ? 0 : 1;
    case Switch::Embedding: return Serve();
    case Switch::None: break;
    }
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        return Run();
    } catch (...) {
        return 1;
    }
}
