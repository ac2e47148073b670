// The module object: starts and ends the server's media runtime for a client and tells
// whether the outside runtime is installed. MCI and the AVI file library need no start,
// and nothing outside has to be installed, so it always answers "installed".
#pragma once

#include "dispatch_object.h"

class MediaModuleObject : public DispatchObject {
public:
    MediaModuleObject();

protected:
    HRESULT Call(DISPID id, WORD kind, const DispatchArguments& arguments, VARIANT* result) override;
};
