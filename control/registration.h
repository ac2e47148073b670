// The registry entries of the control's classes and of its type library.
#pragma once

#include <windows.h>

// 1 when the type library of the module's file was registered (or unregistered), else 0.
bool RegisterTypeLibrary();
bool UnregisterTypeLibrary();

// Every class of the module with the keys containers look for; false at the first that fails.
bool RegisterClasses();
bool UnregisterClasses();
