// Clipboard snapshots on Wine's clipboard: the file written, and the clipboard put back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "clipsnapshot.h"
#include "editor_fixture.h"
#include "scratch_dir.h"

namespace {

class ClipboardSnapshots : public testing::Test {
protected:
    void SetUp() override
    {
        owner_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        folder_ = dir_.Path();
    }
    void TearDown() override
    {
        DropClipboardSnapshots(&list_);
        DestroyWindow(owner_);
    }
    std::string FileOf(int index)
    {
        std::ifstream in(static_cast<const char*>(static_cast<CLIPBRD*>(list_.GetItem(index))->file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ClipboardTurn turn_;
    ScratchDir dir_;
    std::string folder_;
    HWND owner_ = nullptr;
    CLIPBRD_LIST list_;
};

TEST_F(ClipboardSnapshots, AnEmptyClipboardGivesTheLineZeroAndIsPutBackEmpty)
{
    PutClipboard("");
    ASSERT_EQ(1, TakeClipboardSnapshot(folder_.c_str(), owner_, &list_));
    ASSERT_EQ(1, list_.Items());
    const std::string name(static_cast<CLIPBRD*>(list_.GetItem(0))->file);
    EXPECT_EQ(".tlc", name.substr(name.size() - 4));
    EXPECT_EQ(folder_, name.substr(0, folder_.size()));
    EXPECT_EQ("0\n", FileOf(0));

    PutClipboard("entre-temps");
    ASSERT_EQ(1, RestoreClipboardSnapshot(owner_, &list_));
    EXPECT_EQ(0, list_.Items());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(name.c_str())) << "the file goes with the snapshot";
    ASSERT_TRUE(OpenClipboard(owner_));
    EXPECT_EQ(0, CountClipboardFormats());
    CloseClipboard();
}

TEST_F(ClipboardSnapshots, AFormatOf1234BytesHasTheSizeLine1234lAndComesBackWhole)
{
    const UINT format = RegisterClipboardFormatA("QxEditorTestPrivate");
    std::string bytes(1234, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    PutClipboard("", format, bytes);
    ASSERT_EQ(1, TakeClipboardSnapshot(folder_.c_str(), owner_, &list_));
    const std::string file = FileOf(0);
    EXPECT_EQ("1\n" + std::to_string(format) + "\n1234l\n" + bytes, file);

    PutClipboard("entre-temps");
    ASSERT_EQ(1, RestoreClipboardSnapshot(owner_, &list_));
    EXPECT_EQ(bytes, ClipboardBytes(format));
    EXPECT_EQ("", ClipboardText());
}

// The formats of a snapshot file and their bytes, in file order.
std::vector<std::pair<UINT, std::string>> Formats(const std::string& file)
{
    std::istringstream in(file);
    std::string line;
    std::getline(in, line);
    std::vector<std::pair<UINT, std::string>> formats;
    while (std::getline(in, line)) {
        const UINT format = static_cast<UINT>(std::stoul(line));
        std::getline(in, line);
        EXPECT_EQ('l', line.back());
        std::string bytes(std::stoul(line), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        formats.emplace_back(format, bytes);
    }
    return formats;
}

TEST_F(ClipboardSnapshots, OnlyGlobalMemoryFormatsAreKeptAndSynthesisedTextIsNot)
{
    PutClipboard("texte");
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(OpenClipboard(owner_));
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();

    ASSERT_EQ(1, TakeClipboardSnapshot(folder_.c_str(), owner_, &list_));
    const std::string file = FileOf(0);
    EXPECT_GE(std::stoi(file), 2) << "the count line gives every format present";
    bool text = false, picture = false;
    for (const auto& [format, bytes] : Formats(file)) {
        EXPECT_NE(static_cast<UINT>(CF_BITMAP), format) << "a handle, not bytes";
        EXPECT_NE(static_cast<UINT>(CF_UNICODETEXT), format) << "made from the text put";
        EXPECT_NE(static_cast<UINT>(CF_OEMTEXT), format) << "made from the text put";
        EXPECT_NE(static_cast<UINT>(CF_DIBV5), format) << "one DIB of the picture is enough";
        if (format == CF_TEXT) {
            EXPECT_EQ(std::string("texte", 6), bytes);
            text = true;
        }
        picture |= format == CF_DIB;
    }
    EXPECT_TRUE(text);
    EXPECT_TRUE(picture) << "the bitmap travels as its DIB";

    PutClipboard("entre-temps");
    ASSERT_EQ(1, RestoreClipboardSnapshot(owner_, &list_));
    EXPECT_EQ("texte", ClipboardText());
    ASSERT_TRUE(OpenClipboard(owner_));
    HANDLE restored = GetClipboardData(CF_BITMAP);
    EXPECT_TRUE(!restored || GetObjectType(restored) == OBJ_BITMAP) << "no garbage handle for a bitmap";
    CloseClipboard();
}

TEST_F(ClipboardSnapshots, DroppingDeletesEveryFile)
{
    PutClipboard("un");
    ASSERT_EQ(1, TakeClipboardSnapshot(folder_.c_str(), owner_, &list_));
    ASSERT_EQ(1, TakeClipboardSnapshot(folder_.c_str(), owner_, &list_));
    const std::string first(static_cast<CLIPBRD*>(list_.GetItem(0))->file);
    const std::string second(static_cast<CLIPBRD*>(list_.GetItem(1))->file);
    EXPECT_NE(first, second);
    DropClipboardSnapshots(&list_);
    EXPECT_EQ(0, list_.Items());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(first.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(second.c_str()));
}

TEST_F(ClipboardSnapshots, ASnapshotThatCannotBeWrittenIsNotListed)
{
    PutClipboard("un");
    EXPECT_EQ(0, TakeClipboardSnapshot((folder_ + "absent\\").c_str(), owner_, &list_));
    EXPECT_EQ(0, list_.Items());
    EXPECT_EQ(0, RestoreClipboardSnapshot(owner_, &list_));
    EXPECT_EQ("un", ClipboardText());
}

}  // namespace
