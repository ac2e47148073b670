// Picks the reader of the browser that is registered as the handler of "http" addresses.
#include "detect_http_proxy.h"

#include <string>

#include "browser_proxy_readers.h"
#include "registry_key.h"

namespace {

constexpr const char* HttpHandlerKey = "SOFTWARE\\Classes\\HTTP\\shell\\open\\ddeexec\\Application";

struct BrowserReader {
    const char* registeredName;  // compared exactly, case included
    int (*read)(char* host, int hostSize, int* port);
};

constexpr BrowserReader Browsers[] = {
    {"IExplore", ReadWindowsInternetProxy},
    {"Netscape", ReadNetscapeRegistryProxy},
    {"NSShell", ReadNetscapePrefsProxy},
};

}  // namespace

int DetectHttpProxy(char* host, int hostSize, int* port)
{
    const RegistryKey key(HKEY_LOCAL_MACHINE, HttpHandlerKey, RegistryKey::Reading);
    std::string handler;
    if (key.ReadText(nullptr, &handler) != RegistryRead::Done)
        return 0;
    for (const BrowserReader& browser : Browsers) {
        if (handler == browser.registeredName)
            return browser.read(host, hostSize, port);
    }
    return 0;
}
