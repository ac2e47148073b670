// A small container of the tests: a host window with a client site that activates the control
// in place, answers its ambient properties, drives it through IDispatch and receives its events
// through a connection-point sink.
#include "test_container.h"

#include "test_window.h"

#include <olectl.h>

namespace {

constexpr GUID DIID_Events = {0x3BDEBB72, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};

std::string Narrow(const wchar_t* text)
{
    if (!text) return {};
    char narrow[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

BSTR Wide(const std::string& text)
{
    wchar_t wide[2048] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 2048);
    return SysAllocString(wide);
}

}  // namespace

void EVENTARGUMENTS::SetText(UINT index, const std::string& text)
{
    BSTR* target = (*this)[index].pbstrVal;
    SysFreeString(*target);
    *target = Wide(text);
}

// The client site: in-place site in the host window, the ambient properties, and the control
// site a control asks before it shows its own property frame.
class TestContainer::Site final : public IOleClientSite, public IOleInPlaceSite, public IDispatch,
                                  public IOleControlSite {
public:
    Site(HWND host, const AMBIENTS& ambients) : host_(host), ambients_(ambients) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IDispatch)
            *object = static_cast<IDispatch*>(this);
        else if (iid == IID_IOleControlSite)
            *object = static_cast<IOleControlSite*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override
    {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        *window = host_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        *frame = nullptr;
        *document = nullptr;
        GetClientRect(host_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = host_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (!result) return E_POINTER;
        VariantInit(result);
        switch (id) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = ambients_.userMode ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case DISPID_AMBIENT_BACKCOLOR:
        case DISPID_AMBIENT_FORECOLOR:
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(id == DISPID_AMBIENT_BACKCOLOR ? ambients_.back : ambients_.fore);
            return S_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(ambients_.displayName.c_str());
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override
    {
        *control = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    // A container with a frame of its own shows it in place of the control's.
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override
    {
        ++framesAsked_;
        return ambients_.ownPropertyFrame ? S_OK : E_NOTIMPL;
    }

    int FramesAsked() const { return framesAsked_; }

private:
    ~Site() = default;
    ULONG references_ = 1;
    HWND host_;
    AMBIENTS ambients_;
    int framesAsked_ = 0;
};

// The events' sink: records each event, then lets the test's handler answer it.
class TestContainer::Sink final : public IDispatch {
public:
    explicit Sink(TestContainer& container) : container_(container) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_Events) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        EVENTARGUMENTS arguments(*params);
        FIREDEVENT fired{id, {}};
        for (UINT i = 0; i < arguments.Count() && fired.texts.size() < 3; ++i)
            if (arguments[i].vt == VT_BSTR) fired.texts.push_back(Narrow(arguments[i].bstrVal));
        container_.events_.push_back(fired);
        if (container_.handler_) container_.handler_(id, arguments);
        return S_OK;
    }

private:
    ~Sink() = default;
    ULONG references_ = 1;
    TestContainer& container_;
};

LRESULT CALLBACK TestContainer::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The host counts the closes the control asks for, and stays.
    if (message == WM_CLOSE) {
        if (auto* container = reinterpret_cast<TestContainer*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
            ++container->closes_;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TestContainer::TestContainer(int width, int height, AMBIENTS ambients) : ambients_(std::move(ambients))
{
    CLSID clsid{};
    made_ = CLSIDFromProgID(L"QXSTAGE.QXStageCtrl.1", &clsid);
    if (SUCCEEDED(made_))
        made_ = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                 reinterpret_cast<void**>(&control_));
    Embed(width, height);
}

TestContainer::TestContainer(IUnknown* control, int width, int height, AMBIENTS ambients)
    : made_(control ? S_OK : E_POINTER), control_(control), ambients_(std::move(ambients))
{
    Embed(width, height);
}

// The host window, and the site set first, as the control's status asks.
void TestContainer::Embed(int width, int height)
{
    host_ = CreateTestWindow("QXStageTestHost", HostProc, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, nullptr, width,
                             height);
    SetWindowLongPtrA(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (!control_) return;
    site_ = new Site(host_, ambients_);
    IOleObject* object = nullptr;
    if (SUCCEEDED(control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)))) {
        object->SetClientSite(site_);
        object->Release();
    }
}

TestContainer::~TestContainer()
{
    if (point_) {
        point_->Unadvise(cookie_);
        point_->Release();
    }
    if (control_) {
        IOleObject* object = nullptr;
        if (SUCCEEDED(control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)))) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
            object->Release();
        }
        control_->Release();
    }
    if (sink_) sink_->Release();
    if (site_) site_->Release();
    DestroyWindow(host_);
}

