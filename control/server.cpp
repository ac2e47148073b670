// What COM and regsvr32 call in the module: the class objects, the unload question and the
// self-registration.
#include "class_factory.h"
#include "control_ids.h"
#include "module.h"
#include "property_page.h"
#include "registration.h"
#include "stage_control.h"

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    CREATEOBJECT create = nullptr;
    if (clsid == CLSID_QXStageCtrl)
        create = CreateStageControl;
    else if (clsid == CLSID_QXStagePropPage)
        create = CreatePropertyPage;
    else
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory(create);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return ModuleInUse() ? S_FALSE : S_OK;
}

// The type library goes first, as the classes' keys name it.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    if (!RegisterTypeLibrary()) return SELFREG_E_TYPELIB;
    if (!RegisterClasses()) return SELFREG_E_CLASS;
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    if (!UnregisterTypeLibrary()) return SELFREG_E_TYPELIB;
    if (!UnregisterClasses()) return SELFREG_E_CLASS;
    return S_OK;
}
