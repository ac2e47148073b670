// The class factory of the control's two classes.
#pragma once

#include "one_interface.h"

// Makes a new object of the class and answers the asked interface of it.
using CREATEOBJECT = HRESULT (*)(REFIID iid, void** object);

class ClassFactory final : public ONEINTERFACE<IClassFactory> {
public:
    explicit ClassFactory(CREATEOBJECT create) : ONEINTERFACE(IID_IClassFactory), create_(create) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    CREATEOBJECT create_;
};