HRESULT TestContainer::Activate()
{
    if (!control_) return made_;
    IConnectionPointContainer* points = nullptr;
    HRESULT result = control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
    if (FAILED(result)) return result;
    result = points->FindConnectionPoint(DIID_Events, &point_);
    points->Release();
    if (FAILED(result)) return result;
    sink_ = new Sink(*this);
    result = point_->Advise(sink_, &cookie_);
    if (FAILED(result)) return result;
    IOleObject* object = nullptr;
    result = control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    if (FAILED(result)) return result;
    RECT area;
    GetClientRect(host_, &area);
    result = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, host_, &area);
    object->Release();
    return result;
}

HRESULT TestContainer::Invoke(const wchar_t* name, WORD flags, VARIANT* argument, VARIANT* result)
{
    IDispatch* dispatch = nullptr;
    HRESULT outcome = control_ ? control_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)) : made_;
    if (FAILED(outcome)) return outcome;
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    outcome = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(outcome)) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{argument, argument && flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                          argument ? 1u : 0u, argument && flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        outcome = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
    }
    dispatch->Release();
    return outcome;
}

HRESULT TestContainer::Put(const wchar_t* name, const VARIANT& value)
{
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    const HRESULT result = Invoke(name, DISPATCH_PROPERTYPUT, &copy, nullptr);
    VariantClear(&copy);
    return result;
}

HRESULT TestContainer::PutText(const wchar_t* name, const std::string& text)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = Wide(text);
    const HRESULT result = Put(name, value);
    VariantClear(&value);
    return result;
}

HRESULT TestContainer::PutLong(const wchar_t* name, long number)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return Put(name, value);
}

std::string TestContainer::GetText(const wchar_t* name)
{
    VARIANT value;
    VariantInit(&value);
    Invoke(name, DISPATCH_PROPERTYGET, nullptr, &value);
    const std::string text = value.vt == VT_BSTR ? Narrow(value.bstrVal) : "<not a text>";
    VariantClear(&value);
    return text;
}

long TestContainer::GetLong(const wchar_t* name)
{
    VARIANT value;
    VariantInit(&value);
    Invoke(name, DISPATCH_PROPERTYGET, nullptr, &value);
    return value.vt == VT_I4 ? value.lVal : LONG_MIN;
}

HRESULT TestContainer::CallMethod(const wchar_t* name)
{
    return Invoke(name, DISPATCH_METHOD, nullptr, nullptr);
}

int TestContainer::PropertyFramesAsked() const
{
    return site_ ? site_->FramesAsked() : 0;
}

HWND TestContainer::ControlWindow() const
{
    HWND window = nullptr;
    IOleWindow* ole = nullptr;
    if (control_ && SUCCEEDED(control_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole)))) {
        ole->GetWindow(&window);
        ole->Release();
    }
    return window;
}

HWND TestContainer::KernelWindow() const
{
    const HWND control = ControlWindow();
    return control ? FindWindowExA(control, nullptr, "Static", nullptr) : nullptr;
}

HWND TestContainer::Page() const
{
    const HWND kernel = KernelWindow();
    const HWND page = kernel ? ChildWindowFromPointEx(kernel, POINT{1, 1}, CWP_SKIPINVISIBLE) : nullptr;
    return page == kernel ? nullptr : page;
}
