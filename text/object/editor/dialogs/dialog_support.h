// What the editor's dialogs share: the module that holds their templates and strings, its
// strings, and the boxes with which they refuse a value or ask a question.
#pragma once

#include "qxstring.h"
#include "qxwindowptr.h"

#include <windows.h>

// The module this code is linked into: its resources hold the dialogs' templates and strings
// (the text plug-in, or a test program built with the same resource fragment).
HINSTANCE DialogsModule();
QXSTRING DialogString(int id);

// The information box of a refused field (its caption and text from the strings), then the
// field gets the focus with its text selected.
void RefuseField(HWND dialog, int field, int captionId, int textId);
// A Yes/No question box; true on Yes.
bool AskYesNo(HWND dialog, int captionId, int textId);
// Whether the check box is ticked.
bool IsTicked(HWND dialog, int id);
void Tick(HWND dialog, int id, bool ticked);

// The procedure of a dialog whose record hangs on its window (SetQORVEXpointer): `Init` gets
// WM_INITDIALOG with the record; `Handle` gets the other messages while the record is not
// busy, and WM_DESTROY always.
template <class Record, void (*Init)(HWND, Record*), INT_PTR (*Handle)(HWND, Record*, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK RecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<Record*>(lParam);
        SetQORVEXpointer(dialog, record);
        record->busy = 1;
        Init(dialog, record);
        record->busy = 0;
        return TRUE;
    }
    auto* record = static_cast<Record*>(GetQORVEXpointer(dialog));
    if (!record)
        return FALSE;
    if (message == WM_DESTROY)
        SetQORVEXpointer(dialog, nullptr);
    else if (record->busy)
        return FALSE;
    return Handle(dialog, record, message, wParam, lParam);
}

// Runs the module's dialog template modally with the record: 1 when it ended with 1, else 0.
int RunRecordDialog(HWND owner, const char* templateName, DLGPROC procedure, void* record);
