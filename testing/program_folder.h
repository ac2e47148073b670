// Where the running program lies: the modules and programs built with it lie beside it.
#pragma once

#include <string>

// The folder of the running program, ending in a backslash.
std::string ProgramFolder();
