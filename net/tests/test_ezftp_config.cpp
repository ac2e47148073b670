// The synchronous interface's network configuration from the stored settings, its checks at
// logon and the commands of each proxy style as the server records them; and the two
// conventions of the stored proxy password.
#include "ezftp_fixture.h"
#include "registry_values.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct StoredFtp {
    int active = -1;  // -1: not stored
    int authentication = -1;
    const char* style = nullptr;
    int port = -1;
    int usePasv = -1;
    int afterLogon = -1;
};

void Store(const StoredFtp& stored)
{
    const std::pair<const char*, int> integers[] = {{"Active", stored.active},
                                                    {"AuthenticationNeeded", stored.authentication},
                                                    {"Port", stored.port},
                                                    {"UsePASV", stored.usePasv},
                                                    {"AfterRemoteLogon", stored.afterLogon}};
    for (const auto& [name, value] : integers) {
        if (value >= 0)
            PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, name, static_cast<DWORD>(value));
    }
    if (stored.style)
        PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "CommandStyle", stored.style);
}

struct ConfigCase {
    const char* name;
    StoredFtp stored;
    DWORD flags;
    DWORD port;
};

class NetworkConfig : public SyncFtp, public testing::WithParamInterface<ConfigCase> {};

TEST_P(NetworkConfig, FlagsAndPortFollowTheStoredSettings)
{
    Store(GetParam().stored);
    FTP_NETWORK_CONFIG config;
    std::memset(&config, 0x5A, sizeof config);
    ASSERT_EQ(EZFTP_OK, ez.EZFTPNetworkGetConfig(&config));
    EXPECT_EQ(GetParam().flags, config.flags);
    EXPECT_EQ(GetParam().port, config.port);
    EXPECT_STREQ("127.0.0.1", config.proxyHost);
    EXPECT_STREQ("", config.proxyUser);
    EXPECT_STREQ("", config.proxyPassword);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, 0, KEY_READ, &key))
        << "the key is made when missing";
    char keyClass[16] = {};
    DWORD classSize = sizeof keyClass;
    RegQueryInfoKeyA(key, keyClass, &classSize, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    if (std::string(GetParam().name) == "NoKey") {
        EXPECT_STREQ("EZ_API", keyClass);
    }
}

// A proxy switched off brings neither its logon, its style nor its port.
INSTANTIATE_TEST_SUITE_P(
    Table, NetworkConfig,
    testing::Values(ConfigCase{"NoKey", {}, 0, 0},
                    ConfigCase{"ActiveWithBothAfterLogon", {1, -1, nullptr, -1, -1, 3}, 0x61, 21},
                    ConfigCase{"InactiveProxyKeepsItsLogonAndStyleAndPort", {0, 1, "SITE $host$", 8021, -1, -1}, 0, 0},
                    ConfigCase{"ActiveOpenStyleAnyCase", {1, 1, "open $HOST$", 8021, -1, -1}, 0x07, 8021},
                    ConfigCase{"ActiveSiteStyle", {1, 0, "SITE $host$", -1, -1, -1}, 0x09, 21},
                    ConfigCase{"UserStyleAddsNoBit", {1, 0, "USER $user$@$host$", -1, -1, -1}, 0x01, 21},
                    ConfigCase{"PassiveAlone", {-1, -1, nullptr, -1, 1, -1}, 0x10, 0},
                    ConfigCase{"AfterLogonOutOfRange", {0, -1, nullptr, -1, -1, 4}, 0x80, 0}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return info.param.name; });

TEST_F(SyncFtp, ContradictoryOrOutOfRangeFlagsAreRefusedBeforeAnyConnection)
{
    for (const DWORD flags : {0x0Du, 0x80u, 0xFFu}) {
        FTP_NETWORK_CONFIG config = {};
        config.flags = flags;
        int handle = 7;
        EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "writer", "secret", &config))
            << flags;
        EXPECT_EQ(0, handle);
    }
    EXPECT_EQ("", NetServers().FtpLog());
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPNetworkGetConfig(nullptr));
    FTP_NETWORK_CONFIG config = {};
    EXPECT_EQ(EZFTP_NOT_IMPLEMENTED, ez.EZFTPNetworkSetConfig(&config));
}

struct StyleCase {
    const char* name;
    DWORD flags;
    const char* expected;  // "<host>" stands for the remote site
};

