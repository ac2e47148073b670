// The preview pane that any dialog can host (the picture of an image, the current frame of a
// movie, play and stop buttons and the "Activer l'aperçu" check box), and the system open-file
// dialog that carries one under its controls.
#pragma once

#include "qxbase.h"
#include "qxpreviewrequest.h"
#include "qxstring.h"

class CMedia;

// Which controls a preview has: the `flags` of the constructor and of QXPREVIEW_REQUEST.
constexpr char QXPREVIEW_IMAGE = 0x01;
constexpr char QXPREVIEW_PLAY = 0x02;
constexpr char QXPREVIEW_STOP = 0x04;
constexpr char QXPREVIEW_CHECKBOX = 0x08;

// Where the constructor puts the given rectangle: as it is, below the dialog's client area
// (left, centred or right, the dialog growing to make room), or right of it.
constexpr char QXPREVIEW_AT_RECT = 0;
constexpr char QXPREVIEW_BELOW_LEFT = 4;
constexpr char QXPREVIEW_BELOW_CENTRE = 5;
constexpr char QXPREVIEW_BELOW_RIGHT = 6;
constexpr char QXPREVIEW_RIGHT = 10;

// Callback codes. Ready and paint come with the pane window or the device context and the
// pane's client area inset by 2; the others with neither.
constexpr char QXPREVIEW_READY = 1;
constexpr char QXPREVIEW_END = 2;
constexpr char QXPREVIEW_PAINT = 3;
constexpr char QXPREVIEW_PLAY_PRESSED = 4;
constexpr char QXPREVIEW_STOP_PRESSED = 5;

// QXPREVIEW_REQUEST::options: the preview follows the dialog's file-type box (only the first
// type is previewed).
constexpr int QXPREVIEW_FOLLOW_FILE_TYPE = 0x02;

class QXBASE_API QXPREVIEW {
public:
    // An inactive preview with no name.
    QXPREVIEW();
    // Creates the controls that `flags` asks for on `dialog`, placed from `rect` as `placement`
    // says. Active once all of them exist; it then sends QXPREVIEW_READY.
    QXPREVIEW(HWND dialog, char flags, char placement, RECT* rect, QXPREVIEW_CALLBACK callback, LPARAM user);
    // Destroys the image pane; the last live preview also ends the library's MCI window and
    // window classes.
    virtual ~QXPREVIEW();
    QXPREVIEW(const QXPREVIEW&) = delete;
    QXPREVIEW& operator=(const QXPREVIEW&) = delete;
    // The pane deletes its preview when it is destroyed, so previews live in this library's heap.
    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    // While active: the file to preview (null clears it).
    void SetFilename(const char* name);
    // While active: the callback, then the default handling unless the callback answered
    // non-zero; that answer. 0 while inactive.
    int DoCallback(char code, HANDLE handle, const RECT* rect);
    void SetUserData(LPARAM value) { user = value; }
    LPARAM GetUserData() const { return user; }
    // The control of one flag (QXPREVIEW_IMAGE, _PLAY, _STOP or _CHECKBOX); null for others.
    HWND GetHwnd(char which) const;
    // Repaints the picture (the pane's client area inset by 2, erased).
    void DrawImage();
    // Follows the process-wide preview switch: asks `dialog` to read its selection again
    // (WM_COMMAND from control 1120, notification 1) when previewing, forgets the file when
    // not, enables play and stop accordingly and repaints.
    void SetActiveControls(HWND dialog);
    // What the library does for a code when the callback leaves it: draws the image or the
    // movie frame, plays, stops and closes media. 1 for codes 2 to 5 with a file, else 0.
    int DefaultCallback(char code, HANDLE handle, const RECT* rect);

    static LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MCIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The one media preview of the process: the hidden window that receives MCI notifications,
    // the open MCI device (0 when none) and the open media-server object (null when none).
    static HWND hwndMCI;
    static UINT wMCIDevId;
    static CMedia* wqtDevId;

private:
    bool CreateControls(char flags, const RECT& area);
    HWND CreateControl(const char* className, const char* text, DWORD style, const RECT& place, void* parameter);
    int DrawImageFile(HDC dc, const RECT& rect);
    int DrawMediaFrame(HDC dc, const RECT& rect);
    int PlayMedia();
    int StopMedia();

    int active;
    HWND hwndDialog;
    HWND hwndImage;
    HWND hwndPlay;
    HWND hwndStop;
    HWND hwndCheck;
    QXSTRING filename;
    QXPREVIEW_CALLBACK callback;
    LPARAM user;
};

// The system open-file dialog with the library's preview under its controls, as the request
// describes it. The caller's hook and custom data work as with GetOpenFileNameA and the
// OPENFILENAMEA is given back as it came, results aside. GetOpenFileNameA's answer; 0 for a
// null request.
QXBASE_API BOOL PreviewGetOpenFileName(QXPREVIEW_REQUEST* request);
