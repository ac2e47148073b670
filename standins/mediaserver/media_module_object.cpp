// Members of the module object.
#include "media_module_object.h"

namespace {

enum Member : DISPID {
    Init = 1,
    Exit,
    IsInstalled,
};

const DispatchMember Members[] = {
    {L"Init", Init, DISPATCH_METHOD},
    {L"Exit", Exit, DISPATCH_METHOD},
    {L"IsQuickTime4Install", IsInstalled, DISPATCH_METHOD},
};

}  // namespace

MediaModuleObject::MediaModuleObject() : DispatchObject(Members, sizeof Members / sizeof Members[0]) {}

HRESULT MediaModuleObject::Call(DISPID id, WORD, const DispatchArguments&, VARIANT* result)
{
    if (id == IsInstalled)
        SetLongResult(result, 1);
    return S_OK;
}
