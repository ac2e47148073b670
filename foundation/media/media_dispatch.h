// What both media-server clients share: reaching a server object, resolving member names
// and one late-bound call.
#pragma once

#include "qxbase.h"

#include <oaidl.h>

// Creates the object of class `id` in the server's process and takes its IDispatch. On
// failure both pointers are null.
void ConnectMediaObject(REFCLSID id, IUnknown** unknown, IDispatch** dispatch);
// Releases IDispatch, then IUnknown, each when held, and nulls both.
void DisconnectMediaObject(IUnknown** unknown, IDispatch** dispatch);

bool ResolveMediaName(IDispatch* dispatch, const wchar_t* name, DISPID* id);

// `arguments` in the member's own parameter order; a property put passes its one value.
HRESULT InvokeMedia(IDispatch* dispatch, DISPID id, WORD kind, const VARIANT* arguments, UINT count, VARIANT* result);

// A VT_I4 result, or 0 when the call brought none.
long LongOfResult(const VARIANT& result);
