// The tabs dialog: a list of positions over the record's tab stops, the kind and leader of
// the one shown, and the default interval checked on OK.
#include "tabs_dialog.h"

#include "dialog_support.h"
#include "dialogsres.h"
#include "help.h"
#include "objet.h"
#include "spin_fields.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr SPINFIELD DefaultInterval{IDC_TABS_DEFAULT, IDC_TABS_DEFAULT_SPIN, 1, 1023};
constexpr FIELDCHECK IntervalCheck{DefaultInterval, 6, 1023, IDS_TABS_CAPTION, IDS_TABS_BAD_DEFAULT};
constexpr int PositionChars = 30;
constexpr int LowestPosition = -1;
constexpr int HighestPosition = 1023;

constexpr int KindButtons[] = {IDC_TABS_LEFT, IDC_TABS_CENTRED, IDC_TABS_RIGHT, IDC_TABS_DECIMAL};
constexpr int32_t Kinds[] = {RTE_TAB_LEFT, RTE_TAB_CENTRED, RTE_TAB_RIGHT, RTE_TAB_DECIMAL};
constexpr int LeaderButtons[] = {IDC_TABS_LEADER_NONE, IDC_TABS_LEADER_DOTS, IDC_TABS_LEADER_DASHES, IDC_TABS_LEADER_LINE};
constexpr int32_t Leaders[] = {QX_LEADER_NONE, QX_LEADER_DOTS, QX_LEADER_DASHES, QX_LEADER_LINE};


HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_TABS_LIST); }

int Listed(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCOUNT, 0, 0)); }

// The button of the value among the choices, the first one when the value is none of them.
void CheckChoice(HWND dialog, const int* buttons, const int32_t* values, int count, int32_t value)
{
    const int* found = std::find(values, values + count, value);
    const int chosen = found == values + count ? 0 : static_cast<int>(found - values);
    CheckRadioButton(dialog, buttons[0], buttons[count - 1], buttons[chosen]);
}

int32_t CheckedChoice(HWND dialog, const int* buttons, const int32_t* values, int count)
{
    for (int i = 0; i < count; ++i)
        if (IsTicked(dialog, buttons[i]))
            return values[i];
    return values[0];
}

void ShowTab(HWND dialog, const RteTab* tab)
{
    CheckChoice(dialog, KindButtons, Kinds, 4, tab ? tab->kind & 0xFFF : RTE_TAB_LEFT);
    CheckChoice(dialog, LeaderButtons, Leaders, 4, tab ? tab->leader : QX_LEADER_NONE);
    if (tab)
        SetDlgItemInt(dialog, IDC_TABS_POSITION, static_cast<UINT>(tab->position), TRUE);
    else
        SetDlgItemTextA(dialog, IDC_TABS_POSITION, "");
}

// The list and the map from the tabs still there, in ascending positions.
void Relist(HWND dialog, TABSRECORD* record)
{
    int indices[RTE_MAX_TABS];
    int listed = 0;
    for (int i = 0; i < record->count; ++i)
        if ((record->tabs[i].kind & 0xFFF) != RTE_TAB_NONE)
            indices[listed++] = i;
    std::stable_sort(indices, indices + listed,
                     [record](int a, int b) { return record->tabs[a].position < record->tabs[b].position; });
    SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < listed; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(record->tabs[indices[i]].position));
        SendMessageA(List(dialog), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        record->map[i] = static_cast<int16_t>(indices[i]);
    }
    for (int i = listed; i < RTE_MAX_TABS; ++i)
        record->map[i] = -1;
}

RteTab* ListedTab(TABSRECORD* record, int entry) { return &record->tabs[record->map[entry]]; }

void OnInit(HWND dialog, TABSRECORD* record)
{
    record->count = std::clamp(record->count, 0, RTE_MAX_TABS);
    Relist(dialog, record);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR_ALL), Listed(dialog) > 0);
    ShowTab(dialog, Listed(dialog) > 0 ? ListedTab(record, 0) : nullptr);
    SendDlgItemMessageA(dialog, IDC_TABS_POSITION, EM_LIMITTEXT, PositionChars, 0);
    ShowSpinValue(dialog, DefaultInterval, record->defaultInterval);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR), FALSE);
    Tick(dialog, IDC_TABS_SHOW_RULER, record->showRuler != 0);
}

void OnSelect(HWND dialog, TABSRECORD* record)
{
    const LRESULT entry = SendMessageA(List(dialog), LB_GETCURSEL, 0, 0);
    if (entry < 0 || entry >= Listed(dialog))
        return;
    ShowTab(dialog, ListedTab(record, static_cast<int>(entry)));
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR), TRUE);
}

