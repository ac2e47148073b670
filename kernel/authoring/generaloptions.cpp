// The general options dialog of an object and its entry for the plug-ins' property dialogs.
// The dialog edits a copy of the hover style and reads every field before it changes the
// object, so that a refused field or "Annuler" leaves the object as it was.
#include "generaloptions.h"

#include "authoring.h"
#include "branchfiles.h"
#include "generaloptions_res.h"
#include "selection.h"
#include "soundchooser.h"
#include "../runtime/accessors.h"
#include "../runtime/fonts.h"
#include "../runtime/help.h"
#include "../runtime/kernel.h"
#include "../runtime/kernelprocess.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "qxfonts.h"
#include "qxsupport.h"
#include "qxwindowptr.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The dialog's own state hangs on the dialog under this key pair; the object under the
// plain pointer pair.
constexpr int DataKey1 = 500, DataKey2 = 0;
constexpr int SizeChars = 4;
constexpr int DelayChars = 3;
constexpr int UserStringChars = 500;
constexpr int FileChars = 500;

constexpr int SizeFields[] = {IDC_OPTGEN_X_LABEL,     IDC_OPTGEN_Y_LABEL, IDC_OPTGEN_WIDTH_LABEL,
                              IDC_OPTGEN_HEIGHT_LABEL, IDC_OPTGEN_X,       IDC_OPTGEN_Y,
                              IDC_OPTGEN_WIDTH,        IDC_OPTGEN_HEIGHT};
constexpr int ProgrammerFields[] = {IDC_OPTGEN_PROGRAMMER_FRAME, IDC_OPTGEN_USER_ID, IDC_OPTGEN_ID_LABEL,
                                    IDC_OPTGEN_PARAMS_LABEL, IDC_OPTGEN_USER_STRING};

struct OPTGEN_DATA {
    ~OPTGEN_DATA()
    {
        SetFont(nullptr);
        SetBrush(nullptr);
    }
    void SetFont(HFONT replacement)
    {
        if (font)
            DeleteObject(font);
        font = replacement;
    }
    void SetBrush(HBRUSH replacement)
    {
        if (brush)
            DeleteObject(brush);
        brush = replacement;
    }

    HFONT font{};    // of the message text box
    HBRUSH brush{};  // its background
    // The hover style as edited; it reaches the object only on OK.
    MESSAGESTYLE style{};
};

// Every field of the dialog as read on OK, before any of it reaches the object.
struct OPTGEN_FIELDS {
    QXSTRING text;
    QXSTRING sound;
    int delay{};
    int sizeMode{};
    int x{}, y{}, width{}, height{};
    char userID[OBJET::UserIdChars + 1]{};
    char userString[UserStringChars + 1]{};
};

OBJET* ObjectOf(HWND dialog) { return static_cast<OBJET*>(GetQORVEXpointer(dialog)); }

OPTGEN_DATA* DataOf(HWND dialog) { return static_cast<OPTGEN_DATA*>(GetQORVEXXpointer(dialog, DataKey1, DataKey2)); }

COLORREF AsColorRef(const Color& colour) { return RGB(colour.red, colour.green, colour.blue); }

Color AsColor(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour), 0}; }

QXSTRING ItemText(HWND dialog, int id, int size)
{
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    GetDlgItemTextA(dialog, id, text.data(), size + 1);
    QXSTRING result;
    result = text.data();
    return result;
}

void ShowSizeFields(HWND dialog, bool shown)
{
    for (int id : SizeFields) {
        const HWND item = GetDlgItem(dialog, id);
        EnableWindow(item, shown);
        ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
    }
}

void ShowRectangle(HWND dialog, int x, int y, int width, int height)
{
    SetDlgItemInt(dialog, IDC_OPTGEN_X, static_cast<UINT>(x), TRUE);
    SetDlgItemInt(dialog, IDC_OPTGEN_Y, static_cast<UINT>(y), TRUE);
    SetDlgItemInt(dialog, IDC_OPTGEN_WIDTH, static_cast<UINT>(width), TRUE);
    SetDlgItemInt(dialog, IDC_OPTGEN_HEIGHT, static_cast<UINT>(height), TRUE);
}

void ShowSound(HWND dialog, const char* sound)
{
    SetDlgItemTextA(dialog, IDC_OPTGEN_SOUND, sound);
    EnableWindow(GetDlgItem(dialog, IDC_OPTGEN_REMOVE_SOUND), sound[0] != '\0');
}

