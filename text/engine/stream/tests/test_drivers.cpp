// The drivers' codes and the exception handler: custom writers and readers, unknown types,
// environment records that differ, a reader's quiet stop and sub-documents.
#include <gtest/gtest.h>

#include "rte_io.h"
#include "rte_record_codec.h"
#include "stream_fixture.h"

namespace {

class DriverTest : public StreamTest {
protected:
    void SetUp() override
    {
        StreamTest::SetUp();
        RteMakeRegistry(&env_);
    }
};

// An exception handler that keeps every code.
uint16_t KeepCode(RteHandle, int16_t, RteHandle, int32_t*, intptr_t, int32_t*) { return 1; }

uint16_t CustomValues(RteHandle, int16_t, RteHandle body, int32_t* value, intptr_t, int32_t*)
{
    RteBodyWriter writer;
    writer.Long(42);
    writer.Close();
    RteSetBodyBytes(body, writer.bytes());
    *value = 1;
    return 1;
}

uint16_t QuietStop(RteHandle doc, int16_t, RteHandle, int32_t*, intptr_t, int32_t*)
{
    RteRaise(RteLocked<RteDocument>(doc)->env->context, RTE_ERR_READER_STOPPED, nullptr);
}

std::vector<int32_t> ValuesA(RteHandle doc) { return Elements<int32_t>(DocumentOf(doc).valuesA); }

TEST_F(DriverTest, ACustomWriterIsToldAsCode1028ThatTheDefaultHandlerPassesOver)
{
    RteHandle doc = MakeDocument("abc");
    RteRegisterRecordType(&env_, RTE_REC_VALUES_A, nullptr, CustomValues, nullptr, nullptr);
    uint16_t code = 1;
    Bytes bytes = Save(doc, nullptr, 0, &code);
    EXPECT_EQ(0, code);
    uint16_t read = 1;
    EXPECT_EQ(std::vector<int32_t>{42}, ValuesA(Load(bytes, &read)));
    EXPECT_EQ(0, read);

    RteRegisterRecordType(&env_, RTE_REC_EXCEPTION, KeepCode, KeepCode, nullptr, nullptr);
    Save(doc, nullptr, 0, &code);
    EXPECT_EQ(RTE_ERR_CUSTOM_WRITER, code);
    EXPECT_EQ(RTE_ERR_CUSTOM_WRITER, context_.lastError);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(DriverTest, AnUnknownTypeIsSkippedUnlessTheHandlerKeepsCode768)
{
    RteHandle doc = MakeDocument("abc");
    const int16_t types[] = {RTE_REC_SETTINGS, RTE_REC_BLOCKS, RTE_REC_TEXT, RTE_REC_VALUES_A};
    RteSetCount(DocumentOf(doc).valuesA, 1);
    Bytes bytes = Save(doc, types, 4);
    RteUnregisterRecordType(&env_, RTE_REC_VALUES_A);
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    EXPECT_EQ(0, code);
    EXPECT_TRUE(ValuesA(back).empty());
    RteRegisterRecordType(&env_, RTE_REC_EXCEPTION, KeepCode, KeepCode, nullptr, nullptr);
    Load(bytes, &code);
    EXPECT_EQ(RTE_ERR_UNKNOWN_RECORD, code);
}

TEST_F(DriverTest, AnEnvironmentRecordThatDiffersIsCode1027)
{
    RteHandle doc = MakeDocument("abc");
    const int16_t types[] = {RTE_REC_SETTINGS, RTE_REC_ENVIRONMENT};
    env_.settings[3] = 77;
    Bytes bytes = Save(doc, types, 2);
    env_.settings[3] = 78;
    uint16_t code = 1;
    Load(bytes, &code);
    EXPECT_EQ(0, code) << "the default handler passes over it";
    EXPECT_EQ(78, env_.settings[3]) << "read only into the copy";
    RteRegisterRecordType(&env_, RTE_REC_EXCEPTION, KeepCode, KeepCode, nullptr, nullptr);
    Load(bytes, &code);
    EXPECT_EQ(RTE_ERR_ENVIRONMENT_DIFFERS, code);
    env_.settings[3] = 77;
    Load(bytes, &code);
    EXPECT_EQ(0, code) << "the same environment";
}

TEST_F(DriverTest, AReaderThatStopsQuietlyEndsTheReadWithSuccess)
{
    RteHandle doc = MakeDocument("abc");
    RteSetCount(DocumentOf(doc).valuesA, 2);
    Bytes bytes = Save(doc);
    RteRegisterRecordType(&env_, RTE_REC_VALUES_A, QuietStop, nullptr, nullptr, nullptr);
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    EXPECT_EQ(0, code);
    EXPECT_TRUE(ValuesA(back).empty()) << "the records after the stop are not read";
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(DriverTest, ASubDocumentThatNoHandlerTakesIsSkipped)
{
    Bytes main = Save(MakeDocument("main"));
    Bytes other = Save(MakeDocument("other text"));
    // The other document's records, from its settings on, under a settings value of 7.
    Bytes sub(other.begin() + 26, other.end() - 26);
    sub[19] = '7';
    Bytes bytes(main.begin(), main.end() - 26);
    bytes.insert(bytes.end(), sub.begin(), sub.end());
    bytes.insert(bytes.end(), main.end() - 26, main.end());
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    EXPECT_EQ(0, code);
    EXPECT_EQ(4, RteTextLength(back));
}

RteHandle g_subDocument;

// Takes the records of sub-document 7 into the test's document.
uint16_t TakeSeven(RteHandle, int16_t, RteHandle, int32_t* value, intptr_t argument, int32_t*)
{
    if (*value == 7)
        *reinterpret_cast<RteHandle*>(argument) = g_subDocument;
    return 1;
}

TEST_F(DriverTest, ASubDocumentGoesToTheDocumentItsHandlerNames)
{
    RteRegisterRecordType(&env_, RTE_REC_SUBDOCUMENT, TakeSeven, nullptr, nullptr, nullptr);
    RteHandle main = MakeDocument("main");
    RteHandle other = MakeDocument("other text");
    RteHandle target = RteAlloc(&context_, 1, 0, 256, false);
    auto reference = reinterpret_cast<intptr_t>(target);
    int32_t position = 0;
    ASSERT_EQ(0, RteSaveDoc(main, &position, nullptr, 0, RteMemWriter, reference, 0));
    ASSERT_EQ(0, RteSaveDoc(other, &position, nullptr, 0, RteMemWriter, reference, 7));
    ASSERT_EQ(0, RteSaveDocEnd(main, &position, RteMemWriter, reference));
    Bytes bytes = Contents(target);
    RteFree(target);

    g_subDocument = RteNewDocument(&env_);
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    EXPECT_EQ(0, code);
    EXPECT_EQ(4, RteTextLength(back));
    EXPECT_EQ(10, RteTextLength(g_subDocument));
    EXPECT_EQ(CharRuns(other), CharRuns(g_subDocument));
    EXPECT_EQ("", RunProblems(g_subDocument));
    EXPECT_EQ(0u, DocumentOf(g_subDocument).flags & RTE_DOC_READING) << "the sub-document was fixed up";
    EXPECT_EQ(0, LockedHandles());
    RteDocDestroy(g_subDocument);
}

}  // namespace

namespace {

std::vector<int32_t> g_kinds;

uint16_t NoteKind(RteHandle, int16_t, RteHandle, int32_t* value, intptr_t, int32_t*)
{
    g_kinds.push_back(*value);
    return 1;
}

TEST_F(DriverTest, ARegisteredFixUpHandlerSeesEveryFontStyleAndFormatRead)
{
    RteHandle doc = MakeRichDocument();
    Bytes bytes = Save(doc);
    RteDocument d = DocumentOf(doc);
    RteRegisterRecordType(&env_, RTE_REC_FIXUP, NoteKind, nullptr, nullptr, nullptr);
    g_kinds.clear();
    uint16_t code = 1;
    Load(bytes, &code);
    ASSERT_EQ(0, code);
    std::vector<int32_t> expected;
    expected.insert(expected.end(), static_cast<size_t>(RteCount(d.fonts)), 2);
    expected.insert(expected.end(), static_cast<size_t>(RteCount(d.charStyles)), 1);
    expected.insert(expected.end(), static_cast<size_t>(RteCount(d.parFormats)), 3);
    expected.push_back(4);
    EXPECT_EQ(expected, g_kinds);
}

}  // namespace
