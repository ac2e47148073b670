// The styles part of the branch dialog: the look of branch text and of visited branch text,
// their previews and their dialogs.
#pragma once

#include "branch_dialog.h"

// The previews and dialog records of both looks, from the record's styles and switches.
void SetUpLooks(HWND dialog, BRANCHDIALOGRECORD* record);
// A command of the styles part; false when the id is not one of it.
bool OnLookCommand(HWND dialog, BRANCHDIALOGRECORD* record, int id);
// The looks as chosen, into the record's styles.
void StoreLooks(BRANCHDIALOGRECORD* record);
