// The "QXTEXTCLIP" block: written and read back, pasted into another object's branches, and
// hostile blocks read without a byte outside them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor_fixture.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "test_window.h"
#include "textclip.h"

namespace {

// An object that receives a paste: its branches and messages as the paste makes them.
class ReceivingObject : public CLIPBRANCHTARGET {
public:
    explicit ReceivingObject(int firstFreeId) : nextId_(firstFreeId) {}
    int NewBranchId() override { return nextId_++; }
    void AddBranch(const BYTE* record, int newId) override
    {
        auto branch = std::make_unique<BRANCH>();
        KernReadBranchClipRecord(record, branch.get());
        branch->pluginMark = newId;
        branches.push_back(std::move(branch));
    }
    void AddMessage(const CLIPMESSAGE* entry, int newId) override
    {
        messages.push_back({newId, entry ? std::string(entry->text, static_cast<size_t>(entry->length)) : "",
                            entry ? entry->delay : -1});
    }

    struct Message {
        int id;
        std::string text;
        int delay;
    };
    std::vector<std::unique_ptr<BRANCH>> branches;
    std::vector<Message> messages;

private:
    int nextId_;
};

std::vector<BYTE> Bytes(const TEXTCLIPWRITER& writer)
{
    HGLOBAL block = writer.MakeBlock();
    const auto* p = static_cast<const BYTE*>(GlobalLock(block));
    std::vector<BYTE> bytes(p, p + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

// A source object's block: three branches numbered 5, 7 and 9, each with its message.
std::vector<BYTE> ThreeBranches()
{
    TEXTCLIPWRITER writer;
    const char* targets[] = {"cinq.pag", "sept.pag", "neuf.pag"};
    const char* texts[] = {"Message cinq", "Message sept", "Message neuf"};
    for (int i = 0; i < 3; ++i) {
        BRANCH branch;
        branch.target = targets[i];
        branch.pluginMark = 5 + 2 * i;
        writer.AddBranch(&branch);
    }
    for (int i = 0; i < 3; ++i) {
        CLIPMESSAGE message;
        message.id = 5 + 2 * i;
        message.text = texts[i];
        message.length = static_cast<int32_t>(std::strlen(texts[i]));
        message.delay = i;
        lstrcpyA(message.sound, "son.wav");
        message.font.lfHeight = 16;
        lstrcpyA(message.font.lfFaceName, "Arial");
        message.background[0] = 255;
        writer.AddMessage(message);
    }
    EXPECT_EQ(4u + 3 * 2840 + 4 + (12 + 234) * 3, writer.Size());
    return Bytes(writer);
}

TEST(TextClipBlock, IsReadBackAsWritten)
{
    std::vector<BYTE> bytes = ThreeBranches();
    TEXTCLIPBLOCK block = ReadTextClipBlock(bytes.data(), bytes.size());
    ASSERT_TRUE(block.valid);
    ASSERT_EQ(3u, block.branches.size());
    EXPECT_EQ(7, ClipBranchId(block.branches[1]));
    EXPECT_EQ(block.branches[2], FindClipBranch(block, 9));
    EXPECT_EQ(nullptr, FindClipBranch(block, 8));
    ASSERT_EQ(3u, block.messages.size());
    const CLIPMESSAGE& second = block.messages[1];
    EXPECT_EQ(7, second.id);
    EXPECT_EQ("Message sept", std::string(second.text, static_cast<size_t>(second.length)));
    EXPECT_STREQ("son.wav", second.sound);
    EXPECT_EQ(1, second.delay);
    EXPECT_EQ(16, second.font.lfHeight);
    EXPECT_STREQ("Arial", second.font.lfFaceName);
    EXPECT_EQ(255, second.background[0]);
}

using TextClipPaste = EditorTest;

void SetBranchRuns(RteHandle doc, const std::vector<std::pair<RteRange, int>>& runs)
{
    for (const auto& [range, id] : runs) {
        RteCharStyle style = {};
        RteCharStyle mask = {};
        style.value14 = id;
        mask.value14 = -1;
        RteSetCharStyle(doc, &range, &style, &mask, 0);
    }
}

// The pasted text as the engine gives it: a copy of the control's selection with the runs' numbers.
RteHandle PastedCopy(RteHandle doc, const std::vector<std::pair<RteRange, int>>& runs)
{
    SetBranchRuns(doc, runs);
    return RteCopyRange(doc, nullptr);
}

int IdAt(RteHandle doc, int32_t offset)
{
    RteCharStyle style = {}, mask = {};
    RteRange one{offset, offset + 1};
    RteGetCharStyle(doc, &one, false, &style, &mask);
    return style.value14;
}

TEST_F(TextClipPaste, TheOneBranchUsedComesWithANewNumberAndItsMessage)
{
    SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("voir la suite"));
    Select(0, 13);
    // "voir" plain and "la" bold carry branch 7, as one link in two styles.
    RteHandle pasted = PastedCopy(Document(), {{{0, 4}, 7}, {{5, 7}, 7}});
    RteCharStyle bold = {}, mask = {};
    bold.bold = 1;
    mask.bold = -1;
    RteRange boldRange{5, 7};
    RteSetCharStyle(pasted, &boldRange, &bold, &mask, 0);
    std::vector<BYTE> bytes = ThreeBranches();

    ReceivingObject other(3);  // it has branches 1 and 2
    EXPECT_EQ(1, PasteClipBranches(ReadTextClipBlock(bytes.data(), bytes.size()), pasted, other));
    ASSERT_EQ(1u, other.branches.size());
    EXPECT_STREQ("sept.pag", other.branches[0]->target);
    EXPECT_EQ(3, other.branches[0]->pluginMark);
    ASSERT_EQ(1u, other.messages.size());
    EXPECT_EQ(3, other.messages[0].id);
    EXPECT_EQ("Message sept", other.messages[0].text);
    EXPECT_EQ(3, IdAt(pasted, 0));
    EXPECT_EQ(3, IdAt(pasted, 5));
    EXPECT_EQ(0, IdAt(pasted, 4));
    RteDocDestroy(pasted);
}

TEST_F(TextClipPaste, NumbersTheBlockLacksKeepTheirRunsAndAddNothing)
{
    SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ailleurs"));
    Select(0, 8);
    RteHandle pasted = PastedCopy(Document(), {{{0, 8}, 42}});
    std::vector<BYTE> bytes = ThreeBranches();
    ReceivingObject other(1);
    EXPECT_EQ(0, PasteClipBranches(ReadTextClipBlock(bytes.data(), bytes.size()), pasted, other));
    EXPECT_TRUE(other.branches.empty());
    EXPECT_TRUE(other.messages.empty());
    EXPECT_EQ(42, IdAt(pasted, 0));
    RteDocDestroy(pasted);
}

// A parent that serves its controls' copy and paste as the editor does: the copy carries the
// source object's block, the paste gives the branches to the receiving object.
struct ClipboardParent {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == RTEN_COPYDATA) {
            const std::vector<BYTE> bytes = ThreeBranches();
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
            GlobalUnlock(block);
            return CopyDocumentWithBranches(reinterpret_cast<RteHandle>(lParam), block);
        }
        if (message == RTEN_PASTEDATA)
            return reinterpret_cast<LRESULT>(PasteDocumentWithBranches(RteEnvironmentOf(), *receiver));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static ReceivingObject* receiver;
};
ReceivingObject* ClipboardParent::receiver = nullptr;

TEST(TextClipControls, CopyAndPasteCarryTheUsedBranchToTheOtherObject)
{
    ClipboardTurn turn;
    RteControlStartup(GetModuleHandleA(nullptr), "Liberation Sans", nullptr);
    HWND parent = CreateTestWindow("QxTextClipParent", ClipboardParent::Proc, WS_POPUP, nullptr, 400, 300);
    HWND controls[2];
    for (HWND& control : controls) {
        control = CreateWindowA(RTE_CONTROL_CLASS, "", WS_CHILD | ES_MULTILINE, 0, 0, 300, 100, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_COPYDATA | RTEN_FLAG_PASTEDATA);
    }
    SendMessageA(controls[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("voir la suite"));
    SendMessageA(controls[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    RteHandle source = reinterpret_cast<RteHandle>(SendMessageA(controls[0], RTEM_GETDOC, 0, 0));
    SetBranchRuns(source, {{{0, 4}, 7}});
    SendMessageA(controls[0], EM_SETSEL, 0, MAKELPARAM(0, 4));
    SendMessageA(controls[0], WM_COPY, 0, 0);

    ReceivingObject other(3);
    ClipboardParent::receiver = &other;
    SendMessageA(controls[1], EM_SETSEL, 0, MAKELPARAM(1, 1));
    SendMessageA(controls[1], WM_PASTE, 0, 0);
    char text[20] = "";
    SendMessageA(controls[1], WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("xvoir", text);
    ASSERT_EQ(1u, other.branches.size());
    EXPECT_STREQ("sept.pag", other.branches[0]->target);
    EXPECT_EQ(3, other.branches[0]->pluginMark);
    ASSERT_EQ(1u, other.messages.size());
    EXPECT_EQ("Message sept", other.messages[0].text);
    RteHandle pasted = reinterpret_cast<RteHandle>(SendMessageA(controls[1], RTEM_GETDOC, 0, 0));
    EXPECT_EQ(3, IdAt(pasted, 1));
    EXPECT_EQ(0, IdAt(pasted, 0));

    DestroyWindow(parent);
    RteControlShutdown();
}

TEST(TextClipMessages, AllEntriesAreNumberedByTheirPlaceWithoutAnId)
{
    std::vector<BYTE> bytes = ThreeBranches();
    ReceivingObject object(1);
    EXPECT_EQ(3, ReadClipMessages(ReadTextClipBlock(bytes.data(), bytes.size()), -1, -1, object));
    ASSERT_EQ(3u, object.messages.size());
    EXPECT_EQ(1, object.messages[0].id);
    EXPECT_EQ(3, object.messages[2].id);
    EXPECT_EQ("Message neuf", object.messages[2].text);
}

// The block's bytes at the very end of a readable page, a page that cannot be read after them:
// a read past the block faults.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<BYTE>& bytes)
    {
        const size_t page = 4096;
        pages_ = (bytes.size() + page - 1) / page + 1;
        base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, pages_ * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + (pages_ - 1) * page, page, PAGE_NOACCESS, &old);
        data_ = base_ + (pages_ - 1) * page - bytes.size();
        if (!bytes.empty())
            std::memcpy(data_, bytes.data(), bytes.size());
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    const BYTE* data() const { return data_; }

private:
    size_t pages_;
    BYTE* base_;
    BYTE* data_;
};

void Put32(std::vector<BYTE>& bytes, size_t at, int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

struct HostileCase {
    const char* name;
    void (*damage)(std::vector<BYTE>&);
};

// Offsets in the three-branch block: N at 0, M after the branches, then the first entry's id
// and length.
constexpr size_t MessagesAt = 4 + 3 * 2840;

class HostileBlocks : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileBlocks, AreRefusedWithoutReadingOutside)
{
    std::vector<BYTE> bytes = ThreeBranches();
    GetParam().damage(bytes);
    GuardedBytes guarded(bytes);
    TEXTCLIPBLOCK block = ReadTextClipBlock(guarded.data(), bytes.size());
    EXPECT_FALSE(block.valid);
    EXPECT_TRUE(block.branches.empty());
    EXPECT_TRUE(block.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileBlocks,
    testing::Values(HostileCase{"HugeN", [](std::vector<BYTE>& b) { Put32(b, 0, 0x7FFFFFFF); }},
                    HostileCase{"NegativeN", [](std::vector<BYTE>& b) { Put32(b, 0, -1); }},
                    HostileCase{"OneBranchTooMany", [](std::vector<BYTE>& b) { Put32(b, 0, 4); }},
                    HostileCase{"HugeM", [](std::vector<BYTE>& b) { Put32(b, MessagesAt, 0x7FFFFFFF); }},
                    HostileCase{"NegativeM", [](std::vector<BYTE>& b) { Put32(b, MessagesAt, -5); }},
                    HostileCase{"LengthPastTheEnd", [](std::vector<BYTE>& b) { Put32(b, MessagesAt + 8, 100000); }},
                    HostileCase{"NegativeLength", [](std::vector<BYTE>& b) { Put32(b, MessagesAt + 8, -12); }},
                    HostileCase{"LastLengthOneTooLong",
                                [](std::vector<BYTE>& b) { Put32(b, b.size() - 246 + 4, 13); }},
                    HostileCase{"Empty", [](std::vector<BYTE>& b) { b.clear(); }}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(HostileBlocksCut, EveryTruncationIsRefusedAndPastesPlainText)
{
    const std::vector<BYTE> whole = ThreeBranches();
    ReceivingObject object(1);
    for (size_t size = 0; size < whole.size(); size += (size < MessagesAt ? 97 : 1)) {
        std::vector<BYTE> cut(whole.begin(), whole.begin() + static_cast<long>(size));
        GuardedBytes guarded(cut);
        TEXTCLIPBLOCK block = ReadTextClipBlock(guarded.data(), cut.size());
        EXPECT_FALSE(block.valid) << size;
        EXPECT_EQ(0, ReadClipMessages(block, -1, -1, object)) << size;
    }
    EXPECT_TRUE(object.messages.empty());
}

}  // namespace
