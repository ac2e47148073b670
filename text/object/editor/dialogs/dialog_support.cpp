// The module, strings and boxes of the editor's dialogs.
#include "dialog_support.h"

#include "qxsupport.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE DialogsModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

QXSTRING DialogString(int id)
{
    QXSTRING text;
    text.LoadResource(DialogsModule(), id);
    return text;
}

void RefuseField(HWND dialog, int field, int captionId, int textId)
{
    MessageBoxA(dialog, DialogString(textId), DialogString(captionId), MB_OK | MB_ICONINFORMATION);
    const HWND control = GetDlgItem(dialog, field);
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

bool AskYesNo(HWND dialog, int captionId, int textId)
{
    return MessageBoxA(dialog, DialogString(textId), DialogString(captionId), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Tick(HWND dialog, int id, bool ticked) { CheckDlgButton(dialog, id, ticked ? BST_CHECKED : BST_UNCHECKED); }

int RunRecordDialog(HWND owner, const char* templateName, DLGPROC procedure, void* record)
{
    const MODALDIALOG dialog(DialogsModule(), owner, templateName, procedure, reinterpret_cast<LPARAM>(record));
    return dialog.result == 1 ? 1 : 0;
}
