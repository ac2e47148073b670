// The branch of the selected text edited in "D_BRANCH": its hover message travels between the
// branch's BRMSG and the dialog's TOOLTIPFIELDS; the text gets the branch number and look.
#include "branch_commands.h"

#include "branch_dialog.h"
#include "dialog_support.h"
#include "edit_frame.h"
#include "editwindow_res.h"
#include "format_commands.h"
#include "rte_device_units.h"
#include "rte_edit_control.h"
#include "rte_style_wrappers.h"
#include "rte_undo.h"
#include "text_document.h"
#include "tools_window.h"

#include <cstring>

namespace {

void ToFields(const BRMSG& message, TOOLTIPFIELDS* fields)
{
    fields->text = message.text;
    fields->font = message.font;
    fields->sound = message.sound;
    fields->delay = message.delay;
    for (int i = 0; i < 3; ++i) {
        fields->textColour[i] = message.textColour[i];
        fields->background[i] = message.background[i];
    }
}

void FromFields(const TOOLTIPFIELDS& fields, BRMSG* message)
{
    message->text = fields.text;
    message->font = fields.font;
    message->sound = fields.sound;
    message->delay = fields.delay;
    for (int i = 0; i < 3; ++i) {
        message->textColour[i] = fields.textColour[i];
        message->background[i] = fields.background[i];
    }
}

// The look of branch text, with the branch number, over the selection.
void MarkSelection(EDITSESSION* session, int id, const BRANCHSTYLE& look)
{
    RteCharStyle values{}, mask{};
    values.value14 = id;
    std::memset(&mask.value14, 0xFF, sizeof mask.value14);
    if (look.active) {
        RteColorFromRGB(look.fontColour & QX_COLOUR_RGB_MASK, &values.textColor);
        std::memset(&mask.textColor, 0xFF, sizeof mask.textColor);
        values.bold = look.font.lfWeight >= FW_BOLD ? 1 : 0;
        values.italic = look.font.lfItalic ? 1 : 0;
        values.underline = look.font.lfUnderline ? 1 : 0;
        std::memset(&mask.bold, 0xFF, sizeof mask.bold);
        std::memset(&mask.italic, 0xFF, sizeof mask.italic);
        std::memset(&mask.underline, 0xFF, sizeof mask.underline);
    }
    ApplyCharStyle(session, nullptr, values, mask, 1);
    if (TXTUNDO* last = session->undo.steps.Last())
        last->branch = 1;
}

}  // namespace

void EditBranchOfSelection(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    if (start == end) {
        MessageBoxA(session->tools, DialogString(IDS_BRANCH_HINT_TEXT), DialogString(IDS_BRANCH_HINT_CAPTION),
                    MB_OK | MB_ICONQUESTION);
        return;
    }
    const int id = SelectionBranchId(session);
    const int index = BranchIndexOfId(copy, id);
    TEXTBRANCH branch(copy->GetKernel());
    BRMSG message;
    if (index >= 0) {
        branch.CopyBranch(copy->GetBranch(index));
        if (BRMSG* own = copy->Message(index))
            message.CopyFrom(*own);
    } else {
        branch.visited = copy->defaults.branchStyles.visited.active;
    }
    BRANCHDIALOGRECORD record;
    record.styles = copy->defaults.branchStyles;
    record.branch = &branch;
    record.text = copy;
    record.defaultFont = copy->defaults.properties.font;
    ToFields(message, &record.tooltip);
    EnableWindow(session->control, FALSE);
    const int confirmed = BranchDialog(session->tools, &record);
    EnableWindow(session->control, TRUE);
    if (!confirmed)
        return;
    if (record.keepStyles) {
        copy->defaults.branchStyles = record.styles;
        SaveBranchStyleDefaults(&copy->defaults.branchStyles, copy);
    }
    int number = id;
    if (index >= 0) {
        copy->GetBranch(index)->CopyBranch(&branch);
        if (BRMSG* own = copy->Message(index))
            FromFields(record.tooltip, own);
    } else {
        number = NextBranchId(copy);
        auto* added = new TEXTBRANCH(copy->GetKernel());
        added->CopyBranch(&branch);
        added->pluginMark = number;
        auto* addedMessage = new BRMSG;
        FromFields(record.tooltip, addedMessage);
        addedMessage->branchId = number;
        // Messages stay one a branch, in the same order.
        while (copy->messages.Items() < copy->GetBranchItems())
            copy->messages.AddTail(new BRMSG);
        copy->AddBranch(added);
        copy->messages.AddTail(addedMessage);
    }
    SetEditSelection(session, start, end);
    MarkSelection(session, number, copy->defaults.branchStyles.branch);
    RefreshTools(session);
}

void FindNextBranch(EDITSESSION* session)
{
    int32_t length = 0;
    EngineDo([&] { length = RteTextLength(session->document); });
    for (int pass = 0; pass < 2; ++pass) {
        const int32_t from = pass ? 0 : session->branchFound;
        for (const TEXTRUN& run : RunsOf(session->document, from, length)) {
            if (!run.branchId)
                continue;
            session->branchFound = run.end;
            SetEditSelection(session, run.start, run.end);
            session->direction = 1;
            ShowCaret(session);
            return;
        }
    }
}
