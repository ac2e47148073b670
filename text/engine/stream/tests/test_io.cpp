// The I/O callbacks over memory and real files, the file wrappers and the stream probe.
#include <gtest/gtest.h>

#include "rte_import_context.h"
#include "rte_io.h"
#include "scratch_dir.h"
#include "stream_fixture.h"

namespace {

using IoTest = StreamTest;

intptr_t Ref(RteHandle handle) { return reinterpret_cast<intptr_t>(handle); }

TEST_F(IoTest, TheMemoryWriterOverwritesInsideGrowsOnlyAsFarAsNeededAndAppendsAtTheEnd)
{
    RteHandle target = Source(BytesOf("abcdef"));
    struct Case {
        int32_t at;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {1, "XY", "aXYdef"},
        {4, "123", "aXYd123"},
        {7, "!", "aXYd123!"},
        {20, "?", "aXYd123!?"},
    };
    for (const Case& c : cases) {
        int32_t position = c.at;
        int32_t length = static_cast<int32_t>(c.bytes.size());
        ASSERT_EQ(0, RteMemWriter(const_cast<char*>(c.bytes.data()), RTE_IO_TRANSFER, &position, &length, Ref(target)));
        EXPECT_EQ(BytesOf(c.expected), Contents(target)) << c.at;
        EXPECT_EQ(c.at + length, position);
    }
    int32_t end = 3, none = 0;
    ASSERT_EQ(0, RteMemWriter(nullptr, RTE_IO_END, &end, &none, Ref(target)));
    EXPECT_EQ(BytesOf("aXY"), Contents(target));
    int32_t size = 0;
    RteMemWriter(&size, RTE_IO_SIZE, &end, &none, Ref(target));
    EXPECT_EQ(3, size);
    intptr_t reference = 0;
    RteMemWriter(&reference, RTE_IO_REFERENCE, &end, &none, Ref(target));
    EXPECT_EQ(Ref(target), reference);
}

TEST_F(IoTest, TheMemoryReaderRefusesAnyTransferPastItsSource)
{
    RteHandle source = Source(BytesOf("0123456789"));
    struct Case {
        int32_t at;
        int32_t length;
        uint16_t code;
    } cases[] = {
        {0, 10, 0}, {4, 6, 0}, {10, 0, 0}, {4, 7, RTE_ERR_STREAM_DAMAGED}, {11, 0, RTE_ERR_STREAM_DAMAGED},
        {-1, 2, RTE_ERR_STREAM_DAMAGED}, {2, -1, RTE_ERR_STREAM_DAMAGED}, {1, INT32_MAX, RTE_ERR_STREAM_DAMAGED},
    };
    char buffer[16] = {};
    for (const Case& c : cases) {
        int32_t position = c.at, length = c.length;
        EXPECT_EQ(c.code, RteMemReader(buffer, RTE_IO_TRANSFER, &position, &length, Ref(source))) << c.at << "+" << c.length;
        EXPECT_EQ(c.code ? c.at : c.at + c.length, position);
    }
    RteHandle target = RteAlloc(&context_, 1, 0, 4, false);
    int32_t position = 3, length = 4;
    ASSERT_EQ(0, RteMemReader(target, RTE_IO_TRANSFER_HANDLE, &position, &length, Ref(source)));
    EXPECT_EQ(BytesOf("3456"), Contents(target));
    RteFree(target);
}

TEST_F(IoTest, FileCallbacksMoveBytesAndReportTheFileError)
{
    ScratchDir scratch;
    RteHandle path = RteNewString(&context_, (scratch / "stream.bin").c_str());
    handles_.push_back(path);
    intptr_t file = 0;
    ASSERT_EQ(0, RteFileCreate(path, 0, &file));
    int32_t position = 4, length = 5;
    ASSERT_EQ(0, RteDirectFileWriter(const_cast<char*>("hello"), RTE_IO_TRANSFER, &position, &length, file));
    EXPECT_EQ(9, position);
    int32_t size = 0;
    ASSERT_EQ(0, RteDirectFileReader(&size, RTE_IO_SIZE, &position, &length, file));
    EXPECT_EQ(9, size);
    position = 6;
    ASSERT_EQ(0, RteDirectFileWriter(nullptr, RTE_IO_END, &position, &length, file));
    ASSERT_EQ(0, RteFileSize(file, &size));
    EXPECT_EQ(6, size);
    char buffer[8] = {};
    position = 4;
    length = 2;
    ASSERT_EQ(0, RteDirectFileReader(buffer, RTE_IO_TRANSFER, &position, &length, file));
    EXPECT_STREQ("he", buffer);
    // Nothing left to read is an error; so is a short write to a file opened for reading.
    int32_t rest = 4;
    EXPECT_EQ(RTE_ERR_FILE, RteFileRead(file, &rest, buffer));
    EXPECT_EQ(0, rest);
    ASSERT_EQ(0, RteFileClose(file));
    ASSERT_EQ(0, RteFileOpen(path, 0, &file));
    EXPECT_EQ(RTE_ERR_FILE, RteFileWriteN(file, 2, "no"));
    ASSERT_EQ(0, RteFileClose(file));

    RteHandle renamed = RteNewString(&context_, (scratch / "moved.bin").c_str());
    handles_.push_back(renamed);
    EXPECT_EQ(0, RteFileRename(path, renamed));
    EXPECT_EQ(RTE_ERR_FILE, RteFileOpen(path, 0, &file));
    EXPECT_EQ(RTE_ERR_FILE, RteFileOpen(renamed, 3, &file));
    EXPECT_EQ(0, RteFileDelete(renamed));
    EXPECT_EQ(RTE_ERR_FILE, RteFileDelete(renamed));
}

TEST_F(IoTest, TheProbeTellsEachKindAndGivesTheStreamBack)
{
    struct Case {
        std::string bytes;
        int16_t kind;
    } cases[] = {
        {std::string("FFFF0000000600020001\x01" "77AA\x03"), RTE_STREAM_RECORDS},
        {std::string("FFFF0000000600020001\x01" "77AA"), RTE_STREAM_UNKNOWN},
        {"{\\rtf1\\ansi}", RTE_STREAM_RTF},
        {"{\\rtf", RTE_STREAM_RTF},
        {"{\\RTF1", RTE_STREAM_UNKNOWN},
        {std::string("\x01\x08\x00\x76\x11\x00", 6), RTE_STREAM_WORD},
        {std::string("\x01\x08\x00\x78\x11\x00", 6), RTE_STREAM_UNKNOWN},
        {"plain text", RTE_STREAM_UNKNOWN},
        {"", RTE_STREAM_UNKNOWN},
    };
    static std::vector<int32_t> seeks;
    RteIoProc seeking = [](void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t ref) -> uint16_t {
        if (operation == RTE_IO_SEEK)
            seeks.push_back(*position);
        return RteMemReader(buffer, operation, position, length, ref);
    };
    for (const Case& c : cases) {
        seeks.clear();
        Bytes bytes = BytesOf("xx" + c.bytes);
        EXPECT_EQ(c.kind, RteProbeStream(Ref(Source(bytes)), seeking, 2)) << Printable(bytes);
        ASSERT_FALSE(seeks.empty());
        for (int32_t at : seeks)
            EXPECT_EQ(2, at) << "given back where it was";
        EXPECT_EQ(c.kind == RTE_STREAM_RECORDS ? 0 : RTE_ERR_STREAM_DAMAGED,
                  RteIsRecordStream(Ref(Source(bytes)), RteMemReader, 2));
    }
}

}  // namespace

namespace {

TEST_F(StreamTest, TheImportContextCopiesTheDefaultsAndFreesItsHandles)
{
    env_.defaultStyle.bold = 1;
    env_.settings[RTE_SETTING_STYLE] = 5;
    RteImportContext context;
    RteImportContextInit(&env_, &context);
    EXPECT_EQ(RTE_IMPORT_BUFFER_BYTES, RteCount(context.buffer));
    EXPECT_EQ(Bytes(RTE_IMPORT_BUFFER_BYTES, 0), Contents(context.buffer));
    EXPECT_EQ(8, RteElementSize(context.entries));
    EXPECT_EQ(1, context.style.bold);
    EXPECT_EQ(5, context.styleSetting);
    EXPECT_STREQ(env_.defaultFont.name, context.font.name);
    int live = LiveHandles();
    RteImportContextFree(&context);
    EXPECT_EQ(live - 2, LiveHandles());
    RteImportContextFree(&context);  // null handles are allowed
}

}  // namespace
