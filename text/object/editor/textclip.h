// Text copied in the editor carries its branches and their hover messages in the "QXTEXTCLIP"
// block; pasted text gets new branches of the receiving object, renumbered in its styles.
#pragma once

#include <windows.h>

#include "rte_environment.h"
#include "rte_types.h"
#include "textclip_block.h"

class TEXTE;

// What a paste adds to the receiving object.
class CLIPBRANCHTARGET {
public:
    virtual ~CLIPBRANCHTARGET() = default;
    // A branch number not used by the object yet.
    virtual int NewBranchId() = 0;
    // A new branch of the object, rebuilt from the clipboard record, with the new number.
    virtual void AddBranch(const BYTE* record, int newId) = 0;
    // The hover message of the new branch: from the entry, or the defaults when null.
    virtual void AddMessage(const CLIPMESSAGE* entry, int newId) = 0;
};

// The messages of the entries with the id (every entry for -1; with an id, the first only),
// numbered newId, or each entry's position plus one when newId is -1. The number added.
int ReadClipMessages(const TEXTCLIPBLOCK& block, int messageId, int newId, CLIPBRANCHTARGET& target);

// Gives each branch the pasted document's styles use, and that the block holds, a new branch of
// the target with a new number, written into those styles, and its message. Styles whose number
// the block lacks keep it. The number of branches added.
int PasteClipBranches(const TEXTCLIPBLOCK& block, RteHandle pasted, CLIPBRANCHTARGET& target);

// With the clipboard open: the branches of the clipboard's block given to the pasted document
// and the target. A missing or damaged block leaves the text without branches (0).
int PasteClipboardBranches(RteHandle pasted, CLIPBRANCHTARGET& target);
// What the edit control's paste notification answers, with the clipboard open: a new document
// from the engine's formats whose branches are the target's new ones; null without text.
RteHandle PasteDocumentWithBranches(RteEnvironment* env, CLIPBRANCHTARGET& target);
// What the edit control's copy notification does, with the clipboard open: the copied selection
// put as the engine's formats, then the block beside it (which the clipboard then owns; freed
// when it cannot be set). 1 when the text was put.
int CopyDocumentWithBranches(RteHandle copy, HGLOBAL block);

// The object's branches and messages as a block for the clipboard; null when none could be had.
HGLOBAL MakeTextClipBlock(TEXTE* text);
// Adds the block to the clipboard contents that the caller has opened (after the engine's).
int SetTextClipData(TEXTE* text);
// Opens the clipboard for the window, adds the block and closes it again.
int CopyBranchesToClipboard(TEXTE* text, HWND owner);
// With the clipboard open: the branches of the block given to the pasted document and the
// object.
int PasteBranchesFromClipboard(TEXTE* text, RteHandle pasted);
// The two notifications of the editor's control for a text object.
RteHandle PasteDocumentWithBranches(TEXTE* text, RteEnvironment* env);
int CopyDocumentWithBranches(TEXTE* text, RteHandle copy);
