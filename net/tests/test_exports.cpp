// The library offers its settings functions by name, as the foundation binds them.
#include <gtest/gtest.h>

#include <windows.h>

TEST(Exports, SettingsFunctionsAreExportedByName)
{
    const HMODULE library = LoadLibraryA("qxweb40.dll");
    ASSERT_NE(library, nullptr);
    for (const char* name : {"GetFtpProxyInfo", "SetFtpProxyInfo", "GetHttpProxyInfo", "SetHttpProxyInfo",
                             "GetFtpUsePASV", "SetFtpUsePASV"})
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(library, name)), nullptr) << name;
    FreeLibrary(library);
}
