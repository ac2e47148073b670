// Class factory of the serving thread.
#include "class_factory.h"

#include "server_lifetime.h"

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    try {
        return create_(iid, object);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        ServerAddRef();
    else
        ServerRelease();
    return S_OK;
}
