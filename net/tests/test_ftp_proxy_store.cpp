// The FTP proxy settings and the passive-mode choice as the library stores and reads them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "registry_values.h"
#include "settings_fixture.h"

namespace {

// What GetFtpProxyInfo hands back, read into buffers of the given sizes.
struct FtpRead {
    int result;
    std::string host;
    int port;
    int authentication;
    std::string commandStyle;
    std::string password;
    std::string username;
};

FtpRead ReadFtp(int hostSize = 1024, int styleSize = 1024, int passwordSize = 1024, int usernameSize = 1024)
{
    char host[2048] = "stale", style[2048] = "stale", password[2048] = "stale", username[2048] = "stale";
    int port = -1;
    BYTE authentication = 7;
    const int result = GetFtpProxyInfo(host, hostSize, &port, &authentication, style, styleSize, password,
                                       passwordSize, username, usernameSize, 0);
    return {result, host, port, authentication, style, password, username};
}

// The seven values that make the FTP settings configured, as the network dialog writes them.
void StoreCompleteFtpSettings()
{
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "URL", "0123456789");
    PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Active", 1);
    PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Port", 8021);
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "CommandStyle", "SITE $host$");
    PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "AuthenticationNeeded", 1);
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Username", "jean");
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Password", "\x85\x89\x8D");
}

void ExpectNothingRead(const FtpRead& read)
{
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.host, "");
    EXPECT_EQ(read.port, 0);
    EXPECT_EQ(read.authentication, 0);
    EXPECT_EQ(read.commandStyle, "");
    EXPECT_EQ(read.password, "");
    EXPECT_EQ(read.username, "");
}

// A key path that no registry accepts: one of its names is longer than a key name may be.
const std::string UnwritableKey = "SOFTWARE\\Qorvex\\QXWEB\\" + std::string(300, 'k');

}  // namespace

using FtpProxyStore = ProxySettings;

TEST_F(FtpProxyStore, SavedSettingsReadBackWithThePasswordStoredScrambled)
{
    char password[] = "abc";
    EXPECT_EQ(SetFtpProxyInfo("proxy.example", 8021, 1, "USER $user$@$host$", "jean", password, 1), 1);
    // The caller's buffer holds the stored form afterwards.
    EXPECT_STREQ(password, "\x85\x89\x8D");

    const FtpRead read = ReadFtp();
    EXPECT_EQ(read.result, 1);
    EXPECT_EQ(read.host, "proxy.example");
    EXPECT_EQ(read.port, 8021);
    EXPECT_EQ(read.authentication, 1);
    EXPECT_EQ(read.commandStyle, "USER $user$@$host$");
    EXPECT_EQ(read.password, "abc");
    EXPECT_EQ(read.username, "jean");

    DWORD type = REG_NONE;
    EXPECT_EQ(StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Password", &type), std::string("\x85\x89\x8D", 4));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Port", &type).size(), 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Active"), 1u);
    EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "AuthenticationNeeded"), 1u);
}

TEST_F(FtpProxyStore, FlagsAreStoredAsZeroOrOneAndAnEmptyHostIsNeverActive)
{
    struct Case {
        const char* host;
        BYTE active;
        BYTE authentication;
        DWORD storedActive;
        DWORD storedAuthentication;
    };
    const Case cases[] = {
        {"proxy", 1, 0, 1, 0},
        {"proxy", 5, 9, 1, 1},
        {"proxy", 0, 1, 0, 1},
        {"", 1, 1, 0, 1},
        {nullptr, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        char password[] = "";
        EXPECT_EQ(SetFtpProxyInfo(c.host, 21, c.authentication, "SITE $host$", "", password, c.active), 1);
        EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Active"), c.storedActive) << c.host;
        EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "AuthenticationNeeded"), c.storedAuthentication);
        EXPECT_EQ(ReadFtp().result, static_cast<int>(c.storedActive));
    }
}

TEST_F(FtpProxyStore, WithoutAnyOfTheSevenRequiredValuesNothingIsConfigured)
{
    ExpectNothingRead(ReadFtp());
    for (const char* missing :
         {"AuthenticationNeeded", "CommandStyle", "Password", "Username", "URL", "Active", "Port"}) {
        SCOPED_TRACE(missing);
        StoreCompleteFtpSettings();
        RemoveValue(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, missing);
        ExpectNothingRead(ReadFtp());
    }
}

TEST_F(FtpProxyStore, PassiveModeAndRemoteLogonAreNotRequired)
{
    StoreCompleteFtpSettings();
    const FtpRead read = ReadFtp();
    EXPECT_EQ(read.result, 1);
    EXPECT_EQ(read.host, "0123456789");
    EXPECT_EQ(read.port, 8021);
    EXPECT_EQ(read.password, "abc");
    EXPECT_EQ(StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "UsePASV"), "");
    EXPECT_EQ(StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "AfterRemoteLogon"), "");
}

TEST_F(FtpProxyStore, AnyBufferAboveTheTextLimitRefusesTheRead)
{
    StoreCompleteFtpSettings();
    struct Case {
        int hostSize, styleSize, passwordSize, usernameSize;
        int result;
    };
    const Case cases[] = {
        {1024, 1024, 1024, 1024, 1},
        {1025, 1024, 1024, 1024, 0},
        {1024, 1025, 1024, 1024, 0},
        {1024, 1024, 1025, 1024, 0},
        {1024, 1024, 1024, 1025, 0},
    };
    for (const Case& c : cases) {
        const FtpRead read = ReadFtp(c.hostSize, c.styleSize, c.passwordSize, c.usernameSize);
        if (c.result)
            EXPECT_EQ(read.result, 1);
        else
            ExpectNothingRead(read);
    }
}

