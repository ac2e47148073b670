// Detection tests write the browsers' settings into the prefix's registry and leave every key
// they touch as they found it. Each starts with no browser registered and no proxy settings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "detect_http_proxy.h"
#include "settings_fixture.h"

constexpr const char* HTTP_HANDLER_KEY = "SOFTWARE\\Classes\\HTTP\\shell\\open\\ddeexec\\Application";
constexpr const char* INTERNET_SETTINGS_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* NETSCAPE_PROXY_KEY = "Software\\Netscape\\Netscape Navigator\\Proxy Information";
constexpr const char* NETSCAPE_USERS_KEY = "Software\\Netscape\\Netscape Navigator\\Users";

class BrowserSettings : public ProxySettings {
protected:
    void SetUp() override
    {
        ProxySettings::SetUp();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\HTTP\\shell\\open\\ddeexec");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Netscape");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Netscape");
    }

    // What the detection found, read into a buffer of the given size.
    struct Detected {
        int result;
        std::string host;
        int port;
    };
    static Detected Detect(int hostSize = 1024)
    {
        char host[2048] = "";
        int port = 0;
        const int result = DetectHttpProxy(host, hostSize, &port);
        return {result, host, port};
    }

private:
    SavedRegistryKey handler_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\HTTP\\shell\\open\\ddeexec"};
    SavedRegistryKey internetSettings_{HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY};
    SavedRegistryKey netscapeUser_{HKEY_CURRENT_USER, "Software\\Netscape"};
    SavedRegistryKey netscapeMachine_{HKEY_LOCAL_MACHINE, "Software\\Netscape"};
};
