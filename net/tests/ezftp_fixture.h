// The synchronous FTP interface of the built library, bound by name, against the program's
// real FTP server: each case starts without FTP settings and loads the library for itself.
#pragma once

#include "ezftp.h"
#include "net_servers.h"
#include "scratch_dir.h"
#include "settings_fixture.h"

#include <string>
#include <vector>

#define EZFTP_ENTRIES(X)                                                                                            \
    X(EZFTPNetworkGetConfig) X(EZFTPNetworkSetConfig) X(EZFTPLogon) X(EZFTPLogoff) X(EZFTPAbort) X(EZFTPFileExists) \
    X(EZFTPFileUpload) X(EZFTPFileDownload) X(EZFTPFileDelete) X(EZFTPFileRename) X(EZFTPDirectoryExists)           \
    X(EZFTPDirectoryList) X(EZFTPDirectoryMake) X(EZFTPDirectoryMakePath) X(EZFTPDirectoryChangeCurrent)           \
    X(EZFTPDirectoryRemove) X(FTPOpenConnection) X(FTPCopy) X(FTPCloseConnection) X(QXNetOpen) X(QXNetClose)

struct EzFtpExports {
#define EZFTP_ENTRY(name) decltype(&::name) name = nullptr;
    EZFTP_ENTRIES(EZFTP_ENTRY)
#undef EZFTP_ENTRY
};

class SyncFtp : public ProxySettings {
protected:
    void SetUp() override;
    void TearDown() override;

    // A configuration without proxy, as a caller fills it for a direct logon.
    static FTP_NETWORK_CONFIG Direct();
    // Logs on as the writing user; the handle, or 0 after a failed assertion.
    int LogOnAsWriter();
    // The names of a listing, folders with "/", in order.
    static std::vector<std::string> Names(const char* buffer);

    EzFtpExports ez;
    HMODULE library = nullptr;
    ScratchDir local;
};
