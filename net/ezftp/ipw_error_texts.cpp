// The component's error texts, found by number in a table kept in ascending order.
#include "ipw_ftp.h"

#include <cstdio>

namespace {

struct ErrorRow {
    unsigned short number;
    const char* text;
};

constexpr ErrorRow ErrorRows[] = {
    {101, "You cannot change the RemoteHost at this time. A connection is in progress. \r\n"},
    {102, "The RemoteHost address is invalid (0.0.0.0). \r\n"},
    {141, "FTP protocol error. The error message contains the server reply. \r\n"},
    {142, "Communication error. The error message contains the description. \r\n"},
    {143, "Busy performing current action.  \r\n"},
    {144, "Local file error. Error description contains detailed information. \r\n"},
    {145, "Can't open LocalFile for reading. \r\n"},
    {147, "Data interface error. Error description contains detailed information. \r\n"},
    {301, "Operation interrupted. \r\n"},
    {302, "Can't open local file. \r\n"},
    {311, "Accept failed for data connection. \r\n"},
    {312, "Asynchronous select failed for data connection. \r\n"},
    {10004, "(WSAEINTR)  [10004] Interrupted system call.\r\n"},
    {10009, "(WSAEBADF)  [10009] Bad file number.\r\n"},
    {10013, "(WSAEACCES)  [10013] Access denied.\r\n"},
    {10014, "(WSAEFAULT)  [10014] Bad address.\r\n"},
    {10022, "(WSAEINVAL)  [10022] Invalid argument.\r\n"},
    {10024, "(WSAEMFILE)  [10024] Too many open files.\r\n"},
    {10035, "(WSAEWOULDBLOCK)  [10035] Operation would block. Check also the DataToSend property of the control "
            "(if any).\r\n"},
    {10036, "(WSAEINPROGRESS)  [10036] Operation now in progress.\r\n"},
    {10037, "(WSAEALREADY)  [10037] Operation already in progress.\r\n"},
    {10038, "(WSAENOTSOCK)  [10038] Socket operation on non-socket.\r\n"},
    {10039, "(WSAEDESTADDRREQ)  [10039] Destination address required.\r\n"},
    {10040, "(WSAEMSGSIZE)  [10040] Message too long.\r\n"},
    {10041, "(WSAEPROTOTYPE)  [10041] Protocol wrong type for socket.\r\n"},
    {10042, "(WSAENOPROTOOPT)  [10042] Bad protocol option.\r\n"},
    {10043, "(WSAEPROTONOSUPPORT)  [10043] Protocol not supported.\r\n"},
    {10044, "(WSAESOCKTNOSUPPORT)  [10044] Socket type not supported.\r\n"},
    {10045, "(WSAEOPNOTSUPP)  [10045] Operation not supported on socket.\r\n"},
    {10046, "(WSAEPFNOSUPPORT)  [10046] Protocol family not supported.\r\n"},
    {10047, "(WSAEAFNOSUPPORT)  [10047] Address family not supported by protocol family.\r\n"},
    {10048, "(WSAEADDRINUSE)  [10048] Address already in use.\r\n"},
    {10049, "(WSAEADDRNOTAVAIL)  [10049] Can't assign requested address.\r\n"},
    {10050, "(WSAENETDOWN)  [10050] Network is down.\r\n"},
    {10051, "(WSAENETUNREACH)  [10051] Network is unreachable.\r\n"},
    {10052, "(WSAENETRESET)  [10052] Net dropped connection or reset.\r\n"},
    {10053, "(WSAECONNABORTED)  [10053] Software caused connection abort.\r\n"},
    {10054, "(WSAECONNRESET)  [10054] Connection reset by peer.\r\n"},
    {10055, "(WSAENOBUFS)  [10055] No buffer space available.\r\n"},
    {10056, "(WSAEISCONN)  [10056] Socket is already connected.\r\n"},
    {10057, "(WSAENOTCONN)  [10057] Socket is not connected.\r\n"},
    {10058, "(WSAESHUTDOWN)  [10058] Can't send after socket shutdown.\r\n"},
    {10059, "(WSAETOOMANYREFS)  [10059] Too many references, can't splice.\r\n"},
    {10060, "(WSAETIMEDOUT)  [10060] Connection timed out.\r\n"},
    {10061, "(WSAECONNREFUSED)  [10061] Connection refused.\r\n"},
    {10062, "(WSAELOOP)  [10062] Too many levels of symbolic links.\r\n"},
    {10063, "(WSAENAMETOOLONG)  [10063] File name too long.\r\n"},
    {10064, "(WSAEHOSTDOWN)  [10064] Host is down.\r\n"},
    {10065, "(WSAEHOSTUNREACH)  [10065] No Route to Host.\r\n"},
    {10066, "(WSAENOTEMPTY)  [10066] Directory not empty\r\n"},
    {10067, "(WSAEPROCLIM)  [10067] Too many processes.\r\n"},
    {10068, "(WSAEUSERS)  [10068] Too many users.\r\n"},
    {10069, "(WSAEDQUOT)  [10069] Disc Quota Exceeded.\r\n"},
    {10070, "(WSAESTALE)  [10070] Stale NFS file handle.\r\n"},
    {10071, "(WSAEREMOTE)  [10071] Too many levels of remote in path.\r\n"},
    {10091, "(WSASYSNOTREADY)  [10091] Network subsystem is unavailable.\r\n"},
    {10092, "(WSAVERNOTSUPPORTED)  [10092] WINSOCK DLL Version out of range.\r\n"},
    {10093, "(WSANOTINITIALISED) [10093] Winsock not loaded yet.\r\n"},
    {11001, "(WSAHOST_NOT_FOUND)  [11001] Host not found.\r\n"},
    {11002, "(WSATRY_AGAIN)  [11002] Non-authoritative 'Host not found' (try again or check DNS setup).\r\n"},
    {11003, "(WSANO_RECOVERY)  [11003] Non-recoverable errors: FORMERR, REFUSED, NOTIMP.\r\n"},
    {11004, "(WSANO_DATA)  [11004] Valid name, no data record (check DNS setup). \r\n"},
};
static_assert(std::size(ErrorRows) == 62);

}  // namespace

const char* CIPWFTP::ErrorText(long number)
{
    const auto wanted = static_cast<unsigned short>(number & 0xFFFF);
    int low = 0;
    int high = static_cast<int>(std::size(ErrorRows)) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (ErrorRows[middle].number == wanted)
            return ErrorRows[middle].text;
        if (ErrorRows[middle].number < wanted)
            low = middle + 1;
        else
            high = middle - 1;
    }
    // One buffer a thread: callers on several connections never share it.
    thread_local char unknown[64];
    std::snprintf(unknown, sizeof unknown, "Unknown Error %ld\r\n", static_cast<long>(wanted));
    return unknown;
}