class ProxyStyles : public SyncFtp, public testing::WithParamInterface<StyleCase> {};

// The FTP server plays the proxy and then the remote site.
TEST_P(ProxyStyles, LogonSendsTheStylesCommands)
{
    FTP_NETWORK_CONFIG config = {};
    config.flags = GetParam().flags;
    config.port = NetServers().FtpPort();
    lstrcpyA(config.proxyHost, "127.0.0.1");
    lstrcpyA(config.proxyUser, "proxy");
    lstrcpyA(config.proxyPassword, "proxypass");
    int handle = 0;
    ASSERT_EQ(EZFTP_OK, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "anonymous", "guest@", &config));
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(handle));
    std::string expected = GetParam().expected;
    expected.replace(expected.find("<host>"), 6, NetServers().FtpHost());
    EXPECT_EQ(expected + "QUIT", NetServers().FtpLog());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProxyStyles,
    testing::Values(StyleCase{"User", 0x01, "USER anonymous@<host>\n"},
                    StyleCase{"UserWithLogonAndPassword", 0x23,
                              "USER proxy\nPASS proxypass\nUSER anonymous@<host>\nPASS guest@\n"},
                    StyleCase{"SiteWithBoth", 0x69, "SITE <host>\nUSER anonymous\nPASS guest@\n"},
                    StyleCase{"OpenWithLogonAndBoth", 0x67,
                              "USER proxy\nPASS proxypass\nOPEN <host>\nUSER anonymous\nPASS guest@\n"}),
    [](const testing::TestParamInfo<StyleCase>& info) { return info.param.name; });

struct PasswordCase {
    const char* name;
    const char* stored;
    int marker;                  // -1: none stored
    const char* libraryReads;    // what GetFtpProxyInfo answers
    const char* proxyReceives;   // what the synchronous logon sends the proxy
};

class PasswordConventions : public SyncFtp, public testing::WithParamInterface<PasswordCase> {};

TEST_P(PasswordConventions, EachReaderFollowsTheMarker)
{
    char typed[] = "proxypass";
    ASSERT_EQ(1, SetFtpProxyInfo("127.0.0.1", NetServers().FtpPort(), 1, "USER $user$@$host$", "proxy", typed, 1));
    PutText(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Password", GetParam().stored);
    if (GetParam().marker < 0)
        RemoveValue(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "PasswordScrambled");
    else
        PutInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "PasswordScrambled", static_cast<DWORD>(GetParam().marker));

    char host[1024], style[1024], password[1024], user[1024];
    int port = 0;
    BYTE authentication = 0;
    GetFtpProxyInfo(host, sizeof host, &port, &authentication, style, sizeof style, password, sizeof password, user,
                    sizeof user, 0);
    EXPECT_STREQ(GetParam().libraryReads, password);

    FTP_NETWORK_CONFIG config = {};
    ASSERT_EQ(EZFTP_OK, ez.EZFTPNetworkGetConfig(&config));
    EXPECT_STREQ(GetParam().proxyReceives, config.proxyPassword);
    // Only the right password passes the proxy, whose log keeps text only.
    const int expectedLogon = std::string(GetParam().proxyReceives) == "proxypass" ? EZFTP_OK : EZFTP_REFUSED;
    int handle = 0;
    EXPECT_EQ(expectedLogon, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "anonymous", "guest@", &config));
    if (handle)
        ez.EZFTPLogoff(handle);
}

// "proxypass" rotated left by two bits per byte, and "proxypass" read as if it were.
const char ScrambledProxypass[] = "\xC1\xC9\xBD\xE1\xE5\xC1\x85\xCD\xCD";
const char UnscrambledProxypass[] = "\x1C\x9C\xDB\x1E\x5E\x1C\x58\xDC\xDC";

INSTANTIATE_TEST_SUITE_P(
    Table, PasswordConventions,
    testing::Values(PasswordCase{"ScrambledWithMarker", ScrambledProxypass, 1, "proxypass", "proxypass"},
                    PasswordCase{"PlainByHandWithoutMarker", "proxypass", -1, UnscrambledProxypass, "proxypass"},
                    PasswordCase{"ScrambledWithoutMarker", ScrambledProxypass, -1, "proxypass",
                                 ScrambledProxypass}),
    [](const testing::TestParamInfo<PasswordCase>& info) { return info.param.name; });

}  // namespace
