// The synchronous FTP interface: a caller logs on, gets an instance handle, calls file and
// folder operations that return when the work is done, and logs off. Every export answers one
// of the codes below and never lets an exception out.
#pragma once

#include "qxweb.h"

#include <cstddef>

// Texts of a request are copied into fields of this many bytes, terminator included.
constexpr int EZFTP_TEXT_BYTES = 260;

// The FTP network configuration that the logon takes, filled from the stored settings by
// EZFTPNetworkGetConfig.
struct FTP_NETWORK_CONFIG {
    DWORD flags;
    DWORD port;  // 0 leaves the component's own
    char proxyHost[EZFTP_TEXT_BYTES];
    char proxyUser[EZFTP_TEXT_BYTES];
    char proxyPassword[EZFTP_TEXT_BYTES];
};
static_assert(sizeof(FTP_NETWORK_CONFIG) == 788);
static_assert(offsetof(FTP_NETWORK_CONFIG, proxyHost) == 8 && offsetof(FTP_NETWORK_CONFIG, proxyUser) == 268 &&
              offsetof(FTP_NETWORK_CONFIG, proxyPassword) == 528);

// Flag bits; a style or logon bit holds only together with the proxy bit.
constexpr DWORD EZFTP_PROXY = 0x01;
constexpr DWORD EZFTP_PROXY_LOGON = 0x02;
constexpr DWORD EZFTP_OPEN_STYLE = 0x04;
constexpr DWORD EZFTP_SITE_STYLE = 0x08;
constexpr DWORD EZFTP_PASSIVE = 0x10;
constexpr DWORD EZFTP_PASSWORD_AFTER = 0x20;
constexpr DWORD EZFTP_USER_AFTER = 0x40;
constexpr DWORD EZFTP_FLAGS_LIMIT = 0x80;  // flags of this and more are refused
constexpr int EZFTP_AFTER_LOGON_SHIFT = 5;

enum EzFtpResult : int {
    EZFTP_OK = 1,
    EZFTP_ABORT_REFUSED = 2,     // the component refused the interrupt; callers take it as done
    EZFTP_BUFFER_TOO_SMALL = 3,  // a listing buffer below 3 bytes: nothing listed
    EZFTP_NO_WORKER = -2,        // the connection is being destroyed
    EZFTP_EXCEPTION = -3,
    EZFTP_BAD_ARGUMENT = -4,
    EZFTP_BAD_HANDLE = -6,
    EZFTP_SETUP_FAILED = -7,
    EZFTP_LOCAL_FILE = -8,
    EZFTP_HOST_REFUSED = -9,
    EZFTP_LOGON_FAILED = -10,
    EZFTP_TRANSFER_FAILED = -11,
    EZFTP_REFUSED = -12,
    EZFTP_NOT_IMPLEMENTED = -13,
};

QXWEB_API int EZFTPNetworkGetConfig(FTP_NETWORK_CONFIG* config);
QXWEB_API int EZFTPNetworkSetConfig(const FTP_NETWORK_CONFIG* config);
QXWEB_API int EZFTPLogon(int* handle, const char* server, const char* user, const char* password,
                         const FTP_NETWORK_CONFIG* config);
QXWEB_API int EZFTPLogoff(int handle);
QXWEB_API int EZFTPAbort(int handle);
QXWEB_API int EZFTPFileExists(int handle, const char* remotePath, BYTE* exists);
QXWEB_API int EZFTPFileUpload(int handle, const char* localFile, const char* remoteFile);
QXWEB_API int EZFTPFileDownload(int handle, const char* remoteFile, const char* localFile);
QXWEB_API int EZFTPFileDelete(int handle, const char* remoteFile);
QXWEB_API int EZFTPFileRename(int handle, const char* from, const char* to);
QXWEB_API int EZFTPDirectoryExists(int handle, const char* remotePath, BYTE* exists);
// Fills `buffer` with the folder's entries, each ending in a 0 byte, folders with "/" appended,
// and an empty name after the last; entries that do not fit are left out.
QXWEB_API int EZFTPDirectoryList(int handle, const char* remoteDirectory, char* buffer, const int* bufferSize);
QXWEB_API int EZFTPDirectoryMake(int handle, const char* remoteDirectory);
QXWEB_API int EZFTPDirectoryMakePath(int handle, const char* remotePath);
QXWEB_API int EZFTPDirectoryChangeCurrent(int handle, const char* remoteDirectory);
QXWEB_API int EZFTPDirectoryRemove(int handle, const char* remoteDirectory);
