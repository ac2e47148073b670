// IDispatch by hand for objects that clients reach late-bound, by member name only: a
// fixed table of names with their identifiers and the call kinds each accepts; no type
// information.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
    WORD kinds;  // DISPATCH_METHOD, DISPATCH_PROPERTYGET and DISPATCH_PROPERTYPUT that it takes
};

// The arguments of one call, addressed in the member's own parameter order (Automation
// hands them over last first).
class DispatchArguments {
public:
    explicit DispatchArguments(const DISPPARAMS& params) : params_(params) {}

    // DISP_E_BADPARAMCOUNT without such an argument, DISP_E_TYPEMISMATCH when it does
    // not convert.
    HRESULT Long(UINT index, LONG* out) const;
    // The first arguments, in order.
    HRESULT Longs(std::initializer_list<LONG*> outs) const;
    HRESULT LongLong(UINT index, LONGLONG* out) const;
    HRESULT String(UINT index, std::wstring* out) const;

private:
    HRESULT Converted(UINT index, VARTYPE type, VARIANT* out) const;

    const DISPPARAMS& params_;
};

// Results; each does nothing when the caller wants none.
void SetLongResult(VARIANT* result, LONG value);
void SetBoolResult(VARIANT* result, bool value);
HRESULT SetStringResult(VARIANT* result, const std::wstring& value);

class DispatchObject : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD kind, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;

protected:
    // The object starts with one reference and holds the server while it lives.
    DispatchObject(const DispatchMember* members, size_t count);
    virtual ~DispatchObject();

    // Runs member `id`, whose table entry takes this kind of call.
    virtual HRESULT Call(DISPID id, WORD kind, const DispatchArguments& arguments, VARIANT* result) = 0;

private:
    const DispatchMember* Find(DISPID id) const;
    const DispatchMember* FindByName(const wchar_t* name) const;

    LONG references_;
    const DispatchMember* members_;
    size_t count_;
};
