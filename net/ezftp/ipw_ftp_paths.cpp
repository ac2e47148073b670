// Whether a remote file or folder exists, and making a remote path folder by folder, built on
// the connection's listing and make-folder requests.
#include "ipw_ftp.h"

#include <cstring>
#include <vector>

namespace {

constexpr int ListingBytes = 65536;
constexpr int EmptyListingTries = 10;
constexpr DWORD EmptyListingPauseMs = 100;

// Whether the listing holds `name` exactly (case counts).
bool Listed(const std::vector<char>& listing, const std::string& name)
{
    for (const char* entry = listing.data(); *entry; entry += std::strlen(entry) + 1) {
        if (name == entry)
            return true;
    }
    return false;
}

// Leading dots may only be one dot before a slash; no component may be empty or only dots,
// and the path may not end in a slash.
bool IsMakeablePath(const std::string& path)
{
    const size_t dots = path.find_first_not_of('.');
    if (dots == std::string::npos)
        return false;
    if (path[dots] == '/' && dots > 1)
        return false;
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const size_t end = path.find('/', slash + 1);
        const std::string component = path.substr(slash + 1, end == std::string::npos ? end : end - slash - 1);
        if (component.find_first_not_of('.') == std::string::npos)
            return false;  // empty ("//" or a trailing slash) or only dots
    }
    return true;
}

// Both existence checks answer "no" until they know better, and take only a named path.
int StartExistenceCheck(const char* path, BYTE* exists)
{
    if (!exists)
        return EZFTP_BAD_ARGUMENT;
    *exists = 0;
    return path && *path ? EZFTP_OK : EZFTP_BAD_ARGUMENT;
}

}  // namespace

int CIPWFTP::FileExists(const char* path, BYTE* exists)
{
    if (const int started = StartExistenceCheck(path, exists); started < 1)
        return started;
    const std::string whole = path;
    const size_t slash = whole.rfind('/');
    if (slash == whole.size() - 1)
        return EZFTP_BAD_ARGUMENT;
    const std::string directory = slash == std::string::npos ? "" : whole.substr(0, slash);
    const std::string name = slash == std::string::npos ? whole : whole.substr(slash + 1);
    std::vector<char> listing(ListingBytes, 0);
    bool refused = false;
    const int listed = ListInto(directory, listing.data(), ListingBytes, &refused);
    if (refused)
        return EZFTP_OK;  // the server has no such folder, so no such file
    if (listed < 1)
        return listed;
    *exists = Listed(listing, name);
    return EZFTP_OK;
}

int CIPWFTP::DirectoryExists(const char* path, BYTE* exists)
{
    if (const int started = StartExistenceCheck(path, exists); started < 1)
        return started;
    const std::string whole = path;
    if (whole == ".") {
        *exists = 1;
        return EZFTP_OK;
    }
    const size_t slash = whole.rfind('/');
    if (slash == whole.size() - 1) {
        if (whole != "/")
            return EZFTP_BAD_ARGUMENT;
        *exists = 1;
        return EZFTP_OK;
    }
    std::string directory;
    if (slash != std::string::npos)
        directory = slash == 0 ? "/" : whole.substr(0, slash);
    const std::string name = (slash == std::string::npos ? whole : whole.substr(slash + 1)) + "/";
    // A folder just made may show only in a later listing.
    std::vector<char> listing(ListingBytes);
    for (int attempt = 0; attempt < EmptyListingTries; ++attempt) {
        std::fill(listing.begin(), listing.end(), 0);
        bool refused = false;
        const int listed = ListInto(directory, listing.data(), ListingBytes, &refused);
        if (refused)
            return EZFTP_OK;  // the parent is missing, so is the folder
        if (listed < 1)
            return listed;
        if (listing[0])
            break;
        Sleep(EmptyListingPauseMs);
    }
    *exists = Listed(listing, name);
    return EZFTP_OK;
}

int CIPWFTP::DirectoryMakePath(const char* path)
{
    if (!path || !*path || !IsMakeablePath(path))
        return EZFTP_BAD_ARGUMENT;
    // The path and each of its parents, longest first; "" stands for the root above "/a".
    std::vector<std::string> levels{path};
    for (size_t slash; (slash = levels.back().rfind('/')) != std::string::npos && !levels.back().empty();)
        levels.push_back(levels.back().substr(0, slash));
    size_t existing = 0;
    while (existing < levels.size() && !levels[existing].empty()) {
        BYTE exists = 0;
        if (const int checked = DirectoryExists(levels[existing].c_str(), &exists); checked < 1)
            return checked;
        if (exists)
            break;
        ++existing;
    }
    while (existing-- > 0) {
        if (const int made = DirectoryMake(levels[existing].c_str()); made < 1)
            return made;
    }
    return EZFTP_OK;
}
