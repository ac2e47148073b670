// The settings dialog "D_BOUTON": opening on the copy, the commands of its controls and the
// commit of OK. The picture slots, the preview and the choosers have files of their own.
#include "bouton_dialog.h"

#include "authoring.h"
#include "bouton_dialog_parts.h"
#include "branch.h"
#include "fonts.h"
#include "help.h"
#include "kernel.h"
#include "objdialog.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "qxwindowptr.h"
#include "resource.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr const char* HelpPage = "button.PAG";
// The label's texts are read with this limit, so each keeps at most 79 characters.
constexpr int LabelTextSize = 80;
// The record keeps each displacement in a signed byte.
constexpr int SmallestShift = -128;
constexpr int LargestShift = 127;
constexpr int ShiftChars = 4;
constexpr int ThicknessChars = 3;

struct CODEBUTTON {
    int id;
    int code;
};
constexpr CODEBUTTON StyleButtons[] = {{IDC_STYLE_INVISIBLE, BOUTON_STYLE_INVISIBLE},
                                       {IDC_STYLE_FLAT, BOUTON_STYLE_FLAT},
                                       {IDC_STYLE_3D, BOUTON_STYLE_3D},
                                       {IDC_STYLE_BITMAP, BOUTON_STYLE_BITMAP}};
constexpr CODEBUTTON AlignmentButtons[] = {
    {IDC_ALIGN_TOP_LEFT, 5},    {IDC_ALIGN_TOP, 2},    {IDC_ALIGN_TOP_RIGHT, 6},
    {IDC_ALIGN_LEFT, 1},        {IDC_ALIGN_CENTRE, 0}, {IDC_ALIGN_RIGHT, 3},
    {IDC_ALIGN_BOTTOM_LEFT, 7}, {IDC_ALIGN_BOTTOM, 4}, {IDC_ALIGN_BOTTOM_RIGHT, 8}};
constexpr CODEBUTTON TextStyleButtons[] = {{IDC_TEXT_ENGRAVED, BOUTON_TEXT_ENGRAVED},
                                           {IDC_TEXT_NORMAL, BOUTON_TEXT_NORMAL},
                                           {IDC_TEXT_RAISED, BOUTON_TEXT_RAISED}};
constexpr int AlignmentCodes = 9;

template <size_t N>
const CODEBUTTON* FindButton(const CODEBUTTON (&buttons)[N], int id)
{
    for (const CODEBUTTON& button : buttons)
        if (button.id == id)
            return &button;
    return nullptr;
}

