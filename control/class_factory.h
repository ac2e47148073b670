// The class factory of the control's two classes.
#pragma once

#include <unknwn.h>

// Makes a new object of the class and answers the asked interface of it.
using CREATEOBJECT = HRESULT (*)(REFIID iid, void** object);

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CREATEOBJECT create);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory();
    LONG references_ = 1;
    CREATEOBJECT create_;
};
