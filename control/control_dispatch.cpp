// The control's automation: its properties and method through the type library's dispatch
// interface, and the connection point of its events.
#include "stage_control.h"

#include "control_ids.h"
#include "event_point.h"
#include "wide_text.h"

HRESULT CQXStageCtrl::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = dispatchInfo_ ? 1 : 0;
    return S_OK;
}

HRESULT CQXStageCtrl::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0 || !dispatchInfo_) return DISP_E_BADINDEX;
    dispatchInfo_->AddRef();
    *info = dispatchInfo_;
    return S_OK;
}

HRESULT CQXStageCtrl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!dispatchInfo_) return E_UNEXPECTED;
    return DispGetIDsOfNames(dispatchInfo_, names, count, ids);
}

HRESULT CQXStageCtrl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO*, UINT* argumentError)
{
    const bool get = flags & DISPATCH_PROPERTYGET;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put && (!params || params->cArgs != 1)) return DISP_E_BADPARAMCOUNT;
    switch (id) {
    case DISPID_FILENAME:
        if (put) {
            VARIANT name;
            VariantInit(&name);
            if (FAILED(VariantChangeType(&name, &params->rgvarg[0], 0, VT_BSTR))) {
                if (argumentError) *argumentError = 0;
                return DISP_E_TYPEMISMATCH;
            }
            SetFilename(Narrow(name.bstrVal));
            VariantClear(&name);
            return S_OK;
        }
        if (!get || !result) return get ? S_OK : DISP_E_MEMBERNOTFOUND;
        result->vt = VT_BSTR;
        result->bstrVal = WideBstr(filename_);
        return S_OK;
    case DISPID_PUBWIDTH:
    case DISPID_PUBHEIGHT:
        // The size is the publication's: a container cannot change it.
        if (put) return S_OK;
        if (!get) return DISP_E_MEMBERNOTFOUND;
        if (result) {
            result->vt = VT_I4;
            result->lVal = id == DISPID_PUBWIDTH ? size_.width : size_.height;
        }
        return S_OK;
    case DISPID_ABOUTBOX:
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        ShowAboutBox();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CQXStageCtrl::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (!points) return E_POINTER;
    *points = events_ ? EnumerateEventPoint(events_) : nullptr;
    return *points ? S_OK : E_OUTOFMEMORY;
}

HRESULT CQXStageCtrl::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != DIID_DQXStageEvents || !events_) return CONNECT_E_NOCONNECTION;
    events_->AddRef();
    *point = events_;
    return S_OK;
}

void CQXStageCtrl::FireEvent(DISPID id, VARIANTARG* arguments, UINT count)
{
    if (!events_) return;
    // The container may release the control from inside a handler.
    AddRef();
    events_->Fire(id, arguments, count);
    Release();
}
