// Base 64 as Basic authentication writes it.
#include "base64.h"

std::string Base64(const std::string& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 2]);
        out += digits[(value >> 18) & 63];
        out += digits[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? digits[value & 63] : '=';
    }
    return out;
}
