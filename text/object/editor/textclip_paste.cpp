// Pasting text with branches: the pasted document's branch numbers mapped to new branches of
// the receiving object.
#include <map>

#include "rte_clipboard.h"
#include "rte_document.h"
#include "rte_edit_control.h"
#include "rte_typed.h"
#include "textclip.h"

int ReadClipMessages(const TEXTCLIPBLOCK& block, int messageId, int newId, CLIPBRANCHTARGET& target)
{
    int added = 0;
    for (size_t i = 0; i < block.messages.size(); ++i) {
        const CLIPMESSAGE& entry = block.messages[i];
        if (messageId != -1 && entry.id != messageId)
            continue;
        target.AddMessage(&entry, newId != -1 ? newId : static_cast<int>(i) + 1);
        ++added;
        if (messageId != -1)
            break;
    }
    return added;
}

int PasteClipBranches(const TEXTCLIPBLOCK& block, RteHandle pasted, CLIPBRANCHTARGET& target)
{
    if (!block.valid || !pasted)
        return 0;
    // One new branch per old number, however many styles carry it (bold and plain runs of one
    // link stay one link).
    std::map<int32_t, int32_t> renumbered;
    RteLocked<RteDocument> document(pasted);
    RteLocked<RteCharStyle> styles(document->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        const int32_t old = styles[i].value14;
        if (old == 0)
            continue;
        auto known = renumbered.find(old);
        if (known == renumbered.end()) {
            const BYTE* record = FindClipBranch(block, old);
            if (!record)
                continue;
            const int newId = target.NewBranchId();
            target.AddBranch(record, newId);
            // Messages stay index-aligned with branches: a branch without an entry gets the defaults.
            if (ReadClipMessages(block, old, newId, target) == 0)
                target.AddMessage(nullptr, newId);
            known = renumbered.emplace(old, newId).first;
        }
        styles[i].value14 = known->second;
    }
    return static_cast<int>(renumbered.size());
}

int PasteClipboardBranches(RteHandle pasted, CLIPBRANCHTARGET& target)
{
    HGLOBAL data = pasted ? GetClipboardData(TextClipFormat()) : nullptr;
    const auto* bytes = data ? static_cast<const BYTE*>(GlobalLock(data)) : nullptr;
    if (!bytes)
        return 0;
    const int added = PasteClipBranches(ReadTextClipBlock(bytes, GlobalSize(data)), pasted, target);
    GlobalUnlock(data);
    return added;
}

RteHandle PasteDocumentWithBranches(RteEnvironment* env, CLIPBRANCHTARGET& target)
{
    RteHandle pasted = env ? RteDocFromClipboard(env, RteControlClipboardFormat(), nullptr) : nullptr;
    PasteClipboardBranches(pasted, target);
    return pasted;
}

int CopyDocumentWithBranches(RteHandle copy, HGLOBAL block)
{
    const int put = copy ? RtePutClipboard(copy, RteControlClipboardFormat(), RTE_PUT_ALL) : 0;
    if (block && !(put && SetClipboardData(TextClipFormat(), block)))
        GlobalFree(block);
    return put;
}
