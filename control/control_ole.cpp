// The control embedded in a container: its client site, its verbs and extent, and its in-place
// activation in a window of the container.
#include "stage_control.h"

#include "control_ids.h"
#include "wide_text.h"

#include <olectl.h>

HRESULT CQXStageCtrl::SetClientSite(IOleClientSite* site)
{
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
}

HRESULT CQXStageCtrl::GetClientSite(IOleClientSite** site)
{
    if (!site) return E_POINTER;
    if (site_) site_->AddRef();
    *site = site_;
    return S_OK;
}

HRESULT CQXStageCtrl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT CQXStageCtrl::Close(DWORD)
{
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

HRESULT CQXStageCtrl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::GetClipboardData(DWORD, IDataObject** data)
{
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT)
{
    if (!site_ && site) SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(verb);
    case OLEIVERB_HIDE:
        if (window_) ShowWindow(window_, SW_HIDE);
        return S_OK;
    case OLEIVERB_PROPERTIES:
        return ShowPropertyFrame(parent);
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT CQXStageCtrl::InPlaceActivate(LONG verb)
{
    if (!window_) {
        if (!site_) return E_UNEXPECTED;
        if (!inPlaceSite_
            && FAILED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_))))
            return E_NOINTERFACE;
        if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
        inPlaceSite_->OnInPlaceActivate();
        HWND parent = nullptr;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        inPlaceSite_->GetWindow(&parent);
        const HRESULT context = inPlaceSite_->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
        if (frame) frame->Release();
        if (document) document->Release();
        if (FAILED(context) || !CreateWindows(parent, position)) {
            inPlaceSite_->OnInPlaceDeactivate();
            return E_FAIL;
        }
    }
    ShowWindow(window_, SW_SHOW);
    if (verb == OLEIVERB_UIACTIVATE && !uiActive_) {
        uiActive_ = true;
        inPlaceSite_->OnUIActivate();
        SetFocus(window_);
    }
    return S_OK;
}

// A container that shows properties its own way (with the extended ones it adds) does so; else the
// control's frame is modal to the container's window the verb names.
HRESULT CQXStageCtrl::ShowPropertyFrame(HWND owner)
{
    IOleControlSite* controlSite = nullptr;
    if (site_ && SUCCEEDED(site_->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite)))) {
        const HRESULT shownByContainer = controlSite->ShowPropertyFrame();
        controlSite->Release();
        if (SUCCEEDED(shownByContainer)) return S_OK;
    }
    CAUUID pages{};
    const HRESULT listed = GetPages(&pages);
    if (FAILED(listed)) return listed;
    // The frame is titled with the name the container gives the control, else its class's name.
    std::string name = DisplayName();
    LPOLESTR userType = nullptr;
    if (name.empty() && SUCCEEDED(GetUserType(USERCLASSTYPE_SHORT, &userType))) {
        name = Narrow(userType);
        CoTaskMemFree(userType);
    }
    BSTR caption = WideBstr(name);
    IUnknown* self = static_cast<IOleObject*>(this);
    const HRESULT shown = OleCreatePropertyFrame(owner, 0, 0, caption, 1, &self, pages.cElems, pages.pElems,
                                                 LOCALE_USER_DEFAULT, 0, nullptr);
    SysFreeString(caption);
    CoTaskMemFree(pages.pElems);
    return shown;
}

HRESULT CQXStageCtrl::EnumVerbs(IEnumOLEVERB** verbs)
{
    return OleRegEnumVerbs(CLSID_QXStageCtrl, verbs);
}

HRESULT CQXStageCtrl::Update()
{
    return S_OK;
}

HRESULT CQXStageCtrl::IsUpToDate()
{
    return S_OK;
}

HRESULT CQXStageCtrl::GetUserClassID(CLSID* clsid)
{
    return GetClassID(clsid);
}

HRESULT CQXStageCtrl::GetUserType(DWORD form, LPOLESTR* type)
{
    return OleRegGetUserType(CLSID_QXStageCtrl, form, type);
}

HRESULT CQXStageCtrl::SetExtent(DWORD aspect, SIZEL* size)
{
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *size;
    return S_OK;
}

HRESULT CQXStageCtrl::GetExtent(DWORD aspect, SIZEL* size)
{
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT CQXStageCtrl::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(&adviseHolder_))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(sink, connection);
}

HRESULT CQXStageCtrl::Unadvise(DWORD connection)
{
    return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT CQXStageCtrl::EnumAdvise(IEnumSTATDATA** advises)
{
    if (!advises) return E_POINTER;
    *advises = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(advises) : S_OK;
}

HRESULT CQXStageCtrl::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status) return E_POINTER;
    *status = QXSTAGE_MISC_STATUS;
    return S_OK;
}

HRESULT CQXStageCtrl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::GetWindow(HWND* window)
{
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT CQXStageCtrl::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::InPlaceDeactivate()
{
    if (!window_) return S_OK;
    UIDeactivate();
    DestroyWindows();
    if (inPlaceSite_) {
        inPlaceSite_->OnInPlaceDeactivate();
        inPlaceSite_->Release();
        inPlaceSite_ = nullptr;
    }
    return S_OK;
}

HRESULT CQXStageCtrl::UIDeactivate()
{
    if (uiActive_ && inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    uiActive_ = false;
    return S_OK;
}

HRESULT CQXStageCtrl::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position) return E_POINTER;
    if (!window_) return S_OK;
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
    LayoutPublication();
    return S_OK;
}

HRESULT CQXStageCtrl::ReactivateAndUndo()
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::TranslateAccelerator(LPMSG)
{
    return S_FALSE;
}

HRESULT CQXStageCtrl::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CQXStageCtrl::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CQXStageCtrl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT CQXStageCtrl::EnableModeless(BOOL)
{
    return S_OK;
}

HRESULT CQXStageCtrl::GetControlInfo(CONTROLINFO* info)
{
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT CQXStageCtrl::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::OnAmbientPropertyChange(DISPID)
{
    Invalidate();
    return S_OK;
}

HRESULT CQXStageCtrl::FreezeEvents(BOOL)
{
    return S_OK;
}

HRESULT CQXStageCtrl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc, LPCRECTL bounds,
                           LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!drawDc || !bounds) return E_INVALIDARG;
    const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
    PaintControl(drawDc, area);
    return S_OK;
}

HRESULT CQXStageCtrl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours)
{
    if (colours) *colours = nullptr;
    return S_FALSE;
}

HRESULT CQXStageCtrl::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT CQXStageCtrl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    if (sink) sink->AddRef();
    if (viewSink_) viewSink_->Release();
    viewSink_ = sink;
    viewAspects_ = aspects;
    viewFlags_ = flags;
    return S_OK;
}

HRESULT CQXStageCtrl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) {
        if (viewSink_) viewSink_->AddRef();
        *sink = viewSink_;
    }
    return S_OK;
}

HRESULT CQXStageCtrl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}
