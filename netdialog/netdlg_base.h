// What every file of the network-settings dialog library shares.
#pragma once

#include <windows.h>

// This library's instance, where its dialogs and texts live.
extern HINSTANCE netdlgModule;
