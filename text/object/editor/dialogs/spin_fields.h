// Number fields with a spin bar (a small vertical scroll bar beside the edit): the up arrow
// adds 1, the down arrow subtracts 1, within the bar's range. The bar's position keeps the
// field's last good value, which a refused value is put back to.
#pragma once

#include <windows.h>

struct SPINFIELD {
    int edit;
    int spin;
    int low;   // the bar's range
    int high;
};

// Shows the value in the edit and keeps it as the bar's position (range set too).
void ShowSpinValue(HWND dialog, const SPINFIELD& field, int value);
// The edit's number; false when it holds no whole number.
bool ReadFieldNumber(HWND dialog, int edit, int* value);
// A scroll message of one of the fields' bars: the step done; false when the bar is not theirs.
bool StepSpinField(HWND dialog, HWND bar, int code, const SPINFIELD* fields, int count);

// One field checked on OK: its accepted range and the strings of its refusal box.
struct FIELDCHECK {
    SPINFIELD field;
    int low;
    int high;
    int captionId;
    int textId;
};

// Checks the fields in order; the first one out of range is put back to its last good value
// and refused (box, focus). The values read go to values[i]; false when one was refused.
bool CheckSpinFields(HWND dialog, const FIELDCHECK* checks, int count, int* values);
