// Number fields with spin bars, and their check in a fixed order on OK.
#include "spin_fields.h"

#include "dialog_support.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

void ShowSpinValue(HWND dialog, const SPINFIELD& field, int value)
{
    const HWND bar = GetDlgItem(dialog, field.spin);
    SetScrollRange(bar, SB_CTL, field.low, field.high, FALSE);
    SetScrollPos(bar, SB_CTL, value, TRUE);
    SetDlgItemInt(dialog, field.edit, static_cast<UINT>(value), TRUE);
}

bool ReadFieldNumber(HWND dialog, int edit, int* value)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, edit, text, sizeof text);
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == text || !end || *end || errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return false;
    *value = static_cast<int>(number);
    return true;
}

bool StepSpinField(HWND dialog, HWND bar, int code, const SPINFIELD* fields, int count)
{
    for (int i = 0; i < count; ++i) {
        const SPINFIELD& field = fields[i];
        if (GetDlgItem(dialog, field.spin) != bar)
            continue;
        if (code != SB_LINEUP && code != SB_LINEDOWN)
            return true;
        // From what the author typed when it is a number, else from the last good value.
        int value = GetScrollPos(bar, SB_CTL);
        ReadFieldNumber(dialog, field.edit, &value);
        value += code == SB_LINEUP ? 1 : -1;
        value = value < field.low ? field.low : value > field.high ? field.high : value;
        ShowSpinValue(dialog, field, value);
        return true;
    }
    return false;
}

bool CheckSpinFields(HWND dialog, const FIELDCHECK* checks, int count, int* values)
{
    for (int i = 0; i < count; ++i) {
        const FIELDCHECK& check = checks[i];
        if (ReadFieldNumber(dialog, check.field.edit, &values[i]) && values[i] >= check.low && values[i] <= check.high)
            continue;
        ShowSpinValue(dialog, check.field, GetScrollPos(GetDlgItem(dialog, check.field.spin), SB_CTL));
        RefuseField(dialog, check.field.edit, check.captionId, check.textId);
        return false;
    }
    return true;
}
