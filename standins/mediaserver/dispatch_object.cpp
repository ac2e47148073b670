// Hand-made IDispatch: member lookup by name, kind checks and argument conversion.
#include "dispatch_object.h"

#include "server_lifetime.h"

HRESULT DispatchArguments::Converted(UINT index, VARTYPE type, VARIANT* out) const
{
    if (index >= params_.cArgs)
        return DISP_E_BADPARAMCOUNT;
    VariantInit(out);
    VARIANT* given = &params_.rgvarg[params_.cArgs - 1 - index];
    return SUCCEEDED(VariantChangeType(out, given, 0, type)) ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT DispatchArguments::Long(UINT index, LONG* out) const
{
    VARIANT value;
    const HRESULT result = Converted(index, VT_I4, &value);
    if (SUCCEEDED(result))
        *out = value.lVal;
    return result;
}

HRESULT DispatchArguments::Longs(std::initializer_list<LONG*> outs) const
{
    UINT index = 0;
    for (LONG* out : outs) {
        const HRESULT result = Long(index++, out);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

HRESULT DispatchArguments::LongLong(UINT index, LONGLONG* out) const
{
    VARIANT value;
    const HRESULT result = Converted(index, VT_I8, &value);
    if (SUCCEEDED(result))
        *out = value.llVal;
    return result;
}

HRESULT DispatchArguments::String(UINT index, std::wstring* out) const
{
    VARIANT value;
    const HRESULT result = Converted(index, VT_BSTR, &value);
    if (FAILED(result))
        return result;
    out->assign(value.bstrVal ? value.bstrVal : L"", SysStringLen(value.bstrVal));
    VariantClear(&value);
    return S_OK;
}

void SetLongResult(VARIANT* result, LONG value)
{
    if (!result)
        return;
    result->vt = VT_I4;
    result->lVal = value;
}

void SetBoolResult(VARIANT* result, bool value)
{
    if (!result)
        return;
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT SetStringResult(VARIANT* result, const std::wstring& value)
{
    if (!result)
        return S_OK;
    BSTR text = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    if (!text)
        return E_OUTOFMEMORY;
    result->vt = VT_BSTR;
    result->bstrVal = text;
    return S_OK;
}

DispatchObject::DispatchObject(const DispatchMember* members, size_t count)
    : references_(1), members_(members), count_(count)
{
    ServerAddRef();
}

DispatchObject::~DispatchObject()
{
    ServerRelease();
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG DispatchObject::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (!left)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || !count)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    const DispatchMember* member = FindByName(names[0]);
    if (!member)
        return DISP_E_UNKNOWNNAME;
    ids[0] = member->id;
    // Members are known by name, their parameters are not.
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

const DispatchMember* DispatchObject::FindByName(const wchar_t* name) const
{
    for (size_t m = 0; name && m < count_; ++m)
        if (_wcsicmp(name, members_[m].name) == 0)
            return &members_[m];
    return nullptr;
}

const DispatchMember* DispatchObject::Find(DISPID id) const
{
    for (size_t m = 0; m < count_; ++m)
        if (members_[m].id == id)
            return &members_[m];
    return nullptr;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT*)
{
    const DispatchMember* member = Find(id);
    if (!member || !(member->kinds & kind))
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    if (result)
        VariantInit(result);
    try {
        return Call(id, kind, DispatchArguments(*params), result);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
