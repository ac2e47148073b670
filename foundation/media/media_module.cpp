// CMediaModule: the outside media server's module object, which starts its media runtime.
#include "qxmedia.h"

#include "media_dispatch.h"
#include "media_registration.h"

CMediaModule::CMediaModule() : initId(DISPID_UNKNOWN), exitId(DISPID_UNKNOWN), installedId(DISPID_UNKNOWN)
{
    ConnectMediaObject(CLSID_QXMediaModule, &unknown, &dispatch);
    if (dispatch
        && !(ResolveMediaName(dispatch, L"Init", &initId) && ResolveMediaName(dispatch, L"Exit", &exitId)
             && ResolveMediaName(dispatch, L"IsQuickTime4Install", &installedId)))
        DisconnectMediaObject(&unknown, &dispatch);
}

CMediaModule::~CMediaModule()
{
    DisconnectMediaObject(&unknown, &dispatch);
}

void* CMediaModule::operator new(size_t bytes)
{
    return ::operator new(bytes);
}

void CMediaModule::operator delete(void* block)
{
    ::operator delete(block);
}

int CMediaModule::Active()
{
    return unknown && dispatch;
}

HRESULT CMediaModule::Call(DISPID member, VARIANT* result)
{
    if (!Active())
        return 0;
    return InvokeMedia(dispatch, member, DISPATCH_METHOD, nullptr, 0, result);
}

HRESULT CMediaModule::Init()
{
    return Call(initId, nullptr);
}

HRESULT CMediaModule::Exit()
{
    return Call(exitId, nullptr);
}

int CMediaModule::IsQuickTime4Install()
{
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;
    result.lVal = 0;
    Call(installedId, &result);
    const int installed = LongOfResult(result) != 0;
    VariantClear(&result);
    return installed;
}
