// TQX files: the record stream, the end record and the 200-byte trailer, written and found
// again; the trailer's fields at the places the 32-bit writer gave them.
#include "text_files_fixture.h"

#include <cstring>

#include "qxfile.h"
#include "rte_document.h"
#include "rte_io.h"
#include "text_files.h"

namespace {

TEXTFILETRAILER SampleTrailer()
{
    TEXTFILETRAILER t;
    t.margins = RECT{3, 4, 5, 6};
    t.font.lfHeight = -16;
    t.font.lfWidth = 7;
    t.font.lfWeight = 700;
    t.font.lfItalic = 1;
    t.font.lfCharSet = 1;
    t.font.lfClipPrecision = 0x82;
    std::strcpy(t.font.lfFaceName, "Times New Roman");
    t.fontColour = 0x000000FF;
    t.textBackground = 0xFF00FF00;
    t.branchColour = 0x00FFFFFF;
    return t;
}

uint32_t Int32At(const uint8_t* bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}
int16_t Int16At(const uint8_t* bytes, size_t at) { return static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8); }

bool SameTrailer(const TEXTFILETRAILER& a, const TEXTFILETRAILER& b)
{
    return EqualRect(&a.margins, &b.margins) && std::memcmp(&a.font, &b.font, sizeof a.font) == 0 &&
           a.fontColour == b.fontColour && a.textBackground == b.textBackground && a.branchColour == b.branchColour;
}

int ReadTrailerOf(const std::string& path, TEXTFILETRAILER* trailer)
{
    QXFILE file = QXopen(path.c_str(), 0);
    int read = ReadTextTrailer(file, trailer);
    QXclose(file);
    return read;
}

}  // namespace

TEST(TextTrailer, FieldsStandWhereThe32BitWriterPutThem)
{
    uint8_t bytes[TEXT_TRAILER_BYTES];
    std::memset(bytes, 0xCC, sizeof bytes);
    EncodeTextTrailer(SampleTrailer(), bytes);
    // Margins as four int32, a zero, then their 16-bit copy.
    EXPECT_EQ(3u, Int32At(bytes, 0));
    EXPECT_EQ(6u, Int32At(bytes, 12));
    EXPECT_EQ(0u, Int32At(bytes, 16));
    EXPECT_EQ(3, Int16At(bytes, 20));
    EXPECT_EQ(6, Int16At(bytes, 26));
    // The preview rectangle and its windows are not kept: zeros.
    for (size_t at = 28; at < 40; ++at)
        EXPECT_EQ(0, bytes[at]) << at;
    EXPECT_EQ(-16, Int16At(bytes, 40));
    EXPECT_EQ(7, Int16At(bytes, 42));
    EXPECT_EQ(700, Int16At(bytes, 48));
    EXPECT_EQ(1, bytes[50]);     // italic
    EXPECT_EQ(0x82, bytes[55]);  // clip precision
    EXPECT_STREQ("Times New Roman", reinterpret_cast<const char*>(bytes + 58));
    // The dialog records: their 32-bit sizes, handles and pointers 0, the colours.
    EXPECT_EQ(60u, Int32At(bytes, 90));
    EXPECT_EQ(0u, Int32At(bytes, 94));
    EXPECT_EQ(0u, Int32At(bytes, 98));
    EXPECT_EQ(0xFFu, Int32At(bytes, 106));
    EXPECT_EQ(36u, Int32At(bytes, 134));
    EXPECT_EQ(0xFF00FF00u, Int32At(bytes, 142));
    EXPECT_EQ(36u, Int32At(bytes, 166));
    EXPECT_EQ(0x00FFFFFFu, Int32At(bytes, 174));
    EXPECT_EQ(0, Int16At(bytes, 198));
}

TEST(TextTrailer, ReadsBackWhatWasWritten)
{
    uint8_t bytes[TEXT_TRAILER_BYTES];
    EncodeTextTrailer(SampleTrailer(), bytes);
    TEXTFILETRAILER read;
    EXPECT_TRUE(DecodeTextTrailer(bytes, sizeof bytes, &read));
    EXPECT_TRUE(SameTrailer(SampleTrailer(), read));
}

TEST(TextTrailer, AShortTrailerKeepsTheFieldsItDoesNotReach)
{
    uint8_t bytes[TEXT_TRAILER_BYTES];
    EncodeTextTrailer(SampleTrailer(), bytes);
    TEXTFILETRAILER read;
    read.fontColour = 0x123456;
    read.textBackground = 0x654321;
    EXPECT_FALSE(DecodeTextTrailer(bytes, 110, &read));
    EXPECT_EQ(6, read.margins.bottom);
    EXPECT_STREQ("Times New Roman", read.font.lfFaceName);
    EXPECT_EQ(0xFFu, read.fontColour);
    EXPECT_EQ(0x654321u, read.textBackground);
}

