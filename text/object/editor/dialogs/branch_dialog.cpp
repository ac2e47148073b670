// The branch dialog: the target, the hover message and the switch to the styles part.
#include "branch_dialog.h"

#include "authoring.h"
#include "branch.h"
#include "branch_looks.h"
#include "colour_choice.h"
#include "dialog_support.h"
#include "dialogsres.h"
#include "help.h"
#include "kernel.h"
#include "objdialog.h"
#include "objet.h"
#include "qxfonts.h"
#include "sound_library.h"
#include "spin_fields.h"

#include <algorithm>
#include <string>

namespace {

constexpr DWORD TooltipFontFlags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
static_assert(TooltipFontFlags == 0x141);
constexpr int LongestDelay = 60;
constexpr int SoundChars = QX_SOUND_NAME_SIZE - 1;

// Usable only with a target.
constexpr int TargetControls[] = {IDC_BRANCH_REMOVE,        IDC_BRANCH_TIP_TEXT,          IDC_BRANCH_TIP_FONT,
                                  IDC_BRANCH_TIP_COLOUR,    IDC_BRANCH_TIP_DELAY,         IDC_BRANCH_SOUND_FILE_BUTTON,
                                  IDC_BRANCH_SOUND_REMOVE,  IDC_BRANCH_SOUND,             IDC_BRANCH_SOUND_LIBRARY};


KERNEL* KernelOf(const BRANCHDIALOGRECORD* record) { return record->text ? record->text->GetKernel() : nullptr; }

COLORREF ColourOf(const int rgb[3]) { return RGB(rgb[0], rgb[1], rgb[2]); }

void SplitColour(COLORREF colour, int rgb[3])
{
    rgb[0] = GetRValue(colour);
    rgb[1] = GetGValue(colour);
    rgb[2] = GetBValue(colour);
}

void EnableTargetControls(HWND dialog, const BRANCHDIALOGRECORD* record)
{
    for (int id : TargetControls)
        EnableControl(dialog, id, record->target.length() > 0);
}

void ShowTarget(HWND dialog, BRANCHDIALOGRECORD* record)
{
    ShowBranchTarget(dialog, IDC_BRANCH_TARGET, record->branch);
    record->target = ControlText(dialog, IDC_BRANCH_TARGET);
    EnableTargetControls(dialog, record);
}

// The edit of the message text shows it in the message's font.
void ShowTooltipFont(HWND dialog, BRANCHDIALOGRECORD* record)
{
    const HFONT font = CreateFontIndirectA(&record->styles.tooltip.font);
    SendDlgItemMessageA(dialog, IDC_BRANCH_TIP_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (record->tooltipFont)
        DeleteObject(record->tooltipFont);
    record->tooltipFont = font;
}

// With the styles part hidden the dialog ends at the bottom of the divider.
void ShowStyles(HWND dialog, BRANCHDIALOGRECORD* record, bool shown)
{
    RECT window, divider;
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, IDC_BRANCH_DIVIDER), &divider);
    const int height = shown ? record->fullHeight : divider.bottom - window.top + GetSystemMetrics(SM_CYFIXEDFRAME);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(GetDlgItem(dialog, IDC_BRANCH_SHOW_STYLES), shown ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_BRANCH_HIDE_STYLES), shown ? SW_SHOW : SW_HIDE);
}

void OnInit(HWND dialog, BRANCHDIALOGRECORD* record)
{
    BRANCHSTYLES& styles = record->styles;
    const TOOLTIPFIELDS& tooltip = record->tooltip;
    styles.tooltip.fontColour = ColourOf(tooltip.textColour);
    styles.tooltip.background = ColourOf(tooltip.background);
    SetDlgItemTextA(dialog, IDC_BRANCH_SOUND, tooltip.sound);
    SetDlgItemInt(dialog, IDC_BRANCH_TIP_DELAY, static_cast<UINT>(tooltip.delay), FALSE);
    SetDlgItemTextA(dialog, IDC_BRANCH_TIP_TEXT, tooltip.text);
    record->tooltipFontChoice = CHOOSEFONTA{};
    record->tooltipFontChoice.lStructSize = sizeof(CHOOSEFONTA);
    record->tooltipFontChoice.hwndOwner = dialog;
    record->tooltipFontChoice.lpLogFont = &styles.tooltip.font;
    record->tooltipFontChoice.Flags = TooltipFontFlags;
    record->tooltipFontChoice.nFontType = SCREEN_FONTTYPE;
    record->tooltipColourChoice.rgbResult = styles.tooltip.fontColour;
    SetUpColourChoice(&record->tooltipColourChoice, dialog, record->customColours);
    record->lookOn = styles.branch.active ? 1 : 0;
    record->visitedOn = styles.visited.active ? 1 : 0;
    ShowTarget(dialog, record);
    ShowTooltipFont(dialog, record);
    SetUpLooks(dialog, record);
    RECT window;
    GetWindowRect(dialog, &window);
    record->fullHeight = window.bottom - window.top;
    ShowStyles(dialog, record, false);
}

// The delay as typed, within 0..60 (0 when it is not a number).
int TypedDelay(HWND dialog)
{
    int delay = 0;
    if (!ReadFieldNumber(dialog, IDC_BRANCH_TIP_DELAY, &delay))
        return 0;
    return std::clamp(delay, 0, LongestDelay);
}

