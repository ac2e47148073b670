// The text editor's paste of branches: any program may put bytes on the clipboard under
// "QXTEXTCLIP"; they are read with every count and length checked against the block's size,
// and their branches given to a pasted document whose runs carry the numbers the corpus uses.
#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "clipboard_turn.h"
#include "fuzz_files.h"
#include "fuzz_targets.h"
#include "rte_document.h"
#include "rte_editing.h"
#include "rte_styles.h"
#include "textclip.h"

namespace {

// What a receiving object would make of the block: real branches rebuilt from the records.
class BranchesMade : public CLIPBRANCHTARGET {
public:
    int NewBranchId() override { return next_++; }
    void AddBranch(const BYTE* record, int newId) override
    {
        auto branch = std::make_unique<BRANCH>();
        KernReadBranchClipRecord(record, branch.get());
        branch->pluginMark = newId;
        branches_.push_back(std::move(branch));
    }
    void AddMessage(const CLIPMESSAGE* entry, int) override
    {
        if (entry)
            text_.assign(entry->text, static_cast<size_t>(entry->length));
    }

private:
    int next_ = 100;
    std::vector<std::unique_ptr<BRANCH>> branches_;
    std::string text_;
};

// A document of three runs carrying the branch numbers 1, 2 and 3.
RteHandle PastedDocument(RteEnvironment* env)
{
    RteHandle doc = RteNewDocument(env);
    const char text[] = "un deux trois";
    RteInsertText(doc, reinterpret_cast<const uint8_t*>(text), sizeof text - 1, 0, RTE_KEYS_NONE, 0, 0);
    const RteRange runs[] = {{0, 2}, {3, 7}, {8, 13}};
    for (int i = 0; i < 3; ++i) {
        RteCharStyle style = {}, mask = {};
        style.value14 = i + 1;
        mask.value14 = -1;
        RteSetCharStyle(doc, &runs[i], &style, &mask, 0);
    }
    return doc;
}

void PasteBlock(RteEnvironment* env, HGLOBAL data)
{
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(data));
    if (!bytes)
        return;
    const TEXTCLIPBLOCK block = ReadTextClipBlock(bytes, GlobalSize(data));
    BranchesMade object;
    ReadClipMessages(block, -1, -1, object);
    RteHandle doc = PastedDocument(env);
    PasteClipBranches(block, doc, object);
    RteDocDestroy(doc);
    GlobalUnlock(data);
}

}  // namespace

void PasteTextClipBlock(const std::string& path)
{
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "text clip owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const std::string bytes = FileBytes(path);
    RteMemContext context = {};
    RteEnvironment env = {};
    RteMemInit(&context, 0);
    RteEngineStartup(&env, &context);
    {
        ClipboardTurn turn;
        if (OpenClipboard(owner)) {
            EmptyClipboard();
            // The bytes as they stand: the block's size is all there is.
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
            if (block) {
                std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
                GlobalUnlock(block);
                if (!SetClipboardData(TextClipFormat(), block))
                    GlobalFree(block);
            }
            if (HGLOBAL data = GetClipboardData(TextClipFormat()))
                PasteBlock(&env, data);
            EmptyClipboard();
            CloseClipboard();
        }
    }
    RteEngineShutdown(&env);
    RteMemFree(&context);
}
