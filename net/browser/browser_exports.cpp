// The FTP browser's exports over the session's list of open browsers. They are called from
// the thread of the open-file dialog, one at a time; each answers at once and its worker
// reports later.
#include "ftp_browser.h"
#include "net_session.h"

#include <algorithm>

namespace {

bool Listed(QXFTPBrowser* browser)
{
    const std::vector<QXFTPBrowser*>& browsers = Session().browsers;
    return std::find(browsers.begin(), browsers.end(), browser) != browsers.end();
}

void Unlist(QXFTPBrowser* browser)
{
    std::vector<QXFTPBrowser*>& browsers = Session().browsers;
    browsers.erase(std::remove(browsers.begin(), browsers.end(), browser), browsers.end());
}

// The checks every call but the connection makes, in their order, then the worker started;
// the gate stays closed meanwhile.
template <class Prepare>
int StartCall(QXFTPBrowser* browser, QXFTPBrowser::Call call, HWND window, UINT message, Prepare prepare)
{
    try {
        if (!window || !message)
            return FTPB_NO_WINDOW;
        if (!Listed(browser))
            return FTPB_UNKNOWN_CONNECTION;
        browser->CloseGate();
        int result = FTPB_NOT_CONNECTED;
        if (browser->Connected()) {
            prepare();
            result = browser->Start(call, window, message);
        }
        browser->OpenGate();
        return result;
    } catch (...) {
        return FTPB_NO_THREAD;
    }
}

}  // namespace

QXFTPBrowser* FTPConnect(const char* server, int port, const char* user, const char* password, const char* path,
                         HWND window, UINT message)
{
    try {
        if (!server || !*server || !port || !user || !password || !window || !message)
            return nullptr;
        auto* browser = new QXFTPBrowser;
        if (!browser->Made()) {
            delete browser;
            return nullptr;
        }
        browser->CloseGate();
        Session().browsers.push_back(browser);
        browser->SetAccount(server, port, user, password, path);
        if (browser->Start(QXFTPBrowser::CONNECT, window, message) != 0) {
            Unlist(browser);
            delete browser;
            return nullptr;
        }
        browser->OpenGate();
        return browser;
    } catch (...) {
        return nullptr;
    }
}

int FTPDisconnect(QXFTPBrowser* connection)
{
    try {
        if (!Listed(connection))
            return FTPB_UNKNOWN_CONNECTION;
        Unlist(connection);
        // A worker that would not end keeps its browser: it may still use it.
        if (connection->Disconnect())
            delete connection;
        return 0;
    } catch (...) {
        return 0;
    }
}

int FTPGetCurrentDir(QXFTPBrowser* connection, HWND window, UINT message)
{
    return StartCall(connection, QXFTPBrowser::GET_CURRENT_DIR, window, message, [] {});
}

int FTPSetCurrentDir(QXFTPBrowser* connection, const char* path, HWND window, UINT message)
{
    return StartCall(connection, QXFTPBrowser::SET_CURRENT_DIR, window, message, [&] {
        if (path && *path)
            connection->SetPath(path);
    });
}

int FTPGetFileList(QXFTPBrowser* connection, const char* pattern, HWND window, UINT message)
{
    // A given pattern lists the current folder; without one the stored folder is listed again.
    return StartCall(connection, QXFTPBrowser::GET_FILE_LIST, window, message, [&] {
        if (pattern && *pattern)
            connection->SetPath("");
    });
}

void DisconnectEveryBrowser()
{
    while (!Session().browsers.empty())
        FTPDisconnect(Session().browsers.back());
}
