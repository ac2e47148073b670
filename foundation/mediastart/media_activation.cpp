// Activation of media-server objects that never waits on the server for good.
//
// An out-of-process activation goes through the system's service manager. In a Wine prefix
// that has just been made, that manager may never answer, and a caller waiting in
// CoCreateInstance would hang there: the player would never show its first page. So until
// the server has once answered, an activation is first tried on a worker thread and waited
// for a bounded time; the caller then makes its own object on its own thread, which the
// server, now known to answer, serves at once. (Handing the worker's object over marshalled
// would save that second call, but Wine then keeps a reference to the server's object and
// the server never ends.) A server that did not answer in time counts as mute from then on:
// its clients are not Active and take their fallbacks at once.
//
// A class that names no local server in the registry is refused before COM is asked: Wine's COM
// keeps two registry keys open for each activation of an unregistered class, and a page that
// shows a film again and again without the server would grow the player without end.
#include "media_activation.h"

#include <atomic>
#include <optional>
#include <string>

namespace {

std::atomic<bool> serverAnswered{false};
std::atomic<bool> serverMute{false};

// Shared by the caller and the worker; the last of the two to let go deletes it.
struct Trial {
    CLSID id{};
    HRESULT result = E_FAIL;
    HANDLE answered = nullptr;
    std::atomic<int> owners{2};

    void Release()
    {
        if (--owners > 0)
            return;
        CloseHandle(answered);
        delete this;
    }
};

DWORD WINAPI TryOnWorker(void* parameter)
{
    // The worker runs code of this module: it holds the module until it ends, also when the
    // caller has long given up on it.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&TryOnWorker), &module);
    auto* trial = static_cast<Trial*>(parameter);
    const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    IUnknown* object = nullptr;
    trial->result = CoCreateInstance(trial->id, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                     reinterpret_cast<void**>(&object));
    if (object)
        object->Release();
    if (comStarted)
        CoUninitialize();
    SetEvent(trial->answered);
    trial->Release();
    if (module)
        FreeLibraryAndExitThread(module, 0);
    return 0;
}

// The activation tried on a worker thread: its result, or nothing when it did not answer
// within `waitMs`.
std::optional<HRESULT> TryActivation(REFCLSID id, DWORD waitMs)
{
    auto* trial = new Trial;
    trial->id = id;
    trial->answered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE worker = trial->answered ? CreateThread(nullptr, 0, TryOnWorker, trial, 0, nullptr) : nullptr;
    if (!worker) {
        trial->owners = 1;
        trial->Release();
        return E_OUTOFMEMORY;
    }
    CloseHandle(worker);
    std::optional<HRESULT> result;
    if (WaitForSingleObject(trial->answered, waitMs) == WAIT_OBJECT_0)
        result = trial->result;
    trial->Release();
    return result;
}

// True when the class's key names a local server, as the server's registration writes it.
bool HasLocalServer(REFCLSID id)
{
    wchar_t classText[40] = L"";
    if (!StringFromGUID2(id, classText, 40))
        return false;
    const std::wstring name = std::wstring(L"CLSID\\") + classText + L"\\LocalServer32";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

HRESULT ActivateMediaObject(REFCLSID id, IUnknown** unknown, DWORD waitMs)
{
    *unknown = nullptr;
    if (serverMute)
        return CO_E_SERVER_EXEC_FAILURE;
    if (!HasLocalServer(id))
        return REGDB_E_CLASSNOTREG;
    if (!serverAnswered) {
        const std::optional<HRESULT> trial = TryActivation(id, waitMs);
        if (!trial)
            serverMute = true;
        if (!trial || FAILED(*trial))
            return trial.value_or(CO_E_SERVER_EXEC_FAILURE);
        serverAnswered = true;
    }
    const HRESULT result =
        CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(unknown));
    if (FAILED(result))
        *unknown = nullptr;
    return result;
}
