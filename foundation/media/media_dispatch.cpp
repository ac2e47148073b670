// Reaching the media server's objects and calling them by member identifier.
#include "media_dispatch.h"

#include "media_activation.h"
#include "qxmedia.h"

namespace {

// The locale every call names; the server's members do not depend on it.
constexpr LCID MediaLocale = 1;
// No member of the server takes more.
constexpr UINT MaxArguments = 4;

// Calls under way on this thread: calls may nest through the messages handed out.
thread_local int mediaCalls = 0;

}  // namespace

MEDIACALL::MEDIACALL() { ++mediaCalls; }
MEDIACALL::~MEDIACALL() { --mediaCalls; }
bool MediaCallUnderWay() { return mediaCalls > 0; }

void ConnectMediaObject(REFCLSID id, IUnknown** unknown, IDispatch** dispatch)
{
    MEDIACALL call;
    *unknown = nullptr;
    *dispatch = nullptr;
    if (FAILED(ActivateMediaObject(id, unknown, MediaActivationWaitMs)))
        return;
    if (FAILED((*unknown)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch)))) {
        *dispatch = nullptr;
        DisconnectMediaObject(unknown, dispatch);
    }
}

void DisconnectMediaObject(IUnknown** unknown, IDispatch** dispatch)
{
    MEDIACALL call;
    if (*dispatch)
        (*dispatch)->Release();
    if (*unknown)
        (*unknown)->Release();
    *dispatch = nullptr;
    *unknown = nullptr;
}

bool ResolveMediaName(IDispatch* dispatch, const wchar_t* name, DISPID* id)
{
    MEDIACALL call;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, names, 1, MediaLocale, id));
}

HRESULT InvokeMedia(IDispatch* dispatch, DISPID id, WORD kind, const VARIANT* arguments, UINT count, VARIANT* result)
{
    if (count > MaxArguments)
        return E_INVALIDARG;
    MEDIACALL call;
    // Automation takes the arguments last first. The copies share the callers' values.
    VARIANT lastFirst[MaxArguments];
    for (UINT i = 0; i < count; ++i)
        lastFirst[i] = arguments[count - 1 - i];
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{lastFirst, nullptr, count, 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    return dispatch->Invoke(id, IID_NULL, MediaLocale, kind, &params, result, nullptr, nullptr);
}

long LongOfResult(const VARIANT& result)
{
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&result), 0, VT_I4)))
        return 0;
    return converted.lVal;
}