// Checks the button of the code alone among its group.
template <size_t N>
void CheckCode(HWND dialog, const CODEBUTTON (&buttons)[N], int code)
{
    for (const CODEBUTTON& button : buttons)
        SendDlgItemMessageA(dialog, button.id, BM_SETCHECK, button.code == code ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string LabelText(HWND dialog, int id)
{
    char text[LabelTextSize] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// What the branch target control shows: the target, or the function when there is none.
const char* BranchText(const BRANCH& branch)
{
    return branch.target.length() > 0 ? static_cast<const char*>(branch.target)
                                       : static_cast<const char*>(branch.function);
}

void ShowBranch(HWND dialog, BOUTON& copy)
{
    SetDlgItemTextA(dialog, IDC_BRANCH_TARGET, BranchText(*copy.GetBranch(0)));
}

// The part of the label before the separator (state 0) or after it (state 1).
std::string LabelPart(const char* label, int state)
{
    const char* separator = std::strchr(label, BOUTON_LABEL_SEPARATOR);
    if (!separator)
        return state == 0 ? label : "";
    return state == 0 ? std::string(label, separator) : std::string(separator + 1);
}

// The combo box filled from the history, showing its part of the label. A part that the
// history does not hold yet is shown all the same, so that OK keeps it.
void ShowLabelPart(HWND dialog, int id, const std::string& text)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    FillLabelCombo(combo);
    const LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (found != CB_ERR)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else
        SetWindowTextA(combo, text.c_str());
}

// Both texts go into the history and make the label again.
void TakeLabel(HWND dialog, BOUTON& copy)
{
    const std::string released = LabelText(dialog, IDC_RELEASED_TEXT);
    const std::string pressed = LabelText(dialog, IDC_PRESSED_TEXT);
    AddLabelToHistory(released.c_str());
    AddLabelToHistory(pressed.c_str());
    std::string label = released;
    if (!pressed.empty())
        label += BOUTON_LABEL_SEPARATOR + pressed;
    lstrcpynA(copy.label, label.c_str(), sizeof copy.label);
}

void ShowLabel(HWND dialog, const BOUTON& copy)
{
    ShowLabelPart(dialog, IDC_RELEASED_TEXT, LabelPart(copy.label, 0));
    ShowLabelPart(dialog, IDC_PRESSED_TEXT, LabelPart(copy.label, 1));
}

void EnableEffect(HWND dialog, bool on)
{
    EnableWindow(GetDlgItem(dialog, IDC_EFFECT), on);
    EnableWindow(GetDlgItem(dialog, IDC_EFFECT_LABEL), on);
}

void SwitchEffectOff(HWND dialog, BOUTON& copy)
{
    copy.effectId = 0;
    SendDlgItemMessageA(dialog, IDC_EFFECT, CB_SETCURSEL, 0, 0);
}

// A signed value of an edit, bounded; 0 when the edit holds no number.
int SignedValue(HWND dialog, int id, int smallest, int largest)
{
    BOOL ok = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(dialog, id, &ok, TRUE));
    return ok ? std::clamp(value, smallest, largest) : 0;
}

void Open(HWND dialog, BOUTON& copy)
{
    SetQORVEXpointer(dialog, &copy);
    copy.EffectComboCommand(dialog, WM_INITDIALOG, 0, 0, GetDlgItem(dialog, IDC_EFFECT));
    if (copy.style == BOUTON_STYLE_INVISIBLE)
        SwitchEffectOff(dialog, copy);
    SendDlgItemMessageA(dialog, IDC_RELEASED_TEXT, CB_LIMITTEXT, LabelTextSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PRESSED_TEXT, CB_LIMITTEXT, LabelTextSize - 1, 0);
    ShowLabel(dialog, copy);
    SendDlgItemMessageA(dialog, IDC_SHIFT_X, EM_LIMITTEXT, ShiftChars, 0);
    SendDlgItemMessageA(dialog, IDC_SHIFT_Y, EM_LIMITTEXT, ShiftChars, 0);
    SetDlgItemInt(dialog, IDC_SHIFT_X, static_cast<UINT>(copy.pressedDX), TRUE);
    SetDlgItemInt(dialog, IDC_SHIFT_Y, static_cast<UINT>(copy.pressedDY), TRUE);
    CheckCode(dialog, TextStyleButtons, copy.textStyle);
    if (copy.alignment < 0 || copy.alignment >= AlignmentCodes)
        copy.alignment = 0;
    CheckCode(dialog, AlignmentButtons, copy.alignment);
    ShowBranch(dialog, copy);
    CheckDlgButton(dialog, IDC_VISITED_MARK, copy.GetBranch(0)->visited ? BST_CHECKED : BST_UNCHECKED);
    if (!copy.toggle)
        copy.initiallyChecked = 0;
    CreateButtonPreview(dialog, copy);
    SendDlgItemMessageA(dialog, IDC_THICKNESS, EM_LIMITTEXT, ThicknessChars, 0);
    SetDlgItemInt(dialog, IDC_THICKNESS, static_cast<UINT>(copy.borderThickness), FALSE);
    ShowDelayBox(dialog, IDC_DELAY, copy.showDelay);
    for (const SLOTCONTROLS& slot : ButtonSlots) {
        RefreshSlot(dialog, copy, slot.image, false);
        ShowSlotName(dialog, slot.image, copy.imageNames[slot.image]);
    }
    ShowStyle(dialog, copy);
    CheckDlgButton(dialog, IDC_PREVIEW_ON, ButtonPreviewOn() ? BST_CHECKED : BST_UNCHECKED);
    if (KernIsFontReadOnly(copy.font.lfFaceName)) {
        EnableWindow(GetDlgItem(dialog, IDC_FONT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_RELEASED_TEXT), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_PRESSED_TEXT), FALSE);
    }
}

