// The record stream as a translator format: whole documents and ranges out and back, into
// empty documents and into text, flags as record masks, and a stream of platform class 1 (the
// Macintosh) with its characters translated and its fonts substituted.
#include <cstring>

#include "rte_fonts.h"
#include "rte_native_translators.h"
#include "rte_record_stream.h"
#include "rte_selection.h"
#include "rte_styles.h"
#include "style_checks.h"
#include "translator_fixture.h"

namespace {

constexpr uint32_t kEverything = RTE_IMPORT_TEXT | RTE_IMPORT_STYLES | RTE_IMPORT_FORMATS | RTE_IMPORT_PAGE;

bool BoldAt(RteHandle doc, int32_t offset)
{
    RteCharStyle style;
    RteCharStyle mask;
    RteRange range{offset, offset + 1};
    RteGetCharStyle(doc, &range, false, &style, &mask);
    return style.bold != 0;
}

void MakeBold(RteHandle doc, int32_t start, int32_t end)
{
    RteCharStyle style = {};
    RteCharStyle mask = {};
    style.bold = 1;
    mask.bold = -1;
    RteRange range{start, end};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

}  // namespace

class NativeTest : public TranslatorTest {
protected:
    Bytes Write(RteHandle doc, const RteRange* range = nullptr, uint32_t flags = kEverything)
    {
        RteNativeExportFilter filter;
        RteHandle target = Source(Bytes());
        filter.SetTarget(&env_, 0, target, nullptr, 0);
        EXPECT_EQ(filter.ExportFrom(doc, range, flags, range ? 1 : 0), 0);
        return Contents(target);
    }

