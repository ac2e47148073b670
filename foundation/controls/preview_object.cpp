// QXPREVIEW: building the preview's controls on its dialog, the library-wide window classes
// and MCI window that live previews share, and the small operations on a preview.
#include "preview_parts.h"

#include "qxcontrols.h"
#include "resource.h"

#include <dlgs.h>

HWND QXPREVIEW::hwndMCI = nullptr;
UINT QXPREVIEW::wMCIDevId = 0;
CMedia* QXPREVIEW::wqtDevId = nullptr;

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE PreviewLibrary() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

namespace {

constexpr int FirstControlId = 100, ControlIdLimit = 25000;

constexpr int PaneExtraBytes = 40;
constexpr int ButtonSize = 22;
constexpr int ButtonStep = 29;       // from one button to the next, and from the buttons to the check box
constexpr int ControlGap = 7;        // between the pane and the controls right of it
constexpr int CheckBoxHeight = 15;
constexpr int CheckBoxGlyphWidth = 25;  // the box and the gap before its text

constexpr DWORD PlayButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | QXBS_PLAY;
constexpr DWORD StopButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | QXBS_STOP;
constexpr DWORD CheckBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

int livePreviews = 0;
bool previewSwitch = true;

bool RegisterClassOnce(const char* name, WNDPROC procedure, UINT style, int extraBytes)
{
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = PreviewLibrary();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    // A class whose last pane was still being destroyed when the last preview went stays
    // registered: the next preview simply uses it.
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The first live preview makes what all of them share.
void JoinPreviews()
{
    if (livePreviews++ > 0)
        return;
    RegisterClassOnce(PreviewImageClass, QXPREVIEW::ImageProc, CS_VREDRAW | CS_HREDRAW, PaneExtraBytes);
    if (RegisterClassOnce(PreviewMCIClass, QXPREVIEW::MCIWndProc, 0, 0))
        // A message-only window: it only receives notifications, and no dialog's end can take
        // it away while other previews still play through it.
        QXPREVIEW::hwndMCI = CreateWindowExA(0, PreviewMCIClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, HWND_MESSAGE,
                                             nullptr, PreviewLibrary(), nullptr);
}

void LeavePreviews()
{
    if (--livePreviews > 0)
        return;
    if (QXPREVIEW::hwndMCI)
        DestroyWindow(QXPREVIEW::hwndMCI);
    QXPREVIEW::hwndMCI = nullptr;
    UnregisterClassA(PreviewImageClass, PreviewLibrary());
    UnregisterClassA(PreviewMCIClass, PreviewLibrary());
}

int FreeControlId(HWND dialog)
{
    for (int id = FirstControlId; id < ControlIdLimit; ++id)
        if (!GetDlgItem(dialog, id))
            return id;
    return 0;
}

// Width of the check box: its text in the dialog's font, and the box.
int CheckBoxWidth(HWND dialog, const QXSTRING& text)
{
    HDC dc = GetDC(dialog);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text, text.length(), &size);
    if (font)
        SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return size.cx + CheckBoxGlyphWidth;
}

}  // namespace

bool PreviewSwitchOn() { return previewSwitch; }

void SetPreviewSwitch(bool on) { previewSwitch = on; }

void* QXPREVIEW::operator new(size_t bytes) { return ::operator new(bytes); }

void QXPREVIEW::operator delete(void* block) { ::operator delete(block); }

QXPREVIEW::QXPREVIEW()
    : active(0), hwndDialog(nullptr), hwndImage(nullptr), hwndPlay(nullptr), hwndStop(nullptr), hwndCheck(nullptr),
      callback(nullptr), user(0)
{
    JoinPreviews();
}

QXPREVIEW::QXPREVIEW(HWND dialog, char flags, char placement, RECT* rect, QXPREVIEW_CALLBACK function,
                     LPARAM value)
    : QXPREVIEW()
{
    hwndDialog = dialog;
    callback = function;
    user = value;
    RECT area{};
    if (!dialog || !rect || !PlacePreviewArea(dialog, placement, *rect, &area) || !CreateControls(flags, area))
        return;
    active = 1;
    if (hwndCheck)
        SendMessageA(hwndCheck, BM_SETCHECK, PreviewSwitchOn() ? BST_CHECKED : BST_UNCHECKED, 0);
    RECT picture{};
    if (hwndImage) {
        GetClientRect(hwndImage, &picture);
        InflateRect(&picture, -PreviewPaneInset, -PreviewPaneInset);
    }
    DoCallback(QXPREVIEW_READY, hwndImage, hwndImage ? &picture : nullptr);
}

