// The font chooser: the system font dialog that explains each face's embedding rights and
// offers any colour through an extra "Autre..." entry of its colour box.
#include "qxfonts.h"
#include "qxcolour.h"
#include "fontface.h"
#include "resource.h"

#include <dlgs.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr UINT AddOtherColour = 3024;  // posted to itself once the dialog has filled its boxes
constexpr int FaceBox = cmb1;          // 1136
constexpr int ColourBox = cmb4;        // 1139
constexpr int Description = stc6;      // 1093
constexpr char RecordProperty[] = "QXFH";

HINSTANCE ThisLibrary() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// What the chooser keeps of the caller while its own hook is installed.
struct CHOOSER {
    LPCFHOOKPROC callerHook;
    LPARAM callerData;
    DWORD callerFlags;
    LRESULT otherEntry;  // index of "Autre..." in the colour box, -1 before it is added
    const CHOOSEFONTA* choice;
};

void ShowEmbeddingOfSelectedFace(HWND dialog)
{
    char text[256] = "";
    const LRESULT selected = SendDlgItemMessageA(dialog, FaceBox, CB_GETCURSEL, 0, 0);
    char face[LF_FACESIZE * 2] = "";
    if (selected != CB_ERR && SendDlgItemMessageA(dialog, FaceBox, CB_GETLBTEXTLEN, selected, 0) < LF_FACESIZE * 2 &&
        SendDlgItemMessageA(dialog, FaceBox, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(face)) > 0)
        LoadStringA(ThisLibrary(), EmbeddingMessageId(GetFontEmbedingFlag(face)), text, sizeof text);
    SetDlgItemTextA(dialog, Description, text);
}

void AddOtherColourEntry(HWND dialog, CHOOSER* chooser, COLORREF chosen)
{
    char other[64] = "";
    LoadStringA(ThisLibrary(), IDS_FONT_OTHER_COLOUR, other, sizeof other);
    HWND box = GetDlgItem(dialog, ColourBox);
    bool listed = false;
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && !listed; ++i)
        listed = static_cast<COLORREF>(SendMessageA(box, CB_GETITEMDATA, i, 0)) == chosen;
    chooser->otherEntry = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(other));
    if (chooser->otherEntry < 0 || listed)
        return;
    SendMessageA(box, CB_SETITEMDATA, chooser->otherEntry, chosen);
    SendMessageA(box, CB_SETCURSEL, chooser->otherEntry, 0);
}

// The colour dialog on the library's custom colours, started from the entry's colour.
void PickOtherColour(HWND dialog, const CHOOSER* chooser)
{
    HWND box = GetDlgItem(dialog, ColourBox);
    COLORREF custom[16];
    QXBASE_GetCustomColor(custom);
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.rgbResult = static_cast<COLORREF>(SendMessageA(box, CB_GETITEMDATA, chooser->otherEntry, 0));
    choice.lpCustColors = custom;
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice))
        return;
    QXBASE_SetCustomColor(custom);
    SendMessageA(box, CB_SETITEMDATA, chooser->otherEntry, choice.rgbResult);
    InvalidateRect(box, nullptr, TRUE);
    // The dialog takes the colour of the entry when the selection changes: tell it the entry
    // changed, so that the sample and the result follow.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ColourBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

UINT_PTR CALLBACK FontChooserHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHOOSER* chooser;
    if (message == WM_INITDIALOG) {
        CHOOSEFONTA* choice = reinterpret_cast<CHOOSEFONTA*>(lParam);
        chooser = reinterpret_cast<CHOOSER*>(choice->lCustData);
        SetPropA(dialog, RecordProperty, chooser);
        choice->lCustData = chooser->callerData;  // the caller's hook sees its own data
        ShowEmbeddingOfSelectedFace(dialog);
        PostMessageA(dialog, AddOtherColour, 0, 0);
    } else {
        chooser = static_cast<CHOOSER*>(GetPropA(dialog, RecordProperty));
        if (!chooser)
            return 0;
        if (message == AddOtherColour) {
            AddOtherColourEntry(dialog, chooser, chooser->choice->rgbColors);
            return 1;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == FaceBox)
            ShowEmbeddingOfSelectedFace(dialog);
        if (message == WM_COMMAND && LOWORD(wParam) == ColourBox && HIWORD(wParam) == CBN_CLOSEUP &&
            chooser->otherEntry >= 0 &&
            SendDlgItemMessageA(dialog, ColourBox, CB_GETCURSEL, 0, 0) == chooser->otherEntry) {
            PickOtherColour(dialog, chooser);
            return 1;
        }
        if (message == WM_DESTROY)
            RemovePropA(dialog, RecordProperty);
    }
    return chooser->callerHook ? chooser->callerHook(dialog, message, wParam, lParam) : 0;
}

int ScreenDpiY()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

QXBASE_API BOOL QXChooseFont(CHOOSEFONTA* choice)
{
    if (!choice)
        return 0;
    CHOOSER chooser{(choice->Flags & CF_ENABLEHOOK) ? choice->lpfnHook : nullptr, choice->lCustData, choice->Flags, -1, choice};
    const LPCFHOOKPROC callerHook = choice->lpfnHook;
    choice->lpfnHook = FontChooserHook;
    choice->Flags |= CF_ENABLEHOOK;
    choice->lCustData = reinterpret_cast<LPARAM>(&chooser);
    // Heights are kept at 96 dpi; the dialog works in the screen's resolution.
    const int dpi = ScreenDpiY();
    if (choice->lpLogFont)
        choice->lpLogFont->lfHeight = choice->lpLogFont->lfHeight * dpi / 96;
    const BOOL result = ChooseFontA(choice);
    if (choice->lpLogFont)
        choice->lpLogFont->lfHeight = static_cast<LONG>(96.0 / dpi * choice->lpLogFont->lfHeight);
    choice->lpfnHook = callerHook;
    choice->Flags = (choice->Flags & ~CF_ENABLEHOOK) | (chooser.callerFlags & CF_ENABLEHOOK);
    choice->lCustData = chooser.callerData;
    return result;
}
