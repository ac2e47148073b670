// The library offers its settings, forms, FTP browser, synchronous FTP and publishing
// functions by name, as the foundation and other callers bind them.
#include <gtest/gtest.h>

#include <windows.h>

TEST(Exports, FunctionsAreExportedByName)
{
    const HMODULE library = LoadLibraryA("qxweb40.dll");
    ASSERT_NE(library, nullptr);
    for (const char* name :
         {"GetFtpProxyInfo", "SetFtpProxyInfo", "GetHttpProxyInfo", "SetHttpProxyInfo", "GetFtpUsePASV",
          "SetFtpUsePASV", "ConfigureProxy", "FTPConnect", "FTPDisconnect", "FTPGetCurrentDir", "FTPSetCurrentDir",
          "FTPGetFileList", "FTPOpenConnection", "FTPCopy", "FTPCloseConnection", "EZFTPNetworkGetConfig",
          "EZFTPNetworkSetConfig", "EZFTPLogon", "EZFTPLogoff", "EZFTPAbort", "EZFTPFileExists", "EZFTPFileUpload",
          "EZFTPFileDownload", "EZFTPFileDelete", "EZFTPFileRename", "EZFTPDirectoryExists", "EZFTPDirectoryList",
          "EZFTPDirectoryMake", "EZFTPDirectoryMakePath", "EZFTPDirectoryChangeCurrent", "EZFTPDirectoryRemove"})
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(library, name)), nullptr) << name;
    FreeLibrary(library);
}