void ApplyTextFont(HWND dialog, OPTGEN_DATA* data)
{
    data->SetFont(CreateFontIndirectA(&data->style.font));
    SendDlgItemMessageA(dialog, IDC_OPTGEN_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(data->font), TRUE);
}

// Where the object lies: its own pixel values for a page's base object or an object without
// window, else its window on screen, relative to the page window for an object inside a page.
RECT ObjectRectangle(OBJET* object)
{
    RECT area = {object->x, object->y, object->x + object->w, object->y + object->h};
    if (!object->window || object->isBaseObject())
        return area;
    KernGetClientToScreen(object, &area);
    OBJET* top = KernGetTopObjet(object->kernel);
    if (object->parent && top && top->window)
        MapWindowPoints(nullptr, top->window, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void OnInitDialog(HWND dialog, OBJET* object)
{
    auto* data = new OPTGEN_DATA;
    SetQORVEXpointer(dialog, object);
    SetQORVEXXpointer(dialog, DataKey1, data, DataKey2);
    const MESSOBJ* message = object->message;
    if (message)
        data->style = {message->font, message->textColour, message->backColour};
    else
        data->style = *KernGetDefaultMessageStyle();

    const RECT area = ObjectRectangle(object);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetDlgItemTextA(dialog, IDC_OPTGEN_TEXT, message ? static_cast<const char*>(message->text) : "");
    SetDlgItemInt(dialog, IDC_OPTGEN_DELAY, static_cast<UINT>(message ? message->delay : 0), TRUE);
    ShowSound(dialog, message ? static_cast<const char*>(message->sound) : "");
    ShowRectangle(dialog, area.left, area.top, width < 1 ? static_cast<int>(object->defWidth) : width,
                  height < 1 ? static_cast<int>(object->defHeight) : height);
    SetDlgItemTextA(dialog, IDC_OPTGEN_USER_ID, object->GetUserID());
    SetDlgItemTextA(dialog, IDC_OPTGEN_USER_STRING, object->GetUserString());

    if (!KernGetProgOptions(object->kernel))
        for (int id : ProgrammerFields)
            ShowWindow(GetDlgItem(dialog, id), SW_HIDE);

    SendDlgItemMessageA(dialog, IDC_OPTGEN_DELAY, EM_LIMITTEXT, DelayChars, 0);
    for (int id : {IDC_OPTGEN_X, IDC_OPTGEN_Y, IDC_OPTGEN_WIDTH, IDC_OPTGEN_HEIGHT})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, SizeChars, 0);
    SendDlgItemMessageA(dialog, IDC_OPTGEN_USER_ID, EM_LIMITTEXT, OBJET::UserIdChars, 0);
    SendDlgItemMessageA(dialog, IDC_OPTGEN_USER_STRING, EM_LIMITTEXT, UserStringChars, 0);

    const bool defined = object->sizeMode == QX_SIZE_DEFINED;
    CheckRadioButton(dialog, IDC_OPTGEN_MAXIMAL, IDC_OPTGEN_DEFINED, defined ? IDC_OPTGEN_DEFINED : IDC_OPTGEN_MAXIMAL);
    ShowSizeFields(dialog, defined);
    if (!object->sizeChoice) {
        EnableWindow(GetDlgItem(dialog, IDC_OPTGEN_MAXIMAL), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_OPTGEN_DEFINED), FALSE);
    }
    if (KernIsFontReadOnly(data->style.font.lfFaceName)) {
        EnableWindow(GetDlgItem(dialog, IDC_OPTGEN_TEXT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_OPTGEN_FONT), FALSE);
    }
    ApplyTextFont(dialog, data);
}

void OnSizeMode(HWND dialog, OBJET* object)
{
    if (IsDlgButtonChecked(dialog, IDC_OPTGEN_MAXIMAL) == BST_CHECKED) {
        // A maximal object fills the application window.
        RECT client = {};
        GetClientRect(KernGetAppWindow(object->kernel), &client);
        ShowRectangle(dialog, 0, 0, client.right, client.bottom);
        ShowSizeFields(dialog, false);
        return;
    }
    ShowRectangle(dialog, static_cast<int>(object->defX), static_cast<int>(object->defY),
                  static_cast<int>(object->defWidth), static_cast<int>(object->defHeight));
    ShowSizeFields(dialog, true);
}