// A new tab at its place among the ascending positions.
void InsertTab(TABSRECORD* record, int position, int32_t kind, int32_t leader)
{
    int at = 0;
    while (at < record->count && record->tabs[at].position <= position)
        ++at;
    std::copy_backward(record->tabs + at, record->tabs + record->count, record->tabs + record->count + 1);
    std::copy_backward(record->common + at, record->common + record->count, record->common + record->count + 1);
    record->tabs[at] = RteTab{kind, leader, position, 0};
    record->common[at] = -1;
    ++record->count;
}

// "&Définir": false when the position was refused.
bool Define(HWND dialog, TABSRECORD* record)
{
    char text[PositionChars + 1] = "";
    GetDlgItemTextA(dialog, IDC_TABS_POSITION, text, sizeof text);
    if (!*text)
        return true;  // nothing typed: nothing to define
    const int32_t kind = CheckedChoice(dialog, KindButtons, Kinds, 4);
    const int32_t leader = CheckedChoice(dialog, LeaderButtons, Leaders, 4);
    const LRESULT entry = SendMessageA(List(dialog), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (entry >= 0) {
        RteTab* tab = ListedTab(record, static_cast<int>(entry));
        tab->kind = kind;
        tab->leader = leader;
    } else {
        if (record->count >= RTE_MAX_TABS)
            return true;
        int position = 0;
        if (!ReadFieldNumber(dialog, IDC_TABS_POSITION, &position) || position < LowestPosition || position > HighestPosition) {
            RefuseField(dialog, IDC_TABS_POSITION, IDS_TABS_CAPTION, IDS_TABS_BAD_POSITION);
            return false;
        }
        InsertTab(record, position, kind, leader);
    }
    Relist(dialog, record);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR_ALL), TRUE);
    SetFocus(GetDlgItem(dialog, IDC_TABS_POSITION));
    SendDlgItemMessageA(dialog, IDC_TABS_POSITION, EM_SETSEL, 0, -1);
    return true;
}

void Delete(HWND dialog, TABSRECORD* record)
{
    const int entry = static_cast<int>(SendMessageA(List(dialog), LB_GETCARETINDEX, 0, 0));
    if (entry < 0 || entry >= Listed(dialog))
        return;
    ListedTab(record, entry)->kind = RTE_TAB_NONE;
    Relist(dialog, record);
    const int left = Listed(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR_ALL), left > 0);
    if (left == 0) {
        ShowTab(dialog, nullptr);
        EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR), FALSE);
        return;
    }
    const int next = entry < left ? entry : left - 1;
    SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(next), 0);
    ShowTab(dialog, ListedTab(record, next));
}

void DeleteAll(HWND dialog, TABSRECORD* record)
{
    SendMessageA(List(dialog), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < record->count; ++i)
        record->tabs[i].kind = RTE_TAB_NONE;
    Relist(dialog, record);
    SetDlgItemTextA(dialog, IDC_TABS_POSITION, "");
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_TABS_CLEAR_ALL), FALSE);
}

void OnOk(HWND dialog, TABSRECORD* record)
{
    int interval = 0;
    if (!Define(dialog, record) || !CheckSpinFields(dialog, &IntervalCheck, 1, &interval))
        return;
    record->defaultInterval = interval;
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, TABSRECORD* record, int id, int notification)
{
    switch (id) {
    case IDOK:
        OnOk(dialog, record);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_TABS_LIST:
        if (notification == LBN_SELCHANGE)
            OnSelect(dialog, record);
        break;
    case IDC_TABS_DEFINE:
        Define(dialog, record);
        break;
    case IDC_TABS_CLEAR:
        Delete(dialog, record);
        break;
    case IDC_TABS_CLEAR_ALL:
        DeleteAll(dialog, record);
        break;
    case IDC_TABS_SHOW_RULER:
        record->showRuler = IsTicked(dialog, IDC_TABS_SHOW_RULER) ? 1 : 0;
        break;
    case IDC_TABS_HELP:
        KernHelp(record->text ? record->text->GetKernel() : nullptr, "TXTTAB.PAG");
        break;
    }
}

INT_PTR OnMessage(HWND dialog, TABSRECORD* record, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        OnCommand(dialog, record, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message == WM_VSCROLL)
        return StepSpinField(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), &DefaultInterval, 1);
    return FALSE;
}

}  // namespace

int TabsDialog(HWND owner, TABSRECORD* record)
{
    return RunRecordDialog(owner, "D_TABS", RecordDialogProc<TABSRECORD, OnInit, OnMessage>, record);
}