QXPREVIEW::~QXPREVIEW()
{
    if (hwndImage) {
        // Cleared first, so that the pane does not delete this preview a second time.
        SetWindowLongPtrA(hwndImage, 0, 0);
        DestroyWindow(hwndImage);
    }
    LeavePreviews();
}

HWND QXPREVIEW::CreateControl(const char* className, const char* text, DWORD style, const RECT& place,
                              void* parameter)
{
    const int id = FreeControlId(hwndDialog);
    if (!id)
        return nullptr;
    return CreateWindowExA(0, className, text, style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, hwndDialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           PreviewLibrary(), parameter);
}

bool QXPREVIEW::CreateControls(char flags, const RECT& area)
{
    QXSTRING checkText;
    checkText.LoadResource(PreviewLibrary(), IDS_PREVIEW_ENABLE);
    const int checkWidth = (flags & QXPREVIEW_CHECKBOX) ? CheckBoxWidth(hwndDialog, checkText) : 0;
    const bool play = flags & QXPREVIEW_PLAY, stop = flags & QXPREVIEW_STOP;

    // The controls go right of the pane, or at the area's left when there is no pane.
    LONG controlsLeft = area.left;
    if (flags & QXPREVIEW_IMAGE) {
        RECT pane = area;
        LONG narrowing = play && stop ? 2 * ButtonStep : play || stop ? ButtonStep : 0;
        if (checkWidth > narrowing)
            narrowing = checkWidth;
        if (pane.right - narrowing > pane.left)
            pane.right -= narrowing;
        if (!(hwndImage = CreateControl(PreviewImageClass, "", WS_CHILD | WS_VISIBLE, pane, this)))
            return false;
        controlsLeft = pane.right + ControlGap;
    }
    LONG buttonLeft = controlsLeft;
    if (play) {
        const RECT place{buttonLeft, area.top, buttonLeft + ButtonSize, area.top + ButtonSize};
        if (!(hwndPlay = CreateControl(QXBUTTON_CLASS, "PLAY", PlayButtonStyle, place, nullptr)))
            return false;
        buttonLeft += ButtonStep;
    }
    if (stop) {
        const RECT place{buttonLeft, area.top, buttonLeft + ButtonSize, area.top + ButtonSize};
        if (!(hwndStop = CreateControl(QXBUTTON_CLASS, "STOP", StopButtonStyle, place, nullptr)))
            return false;
    }
    if (flags & QXPREVIEW_CHECKBOX) {
        const LONG top = area.top + (play || stop ? ButtonStep : 0);
        const RECT place{controlsLeft, top, controlsLeft + checkWidth, top + CheckBoxHeight};
        if (!(hwndCheck = CreateControl("BUTTON", checkText, CheckBoxStyle, place, nullptr)))
            return false;
        SendMessageA(hwndCheck, WM_SETFONT, SendMessageA(hwndDialog, WM_GETFONT, 0, 0), FALSE);
    }
    return true;
}

void QXPREVIEW::SetFilename(const char* name)
{
    if (active)
        filename = name ? name : "";
}

int QXPREVIEW::DoCallback(char code, HANDLE handle, const RECT* rect)
{
    if (!active)
        return 0;
    if (callback) {
        const int answer = callback(code, handle, rect, filename, user);
        if (answer)
            return answer;
    }
    return DefaultCallback(code, handle, rect);
}

HWND QXPREVIEW::GetHwnd(char which) const
{
    switch (which) {
    case QXPREVIEW_IMAGE:
        return hwndImage;
    case QXPREVIEW_PLAY:
        return hwndPlay;
    case QXPREVIEW_STOP:
        return hwndStop;
    case QXPREVIEW_CHECKBOX:
        return hwndCheck;
    default:
        return nullptr;
    }
}

void QXPREVIEW::DrawImage()
{
    if (!hwndImage)
        return;
    RECT picture{};
    GetClientRect(hwndImage, &picture);
    InflateRect(&picture, -PreviewPaneInset, -PreviewPaneInset);
    InvalidateRect(hwndImage, &picture, TRUE);
}

void QXPREVIEW::SetActiveControls(HWND dialog)
{
    const bool on = PreviewSwitchOn();
    if (!hwndCheck || on)
        // The selection list's notification of a new selection: the dialog reads it again.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(lst1, 1), reinterpret_cast<LPARAM>(GetDlgItem(dialog, lst1)));
    else
        filename = "";
    if (hwndPlay)
        EnableWindow(hwndPlay, on);
    if (hwndStop)
        EnableWindow(hwndStop, on);
    DrawImage();
}
