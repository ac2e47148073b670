// Loading the library for one case of the synchronous FTP interface.
#include "ezftp_fixture.h"

#include <cstring>

void SyncFtp::SetUp()
{
    ProxySettings::SetUp();
    ASSERT_TRUE(NetServers().Started());
    NetServers().ClearLogs();
    library = LoadLibraryA("qxweb40.dll");
    ASSERT_NE(nullptr, library);
#define EZFTP_BIND(name)                                                                                \
    ez.name = reinterpret_cast<decltype(ez.name)>(reinterpret_cast<void (*)()>(GetProcAddress(library, #name))); \
    ASSERT_NE(nullptr, reinterpret_cast<void*>(ez.name)) << #name;
    EZFTP_ENTRIES(EZFTP_BIND)
#undef EZFTP_BIND
}

void SyncFtp::TearDown()
{
    if (library)
        FreeLibrary(library);
    ProxySettings::TearDown();
}

FTP_NETWORK_CONFIG SyncFtp::Direct()
{
    FTP_NETWORK_CONFIG config = {};
    config.flags = EZFTP_PASSIVE;
    return config;
}

int SyncFtp::LogOnAsWriter()
{
    const FTP_NETWORK_CONFIG config = Direct();
    int handle = 0;
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "writer", "secret", &config));
    return handle;
}

std::vector<std::string> SyncFtp::Names(const char* buffer)
{
    std::vector<std::string> names;
    for (const char* name = buffer; *name; name += std::strlen(name) + 1)
        names.push_back(name);
    return names;
}
