// The control's identity, its lifetime, its properties and the container's ambient properties.
#include "stage_control.h"

#include "control_ids.h"
#include "event_point.h"
#include "module.h"
#include "resource.h"
#include "wide_text.h"

#include <new>

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

template <typename Interface>
void ReleaseAndClear(Interface*& pointer)
{
    if (pointer) pointer->Release();
    pointer = nullptr;
}

}  // namespace

HRESULT LoadControlTypeInfo(REFGUID id, ITypeInfo** info)
{
    *info = nullptr;
    wchar_t file[MAX_PATH] = {};
    GetModuleFileNameW(ModuleInstance(), file, MAX_PATH);
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(file, REGKIND_NONE, &library);
    if (FAILED(result)) return result;
    result = library->GetTypeInfoOfGuid(id, info);
    library->Release();
    return result;
}

HRESULT CreateStageControl(REFIID iid, void** object)
{
    auto* control = new (std::nothrow) CQXStageCtrl;
    if (!control) return E_OUTOFMEMORY;
    const HRESULT result = control->QueryInterface(iid, object);
    control->Release();
    return result;
}

CQXStageCtrl::CQXStageCtrl()
{
    ModuleAddRef();
    events_ = new (std::nothrow) EVENTPOINT(this);
    LoadControlTypeInfo(DIID_DQXStage, &dispatchInfo_);
    // A control of 320 x 240 pixels at 96 dots per inch until the container sizes it.
    extent_ = {8467, 6350};
}

CQXStageCtrl::~CQXStageCtrl()
{
    DestroyWindows();
    ReleaseAndClear(viewSink_);
    ReleaseAndClear(adviseHolder_);
    ReleaseAndClear(inPlaceSite_);
    ReleaseAndClear(site_);
    ReleaseAndClear(dispatchInfo_);
    if (events_) events_->Detach();
    ReleaseAndClear(events_);
    ModuleRelease();
}

HRESULT CQXStageCtrl::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DQXStage)
        *object = static_cast<IDispatch*>(this);
    else if (iid == IID_IOleObject)
        *object = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IOleInPlaceActiveObject)
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else if (iid == IID_IOleControl)
        *object = static_cast<IOleControl*>(this);
    else if (iid == IID_IViewObject || iid == IID_IViewObject2)
        *object = static_cast<IViewObject2*>(this);
    else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
        *object = static_cast<IPersistStreamInit*>(this);
    else if (iid == IID_IPersistPropertyBag)
        *object = static_cast<IPersistPropertyBag*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *object = static_cast<IProvideClassInfo2*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_ISpecifyPropertyPages)
        *object = static_cast<ISpecifyPropertyPages*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CQXStageCtrl::AddRef()
{
    return InterlockedIncrement(&references_);
}

ULONG CQXStageCtrl::Release()
{
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT CQXStageCtrl::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = CLSID_QXStageCtrl;
    return S_OK;
}

HRESULT CQXStageCtrl::GetClassInfo(ITypeInfo** info)
{
    if (!info) return E_POINTER;
    return LoadControlTypeInfo(CLSID_QXStageCtrl, info);
}

HRESULT CQXStageCtrl::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID_DQXStageEvents;
    return S_OK;
}

HRESULT CQXStageCtrl::GetPages(CAUUID* pages)
{
    if (!pages) return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    pages->cElems = 1;
    pages->pElems[0] = CLSID_QXStagePropPage;
    return S_OK;
}

// An empty name is ignored: a container that clears the property keeps the publication shown.
void CQXStageCtrl::SetFilename(const std::string& name)
{
    if (name.empty()) return;
    RestoreFilename(name);
    dirty_ = true;
}

void CQXStageCtrl::RestoreFilename(const std::string& name)
{
    filename_ = name;
    LoadPublication();
    Invalidate();
}

void CQXStageCtrl::LoadPublication()
{
    if (!binding_.Kernel() || filename_.empty()) return;
    const size_t separator = filename_.find_last_of("\\/");
    binding_.SetScnPath(separator == std::string::npos ? "" : filename_.substr(0, separator + 1).c_str());
    OpenStartFile(binding_, filename_, size_);
    LayoutPublication();
}

void CQXStageCtrl::ShowAboutBox()
{
    DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_ABOUTBOX), window_, AboutDialogProc, 0);
}

bool CQXStageCtrl::AmbientVariant(DISPID id, VARIANT& value) const
{
    VariantInit(&value);
    IDispatch* ambient = nullptr;
    if (!site_ || FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) return false;
    DISPPARAMS none{};
    const HRESULT result =
        ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    ambient->Release();
    return SUCCEEDED(result);
}

// Without a container that tells, the control runs as in a running document.
bool CQXStageCtrl::UserMode() const
{
    VARIANT value;
    if (!AmbientVariant(DISPID_AMBIENT_USERMODE, value)) return true;
    const bool user = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)) ? value.boolVal != VARIANT_FALSE : true;
    VariantClear(&value);
    return user;
}

COLORREF CQXStageCtrl::AmbientColour(DISPID id, COLORREF fallback) const
{
    VARIANT value;
    if (!AmbientVariant(id, value)) return fallback;
    COLORREF colour = fallback;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4))) {
        COLORREF translated = 0;
        if (SUCCEEDED(OleTranslateColor(static_cast<OLE_COLOR>(value.lVal), nullptr, &translated)))
            colour = translated;
    }
    VariantClear(&value);
    return colour;
}

std::string CQXStageCtrl::DisplayName() const
{
    VARIANT value;
    if (!AmbientVariant(DISPID_AMBIENT_DISPLAYNAME, value)) return {};
    std::string name;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) name = Narrow(value.bstrVal);
    VariantClear(&value);
    return name;
}

void CQXStageCtrl::Invalidate()
{
    if (window_) InvalidateRect(window_, nullptr, TRUE);
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}