TEST_F(FtpProxyStore, TextsAreCutToTheCallersBuffers)
{
    StoreCompleteFtpSettings();
    struct Case {
        int size;
        const char* host;
    };
    const Case cases[] = {{8, "0123456"}, {11, "0123456789"}, {10, "012345678"}, {1, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadFtp(c.size).host, c.host) << "size " << c.size;

    // A size of 0 or less writes nothing at all into the buffer.
    for (const int size : {0, -5}) {
        char host[8] = "stale";
        int port = 0;
        BYTE authentication = 0;
        char style[64], password[64], username[64];
        EXPECT_EQ(GetFtpProxyInfo(host, size, &port, &authentication, style, 64, password, 64, username, 64, 0), 1);
        EXPECT_STREQ(host, "stale");
        EXPECT_STREQ(password, "abc");
    }
}

TEST_F(FtpProxyStore, LongTextsAreBoundedToTheTextLimit)
{
    StoreCompleteFtpSettings();
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "CommandStyle", std::string(3000, 's'));
    EXPECT_EQ(ReadFtp().commandStyle, std::string(1023, 's'));

    const std::string longHost(2000, 'h');
    char password[] = "p";
    EXPECT_EQ(SetFtpProxyInfo(longHost.c_str(), 21, 0, "SITE $host$", "jean", password, 1), 1);
    EXPECT_EQ(StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "URL").size(), 1024u);
    EXPECT_EQ(ReadFtp().host, std::string(1023, 'h'));
}

TEST_F(FtpProxyStore, AValueOfAnotherTypeEndsTheReadThere)
{
    struct Case {
        const char* name;
        bool storedAsText;  // else as a number
        int result;
        const char* host;
        const char* commandStyle;
        int authentication;
        const char* username;
        int port;
    };
    const Case cases[] = {
        {"Active", true, 0, "", "", 0, "", 0},
        {"URL", false, 1, "", "", 0, "", 0},
        {"CommandStyle", false, 1, "0123456789", "", 0, "", 0},
        {"AuthenticationNeeded", true, 1, "0123456789", "SITE $host$", 0, "", 0},
        {"Username", false, 1, "0123456789", "SITE $host$", 1, "", 0},
        {"Password", false, 1, "0123456789", "SITE $host$", 1, "jean", 0},
        {"Port", true, 1, "0123456789", "SITE $host$", 1, "jean", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoreCompleteFtpSettings();
        if (c.storedAsText)
            PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, c.name, "1");
        else
            PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, c.name, 1);
        const FtpRead read = ReadFtp();
        EXPECT_EQ(read.result, c.result);
        EXPECT_EQ(read.host, c.host);
        EXPECT_EQ(read.commandStyle, c.commandStyle);
        EXPECT_EQ(read.authentication, c.authentication);
        EXPECT_EQ(read.username, c.username);
        EXPECT_EQ(read.port, c.port);
    }
}

TEST_F(FtpProxyStore, MissingOutputsAreSkipped)
{
    StoreCompleteFtpSettings();
    EXPECT_EQ(GetFtpProxyInfo(nullptr, 1024, nullptr, nullptr, nullptr, 1024, nullptr, 1024, nullptr, 1024, 0), 1);
    EXPECT_EQ(SetFtpProxyInfo(nullptr, 21, 0, nullptr, nullptr, nullptr, 1), 1);
    const FtpRead read = ReadFtp();
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.host, "");
    EXPECT_EQ(read.password, "");
}

TEST_F(FtpProxyStore, PassiveModeIsTheDefaultUntilChosen)
{
    EXPECT_EQ(GetFtpUsePASV(), 1);
    struct Case {
        BYTE chosen;
        DWORD stored;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{7, 1}, Case{0, 0}}) {
        EXPECT_EQ(SetFtpUsePASV(c.chosen), 1);
        EXPECT_EQ(StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "UsePASV"), c.stored);
        EXPECT_EQ(GetFtpUsePASV(), static_cast<int>(c.stored));
    }
    // The choice alone does not make the proxy settings configured.
    ExpectNothingRead(ReadFtp());

    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "UsePASV", "1");
    EXPECT_EQ(GetFtpUsePASV(), 0);
}

TEST_F(FtpProxyStore, AKeyThatCannotBeWrittenIsReportedAsFailure)
{
    char password[] = "abc";
    EXPECT_EQ(WriteFtpProxy(HKEY_CURRENT_USER, UnwritableKey.c_str(), "proxy", 21, 0, "SITE $host$", "jean",
                            password, 1),
              0);
    // Nothing was stored, so the password was not scrambled either.
    EXPECT_STREQ(password, "abc");
    EXPECT_EQ(WriteFtpUsePasv(HKEY_CURRENT_USER, UnwritableKey.c_str(), 1), 0);
    EXPECT_EQ(ReadFtpUsePasv(HKEY_CURRENT_USER, UnwritableKey.c_str()), 1);
}
