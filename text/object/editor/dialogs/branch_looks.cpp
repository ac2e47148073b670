// The looks of branch text in the branch dialog.
#include "branch_looks.h"

#include "colour_choice.h"
#include "dialog_support.h"
#include "dialogsres.h"
#include "font_hook.h"
#include "objdialog.h"
#include "objet.h"
#include "qxfonts.h"

namespace {

constexpr int LookControls[] = {IDC_BRANCH_LOOK_FONT, IDC_BRANCH_LOOK_BACKGROUND, IDC_BRANCH_LOOK_PREVIEW};
constexpr int VisitedControls[] = {IDC_BRANCH_VISITED_COLOUR,     IDC_BRANCH_VISITED_STRIKEOUT,
                                   IDC_BRANCH_VISITED_UNDERLINE,  IDC_BRANCH_VISITED_BACKGROUND,
                                   IDC_BRANCH_VISITED_PREVIEW,    IDC_BRANCH_VISITED_BACK_LABEL,
                                   IDC_BRANCH_VISITED_ATTR_LABEL};

KERNEL* KernelOf(const BRANCHDIALOGRECORD* record) { return record->text ? record->text->GetKernel() : nullptr; }

void Enable(HWND dialog, const BRANCHDIALOGRECORD* record)
{
    for (int id : LookControls)
        EnableControl(dialog, id, record->lookOn != 0);
    for (int id : VisitedControls)
        EnableControl(dialog, id, record->visitedOn != 0);
    EnableWindow(record->look.preview, record->lookOn != 0);
    EnableWindow(record->visited.preview, record->visitedOn != 0);
}

void ShowLook(BRANCHLOOK& look, bool on, COLORREF textColour)
{
    // The fill of the block stays "no background": the look's own background shows behind
    // its text.
    look.sample.fill = QX_NO_BACKGROUND;
    look.sample.font = &look.font;
    look.sample.textColour = textColour;
    look.sample.textBackground = look.backgroundChoice.rgbResult;
    look.sample.textShown = on;
    InvalidateRect(look.preview, nullptr, FALSE);
}

void Repaint(BRANCHDIALOGRECORD* record)
{
    record->visited.font.lfStrikeOut = record->visitedStrikeOut;
    record->visited.font.lfUnderline = record->visitedUnderline;
    ShowLook(record->look, record->lookOn != 0, record->look.fontChoice.rgbColors);
    ShowLook(record->visited, record->visitedOn != 0, record->visitedTextChoice.rgbResult);
}

// The visited look is drawn in the face and font of the branch look when that is on, else in
// the text's default font; its strike-out and underline stay its own.
void GiveVisitedTheFace(BRANCHDIALOGRECORD* record)
{
    record->visited.font = record->lookOn ? record->look.font : record->defaultFont;
    Repaint(record);
}

void SetUpLook(HWND dialog, BRANCHLOOK& look, const BRANCHSTYLE& style, int frameId, COLORREF* customColours)
{
    look.font = style.font;
    look.preview = CreateSampleWindow(dialog, frameId, "EXTXTBRANCH", &look.sample);
    SetUpTextFontChoice(&look.fontChoice, dialog, &look.font);
    look.fontChoice.rgbColors = style.fontColour;
    look.backgroundChoice.rgbResult = style.background;
    SetUpColourChoice(&look.backgroundChoice, dialog, customColours);
}

// A transparent background is kept as "no background".
void ChooseBackground(KERNEL* kernel, BRANCHLOOK& look)
{
    if (ChooseColourOrTransparent(kernel, &look.backgroundChoice) && !IsOpaqueColour(look.backgroundChoice.rgbResult))
        look.backgroundChoice.rgbResult = QX_NO_BACKGROUND;
}

}  // namespace

void SetUpLooks(HWND dialog, BRANCHDIALOGRECORD* record)
{
    const BRANCHSTYLES& styles = record->styles;
    Tick(dialog, IDC_BRANCH_LOOK_ON, record->lookOn != 0);
    Tick(dialog, IDC_BRANCH_VISITED_ON, record->visitedOn != 0);
    record->visitedStrikeOut = styles.visited.font.lfStrikeOut;
    record->visitedUnderline = styles.visited.font.lfUnderline;
    Tick(dialog, IDC_BRANCH_VISITED_STRIKEOUT, record->visitedStrikeOut != 0);
    Tick(dialog, IDC_BRANCH_VISITED_UNDERLINE, record->visitedUnderline != 0);
    SetUpLook(dialog, record->look, styles.branch, IDC_BRANCH_LOOK_PREVIEW, record->customColours);
    SetUpLook(dialog, record->visited, styles.visited, IDC_BRANCH_VISITED_PREVIEW, record->customColours);
    record->visitedTextChoice.rgbResult = styles.visited.fontColour & QX_COLOUR_RGB_MASK;
    SetUpColourChoice(&record->visitedTextChoice, dialog, record->customColours);
    GiveVisitedTheFace(record);
    Enable(dialog, record);
}

bool OnLookCommand(HWND dialog, BRANCHDIALOGRECORD* record, int id)
{
    KERNEL* kernel = KernelOf(record);
    switch (id) {
    case IDC_BRANCH_LOOK_ON:
        record->lookOn = IsTicked(dialog, id) ? 1 : 0;
        GiveVisitedTheFace(record);
        Enable(dialog, record);
        return true;
    case IDC_BRANCH_VISITED_ON:
        record->visitedOn = IsTicked(dialog, id) ? 1 : 0;
        Enable(dialog, record);
        break;
    case IDC_BRANCH_LOOK_FONT:
        QXChooseFont(&record->look.fontChoice);
        if (record->lookOn)
            GiveVisitedTheFace(record);
        break;
    case IDC_BRANCH_LOOK_BACKGROUND:
        ChooseBackground(kernel, record->look);
        break;
    case IDC_BRANCH_VISITED_BACKGROUND:
        ChooseBackground(kernel, record->visited);
        break;
    case IDC_BRANCH_VISITED_COLOUR:
        ChooseTextColour(kernel, &record->visitedTextChoice);
        break;
    case IDC_BRANCH_VISITED_STRIKEOUT:
        record->visitedStrikeOut = IsTicked(dialog, id) ? 1 : 0;
        break;
    case IDC_BRANCH_VISITED_UNDERLINE:
        record->visitedUnderline = IsTicked(dialog, id) ? 1 : 0;
        break;
    default:
        return false;
    }
    Repaint(record);
    return true;
}

void StoreLooks(BRANCHDIALOGRECORD* record)
{
    BRANCHSTYLES& styles = record->styles;
    styles.branch.active = record->lookOn;
    styles.branch.font = record->look.font;
    styles.branch.fontColour = record->look.fontChoice.rgbColors;
    styles.branch.background = record->look.backgroundChoice.rgbResult;
    styles.visited.active = record->visitedOn;
    styles.visited.font = record->visited.font;
    styles.visited.fontColour = record->visitedTextChoice.rgbResult;
    styles.visited.background = record->visited.backgroundChoice.rgbResult;
}
