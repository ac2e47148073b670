// The HTTP proxy taken from the settings of the default web browser.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "browser_settings_fixture.h"
#include "registry_values.h"
#include "scratch_dir.h"

namespace {

void RegisterBrowser(const char* name) { PutText(HKEY_LOCAL_MACHINE, HTTP_HANDLER_KEY, nullptr, name); }

}  // namespace

using ProxyDetection = BrowserSettings;

TEST_F(ProxyDetection, OnlyTheThreeBrowserNamesAreRecognisedAsWritten)
{
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", 1);
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", "b:8080");
    EXPECT_EQ(Detect().result, 0) << "no browser registered";
    struct Case {
        const char* name;
        int result;
    };
    const Case cases[] = {{"IExplore", 1}, {"iexplore", 0}, {"IEXPLORE", 0}, {"IExplore ", 0},
                          {"Lecteur", 0},  {"", 0},         {"netscape", 0}, {"nsshell", 0}};
    for (const Case& c : cases) {
        RegisterBrowser(c.name);
        const Detected detected = Detect();
        EXPECT_EQ(detected.result, c.result) << '"' << c.name << '"';
        EXPECT_EQ(detected.host, c.result ? "b" : "");
    }
}

TEST_F(ProxyDetection, WindowsInternetSettingsProxyServer)
{
    RegisterBrowser("IExplore");
    struct Case {
        DWORD enable;
        const char* server;
        int result;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {1, "b:8080", 1, "b", 8080},
        {0, "b:8080", 0, "b", 8080},
        {1, "http=b:81", 1, "b", 81},
        {1, "ftp=a:21;http=b:3128;gopher=c:70", 1, "b", 3128},
        {7, "http=b:3128;ftp=a:21", 1, "b", 3128},
        {1, "b: 8080", 1, "b", 8080},
        {1, "b:8080junk", 1, "b", 8080},
        {1, "b:99999999999", 1, "b", INT_MAX},
        // Malformed or naming no HTTP proxy.
        {1, "ftp=a:21", 0, "", 0},
        {1, "ftp=a:21;gopher=c:70", 0, "", 0},
        {1, "HTTP=b:80", 0, "", 0},
        {1, "b", 0, "", 0},
        {1, "b:", 0, "", 0},
        {1, ":8080", 0, "", 0},
        {1, "b:port", 0, "", 0},
        {1, "http=b", 0, "", 0},
        {1, "ftp=a:21;http=:80", 0, "", 0},
        {1, "a=b=c", 0, "", 0},
        {1, "", 0, "", 0},
    };
    for (const Case& c : cases) {
        PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", c.enable);
        PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", c.server);
        const Detected detected = Detect();
        EXPECT_EQ(detected.result, c.result) << '"' << c.server << '"';
        EXPECT_EQ(detected.host, c.host) << '"' << c.server << '"';
        EXPECT_EQ(detected.port, c.port) << '"' << c.server << '"';
    }
}

