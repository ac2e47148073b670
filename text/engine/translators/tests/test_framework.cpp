// The translator protocol through the plain-text translators: sources with and without
// byte-order marks, golden files, flags, fonts and characters of another system, progress,
// callback failures, and the output helpers of exporters.
#include <cstring>

#include "rte_fonts.h"
#include "rte_io.h"
#include "rte_record_stream.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "translator_fixture.h"

namespace {

struct ProgressCall {
    int32_t mode;
    int32_t done;
    int32_t total;
};
std::vector<ProgressCall> g_progress;

void NoteProgress(RteHandle, int32_t mode, int32_t done, int32_t total) { g_progress.push_back({mode, done, total}); }

void SetProgressHook(RteHandle doc)
{
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.progress = NoteProgress;
    RteSetDocHooks(doc, &hooks, false);
}

// Exposes the input and output helpers of the bases.
class OpenImport : public RteImportFilter {
public:
    using RteImportFilter::NextByte;
    using RteImportFilter::SetSourceCharset;
    RteFont Map(RteFont font)
    {
        env_ = env;
        MapFont(&font, RTE_CHARSET_MAC, RTE_CHARSET_ANSI);
        return font;
    }
    RteEnvironment* env = nullptr;
};

class OpenExport : public RteExportFilter {
public:
    OpenExport() { features_ |= RTE_FEATURE_BUFFERED; }
    int32_t WriteChunk() override { return 1; }
    void Number(int16_t value) { PutNumber(value); }
    void Hex(uint8_t byte) { PutHex(byte); }
    void String(const char* text, uint8_t lead, uint8_t trail) { PutString(text, lead, trail); }
    int16_t LastClass() const { return lastClass_; }
};

RteFont FontNamed(const char* name)
{
    RteFont font = {};
    std::strcpy(font.name, name);
    font.nameFlags = RTE_FONT_NAME_CSTRING;
    return font;
}

uint16_t FailingReader(void*, int32_t operation, int32_t*, int32_t* length, intptr_t)
{
    if (operation == RTE_IO_SIZE || operation == RTE_IO_SEEK)
        return 0;
    *length = 0;
    return RTE_ERR_FILE;
}

uint16_t FailingWriter(void*, int32_t operation, int32_t*, int32_t*, intptr_t)
{
    return operation == RTE_IO_TRANSFER ? uint16_t{0x1234} : uint16_t{0};
}

}  // namespace

TEST_F(TranslatorTest, PlainTextComesInAsItLiesWithCrLfAsOneParagraphEnd)
{
    RteImportFilter filter;
    RteHandle doc = Import(filter, BytesOf("Hello\r\nWorld\rand\nmore"));
    EXPECT_EQ(Text(doc), "Hello\rWorld\rand\nmore");
    EXPECT_EQ(filter.Imported(), 20);
    EXPECT_EQ(LockedHandles(), 0);
}

TEST_F(TranslatorTest, ACrLfPairSplitAcrossChunksIsStillOneParagraphEnd)
{
    std::string text(RTE_TRANSLATOR_BUFFER - 1, 'x');
    text += "\r\nend";
    RteImportFilter filter;
    RteHandle doc = Import(filter, BytesOf(text));
    EXPECT_EQ(Text(doc), std::string(RTE_TRANSLATOR_BUFFER - 1, 'x') + "\rend");
}

TEST_F(TranslatorTest, GoldenFilesOfEveryEncodingImportAsTheirWindowsText)
{
    std::string expected;
    for (uint8_t byte : Fixture("plain/licence.cp1252"))
        expected.push_back(static_cast<char>(byte));
    ASSERT_GT(expected.size(), 6000u);
    struct Case {
        const char* file;
        int32_t charset;
    } cases[] = {
        {"plain/licence.cp1252", RTE_CHARSET_ANSI},
        {"plain/licence.utf16le", RTE_CHARSET_ANSI},
        {"plain/licence.utf16be", RTE_CHARSET_ANSI},
        {"plain/licence.macroman", RTE_CHARSET_MAC},
    };
    for (const Case& c : cases) {
        OpenImport filter;
        filter.SetSourceCharset(c.charset);
        RteHandle doc = Import(filter, Fixture(c.file));
        EXPECT_EQ(Text(doc), expected) << c.file;
        RteDocDestroy(doc);
    }
}

