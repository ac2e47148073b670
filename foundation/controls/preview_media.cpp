// The media preview of the process: one movie or sound at a time, opened through the media
// server when it is there and through MCI otherwise, shown in a pane or played on its own.
#include "preview_parts.h"

#include "qxmedia.h"
#include "qxpath.h"

#include <mmsystem.h>

#include <cstdio>

namespace {

UINT& Device() { return QXPREVIEW::wMCIDevId; }
CMedia*& Media() { return QXPREVIEW::wqtDevId; }

void DeleteMedia()
{
    delete Media();
    Media() = nullptr;
}

void CloseDevice()
{
    if (!Device())
        return;
    MCI_GENERIC_PARMS close{};
    mciSendCommandA(Device(), MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    Device() = 0;
}

QXSTRING DeviceFileName()
{
    char name[QX_NAME_BUFFER] = {};
    MCI_INFO_PARMSA info{};
    info.lpstrReturn = name;
    info.dwRetSize = sizeof name;
    mciSendCommandA(Device(), MCI_INFO, MCI_INFO_FILE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&info));
    return QXSTRING(name);
}

// A media-server object playing `name` in `window`, or null when the server is not there or
// cannot open the file.
CMedia* OpenMedia(HWND window, const char* name)
{
    auto* media = new CMedia;
    if (!media)
        return nullptr;
    long opened = 0;
    if (media->Active()) {
        long initialised = 0;
        media->Init(window, &initialised);
        const BSTR file = NewBSTR(name);
        media->Open(file, &opened);
        FreeBSTR(file);
    }
    if (opened)
        return media;
    delete media;
    return nullptr;
}

QXSTRING MediaFileName()
{
    BSTR file = nullptr;
    Media()->get_Filename(&file);
    QXSTRING name;
    if (file)
        BSTRtoString(file, name);
    FreeBSTR(file);
    return name;
}

// In a window of `parent` when one is given (movies shown in the pane), else the element
// alone (sounds and movies that play on their own).
bool OpenDevice(const char* name, HWND parent)
{
    char alias[32];
    std::snprintf(alias, sizeof alias, "%ld", static_cast<long>(GetTickCount()));
    MCI_ANIM_OPEN_PARMSA open{};
    open.lpstrElementName = name;
    DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT;
    if (parent) {
        open.lpstrAlias = alias;
        open.dwStyle = WS_CHILD;
        open.hWndParent = parent;
        flags |= MCI_OPEN_ALIAS | MCI_ANIM_OPEN_WS | MCI_ANIM_OPEN_PARENT;
    }
    if (mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return false;
    Device() = open.wDeviceID;
    KeepMciDriverLoaded(open.wDeviceID);
    return true;
}

// Movies draw into the pane; the device's own window is a child of the dialog.
bool OpenDeviceInPane(const char* name, HWND dialog, HWND pane)
{
    if (!OpenDevice(name, dialog))
        return false;
    MCI_ANIM_WINDOW_PARMSA window{};
    window.hWnd = pane;
    mciSendCommandA(Device(), MCI_WINDOW, MCI_ANIM_WINDOW_HWND | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&window));
    return true;
}

void PlayDevice()
{
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(QXPREVIEW::hwndMCI);
    mciSendCommandA(Device(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

// MCI rectangles carry a width and a height where RECT has its right and bottom edges.
RECT MciRect(const RECT& rect) { return RECT{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}; }

void DrawDeviceFrame(HDC dc, const RECT& rect)
{
    MCI_ANIM_RECT_PARMS put{};
    put.rc = MciRect(rect);
    mciSendCommandA(Device(), MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&put));
    MCI_ANIM_UPDATE_PARMS update{};
    update.hDC = dc;
    update.rc = MciRect(rect);
    mciSendCommandA(Device(), MCI_UPDATE, MCI_ANIM_UPDATE_HDC | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&update));
}

}  // namespace

void CloseMediaPreview()
{
    DeleteMedia();
    CloseDevice();
}

int QXPREVIEW::DrawMediaFrame(HDC dc, const RECT& rect)
{
    if (!FNSPLIT(filename).ext.length())
        return 0;
    if ((Media() && lstrcmpiA(MediaFileName(), filename) != 0) ||
        (Device() && lstrcmpiA(DeviceFileName(), filename) != 0))
        CloseMediaPreview();
    if (!Media() && !Device()) {
        Media() = OpenMedia(hwndImage, filename);
        if (!Media() && !OpenDeviceInPane(filename, hwndDialog, hwndImage))
            return 0;
    }
    if (Media()) {
        const long width = rect.right - rect.left, height = rect.bottom - rect.top;
        Media()->SetXYWH(rect.left, rect.top, width, height);
        Media()->DrawCurrentPosToDC(dc, rect.left, rect.top, width, height);
    } else {
        DrawDeviceFrame(dc, rect);
    }
    return 1;
}

int QXPREVIEW::PlayMedia()
{
    if (!hwndImage) {
        CloseMediaPreview();
        Media() = OpenMedia(hwndDialog, filename);
        if (!Media() && !OpenDevice(filename, nullptr))
            return 0;
    }
    if (Media())
        Media()->Play();
    else if (Device())
        PlayDevice();
    return 1;
}

int QXPREVIEW::StopMedia()
{
    if (!hwndImage) {
        CloseMediaPreview();
    } else if (Media()) {
        Media()->Stop();
    } else if (Device()) {
        MCI_GENERIC_PARMS stop{};
        mciSendCommandA(Device(), MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
    }
    return 1;
}

LRESULT CALLBACK QXPREVIEW::MCIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MM_MCINOTIFY:
        // An aborted play was stopped by someone who goes on with the device; any other end of
        // the open device's play ends the preview. Notices of devices closed since are stale.
        if (Device() && static_cast<UINT>(lParam) == Device() && wParam != MCI_NOTIFY_ABORTED)
            CloseMediaPreview();
        return 0;
    case WM_DESTROY:
        CloseMediaPreview();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
