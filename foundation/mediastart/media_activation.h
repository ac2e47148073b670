// Creating an object in the media server's process without ever waiting on it for good.
#pragma once

#include <windows.h>

#include <objbase.h>

// How long a caller waits for the server to answer an activation: long enough for a cold
// start of the server program, short enough not to hold a program's start.
constexpr DWORD MediaActivationWaitMs = 10000;

// The server's object of class `id` as IUnknown, created in its local server. Until the server
// has once answered, the activation is first tried on a worker thread and waited for `waitMs`
// at most; when it does not answer in time the server counts as mute for the rest of the
// process and every later call fails at once. A class whose key names no local server fails
// at once with REGDB_E_CLASSNOTREG.
HRESULT ActivateMediaObject(REFCLSID id, IUnknown** unknown, DWORD waitMs);