TEST(TextTrailer, AFaceNameFillingItsFieldIsEndedWithinIt)
{
    uint8_t bytes[TEXT_TRAILER_BYTES];
    EncodeTextTrailer(SampleTrailer(), bytes);
    std::memset(bytes + 58, 'F', LF_FACESIZE);
    TEXTFILETRAILER read;
    DecodeTextTrailer(bytes, sizeof bytes, &read);
    EXPECT_EQ(std::string(LF_FACESIZE - 1, 'F'), read.font.lfFaceName);
}

using TqxFile = TextFilesTest;

TEST_F(TqxFile, IsTheRecordStreamThenTheTrailer)
{
    RteHandle doc = MakeDocument("Un texte\rsur deux lignes");
    const std::string path = dir_ / "texte.tqx";
    ASSERT_EQ(1, WriteTextDocument(doc, SampleTrailer(), path.c_str()));
    const std::string bytes = dir_.Read("texte.tqx");
    ASSERT_GT(bytes.size(), TEXT_TRAILER_BYTES);
    uint8_t trailer[TEXT_TRAILER_BYTES];
    EncodeTextTrailer(SampleTrailer(), trailer);
    EXPECT_EQ(0, std::memcmp(bytes.data() + bytes.size() - TEXT_TRAILER_BYTES, trailer, sizeof trailer));
    // The stream starts the file and reads back as the same text.
    QXFILE file = QXopen(path.c_str(), 0);
    EXPECT_EQ(RTE_STREAM_RECORDS, RteProbeStream(reinterpret_cast<intptr_t>(file), RteDirectFileReader, 0));
    QXclose(file);
    RteHandle back = ReadBack(path);
    EXPECT_EQ("Un texte\rsur deux lignes", Text(back));
    TEXTFILETRAILER read;
    EXPECT_EQ(1, ReadTrailerOf(path, &read));
    EXPECT_TRUE(SameTrailer(SampleTrailer(), read));
    RteDocDestroy(back);
    RteDocDestroy(doc);
}

TEST_F(TqxFile, AnEmptyTextIsAFileToo)
{
    RteHandle doc = MakeDocument();
    const std::string path = dir_ / "vide.tqx";
    ASSERT_EQ(1, WriteTextDocument(doc, SampleTrailer(), path.c_str()));
    TEXTFILETRAILER read;
    EXPECT_EQ(1, ReadTrailerOf(path, &read));
    EXPECT_TRUE(SameTrailer(SampleTrailer(), read));
    RteHandle back = ReadBack(path);
    EXPECT_EQ("", Text(back));
    RteDocDestroy(back);
    RteDocDestroy(doc);
}

TEST_F(TqxFile, FilesWithoutATrailerGiveNone)
{
    RteHandle doc = MakeDocument("abc");
    const std::string path = dir_ / "texte.tqx";
    ASSERT_EQ(1, WriteTextDocument(doc, SampleTrailer(), path.c_str()));
    const std::string bytes = dir_.Read("texte.tqx");
    struct Case {
        const char* what;
        std::string bytes;
        int read;
    };
    const Case cases[] = {
        {"a stream alone", bytes.substr(0, bytes.size() - TEXT_TRAILER_BYTES), 0},
        {"a trailer cut short", bytes.substr(0, bytes.size() - 50), 0},
        {"no stream", std::string(300, 'x'), 0},
        {"a stream cut short", bytes.substr(0, 40), 0},
        {"nothing", std::string(), 0},
    };
    for (const Case& c : cases) {
        dir_.Write("case.tqx", c.bytes);
        TEXTFILETRAILER read;
        read.fontColour = 0x42;
        EXPECT_EQ(c.read, ReadTrailerOf(dir_ / "case.tqx", &read)) << c.what;
    }
    // A trailer cut short still gives the fields it holds.
    dir_.Write("case.tqx", bytes.substr(0, bytes.size() - 50));
    TEXTFILETRAILER read;
    ReadTrailerOf(dir_ / "case.tqx", &read);
    EXPECT_EQ(0xFFu, read.fontColour);
    EXPECT_EQ(0u, read.branchColour);
    RteDocDestroy(doc);
}

TEST_F(TqxFile, AFileThatCannotBeCreatedIsAFailure)
{
    RteHandle doc = MakeDocument("abc");
    EXPECT_EQ(0, WriteTextDocument(doc, SampleTrailer(), (dir_ / "absent\\texte.tqx").c_str()));
    RteDocDestroy(doc);
}
