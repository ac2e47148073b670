// The control's property page: a page with no fields of its own, as containers show it among
// the standard ones.
#include "property_page.h"

#include "module.h"
#include "one_interface.h"
#include "resource.h"

#include <ocidl.h>

#include <new>

namespace {

INT_PTR CALLBACK PageDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

class CQXStagePropPage final : public ONEINTERFACE<IPropertyPage> {
public:
    CQXStagePropPage() : ONEINTERFACE(IID_IPropertyPage) {}

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override
    {
        if (site) site->AddRef();
        if (site_) site_->Release();
        site_ = site;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT area, BOOL) override
    {
        page_ = CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_PROPPAGE), parent, PageDialogProc, 0);
        if (!page_) return E_FAIL;
        return Move(area);
    }
    HRESULT STDMETHODCALLTYPE Deactivate() override
    {
        if (page_) DestroyWindow(page_);
        page_ = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override
    {
        if (!info) return E_POINTER;
        char caption[100] = {};
        LoadStringA(ModuleInstance(), IDS_PROPPAGE_CAPTION, caption, sizeof caption);
        wchar_t wide[100] = {};
        MultiByteToWideChar(CP_ACP, 0, caption, -1, wide, 100);
        info->cb = sizeof *info;
        info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof wide));
        if (info->pszTitle) lstrcpyW(info->pszTitle, wide);
        info->size = PageSize();
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG, IUnknown**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Show(UINT show) override
    {
        if (page_) ShowWindow(page_, show);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Move(LPCRECT area) override
    {
        if (page_ && area)
            MoveWindow(page_, area->left, area->top, area->right - area->left, area->bottom - area->top, TRUE);
        return S_OK;
    }
    // Nothing of its own to change, so never anything to apply.
    HRESULT STDMETHODCALLTYPE IsPageDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Apply() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    ~CQXStagePropPage() override
    {
        Deactivate();
        if (site_) site_->Release();
    }

    // The dialog template's size, from the system's dialog units.
    static SIZE PageSize()
    {
        const LONG base = GetDialogBaseUnits();
        return SIZE{MulDiv(250, LOWORD(base), 4), MulDiv(62, HIWORD(base), 8)};
    }

    IPropertyPageSite* site_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace

HRESULT CreatePropertyPage(REFIID iid, void** object)
{
    auto* page = new (std::nothrow) CQXStagePropPage;
    if (!page) return E_OUTOFMEMORY;
    const HRESULT result = page->QueryInterface(iid, object);
    page->Release();
    return result;
}
