// Run-time binding of the internet transfer library. A program started without internet
// access never calls QXOpen: the library then stays unloaded and every forwarder of
// qxwebapi.h answers 0.
#pragma once

#include "qxwebapi.h"

// Counts an open. The first one loads "QXWEB40.DLL" by name (so the program's folder comes
// first), binds its exports and starts its transfer services; a later one only starts them
// once more. `useLibraryDialogs` (null counts as 1) chooses whether QXGetOpenFileName and
// QXGetOpenFileNamePreview show the library's dialogs while it is bound.
QXBASE_API void QXOpen(int* useLibraryDialogs);
// Ends one use of the transfer services; the close that matches the first open unloads the
// library, after which the forwarders answer 0 again.
QXBASE_API void QXClose();