void OnOk(HWND dialog, BRANCHDIALOGRECORD* record)
{
    if (IsTicked(dialog, IDC_BRANCH_KEEP_STYLES) && AskYesNo(dialog, IDS_BRANCH_STYLES_CAPTION, IDS_BRANCH_STYLES_TEXT))
        record->keepStyles = 1;
    if (!record->target.length()) {
        EndDialog(dialog, 1);
        return;
    }
    StoreLooks(record);
    TOOLTIPFIELDS& tooltip = record->tooltip;
    const BRANCHSTYLE& style = record->styles.tooltip;
    tooltip.text = ControlText(dialog, IDC_BRANCH_TIP_TEXT);
    tooltip.font = style.font;
    SplitColour(style.fontColour, tooltip.textColour);
    SplitColour(style.background, tooltip.background);
    std::string sound(ControlText(dialog, IDC_BRANCH_SOUND));
    tooltip.sound = sound.substr(0, SoundChars).c_str();
    tooltip.delay = TypedDelay(dialog);
    EndDialog(dialog, 1);
}

void OnBranch(HWND dialog, BRANCHDIALOGRECORD* record)
{
    if (!record->branch)
        return;
    KernBranchTo(KernelOf(record), dialog, record->branch);
    ShowTarget(dialog, record);
}

void OnRemoveBranch(HWND dialog, BRANCHDIALOGRECORD* record)
{
    for (int id : {IDC_BRANCH_TARGET, IDC_BRANCH_TIP_TEXT, IDC_BRANCH_SOUND, IDC_BRANCH_TIP_DELAY})
        SetDlgItemTextA(dialog, id, "");
    record->target = "";
    EnableTargetControls(dialog, record);
}

// The string's parts are separated by '|'; the dialog wants them separated by zeros.
std::string SoundFilter()
{
    std::string filter(DialogString(IDS_SOUND_FILTER));
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

// Without a sound yet the dialog starts in the publication's folder, else in the program's.
QXSTRING StartFolder(KERNEL* kernel)
{
    QXSTRING folder = kernel ? KernGetScnPath(kernel) : "";
    const int length = folder.length();
    const char last = length > 0 ? static_cast<const char*>(folder)[length - 1] : '\0';
    if (last == '\\' || last == '/')
        folder.ReplaceCharAt(length - 1, 0, nullptr);
    if (!folder.length() && kernel)
        folder = KernGetAppPath(kernel);
    return folder;
}

void OnSoundFile(HWND dialog, BRANCHDIALOGRECORD* record)
{
    const std::string filter = SoundFilter();
    char name[QX_SOUND_NAME_SIZE] = "";
    char title[QX_SOUND_NAME_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_BRANCH_SOUND, name, sizeof name);
    const QXSTRING folder = StartFolder(KernelOf(record));
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(OPENFILENAMEA);
    request.hwndOwner = dialog;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrInitialDir = name[0] ? nullptr : static_cast<const char*>(folder);
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (KernGetOpenFileName(KernelOf(record), &request))
        SetDlgItemTextA(dialog, IDC_BRANCH_SOUND, name);
}

void OnSoundLibrary(HWND dialog, BRANCHDIALOGRECORD* record)
{
    char file[QX_SOUND_NAME_SIZE] = "";
    if (ChooseLibrarySound(dialog, KernelOf(record), file))
        SetDlgItemTextA(dialog, IDC_BRANCH_SOUND, file);
}

void OnCommand(HWND dialog, BRANCHDIALOGRECORD* record, int id)
{
    if (OnLookCommand(dialog, record, id))
        return;
    switch (id) {
    case IDOK:
        OnOk(dialog, record);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_BRANCH_TARGET_BUTTON:
        OnBranch(dialog, record);
        break;
    case IDC_BRANCH_REMOVE:
        OnRemoveBranch(dialog, record);
        break;
    case IDC_BRANCH_TIP_FONT:
        if (QXChooseFont(&record->tooltipFontChoice))
            ShowTooltipFont(dialog, record);
        break;
    case IDC_BRANCH_TIP_COLOUR:
        record->tooltipColourChoice.rgbResult = record->styles.tooltip.fontColour;
        if (ChooseTextColour(KernelOf(record), &record->tooltipColourChoice))
            record->styles.tooltip.fontColour = record->tooltipColourChoice.rgbResult;
        break;
    case IDC_BRANCH_SHOW_STYLES:
        ShowStyles(dialog, record, true);
        break;
    case IDC_BRANCH_HIDE_STYLES:
        ShowStyles(dialog, record, false);
        break;
    case IDC_BRANCH_SOUND_FILE_BUTTON:
        OnSoundFile(dialog, record);
        break;
    case IDC_BRANCH_SOUND_REMOVE:
        SetDlgItemTextA(dialog, IDC_BRANCH_SOUND, "");
        break;
    case IDC_BRANCH_SOUND_LIBRARY:
        OnSoundLibrary(dialog, record);
        break;
    case IDC_BRANCH_HELP:
        KernHelp(KernelOf(record), "TXTBRANA.PAG");
        break;
    }
}

INT_PTR OnMessage(HWND dialog, BRANCHDIALOGRECORD* record, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_DESTROY) {
        if (record->tooltipFont)
            DeleteObject(record->tooltipFont);
        record->tooltipFont = nullptr;
        return FALSE;
    }
    if (message == WM_COMMAND) {
        OnCommand(dialog, record, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int BranchDialog(HWND owner, BRANCHDIALOGRECORD* record)
{
    if (!record->classUse.Registered())
        return 0;
    return RunRecordDialog(owner, "D_BRANCH", RecordDialogProc<BRANCHDIALOGRECORD, OnInit, OnMessage>, record);
}