// A picture whose local copy has gone is reported, fetched again and the commit goes on;
// in the order of the record: pressed, released, mask, mouse-over.
void CheckLocalCopies(HWND dialog, BOUTON& copy)
{
    for (int image = 0; image < BOUTON_IMAGES; ++image) {
        if (copy.localCopies[image].length() == 0 || ValidateFileName(copy.localCopies[image], nullptr, 0))
            continue;
        char caption[100], text[300];
        LoadStringA(BoutonModule, IDS_IMAGE_FILE_ERROR, caption, sizeof caption);
        LoadStringA(BoutonModule, SlotOf(image).missingText, text, sizeof text);
        MessageBoxA(dialog, text, caption, MB_OK | MB_ICONWARNING);
        copy.localCopies[image] = "";
        RefreshSlot(dialog, copy, image, true);
    }
}

void Commit(HWND dialog, BOUTON& copy)
{
    for (const CODEBUTTON& button : StyleButtons)
        if (SendDlgItemMessageA(dialog, button.id, BM_GETCHECK, 0, 0) == BST_CHECKED)
            copy.style = button.code;
    TakeLabel(dialog, copy);
    for (const SLOTCONTROLS& slot : ButtonSlots)
        copy.imageNames[slot.image] = ControlText(dialog, slot.name);
    if (copy.style == BOUTON_STYLE_BITMAP)
        CheckLocalCopies(dialog, copy);
    copy.showDelay = ReadDelayBox(dialog, IDC_DELAY);
    copy.GetBranch(0)->visited = IsDlgButtonChecked(dialog, IDC_VISITED_MARK) == BST_CHECKED;
}

void ChooseStyle(HWND dialog, BOUTON& copy, int style)
{
    copy.style = style;
    if (style != BOUTON_STYLE_BITMAP)
        copy.sizeFromImage = 0;
    if (style == BOUTON_STYLE_INVISIBLE)
        SwitchEffectOff(dialog, copy);
    ShowStyle(dialog, copy);
    RepaintPreview(copy);
}

void RemoveBranch(HWND dialog, BOUTON& copy)
{
    ClearBranch(copy.GetBranch(0));
    SetDlgItemTextA(dialog, IDC_BRANCH_TARGET, "");
    RepaintPreview(copy);
}

void SlotCommand(HWND dialog, BOUTON& copy, int id, int code)
{
    for (const SLOTCONTROLS& slot : ButtonSlots) {
        if (id == slot.select) {
            ChooseSlotPicture(dialog, copy, slot.image);
        } else if (id == slot.remove) {
            ShowSlotName(dialog, slot.image, "");
            UpdateSlot(dialog, copy, slot.image);
        } else if (id == slot.name && code == EN_KILLFOCUS) {
            UpdateSlot(dialog, copy, slot.image);
        }
    }
}