void OnChooseFont(HWND dialog, OPTGEN_DATA* data)
{
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    LOGFONTA font = data->style.font;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choice.nFontType = SCREEN_FONTTYPE;
    choice.rgbColors = AsColorRef(data->style.text);
    if (!QXChooseFont(&choice))
        return;
    const HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // iPointSize is in tenths of a point, 72 points to the inch.
    font.lfHeight = -static_cast<LONG>(std::lround(pixelsPerInch * choice.iPointSize / 720.0));
    font.lfWidth = 0;
    data->style.font = font;
    data->style.text = AsColor(choice.rgbColors);
    ApplyTextFont(dialog, data);
}

void OnChooseColour(HWND dialog, OBJET* object, OPTGEN_DATA* data)
{
    COLORREF custom[QX_CUSTOM_COLOURS] = {};
    KernGetCustomColor(object->kernel, custom);
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.rgbResult = AsColorRef(data->style.background);
    choice.lpCustColors = custom;
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice))
        return;
    data->style.background = AsColor(choice.rgbResult);
    KernSetCustomColor(object->kernel, custom);
    InvalidateRect(GetDlgItem(dialog, IDC_OPTGEN_TEXT), nullptr, TRUE);
}

void OnSoundFile(HWND dialog, OBJET* object)
{
    const QXSTRING current = ItemText(dialog, IDC_OPTGEN_SOUND, FileChars);
    QXSTRING chosen;
    if (AskSoundFile(dialog, object->kernel, current, &chosen))
        ShowSound(dialog, chosen);
}

void OnLibrarySound(HWND dialog, OBJET* object)
{
    char chosen[FileChars] = "";
    if (KernChooseSoundTemplate(dialog, object->kernel, chosen))
        ShowSound(dialog, chosen);
}

// Shows the warning of a refused field, leaves the field selected and returns false.
bool Refuse(HWND dialog, int id, int caption, int text)
{
    KernAlert(dialog, caption, text);
    const HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
}

int ItemInt(HWND dialog, int id) { return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, TRUE)); }

bool ReadFields(HWND dialog, OPTGEN_FIELDS& fields)
{
    fields.text = ItemText(dialog, IDC_OPTGEN_TEXT, GetWindowTextLengthA(GetDlgItem(dialog, IDC_OPTGEN_TEXT)));
    fields.sound = ItemText(dialog, IDC_OPTGEN_SOUND, FileChars);
    fields.delay = ItemInt(dialog, IDC_OPTGEN_DELAY);
    if (fields.delay < 0)
        return Refuse(dialog, IDC_OPTGEN_DELAY, IDS_INVALID_DELAY_CAPTION, IDS_INVALID_DELAY);
    fields.delay = std::min(fields.delay, QX_OPTGEN_MAX_DELAY);
    fields.sizeMode = IsDlgButtonChecked(dialog, IDC_OPTGEN_MAXIMAL) == BST_CHECKED ? QX_SIZE_MAXIMAL : QX_SIZE_DEFINED;
    fields.x = ItemInt(dialog, IDC_OPTGEN_X);
    fields.y = ItemInt(dialog, IDC_OPTGEN_Y);
    fields.width = ItemInt(dialog, IDC_OPTGEN_WIDTH);
    if (fields.width < 0)
        return Refuse(dialog, IDC_OPTGEN_WIDTH, IDS_INVALID_WIDTH_CAPTION, IDS_INVALID_WIDTH);
    fields.height = ItemInt(dialog, IDC_OPTGEN_HEIGHT);
    if (fields.height < 0)
        return Refuse(dialog, IDC_OPTGEN_HEIGHT, IDS_INVALID_HEIGHT_CAPTION, IDS_INVALID_HEIGHT);
    GetDlgItemTextA(dialog, IDC_OPTGEN_USER_ID, fields.userID, sizeof fields.userID);
    GetDlgItemTextA(dialog, IDC_OPTGEN_USER_STRING, fields.userString, sizeof fields.userString);
    return true;
}

