// Undo steps: recorded before each change, labelled for the menu, undone command by command.
#include "txtundo.h"

#include <cstdio>
#include <cstring>

#include "editor_res.h"
#include "rte_edit_control.h"
#include "rte_redisplay.h"
#include "rte_undo.h"

namespace {

constexpr int VerbIds[QX_UNDO_VERBS] = {
    IDS_UNDO_BLANK,  IDS_UNDO_TYPING, IDS_UNDO_BACKSPACE, IDS_UNDO_DELETE, IDS_UNDO_CLEAR,   IDS_UNDO_CUT,
    IDS_UNDO_COPY,   IDS_UNDO_PASTE,  IDS_UNDO_FORMAT,    IDS_UNDO_INSERT, IDS_UNDO_PARAGRAPH, IDS_UNDO_BRANCH,
    IDS_UNDO_REPLACE, IDS_UNDO_COMMAND, 0,                IDS_UNDO_BULLETS_ON, IDS_UNDO_BULLETS_OFF};

// The commands that need a selection.
constexpr UINT SelectionCommands[] = {104, 106, 110};  // cut, copy, delete

RteHandle DocumentOf(const EDITORUNDO* undo)
{
    return undo->editControl ? reinterpret_cast<RteHandle>(SendMessageA(undo->editControl, RTEM_GETDOC, 0, 0)) : nullptr;
}

TXTUNDO* Append(EDITORUNDO* undo, RteHandle record, int16_t code, int verb)
{
    auto* step = new TXTUNDO;
    if (!step) {
        if (record)
            RteUndoFree(record);
        return nullptr;
    }
    step->record = record;
    step->code = code;
    if (undo->grouping) {
        // The command's first step gives the tag: its engine record, or the step for a copy.
        if (!undo->openGroup)
            undo->openGroup = record ? reinterpret_cast<uintptr_t>(record) : reinterpret_cast<uintptr_t>(step);
        step->group = undo->openGroup;
    }
    undo->steps.AddTail(step);
    RecordUndoStep(undo, verb);
    return step;
}

void EnableUndo(EDITORUNDO* undo, bool enable)
{
    if (undo->menuBar)
        EnableMenuItem(undo->menuBar, QX_CMD_UNDO, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    if (undo->undoButton)
        EnableWindow(undo->undoButton, enable);
}

// The menu position of the command in the menu; -1 when it is not there.
int PositionOf(HMENU menu, UINT command)
{
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i)
        if (GetMenuItemID(menu, i) == command)
            return i;
    return -1;
}

void Perform(EDITORUNDO* undo, const TXTUNDO* step)
{
    if (step->code == QX_UNDO_COPY || (step->code == RTE_UNDO_CUT && step->clipboard))
        RestoreClipboardSnapshot(undo->clipboardOwner, &undo->snapshots);
    RteHandle document = DocumentOf(undo);
    if (step->record && document)
        RteUndo(document, step->record, false, RTE_REDRAW_DEFAULT);
}

void AfterUndo(EDITORUNDO* undo)
{
    if (!undo->editControl || !undo->menuBar)
        return;
    const bool range = SendMessageA(undo->editControl, RTEM_HASRANGE, 0, 0) != 0;
    for (UINT command : SelectionCommands)
        EnableMenuItem(undo->menuBar, command, MF_BYCOMMAND | (range ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

TXTUNDO::~TXTUNDO()
{
    if (record)
        RteUndoFree(record);
}

void LoadUndoVerbs(EDITORUNDO* undo, HINSTANCE module)
{
    for (int i = 0; i < QX_UNDO_VERBS; ++i)
        if (VerbIds[i])
            LoadStringA(module, VerbIds[i], undo->verbs[i], QX_UNDO_VERB_CHARS);
}

void UpdateUndoText(EDITORUNDO* undo, UINT command, int verb)
{
    if (!undo || verb < 0 || verb >= QX_UNDO_VERBS)
        return;
    const char* word = undo->verbs[VERB_COMMAND];
    HMENU menu = undo->menuBar ? GetSubMenu(undo->menuBar, 1) : nullptr;
    const int position = menu ? PositionOf(menu, command) : -1;
    if (position >= 0) {
        char text[2 * QX_UNDO_VERB_CHARS + 16];
        std::snprintf(text, sizeof text, "%s %s\tCrtl+Z", word, undo->verbs[verb]);
        DeleteMenu(menu, position, MF_BYPOSITION);
        InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING, command, text);
    }
    if (undo->undoButton) {
        // The button's text is its bitmap's name, a semicolon and the tooltip: the name stays.
        char old[51] = "";
        GetWindowTextA(undo->undoButton, old, sizeof old);
        char* semicolon = std::strchr(old, ';');
        if (semicolon)
            semicolon[1] = 0;
        char text[sizeof old + 2 * QX_UNDO_VERB_CHARS + 2];
        std::snprintf(text, sizeof text, "%s%s %s", semicolon ? old : "", word[0] == '&' ? word + 1 : word,
                      undo->verbs[verb]);
        SetWindowTextA(undo->undoButton, text);
        EnableWindow(undo->undoButton, TRUE);
    }
}

void RecordUndoStep(EDITORUNDO* undo, int verb)
{
    UpdateUndoText(undo, QX_CMD_UNDO, verb);
    EnableUndo(undo, true);
}

void BeginUndoGroup(EDITORUNDO* undo)
{
    undo->grouping = 1;
    undo->openGroup = 0;
}

void EndUndoGroup(EDITORUNDO* undo)
{
    undo->grouping = 0;
    undo->openGroup = 0;
}

TXTUNDO* AddUndoStep(EDITORUNDO* undo, int16_t code, const void* reference, int verb)
{
    EndTypingRun(undo);
    RteHandle document = code == QX_UNDO_COPY ? nullptr : DocumentOf(undo);
    RteHandle record = document ? RteUndoPrepare(document, code, reference) : nullptr;
    if (!record && code != QX_UNDO_COPY)
        return nullptr;
    return Append(undo, record, code, verb);
}

TXTUNDO* AddKeystrokeStep(EDITORUNDO* undo, int16_t code)
{
    RteHandle document = DocumentOf(undo);
    if (!document)
        return nullptr;
    TXTUNDO* last = undo->steps.Last();
    RteHandle previous = undo->typingRun && last && last->code == code ? last->record : nullptr;
    RteHandle record = RteUndoContinue(document, code, previous);
    undo->typingRun = 1;
    if (!record)
        return nullptr;
    if (record == previous)
        return last;
    TXTUNDO keystroke;
    keystroke.code = code;
    return Append(undo, record, code, VerbOfStep(&keystroke));
}

void EndTypingRun(EDITORUNDO* undo) { undo->typingRun = 0; }

TXTUNDO* AddCutStep(EDITORUNDO* undo)
{
    const int taken = TakeClipboardSnapshot(undo->snapshotFolder, undo->clipboardOwner, &undo->snapshots);
    TXTUNDO* step = AddUndoStep(undo, RTE_UNDO_CUT, nullptr, VERB_CUT);
    if (step)
        step->clipboard = taken;
    return step;
}

TXTUNDO* AddCopyStep(EDITORUNDO* undo)
{
    TakeClipboardSnapshot(undo->snapshotFolder, undo->clipboardOwner, &undo->snapshots);
    return AddUndoStep(undo, QX_UNDO_COPY, nullptr, VERB_COPY);
}

int VerbOfStep(const TXTUNDO* step)
{
    switch (step->code) {
    case RTE_UNDO_TYPING: return VERB_TYPING;
    case RTE_UNDO_BACKSPACE: return VERB_BACKSPACE;
    case RTE_UNDO_CUT: return step->replace ? VERB_REPLACE : (step->clipboard ? VERB_CUT : VERB_DELETE);
    case RTE_UNDO_FORWARD_DELETE: return VERB_CLEAR;
    case RTE_UNDO_INSERT_DOCUMENT: return VERB_PASTE;
    case RTE_UNDO_RESTYLE: return step->branch ? VERB_BRANCH : VERB_FORMAT;
    case RTE_UNDO_INSERT_TEXT:
    case RTE_UNDO_INSERT_SPAN: return VERB_INSERT;
    case RTE_UNDO_PAGE_SETTINGS: return VERB_PARAGRAPH;
    case QX_UNDO_COPY: return VERB_COPY;
    default: return -1;
    }
}

void UndoLastCommand(EDITORUNDO* undo)
{
    EndTypingRun(undo);
    for (TXTUNDO* step = undo->steps.Last(); step;) {
        const uintptr_t group = step->group;
        Perform(undo, step);
        undo->steps.Remove(step);
        delete step;
        AfterUndo(undo);
        step = undo->steps.Last();
        if (!step) {
            UpdateUndoText(undo, QX_CMD_UNDO, VERB_BLANK);
            EnableUndo(undo, false);
            return;
        }
        if (step->group == 0 || step->group != group) {
            UpdateUndoText(undo, QX_CMD_UNDO, VerbOfStep(step));
            return;
        }
    }
}

void ClearUndoList(TXTUNDO_LIST* steps)
{
    if (steps)
        steps->Clear();
}

void EndEditorUndo(EDITORUNDO* undo)
{
    if (!undo)
        return;
    if (undo->steps.Items())
        ClearUndoList(&undo->steps);
    if (undo->snapshots.Items())
        DropClipboardSnapshots(&undo->snapshots);
    undo->typingRun = 0;
    EndUndoGroup(undo);
}
