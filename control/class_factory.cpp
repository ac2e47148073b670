// The class factory of the control's two classes.
#include "class_factory.h"

#include "module.h"

ClassFactory::ClassFactory(CREATEOBJECT create) : create_(create)
{
    ModuleAddRef();
}

ClassFactory::~ClassFactory()
{
    ModuleRelease();
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef()
{
    return InterlockedIncrement(&references_);
}

ULONG ClassFactory::Release()
{
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    // Neither class is made to be aggregated.
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        ModuleAddRef();
    else
        ModuleRelease();
    return S_OK;
}
