// RTF export: the header, the pieces as groups, escapes, line breaks, and documents that come
// back the same through RTF.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "block_text.h"
#include "rect_list.h"
#include "rte_fonts.h"
#include "rte_styles.h"
#include "rtf_fixture.h"

namespace {

// The header every document of the tests' environment starts with.
const std::string kHeader =
    "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl\\red0\\green0\\blue0;}"
    "{\\stylesheet{\\s0\\fs24 Normal Text;}}\\margl1800 \\margr1800 \r\n\\margt1440 \\margb1440 \\pard \\f0\\fs24";

TEST_F(RtfTest, OnePlainParagraph)
{
    // A new document has no margins; its 129th byte is passed before "\par".
    RteHandle doc = MakeDocument("Hello\r");
    EXPECT_EQ(Export(doc), "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl\\red0\\green0\\blue0;}"
                           "{\\stylesheet{\\s0\\fs24 Normal Text;}}\\pard \\f0\\fs24 Hello\r\n\\par\r\n}");
    EXPECT_EQ(result_, 0);
}

struct GoldenCase {
    const char* name;
    const char* rtf;   // read in first
    const char* body;  // what follows the header
};

const GoldenCase kGoldenCases[] = {
    {"BoldWordIsAGroup", "{\\rtf1 a {\\b bold} word\\par}", " a {\\b bold} word\\par\r\n}"},
    {"ItalicThenPlain", "{\\rtf1 {\\i it}x\\par}", "{\\i it}x\\par\r\n}"},
    {"Escapes", "{\\rtf1 \\{a\\}\\\\b\\:c\\'e9\\'C0\\par}", "\\{a\\}\\\\b\\:c\\'e9\\'c0\\par\r\n}"},
    {"TabsLinesPages", "{\\rtf1 a\\tab b\\line c\\page d\\par}", " a\\tab b\\line c\\page d\\par\r\n}"},
    {"SizeAndUnderline", "{\\rtf1 {\\fs36\\ul big}\\par}", "{\\fs36\\ul big}\\par\r\n}"},
    {"CentredSecondParagraph", "{\\rtf1 a\\par\\pard\\qc mid\\par}", " a\\par\r\n{\\pard \\qc mid\\par\r\n}}"},
    {"BoldOffInsideBold", "{\\rtf1 {\\b\\i a}{\\i b}\\par}", "{\\b\\i a}{\\i b}\\par\r\n}"},
};

class RtfGoldenTest : public RtfTest, public testing::WithParamInterface<GoldenCase> {};

TEST_P(RtfGoldenTest, WritesTheGoldenText)
{
    RteHandle doc = Import(GetParam().rtf);
    std::string rtf = Export(doc);
    ASSERT_EQ(rtf.compare(0, kHeader.size(), kHeader), 0) << rtf;
    EXPECT_EQ(rtf.substr(kHeader.size()), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfGoldenTest, testing::ValuesIn(kGoldenCases),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(RtfTest, SameColourListedOnce)
{
    RteHandle doc = Import("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\cf1\\b a}{\\cf1\\i b}\\par}");
    std::string rtf = Export(doc);
    EXPECT_EQ(Count(rtf, "\\red255\\green0\\blue0;"), 1u) << rtf;
    EXPECT_NE(rtf.find("{\\b\\cf1 a}{\\i\\cf1 b}"), std::string::npos) << rtf;
}

TEST_F(RtfTest, FamiliesByName)
{
    RteHandle doc = Import("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}{\\f2 Unlisted Face;}{\\f3 Times New Roman;}}"
                           "a{\\f1 b}{\\f2 c}{\\f3 d}\\par}");
    std::string rtf = Export(doc);
    EXPECT_NE(rtf.find("\\fmodern Courier New;"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fnil Unlisted Face;"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\froman Times New Roman;"), std::string::npos) << rtf;
}

TEST_F(RtfTest, LongOutputBreaksBeforeWords)
{
    std::string input = "{\\rtf1 ";
    for (int i = 0; i < 60; ++i)
        input += "{\\b b}{\\i i}";
    input += "\\par}";
    std::string rtf = Export(Import(input));
    size_t longest = 0;
    size_t start = 0;
    for (size_t at = rtf.find("\r\n"); at != std::string::npos; at = rtf.find("\r\n", start)) {
        longest = std::max(longest, at - start);
        start = at + 2;
    }
    EXPECT_GT(Count(rtf, "\r\n"), 4u);
    EXPECT_LE(longest, 128u + 12u) << rtf;  // the last word or brace may end past the mark
}

TEST_F(RtfTest, OldDocumentsAreRefused)
{
    RteHandle doc = MakeDocument("a");
    {
        RteLocked<RteDocument> locked(doc);
        locked->version = 0x10014;
    }
    Export(doc);
    EXPECT_EQ(result_, 528);
    Import("{\\rtf1 a}");  // a new document takes RTF again
    EXPECT_EQ(result_, 0);
}

// Every character's style, format and font agree in both documents.
void ExpectSameDocuments(RtfTest& test, RteHandle a, RteHandle b)
{
    ASSERT_EQ(DocumentText(a), DocumentText(b));
    for (int32_t i = 0; i < RteTextLength(a); ++i) {
        SCOPED_TRACE(i);
        RteCharStyle sa = test.StyleAtOf(a, i), sb = test.StyleAtOf(b, i);
        EXPECT_EQ(sa.bold, sb.bold);
        EXPECT_EQ(sa.italic, sb.italic);
        EXPECT_EQ(sa.underline, sb.underline);
        EXPECT_EQ(sa.pointSize, sb.pointSize);
        EXPECT_EQ(std::memcmp(&sa.textColor, &sb.textColor, sizeof sa.textColor), 0);
        EXPECT_STREQ(test.FontAtOf(a, i).name, test.FontAtOf(b, i).name);
        RteParFormat fa = test.FormatAtOf(a, i), fb = test.FormatAtOf(b, i);
        EXPECT_EQ(fa.alignment, fb.alignment);
        EXPECT_EQ(fa.leftIndent, fb.leftIndent);
        EXPECT_EQ(fa.firstIndent, fb.firstIndent);
        EXPECT_EQ(fa.spaceAfter, fb.spaceAfter);
        ASSERT_EQ(fa.tabCount, fb.tabCount);
        for (int t = 0; t < fa.tabCount; ++t) {
            EXPECT_EQ(fa.tabs[t].position, fb.tabs[t].position);
            EXPECT_EQ(fa.tabs[t].kind, fb.tabs[t].kind);
            EXPECT_EQ(fa.tabs[t].leader, fb.tabs[t].leader);
        }
    }
}

const char kRich[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Liberation Serif;}{\\f1\\fmodern Liberation Mono;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
    "\\pard\\qc\\sa240 {\\b\\fs32 Title}\\par"
    "\\pard\\li720\\fi-360\\tqr\\tldot\\tx4320\\tx5760 one\\tab {\\i two}\\tab {\\cf1 three}\\par"
    "\\pard\\qj {\\f1\\cf2 code} and {\\ul under} caf\\'e9\\line next\\par}";

// RTF, document, RTF, document: the documents agree, and the second RTF is the first.
TEST_F(RtfTest, RoundTripKeepsTheDocument)
{
    RteHandle first = Import(kRich);
    std::string rtf = Export(first);
    RteHandle second = Import(rtf);
    EXPECT_EQ(result_, 0);
    ExpectSameDocuments(*this, first, second);
    EXPECT_EQ(Export(second), rtf);
}

TEST_F(RtfTest, TabStopsDoNotDriftWithATabBase)
{
    RteHandle first = MakeDocument();
    RteSetTabBase(first, 0);
    RteRect wrap{0, 50, 1000, 600};
    RteSetRectList(RteWrapArea(first), &wrap);
    RteHandle source = RteNewFromData(&context_, kRich, 1, static_cast<int32_t>(sizeof kRich - 1));
    ImportInto(first, source);
    std::string rtf = Export(first);
    RteHandle second = MakeDocument();
    RteSetTabBase(second, 0);
    RteSetRectList(RteWrapArea(second), &wrap);
    RteHandle again = RteNewFromData(&context_, rtf.data(), 1, static_cast<int32_t>(rtf.size()));
    ImportInto(second, again);
    ExpectSameDocuments(*this, first, second);
    EXPECT_EQ(Export(second), rtf);
    RteFree(source);
    RteFree(again);
}

}  // namespace
