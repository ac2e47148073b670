// The control's property page: a page with no fields of its own, as containers show it among
// the standard ones.
#pragma once

#include <windows.h>

HRESULT CreatePropertyPage(REFIID iid, void** object);
