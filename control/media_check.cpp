// The outside media server, checked and started by the first control of a process: its module
// object, held from the first binding to the last, makes the media runtime ready for the
// pages' movies.
#include "media_check.h"

#include "media_activation.h"
#include "media_registration.h"
#include "module.h"

#include <oaidl.h>

namespace {

IDispatch* moduleObject = nullptr;

}  // namespace

int StartMediaModule()
{
    if (!EnsureMediaServerRegistered(ModuleFolder(), QX_MEDIA_REGISTRAR_WAIT_MS)) return 0;
    IUnknown* object = nullptr;
    if (FAILED(ActivateMediaObject(CLSID_QXMediaModule, &object, MediaActivationWaitMs))) return 0;
    IDispatch* dispatch = nullptr;
    const HRESULT asked = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    object->Release();
    if (FAILED(asked)) return 0;
    // All three names must be there: a server without them is not the one the pages expect.
    const wchar_t* names[] = {L"Init", L"Exit", L"IsQuickTime4Install"};
    DISPID ids[3] = {};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        if (FAILED(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &ids[i]))) {
            dispatch->Release();
            return 0;
        }
    }
    DISPPARAMS none{};
    if (FAILED(dispatch->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                                nullptr))) {
        dispatch->Release();
        return 0;
    }
    moduleObject = dispatch;
    return 1;
}

void ReleaseMediaModule()
{
    if (moduleObject) moduleObject->Release();
    moduleObject = nullptr;
}