TEST_F(TranslatorTest, AByteOrderMarkIsDroppedAndHalvesTheCharacters)
{
    struct Case {
        Bytes bytes;
        std::string text;
    } cases[] = {
        {{0xFF, 0xFE, 'a', 0, 'b', 0, 0xE9, 0, 0xAC, 0x20}, "ab\xE9\x80"},  // little-endian, the euro sign
        {{0xFE, 0xFF, 0, 'a', 0, 'b', 0x04, 0x10}, "ab?"},                // big-endian, a letter without a byte
        {{0xFF, 0xFE}, ""},
        {{0xFE, 'a'}, "\xFE" "a"},  // not a mark: bytes
    };
    for (const Case& c : cases) {
        RteImportFilter filter;
        RteHandle doc = Import(filter, c.bytes);
        EXPECT_EQ(Text(doc), c.text) << Printable(c.bytes);
        RteDocDestroy(doc);
    }
}

TEST_F(TranslatorTest, MacRomanUpperHalfGoesThroughTheTableWithItsSixExceptions)
{
    struct Case {
        uint8_t mac;
        uint8_t windows;
    } cases[] = {
        {0x8E, 0xE9}, {0xA5, 0x95}, {0xD0, 0x97}, {0xD1, 0x96}, {0xD8, '?'},
        {0xD9, 0x9D}, {0xDB, 0xA4}, {0xE3, '?'}, {0xF0, '?'}, {'A', 'A'},
    };
    for (const Case& c : cases) {
        OpenImport filter;
        filter.SetSourceCharset(RTE_CHARSET_MAC);
        RteHandle doc = Import(filter, Bytes{c.mac});
        EXPECT_EQ(Text(doc), std::string(1, static_cast<char>(c.windows))) << std::hex << int{c.mac};
        RteDocDestroy(doc);
    }
    EXPECT_EQ(kRteMacToAnsi[0xD0 - 0x80], 0x97);
}

TEST_F(TranslatorTest, EndMinusOneReadsToTheSizeAndAnEmptySourceStillReportsItsEnd)
{
    RteImportFilter filter;
    RteHandle doc = MakeDocument("kept");
    SetProgressHook(doc);
    g_progress.clear();
    Import(filter, Bytes(), RTE_IMPORT_TEXT, nullptr, doc);
    EXPECT_EQ(Text(doc), "kept");
    ASSERT_FALSE(g_progress.empty());
    EXPECT_EQ(g_progress.back().mode, RTE_PROGRESS_READ);
    EXPECT_EQ(g_progress.back().done, 0);
    EXPECT_EQ(g_progress.back().total, 0);
}

TEST_F(TranslatorTest, ProgressFollowsTheBytesConsumed)
{
    RteImportFilter filter;
    RteHandle doc = MakeDocument();
    SetProgressHook(doc);
    g_progress.clear();
    Import(filter, Bytes(10000, 'z'), RTE_IMPORT_TEXT, nullptr, doc);
    ASSERT_GE(g_progress.size(), 3u);
    EXPECT_EQ(g_progress.front().done, RTE_TRANSLATOR_BUFFER);
    EXPECT_EQ(g_progress.back().done, 10000);
    EXPECT_EQ(g_progress.back().total, 10000);
}

TEST_F(TranslatorTest, WithoutTheTextFlagNothingIsInserted)
{
    RteImportFilter filter;
    RteHandle doc = Import(filter, BytesOf("ignored"), RTE_IMPORT_STYLES);
    EXPECT_EQ(RteTextLength(doc), 0);
}

TEST_F(TranslatorTest, TextGoesInAtTheOffsetOrOverTheSelection)
{
    struct Case {
        int32_t offset;
        int32_t selStart;
        int32_t selEnd;
        std::string text;
    } cases[] = {
        {2, 0, 0, "ab--cdef"},
        {0, 0, 0, "--abcdef"},
        {-1, 6, 6, "abcdef--"},
        {-1, 1, 4, "a--ef"},
        {100, 0, 0, "abcdef--"},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument("abcdef");
        RteSetSelection(doc, c.selStart, c.selEnd, 0, 0);
        RteImportFilter filter;
        Import(filter, BytesOf("--"), RTE_IMPORT_TEXT, nullptr, doc, c.offset);
        EXPECT_EQ(Text(doc), c.text) << c.offset << " " << c.selStart << "-" << c.selEnd;
        RteDocDestroy(doc);
    }
}

