// The text properties dialog.
#include "properties_dialog.h"

#include "authoring.h"
#include "branch.h"
#include "colour_choice.h"
#include "dialog_support.h"
#include "dialogsres.h"
#include "effects.h"
#include "font_hook.h"
#include "help.h"
#include "objdialog.h"
#include "objet.h"
#include "qxfonts.h"
#include "spin_fields.h"

#include <iterator>

namespace {

constexpr SPINFIELD Top{IDC_PROP_TOP, IDC_PROP_TOP_SPIN, 0, 1023};
constexpr SPINFIELD Bottom{IDC_PROP_BOTTOM, IDC_PROP_BOTTOM_SPIN, 0, 1023};
constexpr SPINFIELD Left{IDC_PROP_LEFT, IDC_PROP_LEFT_SPIN, 0, 1023};
constexpr SPINFIELD Right{IDC_PROP_RIGHT, IDC_PROP_RIGHT_SPIN, 0, 1023};
constexpr SPINFIELD Margins[] = {Top, Bottom, Left, Right};
constexpr FIELDCHECK MarginChecks[] = {
    {Top, 0, 1023, IDS_MARGINS_CAPTION, IDS_MARGIN_TOP},
    {Bottom, 0, 1023, IDS_MARGINS_CAPTION, IDS_MARGIN_BOTTOM},
    {Left, 0, 1023, IDS_MARGINS_CAPTION, IDS_MARGIN_LEFT},
    {Right, 0, 1023, IDS_MARGINS_CAPTION, IDS_MARGIN_RIGHT},
};


KERNEL* KernelOf(const PROPERTIESRECORD* record) { return record->text ? record->text->GetKernel() : nullptr; }

// The previews follow the values.
void Repaint(PROPERTIESRECORD* record)
{
    const TEXTPROPERTIES& values = record->values;
    record->documentSample.fill = values.background;
    record->fontSample.fill = values.background;
    record->fontSample.font = &record->values.font;
    record->fontSample.textColour = values.fontColour;
    record->fontSample.textBackground = values.textBackground;
    InvalidateRect(record->documentPreview, nullptr, FALSE);
    InvalidateRect(record->fontPreview, nullptr, FALSE);
}

void ShowTarget(HWND dialog, PROPERTIESRECORD* record)
{
    ShowBranchTarget(dialog, IDC_PROP_TARGET, record->branch);
    record->target = ControlText(dialog, IDC_PROP_TARGET);
    EnableControl(dialog, IDC_PROP_REMOVE_BRANCH, record->target.length() > 0);
}

// A new text takes the default appearance effect.
void TakeDefaultEffect(PROPERTIESRECORD* record)
{
    OBJET* text = record->text;
    const TEXTPROPERTIES& values = record->values;
    if (!text || !record->newText || !values.effectModule[0])
        return;
    text->effectIndex = values.effectIndex;
    text->effectModule = values.effectModule;
    text->showDelay = values.effectDelay;
    text->effectId = KernDllId2EffectId(values.effectModule, values.effectIndex);
}

void OnInit(HWND dialog, PROPERTIESRECORD* record)
{
    TakeDefaultEffect(record);
    if (record->text) {
        record->text->EffectComboCommand(dialog, WM_INITDIALOG, 0, 0, GetDlgItem(dialog, IDC_PROP_EFFECT));
        ShowDelayBox(dialog, IDC_PROP_DELAY, record->text->showDelay);
    }
    TEXTPROPERTIES& values = record->values;
    record->documentColour.rgbResult = values.background;
    SetUpColourChoice(&record->documentColour, dialog, record->customColours);
    record->documentPreview = CreateSampleWindow(dialog, IDC_PROP_DOC_PREVIEW, "EXTXTPROP", &record->documentSample);
    record->fontPreview = CreateSampleWindow(dialog, IDC_PROP_FONT_PREVIEW, "EXTXTPROP", &record->fontSample);
    SetUpTextFontChoice(&record->fontChoice, dialog, &values.font);
    record->fontChoice.rgbColors = values.fontColour;
    record->textBackgroundColour.rgbResult = values.textBackground;
    SetUpColourChoice(&record->textBackgroundColour, GetDlgItem(dialog, IDC_PROP_FONT_PREVIEW), record->customColours);
    Repaint(record);
    Tick(dialog, IDC_PROP_SHOW_RULER, values.showTabRuler != 0);
    const int margins[] = {values.margins.top, values.margins.bottom, values.margins.left, values.margins.right};
    for (int i = 0; i < 4; ++i) {
        ShowSpinValue(dialog, Margins[i], margins[i]);
        record->marginSpins[i] = GetDlgItem(dialog, Margins[i].spin);
    }
    ShowTarget(dialog, record);
}

void OnOk(HWND dialog, PROPERTIESRECORD* record)
{
    int margins[4];
    if (!CheckSpinFields(dialog, MarginChecks, 4, margins))
        return;
    TEXTPROPERTIES& values = record->values;
    values.margins = RECT{margins[2], margins[0], margins[3], margins[1]};
    OBJET* text = record->text;
    if (text) {
        text->showDelay = ReadDelayBox(dialog, IDC_PROP_DELAY);
        KernEffectId2DllIdStr(text->effectId, &text->effectModule, &text->effectIndex);
    }
    if (IsTicked(dialog, IDC_PROP_KEEP) && AskYesNo(dialog, IDS_PROPERTIES_DEFAULT_CAPTION, IDS_PROPERTIES_DEFAULT_TEXT)) {
        if (text) {
            values.effectIndex = text->effectIndex;
            lstrcpynA(values.effectModule, text->effectModule, sizeof values.effectModule);
            values.effectDelay = text->showDelay;
        }
        record->keepAsDefaults = 1;
    }
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, PROPERTIESRECORD* record, int id)
{
    TEXTPROPERTIES& values = record->values;
    switch (id) {
    case IDOK:
        OnOk(dialog, record);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_PROP_DOC_BACKGROUND:
        record->documentColour.rgbResult = values.background;
        if (ChooseColourOrTransparent(KernelOf(record), &record->documentColour)) {
            values.background = record->documentColour.rgbResult;
            Repaint(record);
        }
        break;
    case IDC_PROP_TEXT_BACKGROUND:
        record->textBackgroundColour.rgbResult = values.textBackground;
        if (ChooseColourOrTransparent(KernelOf(record), &record->textBackgroundColour)) {
            values.textBackground = record->textBackgroundColour.rgbResult;
            Repaint(record);
        }
        break;
    case IDC_PROP_FONT:
        record->fontChoice.rgbColors = values.fontColour;
        if (QXChooseFont(&record->fontChoice)) {
            values.fontColour = record->fontChoice.rgbColors;
            Repaint(record);
        }
        break;
    case IDC_PROP_GENERAL:
        if (record->text)
            KernSetGeneralObj(KernelOf(record), dialog, record->text);
        break;
    case IDC_PROP_SHOW_RULER:
        values.showTabRuler = IsTicked(dialog, IDC_PROP_SHOW_RULER) ? 1 : 0;
        break;
    case IDC_PROP_HELP:
        KernHelp(KernelOf(record), "TXTPROP.PAG");
        break;
    case IDC_PROP_BRANCH:
        if (record->branch) {
            KernBranchTo(KernelOf(record), dialog, record->branch);
            ShowTarget(dialog, record);
        }
        break;
    case IDC_PROP_REMOVE_BRANCH:
        ClearBranch(record->branch);
        ShowTarget(dialog, record);
        break;
    }
}

INT_PTR OnMessage(HWND dialog, PROPERTIESRECORD* record, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->text &&
        record->text->EffectComboCommand(dialog, message, wParam, lParam, GetDlgItem(dialog, IDC_PROP_EFFECT)))
        return TRUE;
    if (message == WM_COMMAND) {
        OnCommand(dialog, record, LOWORD(wParam));
        return TRUE;
    }
    if (message == WM_VSCROLL)
        return StepSpinField(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), Margins, 4);
    return FALSE;
}

}  // namespace

int PropertiesDialog(HWND owner, PROPERTIESRECORD* record)
{
    if (!record->classUse.Registered())
        return 0;
    return RunRecordDialog(owner, "D_PROPERTIES", RecordDialogProc<PROPERTIESRECORD, OnInit, OnMessage>, record);
}
