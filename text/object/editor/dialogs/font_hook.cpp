// The hook of the editor's font dialog.
#include "font_hook.h"

#include "dialog_support.h"
#include "dialogsres.h"
#include "qxfonts.h"
#include "qxwindowptr.h"

#include <dlgs.h>

#include <cstdio>

namespace {

constexpr DWORD TextFontFlags = CF_SCREENFONTS | CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
static_assert(TextFontFlags == 0x159);

FONTDLGCUSTOM* CustomOf(HWND dialog) { return static_cast<FONTDLGCUSTOM*>(GetQORVEXpointer(dialog)); }

// The selected entry of a combo and its text (cut to the room).
int SelectedEntry(HWND dialog, int id, char* text, int room)
{
    *text = '\0';
    const LRESULT entry = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (entry == CB_ERR)
        return -1;
    char whole[256] = "";
    if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, entry, 0) < static_cast<LRESULT>(sizeof whole))
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(whole));
    lstrcpynA(text, whole, room);
    return static_cast<int>(entry);
}

void ShowNote(HWND dialog)
{
    char face[LF_FACESIZE * 2];
    if (SelectedEntry(dialog, cmb1, face, sizeof face) < 0 || !*face) {
        SetDlgItemTextA(dialog, IDC_FONT_NOTE, "");
        return;
    }
    SetDlgItemTextA(dialog, IDC_FONT_NOTE, DialogString(EmbeddingNoteId(GetFontEmbedingFlag(face))));
}

void OnInit(HWND dialog, const CHOOSEFONTA* choice)
{
    FONTDLGCUSTOM* custom = reinterpret_cast<FONTDLGCUSTOM*>(choice->lCustData);
    SetQORVEXpointer(dialog, custom);
    const int effects = custom ? custom->effects : 0;
    Tick(dialog, IDC_FONT_SUPERSCRIPT, (effects & QX_FONT_SUPERSCRIPT) != 0);
    Tick(dialog, IDC_FONT_SUBSCRIPT, (effects & QX_FONT_SUBSCRIPT) != 0 && !(effects & QX_FONT_SUPERSCRIPT));
    ShowNote(dialog);
}

// Superscript and subscript exclude each other; a second click unticks.
void OnScriptClicked(HWND dialog, int clicked, int other)
{
    const bool ticked = IsTicked(dialog, clicked);
    Tick(dialog, clicked, !ticked);
    if (!ticked)
        Tick(dialog, other, false);
}

void SetFlag(int& effects, int flag, bool on) { effects = on ? effects | flag : effects & ~flag; }

void OnOk(HWND dialog)
{
    FONTDLGCUSTOM* custom = CustomOf(dialog);
    if (!custom)
        return;
    custom->faceIndex = SelectedEntry(dialog, cmb1, custom->face, sizeof custom->face);
    custom->sizeIndex = SelectedEntry(dialog, cmb3, custom->size, sizeof custom->size);
    SetFlag(custom->effects, QX_FONT_STRIKEOUT, IsTicked(dialog, chx1));
    SetFlag(custom->effects, QX_FONT_UNDERLINE, IsTicked(dialog, chx2));
    SetFlag(custom->effects, QX_FONT_SUPERSCRIPT, IsTicked(dialog, IDC_FONT_SUPERSCRIPT));
    SetFlag(custom->effects, QX_FONT_SUBSCRIPT, IsTicked(dialog, IDC_FONT_SUBSCRIPT));
}

}  // namespace

FONTDLGCUSTOM* TextFontCustom()
{
    static FONTDLGCUSTOM custom;
    return &custom;
}

// Editable is tested first: such a face may travel even when it is also print-only.
int EmbeddingNoteId(int embedding)
{
    if (embedding == -1)
        return IDS_FONT_NOT_TRUETYPE;
    if (embedding & 0x8)
        return IDS_FONT_TEMPORARY;
    if (embedding & 0x4)
        return IDS_FONT_READ_ONLY;
    if (embedding & 0x2)
        return IDS_FONT_LICENCE;
    return IDS_FONT_FREE;
}

// WM_SETCURSOR is left to the dialog, which sets the pointer over its controls.
UINT_PTR CALLBACK TextFontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<const CHOOSEFONTA*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case cmb1:
            // The foundation's chooser writes its own note on every command of the face box:
            // ours follows it.
            ShowNote(dialog);
            return FALSE;
        case IDC_FONT_SUPERSCRIPT:
            OnScriptClicked(dialog, IDC_FONT_SUPERSCRIPT, IDC_FONT_SUBSCRIPT);
            return TRUE;
        case IDC_FONT_SUBSCRIPT:
            OnScriptClicked(dialog, IDC_FONT_SUBSCRIPT, IDC_FONT_SUPERSCRIPT);
            return TRUE;
        case IDOK:
            OnOk(dialog);
            return FALSE;  // the dialog goes on as usual
        }
        return FALSE;
    case WM_DESTROY:
        SetQORVEXpointer(dialog, nullptr);
        return FALSE;
    }
    return FALSE;
}

void SetUpTextFontChoice(CHOOSEFONTA* choice, HWND owner, LOGFONTA* font)
{
    *choice = CHOOSEFONTA{};
    choice->lStructSize = sizeof(CHOOSEFONTA);
    choice->hwndOwner = owner;
    choice->lpLogFont = font;
    choice->Flags = TextFontFlags;
    choice->lCustData = reinterpret_cast<LPARAM>(TextFontCustom());
    choice->lpfnHook = TextFontHook;
    choice->lpTemplateName = "D_CHOOSEFONT";
    choice->hInstance = DialogsModule();
    choice->nFontType = SCREEN_FONTTYPE;
}