    RteHandle Read(const Bytes& stream, RteHandle doc = nullptr, uint32_t flags = kEverything)
    {
        RteNativeImportFilter filter;
        filter.SetFontQuery(KnownFonts::Query);
        return Import(filter, stream, flags, nullptr, doc);
    }
};

TEST_F(NativeTest, ADocumentGoesOutAsARecordStreamAndComesBackWithItsStyles)
{
    RteHandle doc = MakeDocument("plain bold plain\rsecond paragraph");
    MakeBold(doc, 6, 10);
    Bytes stream = Write(doc);
    ASSERT_GT(stream.size(), 20u);
    EXPECT_EQ(std::string(stream.begin(), stream.begin() + 12), "FFFF00000006");
    RteNativeImportFilter probe;
    probe.SetSource(&env_, 0, Source(stream), nullptr, 0, -1);
    EXPECT_EQ(probe.VerifyFormat(), 0);

    RteHandle read = Read(stream);
    EXPECT_EQ(Text(read), Text(doc));
    EXPECT_FALSE(BoldAt(read, 5));
    EXPECT_TRUE(BoldAt(read, 6));
    EXPECT_TRUE(BoldAt(read, 9));
    EXPECT_FALSE(BoldAt(read, 10));
    EXPECT_EQ(RunProblems(read), "");
    EXPECT_EQ(LockedHandles(), 0);
}

TEST_F(NativeTest, BytesThatOpenNoRecordStreamFailTheFormatCheck)
{
    RteNativeImportFilter filter;
    filter.SetSource(&env_, 0, Source(BytesOf("{\\rtf1 not ours}")), nullptr, 0, -1);
    EXPECT_EQ(filter.VerifyFormat(), RTE_ERR_STREAM_DAMAGED);
    int16_t code = 0;
    RteNativeImportFilter reader;
    RteHandle doc = Import(reader, BytesOf("FFFF0000 broken"), kEverything, &code);
    EXPECT_NE(code, 0);
    EXPECT_EQ(RteTextLength(doc), 0);
}

TEST_F(NativeTest, ASelectionGoesOutAsACopyWhoseTextStartsAtZero)
{
    RteHandle doc = MakeDocument("one two three");
    MakeBold(doc, 4, 7);
    RteSetSelection(doc, 4, 7, 0, 0);
    RteNativeExportFilter filter;
    RteHandle target = Source(Bytes());
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    ASSERT_EQ(filter.ExportFrom(doc, nullptr, kEverything, 1), 0);
    RteHandle read = Read(Contents(target));
    EXPECT_EQ(Text(read), "two");
    EXPECT_TRUE(BoldAt(read, 0));
    EXPECT_EQ(Text(doc), "one two three") << "the source keeps its text";
}

TEST_F(NativeTest, AStreamGoesIntoTextAtTheInsertionPointInOneChange)
{
    RteHandle source = MakeDocument("XY");
    MakeBold(source, 0, 2);
    Bytes stream = Write(source);
    RteHandle doc = MakeDocument("abc");
    RteSetSelection(doc, 1, 1, 0, 0);
    uint32_t changes = RteGetChangeCounter(doc);
    Read(stream, doc);
    EXPECT_EQ(Text(doc), "aXYbc");
    EXPECT_FALSE(BoldAt(doc, 0));
    EXPECT_TRUE(BoldAt(doc, 1));
    EXPECT_TRUE(BoldAt(doc, 2));
    EXPECT_FALSE(BoldAt(doc, 3));
    EXPECT_GT(RteGetChangeCounter(doc), changes);
    EXPECT_EQ(RunProblems(doc), "");
}

TEST_F(NativeTest, FlagsSelectTheRecordsThatComeAcross)
{
    RteHandle source = MakeDocument("styled");
    MakeBold(source, 0, 6);
    Bytes stream = Write(source);
    RteHandle textOnly = Read(stream, nullptr, RTE_IMPORT_TEXT);
    EXPECT_EQ(Text(textOnly), "styled");
    EXPECT_FALSE(BoldAt(textOnly, 0));
    RteHandle stylesOnly = Read(stream, nullptr, RTE_IMPORT_STYLES);
    EXPECT_EQ(RteTextLength(stylesOnly), 0);
    // The masks are the translator's: the documents save as before.
    EXPECT_EQ(DocumentOf(textOnly).saveMask, DocumentOf(MakeDocument()).saveMask);
}

TEST_F(NativeTest, AnEmptyDocumentStillWritesAStream)
{
    Bytes stream = Write(MakeDocument());
    ASSERT_GE(stream.size(), 12u);
    EXPECT_EQ(std::string(stream.begin(), stream.begin() + 12), "FFFF00000006");
    EXPECT_EQ(RteTextLength(Read(stream)), 0);
}

TEST_F(NativeTest, AMacintoshStreamComesInTranslatedWithItsFontsSubstituted)
{
    // A stream as a Macintosh wrote it: its state word has none of bits 8 to 27 (platform
    // class 1), its text is Mac OS Roman and its font a Macintosh face.
    RteHandle mac = MakeDocument("caf\x8E \xD0 \xA5");
    RteFont geneva = {};
    std::strcpy(geneva.name, "Geneva");
    geneva.nameFlags = RTE_FONT_NAME_CSTRING;
    geneva.units1to5[0] = 0x4;  // looked up on the Macintosh
    RteFont mask = {};
    std::memset(mask.name, 0xFF, sizeof mask.name);
    RteRange all{0, RteTextLength(mac)};
    RteSetFont(mac, &all, &geneva, &mask, 0);
    RteLocked<RteDocument>(mac)->state = 1;
    uint16_t code = 0;
    Bytes stream = Save(mac, nullptr, 0, &code);
    ASSERT_EQ(code, 0);

    KnownFonts::family = "MS Sans Serif";
    KnownFonts::other = "";
    RteHandle read = Read(stream);
    EXPECT_EQ(Printable(BytesOf(Text(read))), "caf<E9> <97> <95>");
    RteFont font;
    RteFont fontMask;
    RteGetFont(read, &all, false, &font, &fontMask);
    EXPECT_STREQ(font.name, "MS Sans Serif");
    EXPECT_STREQ(font.altName, "Geneva");
    EXPECT_EQ(DocumentOf(read).state, RTE_DOC_STATE_READY);

    // The same stream from Windows (class 2) keeps its bytes and its face.
    RteLocked<RteDocument>(mac)->state = RTE_DOC_STATE_READY;
    RteHandle windows = Read(Save(mac, nullptr, 0, &code));
    EXPECT_EQ(Printable(BytesOf(Text(windows))), "caf<8E> <D0> <A5>");
    RteGetFont(windows, &all, false, &font, &fontMask);
    EXPECT_STREQ(font.name, "Geneva");
}
