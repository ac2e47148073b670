// Splitting a download address into its kind, host and path.
#pragma once

enum UrlKind : int {
    URL_OTHER = 0,
    URL_FTP = 1,
    URL_HTTP = 2,
    URL_NETWORK_PATH = 3,  // begins with two backslashes
    URL_MALFORMED = 4,     // null, no path after the host, or too long
};

// The part after the scheme holds at most this many characters.
constexpr int URL_REST_CHARS = 259;

// "ftp://host/path" and "http://host/path" (schemes without case): the host precedes the
// first '/' after the scheme, the path follows it. Outputs of URL_REST_CHARS + 1 bytes, when
// given, are emptied first and filled for the FTP and HTTP kinds.
int ParseUrl(const char* address, char* host, char* path);
