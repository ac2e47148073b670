// The palette's commands: clipboard, formatting, alignment, undo, branches and the editor's
// dialogs, OK and cancel.
#include "branch_commands.h"
#include "bullets.h"
#include "colour_choice.h"
#include "dialog_support.h"
#include "edit_background.h"
#include "edit_frame.h"
#include "edit_rulers.h"
#include "file_commands.h"
#include "editwindow_res.h"
#include "font_hook.h"
#include "format_commands.h"
#include "help.h"
#include "accessors.h"
#include "kernel.h"
#include "paragraph_dialog.h"
#include "properties_dialog.h"
#include "qxfonts.h"
#include "rte_edit_control.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_undo.h"
#include "tabs_dialog.h"
#include "text_document.h"
#include "tools_window.h"

#include <cstdlib>
#include <cstring>

namespace {

template <class Field>
void SetMask(Field& field)
{
    std::memset(&field, 0xFF, sizeof field);
}

// Bold, italic or underline over the selection: inverted when uniform, else as the button.
void ToggleAttribute(EDITSESSION* session, int button, int16_t RteCharStyle::*field)
{
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    RteCharStyle style{}, uniform{};
    const RteRange range{start, end};
    EngineDo([&] { RteGetCharStyle(session->document, &range, false, &style, &uniform); });
    const bool on = (uniform.*field) ? (style.*field) == 0 : IsDlgButtonChecked(session->tools, button) == BST_CHECKED;
    RteCharStyle values{}, mask{};
    values.*field = on ? 1 : 0;
    SetMask(mask.*field);
    ApplyCharStyle(session, nullptr, values, mask, 1);
    CheckDlgButton(session->tools, button, on ? BST_CHECKED : BST_UNCHECKED);
}

void SetAlignment(EDITSESSION* session, int alignment)
{
    AddUndoStep(&session->undo, RTE_UNDO_PAGE_SETTINGS, nullptr, VERB_PARAGRAPH);
    SendMessageA(session->control, RTEM_SETALIGN, 1, alignment);
    MarkModified(session);
}

bool FontIsReadOnly(EDITSESSION* session)
{
    char face[RTE_FONT_NAME_BYTES + 1] = "";
    EngineDo([&] { RteGetFontName(session->document, face); });
    return *face && KernIsFontReadOnly(face);
}

void ApplyListedFace(EDITSESSION* session)
{
    HWND list = GetDlgItem(session->tools, CMD_FONT_LIST);
    char face[LF_FACESIZE] = "";
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || FontIsReadOnly(session) || KernIsFontReadOnly(face))
        return;
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(face));
    if (KernIsFontReadOnly(face))
        return;
    ApplyFontName(session, face, nullptr, 1, 0);
}

void ApplyListedSize(EDITSESSION* session)
{
    HWND list = GetDlgItem(session->tools, CMD_SIZE_LIST);
    char text[16] = "";
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || FontIsReadOnly(session))
        return;
    SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    const int pixels = std::atoi(text);
    if (pixels <= 0)
        return;
    RteCharStyle values{}, mask{};
    values.pointSize = pixels * 96 / session->resolution * 65536;
    SetMask(mask.pointSize);
    ApplyCharStyle(session, nullptr, values, mask, 1);
}

void ChooseTextColourOfSelection(EDITSESSION* session, bool background)
{
    KERNEL* kernel = session->copy->GetKernel();
    COLORREF custom[16]{};
    KernGetCustomColor(kernel, custom);
    CHOOSECOLORA choice{};
    SetUpColourChoice(&choice, session->tools, custom);
    COLORREF current = 0;
    EngineDo([&] {
        if (background)
            RteGetTextBackColor(session->document, &current);
        else
            RteGetCharColor(session->document, &current);
    });
    choice.rgbResult = current & QX_COLOUR_RGB_MASK;
    if (!ChooseTextColour(kernel, &choice))
        return;
    KernSetCustomColor(kernel, custom);
    const COLORREF colour = choice.rgbResult & QX_COLOUR_RGB_MASK;
    ApplyToRuns(session, nullptr, !background, [&](const RteRange& part) {
        if (background)
            RteSetTextBackColor(session->document, &colour, &part, 1);
        else
            RteSetCharColor(session->document, &colour, &part, 1);
    });
}