void Command(HWND dialog, BOUTON& copy, int id, int code)
{
    if (const CODEBUTTON* style = FindButton(StyleButtons, id))
        return ChooseStyle(dialog, copy, style->code);
    if (const CODEBUTTON* alignment = FindButton(AlignmentButtons, id)) {
        copy.alignment = alignment->code;
        CheckCode(dialog, AlignmentButtons, copy.alignment);
        return RepaintPreview(copy);
    }
    if (const CODEBUTTON* textStyle = FindButton(TextStyleButtons, id)) {
        copy.textStyle = textStyle->code;
        return RepaintPreview(copy);
    }
    switch (id) {
    case IDOK:
        Commit(dialog, copy);
        EndDialog(dialog, 1);
        return;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return;
    case IDHELP:
        KernHelp(copy.kernel, HelpPage);
        return;
    case IDC_GENERAL_OPTIONS:
        KernSetGeneralObj(copy.kernel, dialog, &copy);
        return RepaintPreview(copy);
    case IDC_BRANCH_TARGET:
        if (code == EN_CHANGE)
            EnableWindow(GetDlgItem(dialog, IDC_REMOVE_BRANCH),
                         GetWindowTextLengthA(GetDlgItem(dialog, IDC_BRANCH_TARGET)) > 0);
        return;
    case IDC_IMAGE_SETTINGS:
        return EditPictureSettings(dialog, copy);
    case IDC_REMOVE_BRANCH:
        return RemoveBranch(dialog, copy);
    case IDC_BACKGROUND_COLOUR:
    case IDC_BORDER_COLOUR:
        if (ChooseButtonColour(dialog, copy.kernel, id == IDC_BACKGROUND_COLOUR ? copy.background : copy.border))
            RepaintPreview(copy);
        return;
    case IDC_PREVIEW_ON:
        SetButtonPreviewOn(IsDlgButtonChecked(dialog, IDC_PREVIEW_ON) == BST_CHECKED);
        return RepaintPreview(copy);
    case IDC_FONT:
        if (ChooseButtonFont(dialog, copy))
            RepaintPreview(copy);
        return;
    case IDC_SHIFT_X:
    case IDC_SHIFT_Y:
        if (code == EN_CHANGE) {
            (id == IDC_SHIFT_X ? copy.pressedDX : copy.pressedDY) = SignedValue(dialog, id, SmallestShift, LargestShift);
            RepaintPreview(copy);
        }
        return;
    case IDC_THICKNESS:
        if (code == EN_CHANGE) {
            copy.borderThickness = static_cast<int>(GetDlgItemInt(dialog, IDC_THICKNESS, nullptr, FALSE));
            RepaintPreview(copy);
        }
        return;
    case IDC_LIBRARY:
        return ChooseFromLibrary(dialog, copy);
    case IDC_RELEASED_TEXT:
    case IDC_PRESSED_TEXT:
        if (code == CBN_KILLFOCUS) {
            TakeLabel(dialog, copy);
            ShowLabel(dialog, copy);
            RepaintPreview(copy);
        }
        return;
    case IDC_BRANCH_EDIT:
        KernBranchTo(copy.kernel, dialog, copy.GetBranch(0));
        ShowBranch(dialog, copy);
        return RepaintPreview(copy);
    case IDC_BRANCH_PAGE:
        KernBranchToPage(copy.kernel, dialog, copy.GetBranch(0));
        ShowBranch(dialog, copy);
        return RepaintPreview(copy);
    default:
        return SlotCommand(dialog, copy, id, code);
    }
}

INT_PTR CALLBACK ButtonDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            Open(dialog, *reinterpret_cast<BOUTON*>(lParam));
            return TRUE;
        }
        auto* copy = static_cast<BOUTON*>(GetQORVEXpointer(dialog));
        if (!copy)
            return FALSE;
        if (copy->EffectComboCommand(dialog, message, wParam, lParam, GetDlgItem(dialog, IDC_EFFECT))) {
            if (copy->style == BOUTON_STYLE_INVISIBLE)
                SwitchEffectOff(dialog, *copy);
            if (copy->effectId != 0)
                RepaintPreview(*copy);
            return TRUE;
        }
        if (message == WM_COMMAND) {
            Command(dialog, *copy, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        }
        if (message == WM_DESTROY) {
            if (copy->previewWindow)
                DestroyWindow(copy->previewWindow);
            copy->previewWindow = nullptr;
            SetQORVEXpointer(dialog, nullptr);
        }
        return FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

void ShowStyle(HWND dialog, BOUTON& copy)
{
    static constexpr int FlatGroup[] = {IDC_BACKGROUND_LABEL, IDC_BACKGROUND_COLOUR, IDC_BORDER_LABEL,
                                        IDC_BORDER_COLOUR,    IDC_THICKNESS_LABEL,   IDC_THICKNESS};
    CheckCode(dialog, StyleButtons, copy.style);
    for (int id : FlatGroup)
        ShowWindow(GetDlgItem(dialog, id), copy.style == BOUTON_STYLE_FLAT ? SW_SHOW : SW_HIDE);
    const int bitmapShow = copy.style == BOUTON_STYLE_BITMAP ? SW_SHOW : SW_HIDE;
    ShowWindow(GetDlgItem(dialog, IDC_IMAGE_SETTINGS), bitmapShow);
    for (const SLOTCONTROLS& slot : ButtonSlots)
        for (int id : {slot.select, slot.remove, slot.name, slot.picture})
            ShowWindow(GetDlgItem(dialog, id), bitmapShow);
    EnableEffect(dialog, copy.style != BOUTON_STYLE_INVISIBLE);
}

INT_PTR RunButtonDialog(BOUTON* copy)
{
    return MODALDIALOG(BoutonModule, KernGetAppWindow(copy->kernel), IDD_BOUTON, ButtonDialogProc,
                       reinterpret_cast<LPARAM>(copy))
        .result;
}
