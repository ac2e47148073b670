// Base header of the kernel library: the foundation it builds on, the export marker of
// qxcore40.dll, the classes every kernel header names, and the numbers shared by the kernel,
// the host and the object plug-ins.
#pragma once

#include "qxbase.h"
#include "qxlist.h"
#include "qxstring.h"

#include <cmath>

#ifdef QXCORE_BUILD
#define QXCORE_API __declspec(dllexport)
#else
#define QXCORE_API __declspec(dllimport)
#endif

// The flat interface of the kernel is reached by name from hosts that load it at run time:
// its functions keep their undecorated names.
#define QXCORE_EXPORT extern "C" QXCORE_API

struct KERNEL;
class OBJET;
class BRANCH;
class GADGET;
class FONTS;
class FONTS_LIST;
class UNDO;
class UNDO_LIST;
class OBJSEL_LIST;
struct MSGL;
struct MESSOBJ;

// The longest show delay and branch delay, in seconds: what the dialogs accept and what a page
// file is taken to hold.
constexpr double QX_MAX_DELAY = 60.0;

// A delay brought between 0 and QX_MAX_DELAY. A value that is no finite number ("nan" or
// "inf" in a file, or typed) is no delay at all: it could not become a timer's milliseconds.
inline double QxBoundedDelay(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0.0)
        return 0.0;
    return seconds > QX_MAX_DELAY ? QX_MAX_DELAY : seconds;
}

// The suffix of plug-in and module file names ("QXPICT.DLL" is loaded as "QXPICT40.DLL").
constexpr const char* QX_KERNEL_VERSION = "40";
// The version of the kernel library: the text written on the version line of page files,
// and its packed value (a << 24 | b << 16 | c << 8 | d).
constexpr const char* QX_KERNEL_VERSION_STRING = "4.0.0.5";
constexpr unsigned long QX_KERNEL_VERSION_PACKED = 0x04000005;

// Kernel messages, sent to objects through OBJET::KernelMessage (window null in the MSGL),
// and the transfer messages that reach only the host window.
constexpr UINT KM_FLUSHDELAYS = 5;             // end every show delay now (before an export)
constexpr UINT KM_SHOWN = WM_USER + 1;         // 1025 state changed, wParam says why
constexpr UINT KM_EXTENT = WM_USER + 2;        // 1026 the coordinate extent changed
constexpr UINT KM_LEAVEPAGE = WM_USER + 3;     // 1027 the page is being left
constexpr UINT KM_PAINTTO = WM_USER + 4;       // 1028 draw into the DC of the KERNDRAW in lParam
constexpr UINT KM_REALIZEPALETTE = WM_USER + 7;  // 1031
constexpr UINT KM_HOVERSTART = WM_USER + 8;    // 1032 the mouse entered the object's window
constexpr UINT KM_HOVEREND = WM_USER + 9;      // 1033 the mouse left it
constexpr UINT KM_IDRELEASED = WM_USER + 10;   // 1034 a shared device id (wParam) was released
constexpr UINT KM_IDREQUEST = WM_USER + 11;    // 1035 its holder is asked to give it up
constexpr UINT KM_FILEREADY = WM_USER + 12;    // 1036 a file arrived (768) or failed (767)
constexpr UINT KM_BRANCHING = WM_USER + 13;    // 1037 a branch is being taken
constexpr UINT KM_ENABLE = WM_USER + 14;       // 1038 the page window was enabled or disabled
constexpr UINT KM_DIALOGEND = WM_USER + 15;    // 1039 first message of a page run as a dialog
constexpr UINT KM_PAGESHOWN = WM_USER + 16;    // 1040 the page is on screen
constexpr UINT KM_RELINK = WM_USER + 17;       // 1041 relink to the enclosing parent
constexpr UINT KM_STARTRETRIEVE = WM_USER + 20;  // 1044 host window only
constexpr UINT KM_NETNOANSWER = WM_USER + 21;  // 1045 host window only
constexpr UINT KM_NETCANCEL = WM_USER + 23;    // 1047 host window only
constexpr UINT KM_NETNOHOST = WM_USER + 24;    // 1048 host window only

// Reasons carried by KM_SHOWN.
constexpr WPARAM KM_SHOWN_MODE = 1;
constexpr WPARAM KM_SHOWN_PAGE = 2;
constexpr WPARAM KM_SHOWN_INSERTED = 3;
constexpr WPARAM KM_SHOWN_AUTOBRANCH = 4;

// Statuses of a file notification (KM_FILEREADY's wParam).
constexpr WPARAM QX_FILE_ARRIVED = 768;
constexpr WPARAM QX_FILE_FAILED = 767;
constexpr WPARAM QX_FILE_NO_INTERNET = 0xFFFF;

// Kernel modes: 0 presents the publication; every mode with this bit selects, moves and
// sizes objects.
constexpr int QX_MODE_PRESENTATION = 0;
constexpr int QX_MODE_EDIT_BIT = 2;

// The record handed with KM_PAINTTO: the page window's rectangle on the screen and the
// device context to draw into.
struct KERNDRAW {
    RECT page;
    HDC dc;
};