void ChooseFontOfSelection(EDITSESSION* session)
{
    LOGFONTA font{};
    EngineDo([&] { RteGetLogFont(session->document, &font); });
    // The dialog opens on the selection's raised or lowered position.
    RteCharStyle style{}, uniform{};
    EngineDo([&] { RteGetCharStyle(session->document, nullptr, false, &style, &uniform); });
    FONTDLGCUSTOM* custom = TextFontCustom();
    custom->effects &= ~(QX_FONT_SUPERSCRIPT | QX_FONT_SUBSCRIPT);
    custom->effects |= style.superscript ? QX_FONT_SUPERSCRIPT : style.subscript ? QX_FONT_SUBSCRIPT : 0;
    CHOOSEFONTA choice{};
    SetUpTextFontChoice(&choice, session->tools, &font);
    if (!QXChooseFont(&choice) || KernIsFontReadOnly(font.lfFaceName))
        return;
    RteCharStyle position{}, positionMask{};
    position.superscript = custom->effects & QX_FONT_SUPERSCRIPT ? QX_RAISED_POINTS : 0;
    position.subscript = custom->effects & QX_FONT_SUBSCRIPT ? QX_RAISED_POINTS : 0;
    SetMask(positionMask.superscript);
    SetMask(positionMask.subscript);
    ApplyToRuns(session, nullptr, true, [&](const RteRange& part) {
        RteApplyLogFont(session->document, &font, &part, 1);
        RteSetCharStyle(session->document, &part, &position, &positionMask, 1);
    });
}

void EditParagraph(EDITSESSION* session)
{
    RteParFormat format{}, uniform{};
    EngineDo([&] { RteGetParFormat(session->document, nullptr, false, &format, &uniform); });
    PARAGRAPHRECORD record;
    record.leftIndent = format.leftIndent;
    record.rightIndent = format.rightIndent;
    record.firstIndent = format.firstIndent;
    record.alignment = format.alignment;
    record.lineSpacing = format.lineSpacing;
    record.spaceBefore = format.spaceBefore >> 16;
    record.spaceAfter = format.spaceAfter >> 16;
    record.text = session->copy;
    if (!ParagraphDialog(session->tools, &record))
        return;
    RteParFormat values{}, mask{};
    values.leftIndent = record.leftIndent << 16;
    values.rightIndent = record.rightIndent << 16;
    values.firstIndent = record.firstIndent << 16;
    values.alignment = static_cast<int16_t>(record.alignment);
    values.lineSpacing = record.lineSpacing;
    values.spaceBefore = record.spaceBefore << 16;
    values.spaceAfter = record.spaceAfter << 16;
    SetMask(mask.leftIndent);
    SetMask(mask.rightIndent);
    SetMask(mask.firstIndent);
    SetMask(mask.alignment);
    SetMask(mask.lineSpacing);
    SetMask(mask.spaceBefore);
    SetMask(mask.spaceAfter);
    AddUndoStep(&session->undo, RTE_UNDO_PAGE_SETTINGS, nullptr, VERB_PARAGRAPH);
    EngineDo([&] { RteSetParFormat(session->document, nullptr, &values, &mask, 1); });
    MarkModified(session);
}

void EditProperties(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    PROPERTIESRECORD record;
    record.text = copy;
    record.values = copy->defaults.properties;
    record.values.background = (copy->background & QX_COLOUR_RGB_MASK) | (copy->transparent ? 0 : QX_COLOUR_OPAQUE);
    record.branch = copy->GetBranch(0);
    if (!PropertiesDialog(session->tools, &record))
        return;
    copy->defaults.properties = record.values;
    copy->background = record.values.background & QX_COLOUR_RGB_MASK;
    copy->transparent = IsOpaqueColour(record.values.background) ? 0 : 1;
    if (record.keepAsDefaults)
        SaveTextDefaults(&copy->defaults.properties, copy);
    SendMessageA(session->control, RTEM_SETBKCOLOR, 1, copy->transparent ? QX_NO_BACKGROUND : copy->background);
    copy->SetViewAreas();
    InvalidateRect(session->control, nullptr, TRUE);
    MarkModified(session);
}

