// The paragraph dialog: five number fields checked in order, two combos that store at once.
#include "paragraph_dialog.h"

#include "dialog_support.h"
#include "dialogsres.h"
#include "help.h"
#include "objet.h"
#include "spin_fields.h"

#include <iterator>

namespace {

// The bars reach 144 for the spaces although 143 is the largest accepted.
constexpr SPINFIELD Left{IDC_PARA_LEFT, IDC_PARA_LEFT_SPIN, 0, 1023};
constexpr SPINFIELD Right{IDC_PARA_RIGHT, IDC_PARA_RIGHT_SPIN, 0, 1023};
constexpr SPINFIELD First{IDC_PARA_FIRST, IDC_PARA_FIRST_SPIN, -1023, 1023};
constexpr SPINFIELD Before{IDC_PARA_BEFORE, IDC_PARA_BEFORE_SPIN, 0, 144};
constexpr SPINFIELD After{IDC_PARA_AFTER, IDC_PARA_AFTER_SPIN, 0, 144};
constexpr SPINFIELD Fields[] = {Left, Right, First, Before, After};

constexpr FIELDCHECK Checks[] = {
    {Left, 0, 1023, IDS_LEFT_INDENT_CAPTION, IDS_LEFT_INDENT_TEXT},
    {Right, 0, 1023, IDS_RIGHT_INDENT_CAPTION, IDS_RIGHT_INDENT_TEXT},
    {First, -1023, 1023, IDS_FIRST_INDENT_CAPTION, IDS_FIRST_INDENT_TEXT},
    {Before, 0, 143, IDS_SPACE_BEFORE_CAPTION, IDS_SPACE_BEFORE_TEXT},
    {After, 0, 143, IDS_SPACE_AFTER_CAPTION, IDS_SPACE_AFTER_TEXT},
};

constexpr int AlignmentNames[] = {IDS_ALIGN_LEFT, IDS_ALIGN_CENTRE, IDS_ALIGN_RIGHT, IDS_ALIGN_JUSTIFY};
constexpr int SpacingNames[] = {IDS_SPACING_SINGLE, IDS_SPACING_ONE_HALF, IDS_SPACING_DOUBLE, IDS_SPACING_TRIPLE};
constexpr int32_t Spacings[] = {QX_SPACING_SINGLE, QX_SPACING_ONE_HALF, QX_SPACING_DOUBLE, QX_SPACING_TRIPLE};


// The whole part of a 16.16 value; the shift keeps the sign of a first-line indent.
int WholePart(int32_t fixed) { return fixed >> 16; }

void FillCombo(HWND dialog, int id, const int* names, int count, int selected)
{
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(DialogString(names[i]))));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int SpacingEntry(int32_t spacing)
{
    for (int i = 0; i < static_cast<int>(std::size(Spacings)); ++i)
        if (Spacings[i] == spacing)
            return i;
    return -1;  // selects nothing
}

void OnInit(HWND dialog, PARAGRAPHRECORD* record)
{
    ShowSpinValue(dialog, Left, WholePart(record->leftIndent));
    ShowSpinValue(dialog, Right, WholePart(record->rightIndent));
    ShowSpinValue(dialog, First, WholePart(record->firstIndent));
    ShowSpinValue(dialog, Before, record->spaceBefore);
    ShowSpinValue(dialog, After, record->spaceAfter);
    for (int i = 0; i < static_cast<int>(std::size(Fields)); ++i)
        record->spins[i] = GetDlgItem(dialog, Fields[i].spin);
    const int alignment = record->alignment >= 0 && record->alignment <= 3 ? record->alignment : -1;
    FillCombo(dialog, IDC_PARA_ALIGNMENT, AlignmentNames, 4, alignment);
    FillCombo(dialog, IDC_PARA_SPACING, SpacingNames, 4, SpacingEntry(record->lineSpacing));
}

void OnOk(HWND dialog, PARAGRAPHRECORD* record)
{
    int values[std::size(Checks)];
    if (!CheckSpinFields(dialog, Checks, static_cast<int>(std::size(Checks)), values))
        return;
    record->leftIndent = values[0];
    record->rightIndent = values[1];
    record->firstIndent = values[2];
    record->spaceBefore = values[3];
    record->spaceAfter = values[4];
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, PARAGRAPHRECORD* record, int id, int notification)
{
    switch (id) {
    case IDOK:
        OnOk(dialog, record);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_PARA_HELP:
        KernHelp(record->text ? record->text->GetKernel() : nullptr, "TXTPARA.PAG");
        break;
    case IDC_PARA_ALIGNMENT:
        if (notification == CBN_SELCHANGE)
            record->alignment = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
        break;
    case IDC_PARA_SPACING:
        if (notification == CBN_SELCHANGE) {
            const LRESULT entry = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            if (entry >= 0 && entry < static_cast<LRESULT>(std::size(Spacings)))
                record->lineSpacing = Spacings[entry];
        }
        break;
    }
}

INT_PTR OnMessage(HWND dialog, PARAGRAPHRECORD* record, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        OnCommand(dialog, record, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message == WM_VSCROLL)
        return StepSpinField(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), Fields,
                             static_cast<int>(std::size(Fields)));
    return FALSE;
}

}  // namespace

int ParagraphDialog(HWND owner, PARAGRAPHRECORD* record)
{
    return RunRecordDialog(owner, "D_PARAGRAPH", RecordDialogProc<PARAGRAPHRECORD, OnInit, OnMessage>, record);
}
