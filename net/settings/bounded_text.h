// Copying settings texts into the callers' fixed buffers and bounding the texts that are stored.
#pragma once

#include <string>
#include <string_view>

// Makes a caller's buffer empty; a null buffer or a size of 0 or less is left alone.
void ClearBuffer(char* buffer, int size);
// The text whole when it is shorter than the buffer, else its first size-1 characters, always
// terminated; nothing is copied into a null buffer or one of size 0 or less.
void CopyToBuffer(std::string_view text, char* buffer, int size);
// A caller's text as it is stored: null reads as empty, and it is cut to the text limit.
std::string BoundedText(const char* text);
