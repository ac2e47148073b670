// The server's two classes in the registry, each with a "LocalServer32" key naming this
// program. The path is written without quotes: the player checks it by loading the file.
#pragma once

#include <string>

// Writes the machine's classes, or the user's own where the machine's cannot be written.
bool RegisterServer(const std::wstring& serverPath);
// Removes the classes from both places; true when none is left.
bool UnregisterServer();
