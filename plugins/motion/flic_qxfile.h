// FLIC input from a file of the system's open-file table.
#pragma once

#include <memory>

#include "flic_input.h"

// Null when the file cannot be opened for reading; the file is closed with the input.
std::unique_ptr<FlicInput> OpenFlicFile(const char* name);
