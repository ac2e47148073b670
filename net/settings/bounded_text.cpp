// Copying settings texts into the callers' fixed buffers and bounding the texts that are stored.
#include "bounded_text.h"

#include <algorithm>
#include <cstring>

#include "qxweb.h"

void ClearBuffer(char* buffer, int size)
{
    if (buffer && size > 0)
        buffer[0] = '\0';
}

void CopyToBuffer(std::string_view text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const size_t kept = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), kept);
    buffer[kept] = '\0';
}

std::string BoundedText(const char* text)
{
    if (!text)
        return {};
    return std::string(text, strnlen(text, QXWEB_TEXT_CHARS));
}