TEST_F(TranslatorTest, FileBackedTextStaysInTheSourceAndIsReadBackOnDemand)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i) + "\r";
    RteImportFilter filter;
    RteHandle doc = Import(filter, BytesOf(text), RTE_IMPORT_TEXT | RTE_IMPORT_FILE_BACKED);
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        ASSERT_GT(blocks.size(), 1);
        for (int32_t i = 0; i < blocks.size(); ++i)
            EXPECT_EQ(blocks[i].text, nullptr) << i;
    }
    EXPECT_EQ(Text(doc), text);
}

TEST_F(TranslatorTest, FileBackedTextOfAnotherCharacterSetIsTranslatedAsItIsReadBack)
{
    // Mac Roman: 0x8E is e acute, 0xD0 and 0xD1 the two dashes, exchanged on their way to 1252.
    std::string source, expected;
    for (int i = 0; i < 2000; ++i) {
        source += "caf\x8E \xD0 \xD1 " + std::to_string(i) + "\r";
        expected += "caf\xE9 \x97 \x96 " + std::to_string(i) + "\r";
    }
    struct Case {
        const char* name;
        std::string before;  // the document's text before the import
        bool backed;
    } cases[] = {{"an empty document", "", true}, {"a document with text", "x", false}};
    for (const Case& c : cases) {
        RteImportFilter filter;
        filter.SetSourceCharset(RTE_CHARSET_MAC);
        RteHandle doc = MakeDocument(c.before);
        Import(filter, BytesOf(source), RTE_IMPORT_TEXT | RTE_IMPORT_FILE_BACKED, nullptr, doc,
               static_cast<int32_t>(c.before.size()));
        bool inSource = true;
        {
            RteLocked<RteDocument> locked(doc);
            RteLocked<RteTextBlock> blocks(locked->blocks);
            ASSERT_GT(blocks.size(), 1) << c.name;
            for (int32_t i = 0; i < blocks.size(); ++i)
                inSource = inSource && blocks[i].text == nullptr;
        }
        EXPECT_EQ(c.backed, inSource) << c.name;
        EXPECT_TRUE(Text(doc) == c.before + expected) << c.name;
        RteDocDestroy(doc);
    }
}

TEST_F(TranslatorTest, FileBackedIsRefusedForMarkedSourcesAndTheirTextIsCopied)
{
    RteImportFilter filter;
    RteHandle doc = Import(filter, Bytes{0xFF, 0xFE, 'o', 0, 'k', 0}, RTE_IMPORT_TEXT | RTE_IMPORT_FILE_BACKED);
    EXPECT_EQ(Text(doc), "ok");
    RteLocked<RteDocument> locked(doc);
    EXPECT_NE(RteLocked<RteTextBlock>(locked->blocks)[0].text, nullptr);
}

TEST_F(TranslatorTest, ACallbackFailureIsTheResultEvenAsMinusOne)
{
    RteImportFilter filter;
    RteHandle doc = MakeDocument("x");
    ASSERT_EQ(filter.SetSource(&env_, 0, nullptr, FailingReader, 0, 10), 0);
    EXPECT_EQ(static_cast<uint16_t>(filter.ImportInto(doc, 0, RTE_IMPORT_TEXT, 0, false)), RTE_ERR_FILE);
    EXPECT_EQ(Text(doc), "x");
}

TEST_F(TranslatorTest, FontsTheDeviceLacksTakeTheirSubstituteOrTheDefaultFont)
{
    KnownFonts::family = "Arial";
    KnownFonts::other = "MS Sans Serif";
    std::string defaultName = env_.defaultFont.name;
    struct Case {
        const char* name;
        const char* becomes;
        const char* second;
    } cases[] = {
        {"Arial", "Arial", ""},                      // known: stays
        {"Geneva", "MS Sans Serif", "Geneva"},       // known the other way
        {"Helvetica", "Arial", "Helvetica"},
        {"N Helvetica Narrow", "Arial", "N Helvetica Narrow"},  // "*" ends the comparison
        {"Times New Roman", nullptr, "Times New Roman"},       // only begins with an entry
        {"geneva", nullptr, "geneva"},                         // letter case counts
        {"Courier", nullptr, "Courier New"},                   // substitute unknown too
    };
    for (const Case& c : cases) {
        OpenImport filter;
        filter.env = &env_;
        filter.SetFontQuery(KnownFonts::Query);
        RteFont font = filter.Map(FontNamed(c.name));
        EXPECT_STREQ(font.name, c.becomes ? c.becomes : defaultName.c_str()) << c.name;
        EXPECT_STREQ(font.altName, c.second) << c.name;
    }
}

