// The entry points of the internet transfer library that the foundation binds by name
// (private to the library): shared by the binding, which fills them, and the forwarders,
// which call them.
#pragma once

#include "qxwebapi.h"

// Every bound name, in the order in which they are looked up.
#define QX_WEB_BOUND_NAMES(X)                                                                 \
    X(QXNetOpen) X(QXNetClose) X(QXGetOpenFileName) X(QXGetOpenFileNamePreview)               \
    X(QXSetDebugEditControl) X(QXGetThisSite) X(QXGetThisSiteDotted) X(QXGetThisEmailAddress) \
    X(QXFTP_Retrieve) X(FTP_Kill) X(FTP_Retrieve) X(HTTP_Retrieve) X(HTTP_Kill)               \
    X(URL_Retrieve) X(URL_Kill) X(CleanUpDeadWindow) X(GetInternetOptions)                    \
    X(SetInternetOptions) X(FTPDisconnect) X(FTPConnect) X(FTPGetCurrentDir)                  \
    X(FTPSetCurrentDir) X(FTPGetFileList) X(GetFtpProxyInfo) X(GetHttpProxyInfo)              \
    X(GetProxyUseFlag) X(SetFtpProxyInfo) X(SetHttpProxyInfo) X(SetProxyUseFlag)              \
    X(ConfigureProxy) X(FTPOpenConnection) X(FTPCopy) X(FTPCloseConnection)

// One pointer per bound name, of the export's own type; null while unbound.
struct WebEntryPoints {
#define QX_WEB_ENTRY_SLOT(name) decltype(&::name) name = nullptr;
    QX_WEB_BOUND_NAMES(QX_WEB_ENTRY_SLOT)
#undef QX_WEB_ENTRY_SLOT
};

// The process-wide entry points: all null unless the library is loaded.
const WebEntryPoints& BoundWebEntries();
// What the last QXOpen asked for: non-zero to show the library's open-file dialogs.
int UseLibraryDialogs();

// Calls a bound entry point with the forwarder's own arguments; an unbound one answers 0
// (or, for the entries without a result, does nothing).
template <class Result, class... Params, class... Args>
Result ForwardToWeb(Result (*entry)(Params...), Args... args)
{
    if (!entry)
        return Result();
    return entry(args...);
}
