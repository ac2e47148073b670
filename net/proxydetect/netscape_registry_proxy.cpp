// The HTTP proxy as the older Netscape-registered browser keeps it in its own key.
#include <string>

#include "bounded_text.h"
#include "browser_proxy_readers.h"
#include "registry_key.h"

namespace {

constexpr const char* ProxyInformationKey = "Software\\Netscape\\Netscape Navigator\\Proxy Information";
// The browser's automatic configuration: it names no fixed proxy, so it counts as none.
constexpr DWORD AutomaticProxyType = 2;

}  // namespace

int ReadNetscapeRegistryProxy(char* host, int hostSize, int* port)
{
    const RegistryKey key(HKEY_CURRENT_USER, ProxyInformationKey, RegistryKey::Reading);
    if (!key.Has("Proxy Type") || !key.Has("HTTP_Proxy") || !key.Has("HTTP_ProxyPort"))
        return 0;
    DWORD type = 0;
    if (key.ReadInteger("Proxy Type", &type) != RegistryRead::Done)
        return 0;
    const int inUse = type != 0 && type != AutomaticProxyType;
    std::string proxyHost;
    if (key.ReadText("HTTP_Proxy", &proxyHost) != RegistryRead::Done)
        return 0;
    CopyToBuffer(proxyHost, host, hostSize);
    DWORD proxyPort = 0;
    if (key.ReadInteger("HTTP_ProxyPort", &proxyPort) != RegistryRead::Done)
        return 0;
    *port = static_cast<int>(proxyPort);
    return inUse;
}
