// The exports of the internet transfer library qxweb40. The foundation library re-exports
// each of them under the same undecorated name (answering 0 while the library is not
// loaded), so the kernel and the plug-ins link against the foundation only. The library
// itself compiles with QXWEB_BUILD and implements these very declarations.
#pragma once

#include "qxbase.h"
#include "qxpreviewrequest.h"

#ifdef QXWEB_BUILD
#define QXWEB_API extern "C" __declspec(dllexport)
#else
#define QXWEB_API extern "C" QXBASE_API
#endif

// A background download, as the library lists it; callers only keep it for a later kill.
class URL_THREAD_NODE;
using QXWEBJOB = URL_THREAD_NODE*;
// A connection of the FTP browser.
class QXFTPBrowser;

// Notification of a finished background download: the caller's message is posted to the
// caller's window with one of these in wParam and the caller's value in lParam.
constexpr WPARAM QXWEB_FILE_ARRIVED = 768;
constexpr WPARAM QXWEB_FILE_FAILED = 767;

// ---- Session ----

// Starts the library's transfer services, or counts another use of them.
QXWEB_API int QXNetOpen();
// Counts a use down; the last one ends the transfer services.
QXWEB_API void QXNetClose();

// ---- Background downloads ----
// Each returns non-zero when the job was started, with the job stored through `job`.
// Notification messages are 16-bit values.

// "ftp://server/remotePath" into localFile.
QXWEB_API int FTP_Retrieve(const char* remotePath, const char* localFile, int synchronous,
                           const char* server, const char* user, const char* password, HWND notify,
                           UINT message, void* notifyValue, QXWEBJOB* job);
// "http://server/remotePath" into localFile.
QXWEB_API int HTTP_Retrieve(const char* remotePath, const char* localFile, const char* server,
                            HWND notify, UINT message, void* notifyValue, QXWEBJOB* job);
// The common entry behind the two above.
QXWEB_API int URL_Retrieve(const char* address, const char* localFile, int synchronous,
                           const char* user, const char* password, HWND notify, UINT message,
                           void* notifyValue, QXWEBJOB* job);
// An older FTP download entry.
QXWEB_API int QXFTP_Retrieve(const char* remotePath, const char* localFile, const char* server,
                             const char* user, const char* password, HWND notify, UINT message);
// 1 when the job was still listed and is now cancelled, else 0.
QXWEB_API int FTP_Kill(QXWEBJOB job);
QXWEB_API int HTTP_Kill(QXWEBJOB job);
QXWEB_API int URL_Kill(QXWEBJOB job);
// Drops every job that would notify the window; returns once that is done.
QXWEB_API void CleanUpDeadWindow(HWND window);

// ---- Open-file dialogs that also accept FTP and HTTP addresses ----

QXWEB_API BOOL QXGetOpenFileName(OPENFILENAMEA* ofn);
QXWEB_API BOOL QXGetOpenFileNamePreview(QXPREVIEW_REQUEST* request);

// ---- What the library knows of this machine and its user ----

QXWEB_API void QXSetDebugEditControl(HWND edit);  // receives the library's debug log
QXWEB_API int QXGetThisSite(char* hostName);
QXWEB_API int QXGetThisSiteDotted(char* address);
QXWEB_API int QXGetThisEmailAddress(char* address);
QXWEB_API int GetInternetOptions(int option, void* value, int size);
QXWEB_API int SetInternetOptions(int option, void* value, int size);

// ---- Proxy settings ----
// Text buffers come with their sizes in bytes, terminator included; flags are one byte.

QXWEB_API int GetFtpProxyInfo(char* host, int hostSize, int* port, BYTE* authenticationNeeded,
                              char* commandStyle, int commandStyleSize, char* password,
                              int passwordSize, char* username, int usernameSize, int reserved);
// `password` is scrambled in place.
QXWEB_API int SetFtpProxyInfo(const char* host, int port, BYTE authenticationNeeded,
                              const char* commandStyle, const char* username, char* password,
                              BYTE active);
QXWEB_API int GetHttpProxyInfo(char* host, int hostSize, int* port, BYTE detect);
QXWEB_API int SetHttpProxyInfo(const char* host, int port, BYTE active);
// Looked up by name, but no library exports them: their forwarders always answer 0.
QXWEB_API int GetProxyUseFlag();
QXWEB_API int SetProxyUseFlag(BYTE use);
// Shows the proxy settings form on the thread that opened the library; nothing while it is
// closed. The window is not used.
QXWEB_API void ConfigureProxy(HWND owner);

// ---- FTP browser: each step reports to the window with the message ----

QXWEB_API QXFTPBrowser* FTPConnect(const char* server, int port, const char* user,
                                   const char* password, const char* path, HWND window,
                                   UINT message);
QXWEB_API int FTPDisconnect(QXFTPBrowser* connection);
QXWEB_API int FTPGetCurrentDir(QXFTPBrowser* connection, HWND window, UINT message);
QXWEB_API int FTPSetCurrentDir(QXFTPBrowser* connection, const char* path, HWND window,
                               UINT message);
QXWEB_API int FTPGetFileList(QXFTPBrowser* connection, const char* pattern, HWND window,
                             UINT message);

// ---- Synchronous FTP connection that uploads files ----

// The connection handle (positive), or a negative failure code.
QXWEB_API int FTPOpenConnection(const char* server, const char* remoteDir, const char* user,
                                const char* password);
QXWEB_API int FTPCopy(int connection, const char* localFile, const char* remoteFile);
QXWEB_API void FTPCloseConnection(int connection);

// ---- Kept for old callers: always 0 ----

QXWEB_API int QXQuery(int, int, int);
QXWEB_API int QXSQLConnect(int, int);
