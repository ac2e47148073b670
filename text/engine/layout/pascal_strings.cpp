// Length-prefixed strings to and from C strings.
#include "pascal_strings.h"

#include <cstring>

void RteCToPascal(char* buffer)
{
    const size_t length = std::strlen(buffer);
    std::memmove(buffer + 1, buffer, length);
    buffer[0] = static_cast<char>(static_cast<unsigned char>(length));
}

void RtePascalToC(char* out, const char* pascal)
{
    const size_t length = static_cast<unsigned char>(pascal[0]);
    std::memmove(out, pascal + 1, length);
    out[length] = '\0';
}
