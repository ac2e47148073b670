// Download addresses.
#include "parse_url.h"

#include <cstring>
#include <windows.h>

namespace {

bool StartsWithNoCase(const char* text, const char* prefix)
{
    const size_t length = std::strlen(prefix);
    return std::strlen(text) >= length && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text,
                                                        static_cast<int>(length), prefix,
                                                        static_cast<int>(length)) == CSTR_EQUAL;
}

}  // namespace

int ParseUrl(const char* address, char* host, char* path)
{
    if (host)
        *host = 0;
    if (path)
        *path = 0;
    if (!address)
        return URL_MALFORMED;
    int kind = URL_OTHER;
    const char* rest = nullptr;
    if (StartsWithNoCase(address, "FTP://")) {
        kind = URL_FTP;
        rest = address + 6;
    } else if (StartsWithNoCase(address, "HTTP://")) {
        kind = URL_HTTP;
        rest = address + 7;
    } else {
        return address[0] == '\\' && address[1] == '\\' ? URL_NETWORK_PATH : URL_OTHER;
    }
    // A longer address would not fit the fixed fields the transfer keeps.
    if (std::strlen(rest) > static_cast<size_t>(URL_REST_CHARS))
        return URL_MALFORMED;
    const char* slash = std::strchr(rest, '/');
    if (!slash || !slash[1])
        return URL_MALFORMED;
    if (host) {
        std::memcpy(host, rest, static_cast<size_t>(slash - rest));
        host[slash - rest] = 0;
    }
    if (path)
        std::strcpy(path, slash + 1);
    return kind;
}
