// What every object of the control with a single interface shares: its identity, its reference
// count, and the module kept loaded while it lives.
#pragma once

#include "module.h"

#include <unknwn.h>

template <typename Interface>
class ONEINTERFACE : public Interface {
public:
    explicit ONEINTERFACE(const IID& iid) : iid_(iid) { ModuleAddRef(); }
    ONEINTERFACE(const ONEINTERFACE&) = delete;
    ONEINTERFACE& operator=(const ONEINTERFACE&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == iid_) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ONEINTERFACE() { ModuleRelease(); }

private:
    LONG references_ = 1;
    const IID& iid_;
};