TEST_F(TranslatorTest, ImportedFontsMissingFromTheTableAreMapped)
{
    class FontImport : public RteImportFilter {
    public:
        int32_t ReadChunk() override
        {
            record_.length = 0;
            record_.font = FontNamed("Geneva");
            PutString("text");
            return 0;
        }
    };
    KnownFonts::family = "MS Sans Serif";
    KnownFonts::other = "";
    FontImport filter;
    filter.SetFontQuery(KnownFonts::Query);
    RteHandle doc = Import(filter, BytesOf("unused"));
    EXPECT_EQ(Text(doc), "text");
    RteFont font;
    RteFont mask;
    RteRange all{0, 4};
    RteGetFont(doc, &all, false, &font, &mask);
    EXPECT_STREQ(font.name, "MS Sans Serif");
    EXPECT_STREQ(font.altName, "Geneva");
}

TEST_F(TranslatorTest, PlainExportWritesParagraphEndsAsCrLf)
{
    RteHandle doc = MakeDocument("a\rb\nc");
    RteExportFilter filter;
    EXPECT_EQ(Printable(Export(filter, doc)), "a<0D><0A>b<0A>c");
}

TEST_F(TranslatorTest, ExportOfARangeOrTheSelection)
{
    RteHandle doc = MakeDocument("one two three");
    RteSetSelection(doc, 4, 7, 0, 0);
    struct Case {
        const RteRange* range;
        int32_t mode;
        std::string text;
    } cases[] = {
        {nullptr, 0, "one two three"},
        {nullptr, 1, "two"},
    };
    RteRange range{9, 100};
    for (const Case& c : cases) {
        RteExportFilter filter;
        RteHandle target = Source(Bytes());
        filter.SetTarget(&env_, 0, target, nullptr, 0);
        EXPECT_EQ(filter.ExportFrom(doc, c.range, 1, c.mode), 0);
        EXPECT_EQ(Printable(Contents(target)), c.text);
    }
    RteExportFilter filter;
    RteHandle target = Source(Bytes());
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    EXPECT_EQ(filter.ExportFrom(doc, &range, 1, 1), 0);
    EXPECT_EQ(Printable(Contents(target)), "hree");
}

TEST_F(TranslatorTest, TheTargetIsCutAtTheEndOfTheExport)
{
    RteHandle doc = MakeDocument("new");
    RteExportFilter filter;
    RteHandle target = Source(BytesOf("old and longer"));
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    EXPECT_EQ(filter.ExportFrom(doc, nullptr, 1, 0), 0);
    EXPECT_EQ(Printable(Contents(target)), "new");
}

TEST_F(TranslatorTest, AWriteErrorEndsTheExportWithItsCode)
{
    RteHandle doc = MakeDocument("text");
    RteExportFilter filter;
    filter.SetTarget(&env_, 0, nullptr, FailingWriter, 0);
    EXPECT_EQ(filter.ExportFrom(doc, nullptr, 1, 0), 0x1234);
    EXPECT_EQ(LockedHandles(), 0);
}

TEST_F(TranslatorTest, OutputHelpersWriteNumbersHexAndStrings)
{
    RteHandle doc = MakeDocument();
    OpenExport filter;
    RteHandle target = Source(Bytes());
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    ASSERT_EQ(filter.ExportFrom(doc, nullptr, 1, 0), 0);
    filter.Number(0);
    filter.Number(-5);
    filter.Number(-32768);
    filter.Number(32767);
    filter.Hex(0x0A);
    filter.Hex(0xF0);
    EXPECT_EQ(filter.LastClass(), 0);
    filter.String("ab", '{', '}');
    EXPECT_EQ(filter.LastClass(), 1);
    filter.String("cd", 0, 0);
    EXPECT_EQ(filter.EndExport(), 0);
    EXPECT_EQ(Printable(Contents(target)), "0-5-32768327670af0{ab}cd");
}
