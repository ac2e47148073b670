// The HTTP proxy settings as the library stores and reads them, the browser's standing in
// while none are stored.
#include <gtest/gtest.h>

#include <string>

#include "browser_settings_fixture.h"
#include "registry_values.h"

namespace {

struct HttpRead {
    int result;
    std::string host;
    int port;
};

HttpRead ReadHttp(BYTE detect = 0, int hostSize = 1024)
{
    char host[2048] = "stale";
    int port = -1;
    const int result = GetHttpProxyInfo(host, hostSize, &port, detect);
    return {result, host, port};
}

void StoreCompleteHttpSettings()
{
    PutText(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "URL", "cache.example");
    PutInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "Active", 1);
    PutInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "Port", 3128);
}

void RegisterWindowsBrowserProxy(DWORD enable, const char* server)
{
    PutText(HKEY_LOCAL_MACHINE, HTTP_HANDLER_KEY, nullptr, "IExplore");
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", enable);
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", server);
}

}  // namespace

using HttpProxyStore = BrowserSettings;

TEST_F(HttpProxyStore, SavedSettingsReadBack)
{
    struct Case {
        const char* host;
        int port;
        BYTE active;
        int storedActive;
    };
    const Case cases[] = {
        {"cache.example", 8080, 1, 1},
        {"cache.example", 80, 0, 0},
        {"10.0.0.1", 3128, 9, 1},
        {"", 8080, 1, 0},
        {nullptr, 8080, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetHttpProxyInfo(c.host, c.port, c.active), 1);
        const HttpRead read = ReadHttp();
        EXPECT_EQ(read.result, c.storedActive) << c.host;
        EXPECT_EQ(read.host, c.host ? c.host : "");
        EXPECT_EQ(read.port, c.port);
        EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "Active"), static_cast<DWORD>(c.storedActive));
    }
}

TEST_F(HttpProxyStore, WithoutAnyOfTheThreeValuesNothingIsConfigured)
{
    const HttpRead none = ReadHttp();
    EXPECT_EQ(none.result, 0);
    EXPECT_EQ(none.host, "");
    EXPECT_EQ(none.port, 0);
    for (const char* missing : {"URL", "Active", "Port"}) {
        StoreCompleteHttpSettings();
        RemoveValue(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, missing);
        const HttpRead read = ReadHttp();
        EXPECT_EQ(read.result, 0) << missing;
        EXPECT_EQ(read.host, "");
        EXPECT_EQ(read.port, 0);
    }
}

TEST_F(HttpProxyStore, TheBrowsersProxyStandsInOnlyWhenAskedAndNothingIsStored)
{
    RegisterWindowsBrowserProxy(1, "b:8080");
    const HttpRead withoutDetection = ReadHttp(0);
    EXPECT_EQ(withoutDetection.result, 0);
    EXPECT_EQ(withoutDetection.host, "");
    EXPECT_EQ(withoutDetection.port, 0);

    const HttpRead detected = ReadHttp(1);
    EXPECT_EQ(detected.result, 1);
    EXPECT_EQ(detected.host, "b");
    EXPECT_EQ(detected.port, 8080);

    StoreCompleteHttpSettings();
    const HttpRead stored = ReadHttp(1);
    EXPECT_EQ(stored.result, 1);
    EXPECT_EQ(stored.host, "cache.example");
    EXPECT_EQ(stored.port, 3128);
}

TEST_F(HttpProxyStore, BuffersAreBoundedAndRefusedAboveTheLimit)
{
    StoreCompleteHttpSettings();
    EXPECT_EQ(ReadHttp(0, 1024).host, "cache.example");
    EXPECT_EQ(ReadHttp(0, 6).host, "cache");
    const HttpRead refused = ReadHttp(1, 1025);
    EXPECT_EQ(refused.result, 0);
    EXPECT_EQ(refused.host, "");
    EXPECT_EQ(refused.port, 0);

    const std::string longHost(5000, 'h');
    EXPECT_EQ(SetHttpProxyInfo(longHost.c_str(), 80, 1), 1);
    EXPECT_EQ(ReadHttp().host, std::string(1023, 'h'));
}

TEST_F(HttpProxyStore, AValueOfAnotherTypeEndsTheReadThere)
{
    struct Case {
        const char* name;
        bool storedAsText;
        int result;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"Active", true, 0, "", 0},
        {"URL", false, 1, "", 0},
        {"Port", true, 1, "cache.example", 0},
    };
    for (const Case& c : cases) {
        StoreCompleteHttpSettings();
        if (c.storedAsText)
            PutText(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, c.name, "80");
        else
            PutInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, c.name, 80);
        const HttpRead read = ReadHttp(1);
        EXPECT_EQ(read.result, c.result) << c.name;
        EXPECT_EQ(read.host, c.host);
        EXPECT_EQ(read.port, c.port);
    }
}

TEST_F(HttpProxyStore, AKeyThatCannotBeWrittenIsReportedAsFailure)
{
    const std::string unwritable = "SOFTWARE\\Qorvex\\QXWEB\\" + std::string(300, 'k');
    EXPECT_EQ(WriteHttpProxy(HKEY_CURRENT_USER, unwritable.c_str(), "proxy", 80, 1), 0);
}
