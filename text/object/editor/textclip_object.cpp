// The text object's side of the "QXTEXTCLIP" block: its branches and messages written to the
// clipboard, and the branches of a paste added to it.
#include <cstring>
#include <string>

#include "texte.h"
#include "textclip.h"

namespace {

CLIPMESSAGE EntryOf(const BRMSG& message)
{
    CLIPMESSAGE entry;
    entry.id = message.branchId;
    entry.text = message.text;
    entry.length = message.text.length();
    lstrcpynA(entry.sound, message.sound, sizeof entry.sound);
    entry.delay = message.delay;
    entry.font = message.font;
    std::memcpy(entry.textColour, message.textColour, sizeof entry.textColour);
    std::memcpy(entry.background, message.background, sizeof message.background);
    return entry;
}

void FillFrom(BRMSG& message, const CLIPMESSAGE& entry)
{
    message.text = std::string(entry.text, static_cast<size_t>(entry.length)).c_str();
    message.sound = entry.sound;
    message.delay = entry.delay;
    message.font = entry.font;
    std::memcpy(message.textColour, entry.textColour, sizeof message.textColour);
    std::memcpy(message.background, entry.background, sizeof message.background);
}

class TextTarget : public CLIPBRANCHTARGET {
public:
    explicit TextTarget(TEXTE* text) : text_(text) {}

    int NewBranchId() override { return NextBranchId(text_); }
    void AddBranch(const BYTE* record, int newId) override
    {
        auto* branch = new TEXTBRANCH(text_->GetKernel());
        if (!branch)
            return;
        KernReadBranchClipRecord(record, branch);
        branch->pluginMark = newId;
        text_->AddBranch(branch);
    }
    void AddMessage(const CLIPMESSAGE* entry, int newId) override
    {
        auto* message = new BRMSG;
        if (!message)
            return;
        if (entry)
            FillFrom(*message, *entry);
        message->branchId = newId;
        text_->messages.AddTail(message);
    }

private:
    TEXTE* text_;
};

}  // namespace

HGLOBAL MakeTextClipBlock(TEXTE* text)
{
    if (!text)
        return nullptr;
    TEXTCLIPWRITER writer;
    for (int i = 0; i < text->GetBranchItems(); ++i)
        writer.AddBranch(text->GetBranch(i));
    for (int i = 0; i < text->messages.Items(); ++i)
        if (BRMSG* message = text->Message(i))
            writer.AddMessage(EntryOf(*message));
    return writer.MakeBlock();
}

int SetTextClipData(TEXTE* text)
{
    HGLOBAL block = MakeTextClipBlock(text);
    if (!block)
        return 0;
    if (!SetClipboardData(TextClipFormat(), block)) {
        GlobalFree(block);
        return 0;
    }
    return 1;
}

int CopyBranchesToClipboard(TEXTE* text, HWND owner)
{
    if (!OpenClipboard(owner))
        return 0;
    const int done = SetTextClipData(text);
    CloseClipboard();
    return done;
}

int PasteBranchesFromClipboard(TEXTE* text, RteHandle pasted)
{
    if (!text)
        return 0;
    TextTarget target(text);
    return PasteClipboardBranches(pasted, target);
}

RteHandle PasteDocumentWithBranches(TEXTE* text, RteEnvironment* env)
{
    if (!text)
        return nullptr;
    TextTarget target(text);
    return PasteDocumentWithBranches(env, target);
}

int CopyDocumentWithBranches(TEXTE* text, RteHandle copy)
{
    return CopyDocumentWithBranches(copy, MakeTextClipBlock(text));
}
