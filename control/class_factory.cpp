// The class factory of the control's two classes.
#include "class_factory.h"

#include "module.h"

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