// Cut and delete: the branches whose text goes lose their branch and message with it.
void RemoveSelection(EDITSESSION* session, bool cut)
{
    if (cut)
        AddCutStep(&session->undo);
    else
        AddUndoStep(&session->undo, RTE_UNDO_CUT, nullptr, VERB_DELETE);
    SendMessageA(session->control, cut ? WM_CUT : WM_CLEAR, 0, 0);
    MarkModified(session);
}

void Close(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    if ((session->modified || copy->dropped) && !copy->external) {
        switch (MessageBoxA(session->frame, DialogString(IDS_MODIFIED_TEXT), DialogString(IDS_MODIFIED_CAPTION),
                            MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            RunToolCommand(session, CMD_OK);
            return;
        case IDCANCEL:
            return;
        default:
            break;
        }
    }
    EndEditor(session, 0);
}

}  // namespace

void RunToolCommand(EDITSESSION* session, int command)
{
    if (command != CMD_UNDO)
        EndTypingRun(&session->undo);
    switch (command) {
    case CMD_CLOSE: Close(session); return;
    case CMD_OK:
        if (FinishEditing(session))
            EndEditor(session, 1);
        return;
    case CMD_CANCEL: EndEditor(session, 0); return;
    case CMD_BOLD: ToggleAttribute(session, CMD_BOLD, &RteCharStyle::bold); break;
    case CMD_ITALIC: ToggleAttribute(session, CMD_ITALIC, &RteCharStyle::italic); break;
    case CMD_UNDERLINE: ToggleAttribute(session, CMD_UNDERLINE, &RteCharStyle::underline); break;
    case CMD_CUT: RemoveSelection(session, true); break;
    case CMD_DELETE: RemoveSelection(session, false); break;
    case CMD_COPY:
        AddCopyStep(&session->undo);
        SendMessageA(session->control, WM_COPY, 0, 0);
        break;
    case CMD_PASTE:
        SendMessageA(session->control, WM_PASTE, 0, 0);
        session->copy->UpdateScrollBar();
        MarkModified(session);
        break;
    case CMD_BRANCH:
    case CMD_MODIFY_BRANCH: EditBranchOfSelection(session); break;
    case CMD_NEXT_BRANCH: FindNextBranch(session); break;
    case CMD_ALIGN_LEFT:
    case CMD_ALIGN_CENTRE:
    case CMD_ALIGN_RIGHT:
    case CMD_ALIGN_JUSTIFY: SetAlignment(session, command - CMD_ALIGN_LEFT); break;
    case CMD_FONT_LIST: ApplyListedFace(session); break;
    case CMD_SIZE_LIST: ApplyListedSize(session); break;
    case CMD_COLOUR: ChooseTextColourOfSelection(session, false); break;
    case CMD_TEXT_BACKGROUND: ChooseTextColourOfSelection(session, true); break;
    case CMD_SELECT_ALL: SendMessageA(session->control, RTEM_SELECTALL, 1, 0); break;
    case CMD_UNDO:
        if (session->undo.steps.Items())
            UndoLastCommand(&session->undo);
        break;
    case CMD_PROPERTIES: EditProperties(session); break;
    case CMD_SHOW_FILE:
    case CMD_IMPORT:
    case CMD_EXPORT: RunFileCommand(session, command); break;
    case CMD_HELP: KernHelp(session->copy->GetKernel(), QX_TEXT_HELP_PAGE); return;
    case CMD_FONT: ChooseFontOfSelection(session); break;
    case CMD_PARAGRAPH: EditParagraph(session); break;
    case CMD_TABS: EditTabsOfSelection(session); break;
    case CMD_BULLET: ToggleBullets(session); break;
    default: return;
    }
    // The control's own redraw of a change fills with its background colour: over the snapshot
    // of the page beneath a transparent text, the whole control is drawn again.
    if (DrawsOverSnapshot(session))
        InvalidateRect(session->control, nullptr, TRUE);
    if (session->tools) {
        RefreshTools(session);
        SetFocus(session->control);
    }
}