TEST_F(ProxyDetection, WindowsProxyEnableIsTheFirstByteOfWhatIsStored)
{
    RegisterBrowser("IExplore");
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", "b:8080");
    struct Case {
        std::string bytes;
        int result;
    };
    const Case cases[] = {{std::string("\x01\0\0\0", 4), 1}, {std::string("\0\x01", 2), 0}, {"", 0}, {"\x02", 1}};
    for (const Case& c : cases) {
        PutBinary(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", c.bytes);
        EXPECT_EQ(Detect().result, c.result) << c.bytes.size() << " bytes";
    }
}

TEST_F(ProxyDetection, WindowsSettingsNeedBothValuesAndATextServer)
{
    RegisterBrowser("IExplore");
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", 1);
    EXPECT_EQ(Detect().result, 0);
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", 8080);
    EXPECT_EQ(Detect().result, 0);
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", "b:8080");
    RemoveValue(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable");
    EXPECT_EQ(Detect().result, 0);
}

TEST_F(ProxyDetection, ALongProxyHostIsCutToTheCallersBuffer)
{
    RegisterBrowser("IExplore");
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", 1);
    const std::string longHost(1000, 'h');
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", "ftp=a:21;http=" + longHost + ":8080");
    const Detected small = Detect(16);
    EXPECT_EQ(small.result, 1);
    EXPECT_EQ(small.host, std::string(15, 'h'));
    EXPECT_EQ(small.port, 8080);
    EXPECT_EQ(Detect(1024).host, longHost);

    // Past the text limit the port is cut off with the rest, so no proxy is named.
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", std::string(3000, 'h') + ":8080");
    const Detected cut = Detect(16);
    EXPECT_EQ(cut.result, 0);
    EXPECT_EQ(cut.host, "");
}

TEST_F(ProxyDetection, NetscapeProxyInformationKey)
{
    RegisterBrowser("Netscape");
    PutText(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_Proxy", "cache.example");
    PutInteger(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_ProxyPort", 3128);
    struct Case {
        DWORD type;
        int result;
    };
    for (const Case c : {Case{1, 1}, Case{0, 0}, Case{2, 0}, Case{3, 1}}) {
        PutInteger(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "Proxy Type", c.type);
        const Detected detected = Detect();
        EXPECT_EQ(detected.result, c.result) << "type " << c.type;
        EXPECT_EQ(detected.host, "cache.example");
        EXPECT_EQ(detected.port, 3128);
    }
    EXPECT_EQ(Detect(6).host, "cache");
}

TEST_F(ProxyDetection, NetscapeKeyNeedsAllThreeValuesOfTheirTypes)
{
    RegisterBrowser("Netscape");
    for (const char* missing : {"Proxy Type", "HTTP_Proxy", "HTTP_ProxyPort"}) {
        PutInteger(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "Proxy Type", 1);
        PutText(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_Proxy", "cache.example");
        PutInteger(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_ProxyPort", 3128);
        RemoveValue(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, missing);
        const Detected detected = Detect();
        EXPECT_EQ(detected.result, 0) << missing;
        EXPECT_EQ(detected.host, "");
        EXPECT_EQ(detected.port, 0);
    }
    PutText(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "Proxy Type", "1");
    PutText(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_ProxyPort", "3128");
    PutText(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "HTTP_Proxy", "cache.example");
    EXPECT_EQ(Detect().result, 0);
    PutInteger(HKEY_CURRENT_USER, NETSCAPE_PROXY_KEY, "Proxy Type", 1);
    const Detected badPort = Detect();
    EXPECT_EQ(badPort.result, 0);
    EXPECT_EQ(badPort.host, "cache.example");
    EXPECT_EQ(badPort.port, 0);
}

class NetscapePrefs : public BrowserSettings {
protected:
    void SetUp() override
    {
        BrowserSettings::SetUp();
        RegisterBrowser("NSShell");
        PutText(HKEY_LOCAL_MACHINE, NETSCAPE_USERS_KEY, "CurrentUser", "jean");
        const std::string profile = std::string(NETSCAPE_USERS_KEY) + "\\jean";
        // The profile folder is named without its trailing separator, as the browser stores it.
        PutText(HKEY_LOCAL_MACHINE, profile.c_str(), "DirRoot", folder.Path().substr(0, folder.Path().size() - 1));
    }
    void WritePrefs(const std::string& lines) const { folder.Write("prefs.js", lines); }

    ScratchDir folder{"prefs"};
};

TEST_F(NetscapePrefs, ProxyLinesOfThePreferencesFile)
{
    const std::string type1 = "user_pref(\"network.proxy.type\", 1);\r\n";
    const std::string host = "user_pref(\"network.proxy.http\", \"cache.example\");\r\n";
    const std::string port = "user_pref(\"network.proxy.http_port\", 3128);\r\n";
    struct Case {
        std::string prefs;
        int result;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"// prefs\r\n" + type1 + host + port, 1, "cache.example", 3128},
        {host + port + type1, 1, "cache.example", 3128},
        {"user_pref(\"network.proxy.type\", 0);\r\n" + host + port, 0, "cache.example", 3128},
        {"user_pref(\"network.proxy.type\", 2);\n" + host + port, 0, "cache.example", 3128},
        {host + port, 0, "cache.example", 3128},
        {type1, 1, "", 0},
        // Lines may end with LF only; a last line without its end is not read.
        {"user_pref(\"network.proxy.type\", 1);\nuser_pref(\"network.proxy.http\", \"b\");\n"
         "user_pref(\"network.proxy.http_port\", 81);",
         1, "b", 0},
        // Later lines override earlier ones.
        {type1 + host + port + "user_pref(\"network.proxy.http\", \"second\");\r\n"
                               "user_pref(\"network.proxy.http_port\", 8080);\r\n",
         1, "second", 8080},
        // Blanks where the pattern has one may be any run or none; elsewhere the text must match.
        {type1 + "user_pref(\"network.proxy.http\",\"b\");\r\nuser_pref(\"network.proxy.http_port\",   82);\r\n", 1,
         "b", 82},
        {type1 + "  user_pref(\"network.proxy.http\", \"b\");\r\n  user_pref(\"network.proxy.http_port\", 82);\r\n",
         1, "", 0},
        {" " + type1, 0, "", 0},
        // Malformed values leave what was found before.
        {type1 + host + "user_pref(\"network.proxy.http\", \"\");\r\n", 1, "cache.example", 0},
        {type1 + port + "user_pref(\"network.proxy.http_port\", abc);\r\n", 1, "", 3128},
        {type1 + port + "user_pref(\"network.proxy.http_port\", );\r\n", 1, "", 3128},
        {type1 + "user_pref(\"network.proxy.http\", \"unterminated);\r\n", 1, "unterminated);", 0},
        {"", 0, "", 0},
    };
    for (const Case& c : cases) {
        WritePrefs(c.prefs);
        const Detected detected = Detect();
        EXPECT_EQ(detected.result, c.result) << c.prefs;
        EXPECT_EQ(detected.host, c.host) << c.prefs;
        EXPECT_EQ(detected.port, c.port) << c.prefs;
    }
}

TEST_F(NetscapePrefs, ALongHostLineIsBoundedByLineAndBuffer)
{
    const std::string longHost(3000, 'h');
    WritePrefs("user_pref(\"network.proxy.type\", 1);\r\nuser_pref(\"network.proxy.http\", \"" + longHost +
               "\");\r\nuser_pref(\"network.proxy.http_port\", 3128);\r\n");
    const Detected small = Detect(32);
    EXPECT_EQ(small.result, 1);
    EXPECT_EQ(small.host, std::string(31, 'h'));
    EXPECT_EQ(small.port, 3128);
    // Lines are read up to the text limit, so the host ends there with the line.
    const std::string pattern = "user_pref(\"network.proxy.http\", \"";
    EXPECT_EQ(Detect(1024).host, std::string(1023 - pattern.size(), 'h'));
}

TEST_F(NetscapePrefs, AMissingProfileOrFileGivesNoProxy)
{
    WritePrefs("user_pref(\"network.proxy.type\", 1);\r\nuser_pref(\"network.proxy.http\", \"b\");\r\n");
    EXPECT_EQ(Detect().result, 1);

    DeleteFileA((folder / "prefs.js").c_str());
    EXPECT_EQ(Detect().result, 0);

    WritePrefs("user_pref(\"network.proxy.type\", 1);\r\n");
    PutText(HKEY_LOCAL_MACHINE, NETSCAPE_USERS_KEY, "CurrentUser", "marie");
    EXPECT_EQ(Detect().result, 0) << "profile key missing";
    PutText(HKEY_LOCAL_MACHINE, (std::string(NETSCAPE_USERS_KEY) + "\\marie").c_str(), "Other", "x");
    EXPECT_EQ(Detect().result, 0) << "DirRoot missing";
    RemoveValue(HKEY_LOCAL_MACHINE, NETSCAPE_USERS_KEY, "CurrentUser");
    EXPECT_EQ(Detect().result, 0) << "CurrentUser missing";
}
