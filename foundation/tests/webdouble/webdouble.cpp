// Stand-in for the internet transfer library: every export the foundation binds, except the
// two that no library has, answering from fixed data and writing each call to the journal.
// Downloads are in webjobs.cpp.
#include "qxwebapi.h"

#include "journal.h"
#include "webdouble_probe.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

class QXFTPBrowser {};

namespace {

// Calls arrive on the test's thread only.
std::string journal;
int opens = 0;
QXFTPBrowser browser;  // the one connection the stand-in hands out

void Fill(char* buffer, int size, const char* text)
{
    if (buffer && size > 0)
        std::snprintf(buffer, static_cast<size_t>(size), "%s", text);
}

int BrowserAnswer(QXFTPBrowser* connection) { return connection == &browser ? 0 : 5006; }

}  // namespace

void Record(const char* format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    journal += line;
    journal += '\n';
}

extern "C" __declspec(dllexport) const char* WebDoubleJournal() { return journal.c_str(); }

int QXNetOpen()
{
    Record("QXNetOpen");
    return ++opens;
}

void QXNetClose()
{
    Record("QXNetClose");
    if (--opens == 0)
        FinishJobs();
}

BOOL QXGetOpenFileName(OPENFILENAMEA* ofn)
{
    Record("QXGetOpenFileName(%lx)", ofn->Flags);
    Fill(ofn->lpstrFile, static_cast<int>(ofn->nMaxFile), "http://double/chosen.gif");
    return TRUE;
}

BOOL QXGetOpenFileNamePreview(QXPREVIEW_REQUEST* request)
{
    Record("QXGetOpenFileNamePreview(%lx)", request->ofn->Flags);
    Fill(request->ofn->lpstrFile, static_cast<int>(request->ofn->nMaxFile), "http://double/preview.gif");
    return TRUE;
}

void QXSetDebugEditControl(HWND edit) { Record("QXSetDebugEditControl(%llx)", Hex(edit)); }

int QXGetThisSite(char* hostName)
{
    Record("QXGetThisSite");
    Fill(hostName, 16, "double.site");
    return 1;
}

int QXGetThisSiteDotted(char* address)
{
    Record("QXGetThisSiteDotted");
    Fill(address, 16, "127.0.0.1");
    return 1;
}

int QXGetThisEmailAddress(char* address)
{
    Record("QXGetThisEmailAddress");
    Fill(address, 16, "user@double");
    return 1;
}

int QXFTP_Retrieve(const char* remotePath, const char* localFile, const char* server, const char* user,
                   const char* password, HWND notify, UINT message)
{
    Record("QXFTP_Retrieve(%s,%s,%s,%s,%s,%llx,%u)", remotePath, localFile, server, user, password,
           Hex(notify), message);
    return 1;
}

int GetInternetOptions(int option, void* value, int size)
{
    Record("GetInternetOptions(%d,%llx,%d)", option, Hex(value), size);
    return 1;
}

int SetInternetOptions(int option, void* value, int size)
{
    Record("SetInternetOptions(%d,%llx,%d)", option, Hex(value), size);
    return 1;
}

int GetFtpProxyInfo(char* host, int hostSize, int* port, BYTE* authenticationNeeded, char* commandStyle,
                    int commandStyleSize, char* password, int passwordSize, char* username,
                    int usernameSize, int reserved)
{
    Record("GetFtpProxyInfo(%d,%d,%d,%d,%d)", hostSize, commandStyleSize, passwordSize, usernameSize,
           reserved);
    Fill(host, hostSize, "proxy.double");
    Fill(commandStyle, commandStyleSize, "USER $user$@$host$");
    Fill(password, passwordSize, "secret");
    Fill(username, usernameSize, "proxyuser");
    *port = 8021;
    *authenticationNeeded = 1;
    return 1;
}

int SetFtpProxyInfo(const char* host, int port, BYTE authenticationNeeded, const char* commandStyle,
                    const char* username, char* password, BYTE active)
{
    Record("SetFtpProxyInfo(%s,%d,%d,%s,%s,%s,%d)", host, port, authenticationNeeded, commandStyle,
           username, password, active);
    return 1;
}

int GetHttpProxyInfo(char* host, int hostSize, int* port, BYTE detect)
{
    Record("GetHttpProxyInfo(%d,%d)", hostSize, detect);
    Fill(host, hostSize, "web.proxy.double");
    *port = 8080;
    return detect;
}

int SetHttpProxyInfo(const char* host, int port, BYTE active)
{
    Record("SetHttpProxyInfo(%s,%d,%d)", host, port, active);
    return 1;
}

void ConfigureProxy(HWND owner) { Record("ConfigureProxy(%llx)", Hex(owner)); }

QXFTPBrowser* FTPConnect(const char* server, int port, const char* user, const char* password,
                         const char* path, HWND window, UINT message)
{
    Record("FTPConnect(%s,%d,%s,%s,%s,%llx,%u)", server, port, user, password, path, Hex(window),
           message);
    return &browser;
}

int FTPDisconnect(QXFTPBrowser* connection)
{
    Record("FTPDisconnect");
    return BrowserAnswer(connection);
}

int FTPGetCurrentDir(QXFTPBrowser* connection, HWND window, UINT message)
{
    Record("FTPGetCurrentDir(%llx,%u)", Hex(window), message);
    return BrowserAnswer(connection);
}

int FTPSetCurrentDir(QXFTPBrowser* connection, const char* path, HWND window, UINT message)
{
    Record("FTPSetCurrentDir(%s,%llx,%u)", path, Hex(window), message);
    return BrowserAnswer(connection);
}

int FTPGetFileList(QXFTPBrowser* connection, const char* pattern, HWND window, UINT message)
{
    Record("FTPGetFileList(%s,%llx,%u)", pattern, Hex(window), message);
    return BrowserAnswer(connection);
}

int FTPOpenConnection(const char* server, const char* remoteDir, const char* user, const char* password)
{
    Record("FTPOpenConnection(%s,%s,%s,%s)", server, remoteDir, user, password);
    return 5;
}

int FTPCopy(int connection, const char* localFile, const char* remoteFile)
{
    Record("FTPCopy(%d,%s,%s)", connection, localFile, remoteFile);
    return connection == 5 ? 1 : -4;
}

void FTPCloseConnection(int connection) { Record("FTPCloseConnection(%d)", connection); }
