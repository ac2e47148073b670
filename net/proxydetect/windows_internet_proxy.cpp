// The HTTP proxy of the Windows Internet settings: "ProxyServer" holds either one address for
// every protocol or a list of "protocol=host:port" entries separated by semicolons.
#include <algorithm>
#include <string>
#include <string_view>

#include "bounded_text.h"
#include "browser_proxy_readers.h"
#include "proxy_text_scan.h"
#include "registry_key.h"

namespace {

constexpr const char* InternetSettingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr std::string_view HttpEntry = "http=";

// The HTTP proxy of a "ProxyServer" text. A single entry for another protocol, or a list
// without an HTTP entry, names no HTTP proxy.
bool ParseProxyServer(std::string_view server, std::string_view* host, int* port)
{
    switch (std::count(server.begin(), server.end(), '=')) {
    case 0:
        return ScanHostAndPort(server, "", host, port);
    case 1:
        return ScanHostAndPort(server, HttpEntry, host, port);
    default: {
        const size_t entry = server.find(HttpEntry);
        return entry != std::string_view::npos && ScanHostAndPort(server.substr(entry), HttpEntry, host, port);
    }
    }
}

}  // namespace

int ReadWindowsInternetProxy(char* host, int hostSize, int* port)
{
    const RegistryKey key(HKEY_CURRENT_USER, InternetSettingsKey, RegistryKey::Reading);
    if (!key.Has("ProxyEnable") || !key.Has("ProxyServer"))
        return 0;
    // The flag is taken from the value's first byte whatever type it was stored with.
    std::string enable;
    if (key.ReadRaw("ProxyEnable", &enable) != RegistryRead::Done)
        return 0;
    const int inUse = !enable.empty() && enable.front() != 0;
    std::string server;
    std::string_view proxyHost;
    int proxyPort = 0;
    if (key.ReadText("ProxyServer", &server) != RegistryRead::Done || !ParseProxyServer(server, &proxyHost, &proxyPort))
        return 0;
    *port = proxyPort;
    CopyToBuffer(proxyHost, host, hostSize);
    return inUse;
}
