// Opening media outside any object: the kind a file name asks for, the media server's player
// on a file, and the MCI aliases of this process.
#pragma once

#include "qxstring.h"

#include <windows.h>
#include <oaidl.h>

class CMedia;

// Media kinds.
constexpr int FLC_KIND_NONE = 0;
constexpr int FLC_KIND_FLIC = 1;
constexpr int FLC_KIND_MEDIA = 2;
constexpr int FLC_KIND_SERIES = 3;

// From the FLIC player and the image series to the object window: lParam 1 a frame was
// reached (wParam + 1 is its number), lParam 0 the end of a play.
constexpr UINT FLC_FRAME_MESSAGE = WM_USER + 2;

// The kind a media name asks for: FLIC for ".FLC" and ".FLI", the media server for any other
// suffix, none without one.
int MediaKindOfName(const char* name);
// A media-server object playing `local` into the window, null when the server is not there
// or cannot open it; the end of a play comes as "WM_QTNOTIFY_FINISH".
CMedia* OpenServerMedia(HWND window, const char* local, const RECT* area);
// A call of the media server that takes a file name (Open, SaveAs); the call's result.
long CallWithFileName(CMedia* media, long (CMedia::*call)(BSTR, long*), const char* file);
// A new MCI alias of this process.
QXSTRING NewMciAlias();
// "WM_QTNOTIFY_FINISH": the media server's end of a play.
UINT MediaFinishedMessage();
