// Result codes of the imaging layer: 1 for success, a negative code for each kind of failure.
#pragma once

constexpr int IMAGE_SUCCESS = 1;
constexpr int IMAGE_ERROR_NO_IMAGE = -1;
constexpr int IMAGE_ERROR_NO_MEMORY = -2;
constexpr int IMAGE_ERROR_FILE_READ = -3;
constexpr int IMAGE_ERROR_FILE_WRITE = -4;
constexpr int IMAGE_ERROR_NO_DECODER = -5;   // the bytes are no format the component reads
constexpr int IMAGE_ERROR_NO_ENCODER = -6;   // the component cannot write that format
constexpr int IMAGE_ERROR_BAD_DATA = -7;
constexpr int IMAGE_ERROR_INVALID_ARGUMENT = -8;
constexpr int IMAGE_ERROR_GDI = -9;
constexpr int IMAGE_ERROR_COMPONENT = -10;   // the imaging component could not be started

// What a code means, for messages and logs.
const char* ImageResultText(int code);