void PlaceObject(OBJET* object, const OPTGEN_FIELDS& fields)
{
    RECT area = {fields.x, fields.y, fields.x + fields.width, fields.y + fields.height};
    OBJET* top = KernGetTopObjet(object->kernel);
    // The fields are relative to the page window; the object lies in its parent's window.
    if (object->window && object->parent && object->parent->window && top && top->window)
        MapWindowPoints(top->window, object->parent->window, reinterpret_cast<POINT*>(&area), 2);
    object->SetXYWH(area.left, area.top, fields.width, fields.height);
    KERNEL* kernel = object->kernel;
    object->ux = KernS2Ux(kernel, object->x);
    object->uy = KernS2Uy(kernel, object->y);
    object->uw = KernS2Ux(kernel, object->w) - KernS2Ux(kernel, 0);
    object->uh = KernS2Uy(kernel, object->h) - KernS2Uy(kernel, 0);
}

void Commit(OBJET* object, const OPTGEN_FIELDS& fields, const MESSAGESTYLE& style)
{
    if (!object->message)
        object->message = new MESSOBJ;
    if (MESSOBJ* message = object->message) {
        message->text = fields.text;
        message->sound = fields.sound;
        message->delay = fields.delay;
        message->font = style.font;
        message->textColour = style.text;
        message->backColour = style.background;
    }
    object->sizeMode = fields.sizeMode;
    PlaceObject(object, fields);
    lstrcpynA(object->userID, fields.userID, sizeof object->userID);
    object->SetUserString(fields.userString);
    // The next new hover message starts with the style just chosen.
    *KernGetDefaultMessageStyle() = style;
}

void OnOK(HWND dialog, OBJET* object, OPTGEN_DATA* data)
{
    OPTGEN_FIELDS fields;
    if (!ReadFields(dialog, fields))
        return;
    Commit(object, fields, data->style);
    EndDialog(dialog, QX_OPTGEN_CONFIRMED);
}

void OnCommand(HWND dialog, int id)
{
    OBJET* object = ObjectOf(dialog);
    OPTGEN_DATA* data = DataOf(dialog);
    if (!object || !data)
        return;
    switch (id) {
    case IDC_OPTGEN_MAXIMAL:
    case IDC_OPTGEN_DEFINED:
        OnSizeMode(dialog, object);
        break;
    case IDC_OPTGEN_FONT:
        OnChooseFont(dialog, data);
        break;
    case IDC_OPTGEN_COLOUR:
        OnChooseColour(dialog, object, data);
        break;
    case IDC_OPTGEN_SOUND_FILE:
        OnSoundFile(dialog, object);
        break;
    case IDC_OPTGEN_LIBRARY_SOUND:
        OnLibrarySound(dialog, object);
        break;
    case IDC_OPTGEN_REMOVE_SOUND:
        ShowSound(dialog, "");
        break;
    case IDC_OPTGEN_HELP:
        KernHelp(object->kernel, "options.pag");
        break;
    case IDCANCEL:
        EndDialog(dialog, QX_OPTGEN_CANCELLED);
        break;
    case IDOK:
        OnOK(dialog, object, data);
        break;
    }
}

INT_PTR OnColourEdit(HWND dialog, HDC dc, HWND item)
{
    OPTGEN_DATA* data = DataOf(dialog);
    if (!data || item != GetDlgItem(dialog, IDC_OPTGEN_TEXT))
        return FALSE;
    const COLORREF background = AsColorRef(data->style.background);
    SetTextColor(dc, AsColorRef(data->style.text));
    SetBkColor(dc, background);
    data->SetBrush(CreateSolidBrush(background));
    return reinterpret_cast<INT_PTR>(data->brush);
}

void OnDestroy(HWND dialog)
{
    OPTGEN_DATA* data = DataOf(dialog);
    ClearQORVEXXpointer(dialog, data, DataKey1, DataKey2);
    SetQORVEXpointer(dialog, nullptr);
    delete data;
}

}  // namespace

INT_PTR CALLBACK OBJET::LoadOptGenProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<OBJET*>(lParam));
        return TRUE;
    case WM_CTLCOLOREDIT:
        return OnColourEdit(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return TRUE;
    }
    return FALSE;
}

int KernSetGeneralObj(KERNEL*, HWND owner, OBJET* object)
{
    if (!object || !object->kernel)
        return 0;
    MODALDIALOG dialog(KernProcess().module, owner, QX_GENERAL_OPTIONS_DIALOG, OBJET::LoadOptGenProc,
                       reinterpret_cast<LPARAM>(object));
    return dialog.result == QX_OPTGEN_CONFIRMED ? 1 : 0;
}
