// The class factory that COM hands to clients: one static instance per class, making
// objects through the class's creation function.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <new>

// Makes one object and queries it for `iid`.
using CreateServerObject = HRESULT (*)(REFIID iid, void** object);

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(CreateServerObject create) : create_(create) {}
    virtual ~ClassFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The factories are static: references do not decide their life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    CreateServerObject create_;
};

// Makes a new `Object` (whose reference count starts at 1) and queries it for `iid`.
template <class Object>
HRESULT CreateObjectOf(REFIID iid, void** object)
{
    Object* made = new (std::nothrow) Object;
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT result = made->QueryInterface(iid, object);
    made->Release();
    return result;
}
