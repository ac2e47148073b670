// The internet transfer library's exports, re-exported under their own names: each calls the
// bound entry point, or answers 0 while the library is not loaded.
#include "qxwebapi.h"

#include "webentries.h"

namespace {

const WebEntryPoints& Web() { return BoundWebEntries(); }

}  // namespace

int QXNetOpen() { return ForwardToWeb(Web().QXNetOpen); }

void QXNetClose() { ForwardToWeb(Web().QXNetClose); }

int FTP_Retrieve(const char* remotePath, const char* localFile, int synchronous, const char* server,
                 const char* user, const char* password, HWND notify, UINT message,
                 void* notifyValue, QXWEBJOB* job)
{
    return ForwardToWeb(Web().FTP_Retrieve, remotePath, localFile, synchronous, server, user,
                        password, notify, message, notifyValue, job);
}

int HTTP_Retrieve(const char* remotePath, const char* localFile, const char* server, HWND notify,
                  UINT message, void* notifyValue, QXWEBJOB* job)
{
    return ForwardToWeb(Web().HTTP_Retrieve, remotePath, localFile, server, notify, message,
                        notifyValue, job);
}

int URL_Retrieve(const char* address, const char* localFile, int synchronous, const char* user,
                 const char* password, HWND notify, UINT message, void* notifyValue, QXWEBJOB* job)
{
    return ForwardToWeb(Web().URL_Retrieve, address, localFile, synchronous, user, password,
                        notify, message, notifyValue, job);
}

int QXFTP_Retrieve(const char* remotePath, const char* localFile, const char* server,
                   const char* user, const char* password, HWND notify, UINT message)
{
    return ForwardToWeb(Web().QXFTP_Retrieve, remotePath, localFile, server, user, password,
                        notify, message);
}

int FTP_Kill(QXWEBJOB job) { return ForwardToWeb(Web().FTP_Kill, job); }

int HTTP_Kill(QXWEBJOB job) { return ForwardToWeb(Web().HTTP_Kill, job); }

int URL_Kill(QXWEBJOB job) { return ForwardToWeb(Web().URL_Kill, job); }

void CleanUpDeadWindow(HWND window) { ForwardToWeb(Web().CleanUpDeadWindow, window); }

void QXSetDebugEditControl(HWND edit) { ForwardToWeb(Web().QXSetDebugEditControl, edit); }

int QXGetThisSite(char* hostName) { return ForwardToWeb(Web().QXGetThisSite, hostName); }

int QXGetThisSiteDotted(char* address) { return ForwardToWeb(Web().QXGetThisSiteDotted, address); }

int QXGetThisEmailAddress(char* address)
{
    return ForwardToWeb(Web().QXGetThisEmailAddress, address);
}

int GetInternetOptions(int option, void* value, int size)
{
    return ForwardToWeb(Web().GetInternetOptions, option, value, size);
}

int SetInternetOptions(int option, void* value, int size)
{
    return ForwardToWeb(Web().SetInternetOptions, option, value, size);
}

int GetFtpProxyInfo(char* host, int hostSize, int* port, BYTE* authenticationNeeded,
                    char* commandStyle, int commandStyleSize, char* password, int passwordSize,
                    char* username, int usernameSize, int reserved)
{
    return ForwardToWeb(Web().GetFtpProxyInfo, host, hostSize, port, authenticationNeeded,
                        commandStyle, commandStyleSize, password, passwordSize, username,
                        usernameSize, reserved);
}

int SetFtpProxyInfo(const char* host, int port, BYTE authenticationNeeded, const char* commandStyle,
                    const char* username, char* password, BYTE active)
{
    return ForwardToWeb(Web().SetFtpProxyInfo, host, port, authenticationNeeded, commandStyle,
                        username, password, active);
}

int GetHttpProxyInfo(char* host, int hostSize, int* port, BYTE detect)
{
    return ForwardToWeb(Web().GetHttpProxyInfo, host, hostSize, port, detect);
}

int SetHttpProxyInfo(const char* host, int port, BYTE active)
{
    return ForwardToWeb(Web().SetHttpProxyInfo, host, port, active);
}

int GetProxyUseFlag() { return ForwardToWeb(Web().GetProxyUseFlag); }

int SetProxyUseFlag(BYTE use) { return ForwardToWeb(Web().SetProxyUseFlag, use); }

void ConfigureProxy(HWND owner) { ForwardToWeb(Web().ConfigureProxy, owner); }

QXFTPBrowser* FTPConnect(const char* server, int port, const char* user, const char* password,
                         const char* path, HWND window, UINT message)
{
    return ForwardToWeb(Web().FTPConnect, server, port, user, password, path, window, message);
}

int FTPDisconnect(QXFTPBrowser* connection) { return ForwardToWeb(Web().FTPDisconnect, connection); }

int FTPGetCurrentDir(QXFTPBrowser* connection, HWND window, UINT message)
{
    return ForwardToWeb(Web().FTPGetCurrentDir, connection, window, message);
}

int FTPSetCurrentDir(QXFTPBrowser* connection, const char* path, HWND window, UINT message)
{
    return ForwardToWeb(Web().FTPSetCurrentDir, connection, path, window, message);
}

int FTPGetFileList(QXFTPBrowser* connection, const char* pattern, HWND window, UINT message)
{
    return ForwardToWeb(Web().FTPGetFileList, connection, pattern, window, message);
}

int FTPOpenConnection(const char* server, const char* remoteDir, const char* user,
                      const char* password)
{
    return ForwardToWeb(Web().FTPOpenConnection, server, remoteDir, user, password);
}

int FTPCopy(int connection, const char* localFile, const char* remoteFile)
{
    return ForwardToWeb(Web().FTPCopy, connection, localFile, remoteFile);
}

void FTPCloseConnection(int connection) { ForwardToWeb(Web().FTPCloseConnection, connection); }

int QXQuery(int, int, int) { return 0; }

int QXSQLConnect(int, int) { return 0; }
