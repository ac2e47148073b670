// The control's one persisted property, Filename, in a stream or a property bag: a container
// that saves its document gets the publication back when it opens it again.
#include "stage_control.h"

#include "control_ids.h"
#include "wide_text.h"

namespace {

// A stored name longer than this is damaged data, not a file name.
constexpr DWORD kLongestStoredName = 32768;

bool ReadExactly(IStream* stream, void* bytes, ULONG size)
{
    ULONG read = 0;
    return SUCCEEDED(stream->Read(bytes, size, &read)) && read == size;
}

bool WriteExactly(IStream* stream, const void* bytes, ULONG size)
{
    ULONG written = 0;
    return SUCCEEDED(stream->Write(bytes, size, &written)) && written == size;
}

}  // namespace

HRESULT CQXStageCtrl::IsDirty()
{
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT CQXStageCtrl::InitNew()
{
    return S_OK;
}

// The stream holds the property version, then the name's length and its bytes.
HRESULT CQXStageCtrl::Load(LPSTREAM stream)
{
    if (!stream) return E_POINTER;
    DWORD version = 0, length = 0;
    if (!ReadExactly(stream, &version, sizeof version) || !ReadExactly(stream, &length, sizeof length)
        || length > kLongestStoredName)
        return STG_E_READFAULT;
    std::string name(length, '\0');
    if (length && !ReadExactly(stream, &name[0], length)) return STG_E_READFAULT;
    if (!name.empty()) RestoreFilename(name);
    return S_OK;
}

HRESULT CQXStageCtrl::Save(LPSTREAM stream, BOOL clearDirty)
{
    if (!stream) return E_POINTER;
    const DWORD version = QXSTAGE_PROPERTY_VERSION;
    const DWORD length = static_cast<DWORD>(filename_.size());
    if (!WriteExactly(stream, &version, sizeof version) || !WriteExactly(stream, &length, sizeof length)
        || (length && !WriteExactly(stream, filename_.data(), length)))
        return STG_E_WRITEFAULT;
    if (clearDirty) dirty_ = false;
    return S_OK;
}

HRESULT CQXStageCtrl::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size) return E_POINTER;
    size->QuadPart = 2 * sizeof(DWORD) + filename_.size();
    return S_OK;
}

HRESULT CQXStageCtrl::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag) return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    // A bag without the property leaves the default, "".
    if (SUCCEEDED(bag->Read(L"Filename", &value, log))) {
        if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
            const std::string name = Narrow(value.bstrVal);
            if (!name.empty()) RestoreFilename(name);
        }
        VariantClear(&value);
    }
    return S_OK;
}

HRESULT CQXStageCtrl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    if (!bag) return E_POINTER;
    VARIANT version;
    VariantInit(&version);
    version.vt = VT_I4;
    version.lVal = QXSTAGE_PROPERTY_VERSION;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = WideBstr(filename_);
    HRESULT result = bag->Write(L"_Version", &version);
    if (SUCCEEDED(result)) result = bag->Write(L"Filename", &name);
    VariantClear(&name);
    if (SUCCEEDED(result) && clearDirty) dirty_ = false;
    return result;
}
