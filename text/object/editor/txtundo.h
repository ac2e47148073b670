// The editor's multi-step Undo: each change to the text is a step holding the engine's undo
// record, labelled with a verb for the menu; the steps of one command share a group tag so that
// one Undo takes back the whole command; a cut or a copy brings the former clipboard back. There
// is no Redo.
#pragma once

#include <windows.h>

#include <cstdint>

#include "clipsnapshot.h"
#include "qxlist.h"
#include "rte_types.h"

// Action codes of a step: the engine's (1 typing, 2 backspace, 3 delete or cut, 4 clear, 5
// paste, 6 format, 7 and 13 insertion, 11 paragraph) and the editor's own copy, which changes no
// text but brings the former clipboard back.
constexpr int16_t QX_UNDO_COPY = 100;

// The Undo command of the menu bar and of the palette's button.
constexpr UINT QX_CMD_UNDO = 121;

// Verb slots of the menu text.
enum UNDOVERB : int {
    VERB_BLANK = 0,
    VERB_TYPING = 1,
    VERB_BACKSPACE = 2,
    VERB_DELETE = 3,
    VERB_CLEAR = 4,
    VERB_CUT = 5,
    VERB_COPY = 6,
    VERB_PASTE = 7,
    VERB_FORMAT = 8,
    VERB_INSERT = 9,
    VERB_PARAGRAPH = 10,
    VERB_BRANCH = 11,
    VERB_REPLACE = 12,
    VERB_COMMAND = 13,  // the command word itself, "&Annuler"
    VERB_BULLETS_ON = 15,
    VERB_BULLETS_OFF = 16,
};
constexpr int QX_UNDO_VERBS = 17;
constexpr int QX_UNDO_VERB_CHARS = 20;

// One step. The engine record is the step's own and goes with it.
class TXTUNDO : public LNODE {
public:
    ~TXTUNDO() override;

    RteHandle record{};  // null for a copy
    int16_t code = 0;
    int branch = 0;      // a format step that applied or removed a branch
    int clipboard = 0;   // a cut or copy step for which a clipboard snapshot was taken
    int paragraph = 0;   // a format step whose undo also resets the bullets of the paragraphs
    int replace = 0;     // a delete step that was the first half of a replacement
    uintptr_t group = 0; // 0 alone; the steps of one command share the record of its first
};

class TXTUNDO_LIST : public LIST {
public:
    TXTUNDO* Last() { return Items() ? static_cast<TXTUNDO*>(GetItem(Items() - 1)) : nullptr; }
};

// What the Undo steps work with, kept in the editor's record.
struct EDITORUNDO {
    HWND editControl{};  // the "rtedit" control whose document the steps change
    HMENU menuBar{};     // its second menu holds the Undo command
    HWND undoButton{};   // the palette's button; its text is "bitmap;tooltip"
    HWND clipboardOwner{};
    const char* snapshotFolder{};  // the kernel's cache folder
    char verbs[QX_UNDO_VERBS][QX_UNDO_VERB_CHARS]{};
    TXTUNDO_LIST steps;
    CLIPBRD_LIST snapshots;
    int typingRun = 0;   // keystrokes of one kind continue the last step while it is set
    int grouping = 0;    // steps added while set share `openGroup`
    uintptr_t openGroup = 0;
};

// The verbs from the module's string table.
void LoadUndoVerbs(EDITORUNDO* undo, HINSTANCE module);
// Retitles the Undo command of the menu and the button with the verb of the slot.
void UpdateUndoText(EDITORUNDO* undo, UINT command, int verb);
// After a step was appended: Undo retitled with the verb and enabled.
void RecordUndoStep(EDITORUNDO* undo, int verb);

// Every step added between the two carries the group tag of the first.
void BeginUndoGroup(EDITORUNDO* undo);
void EndUndoGroup(EDITORUNDO* undo);
// Records the state before a change the caller is about to make (reference as the engine's
// undo preparation takes it) and appends the step. Ends a typing run. Null when the engine has
// no record for it.
TXTUNDO* AddUndoStep(EDITORUNDO* undo, int16_t code, const void* reference, int verb);
// Before a keystroke (typing, backspace or forward delete): continues the last step while the
// typing run lasts and the keystroke is the next of it, else appends a step.
TXTUNDO* AddKeystrokeStep(EDITORUNDO* undo, int16_t code);
// A command, a change of selection or a click ends the typing run.
void EndTypingRun(EDITORUNDO* undo);
// Before a cut or a copy replaces the clipboard: a snapshot of it and the step (a delete marked
// as a cut; a copy, which changes no text).
TXTUNDO* AddCutStep(EDITORUNDO* undo);
TXTUNDO* AddCopyStep(EDITORUNDO* undo);

// What a bulleted paragraph starts with: the bullet character and its tab.
constexpr int32_t QX_BULLET_PREFIX_LENGTH = 2;
// Whether the text at the offset of the control is the bullet prefix.
bool StartsWithBulletPrefix(HWND control, int32_t start, const char* bulletPrefix);

// "Enlever puce(s)": every paragraph the selection touches that begins with the bullet prefix
// (the bullet and its tab) loses them and its hanging indents, in one group of four steps a
// paragraph; the selection stays on the same text. The number of paragraphs changed.
int RemoveBullets(EDITORUNDO* undo, const char* bulletPrefix);

// Undoes the last step, and the steps before it of the same group.
void UndoLastCommand(EDITORUNDO* undo);
// The verb slot of a step; -1 when its code has none.
int VerbOfStep(const TXTUNDO* step);

void ClearUndoList(TXTUNDO_LIST* steps);
// At the close of the editor: the steps and the clipboard snapshots dropped.
void EndEditorUndo(EDITORUNDO* undo);
