// The HTTP proxy from the "prefs.js" file of the shell-registered browser's current profile:
// one "user_pref(name, value);" line per setting, later lines overriding earlier ones.
#include <cstring>
#include <string>
#include <string_view>

#include "bounded_text.h"
#include "browser_proxy_readers.h"
#include "proxy_text_scan.h"
#include "qxfile.h"
#include "registry_key.h"

namespace {

constexpr const char* UsersKey = "Software\\Netscape\\Netscape Navigator\\Users";

constexpr const char* ManualProxyLine = "user_pref(\"network.proxy.type\", 1);";
constexpr const char* HostMarker = "user_pref(\"network.proxy.http\",";
constexpr std::string_view HostPattern = "user_pref(\"network.proxy.http\", \"";
constexpr const char* PortMarker = "user_pref(\"network.proxy.http_port\",";
constexpr std::string_view PortPattern = "user_pref(\"network.proxy.http_port\", ";

// The folder of the current user's profile; false when the browser names none.
bool FindProfileFolder(std::string* folder)
{
    std::string user;
    {
        const RegistryKey users(HKEY_LOCAL_MACHINE, UsersKey, RegistryKey::Reading);
        if (!users.Has("CurrentUser") || users.ReadText("CurrentUser", &user) != RegistryRead::Done)
            return false;
    }
    const RegistryKey profile(HKEY_LOCAL_MACHINE, (std::string(UsersKey) + "\\" + user).c_str(), RegistryKey::Reading);
    return profile.Has("DirRoot") && profile.ReadText("DirRoot", folder) == RegistryRead::Done;
}

struct PrefsProxy {
    int inUse = 0;
    char* host;
    int hostSize;
    int* port;
};

void ReadPrefsLine(const char* line, PrefsProxy* proxy)
{
    if (std::strcmp(line, ManualProxyLine) == 0)
        proxy->inUse = 1;
    if (std::strstr(line, HostMarker)) {
        ProxyTextScanner scanner(line);
        std::string_view host;
        if (scanner.Literal(HostPattern) && scanner.TextUntil('"', &host))
            CopyToBuffer(host, proxy->host, proxy->hostSize);
    }
    if (std::strstr(line, PortMarker)) {
        ProxyTextScanner scanner(line);
        std::string_view portText;
        int port = 0;
        if (scanner.Literal(PortPattern) && scanner.TextUntil(')', &portText) &&
            ProxyTextScanner(portText).Decimal(&port))
            *proxy->port = port;
    }
}

}  // namespace

int ReadNetscapePrefsProxy(char* host, int hostSize, int* port)
{
    std::string folder;
    if (!FindProfileFolder(&folder))
        return 0;
    const QXFILE prefs = QXopen((folder + "\\prefs.js").c_str(), 0);
    if (!prefs)
        return 0;
    PrefsProxy proxy{0, host, hostSize, port};
    char line[QXWEB_TEXT_BUFFER];
    // The browser ends every line it writes; a last line without its end is not read.
    while (QXGetLine(prefs, line, sizeof line))
        ReadPrefsLine(line, &proxy);
    QXclose(prefs);
    return proxy.inUse;
}
