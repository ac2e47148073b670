// RTF import: what the reader makes of the control words, groups, escapes and destinations.
#include <gtest/gtest.h>

#include "block_text.h"
#include "rtf_fixture.h"
#include "rte_fonts.h"
#include "rte_selection.h"

namespace {

struct TextCase {
    const char* name;
    const char* rtf;
    const char* text;
};

// The text each input leaves in the document.
const TextCase kTextCases[] = {
    {"GroupEndsStyle", "{\\rtf1 {\\b bold} plain}", "bold plain"},
    {"HexLowerCase", "{\\rtf1 caf\\'e9}", "caf\xE9"},
    {"HexUpperCase", "{\\rtf1 caf\\'E9}", "caf\xE9"},
    {"MacEscapeTranslated", "{\\rtf1\\mac caf\\'8e}", "caf\xE9"},
    {"LineBreak", "{\\rtf1 one\\line two}", "one\ntwo"},
    {"Paragraphs", "{\\rtf1 one\\par two\\par}", "one\rtwo\r"},
    {"TabAndPage", "{\\rtf1 a\\tab b\\page c}", "a\tb\x0C" "c"},
    {"EscapedSymbols", "{\\rtf1 \\{a\\}\\\\b}", "{a}\\b"},
    {"QuotesAndBullet", "{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote\\bullet}", "\x91\x92\x93\x94\x95"},
    {"Dashes", "{\\rtf1 a\\endash b\\emdash c}", "a\x96" "b\x97" "c"},
    {"HeaderSkipped", "{\\rtf1 {\\header head}body}", "body"},
    {"FooterSkipped", "{\\rtf1 {\\footer {\\b foot}}body}", "body"},
    {"MarkedDestinationSkipped", "{\\rtf1 {\\*\\unknown some {nested} text}body}", "body"},
    {"UnmarkedDestinationRead", "{\\rtf1 {\\fldrslt shown}}", "shown"},
    {"InfoSkipped", "{\\rtf1 {\\info{\\title T}{\\author A}}body}", "body"},
    {"UnicodeWithFallback", "{\\rtf1 caf\\u233?}", "caf\xE9"},
    {"UnicodeDash", "{\\rtf1 a\\u8212-b}", "a\x97" "b"},
    {"UnicodeNoFallback", "{\\rtf1 \\uc0 caf\\u233 x}", "caf\xE9x"},
    {"UnicodeTwoFallbacks", "{\\rtf1 \\uc2 a\\u233 xyb}", "a\xE9" "b"},
    {"UnicodeWithoutByteKeepsFallback", "{\\rtf1 a\\u1071?b}", "a?b"},
    {"NegativeUnicode", "{\\rtf1 a\\u-3913?b}", "a?b"},
    {"FallbackEndsWithGroup", "{\\rtf1 \\uc3 {\\u233 x}yz}", "\xE9yz"},
    {"PictureWithoutData", "{\\rtf1 a{\\pict\\wmetafile8\\picw10\\pich10 }b}", "ab"},
    {"PngDataNeverText", "{\\rtf1 a{\\pict\\pngblip\\picw2\\pich2 89504e470d0a1a0a\r\n0000000d4948}b}", "ab"},
    {"BinaryDataNeverText", "{\\rtf1 a{\\pict\\pngblip\\bin4 {}\\x}b}", "ab"},
    {"ControlCharactersIgnored", "{\\rtf1 a\r\nb\tc}", "abc"},
    {"UnknownWordsIgnored", "{\\rtf1 \\widowctrl\\hyphauto a\\~b}", "ab"},
    {"LongWordBounded", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz123 x}", "x"},
    {"HugeParameter", "{\\rtf1 \\fs99999999999999999999 x}", "x"},
    {"UnbalancedClose", "{\\rtf1 a}}}b", "ab"},
    {"CutShortInHex", "{\\rtf1 a\\'e", "a"},
    {"BinaryCountPastTheEnd", "{\\rtf1 a\\bin999999 xyz}", "a"},
    {"HugeUnicodeSkip", "{\\rtf1 \\uc999999 a\\u233 bcdefghijklmnopqrstuvwxyz}", "a\xE9" "rstuvwxyz"},  // fallbacks counted to 16 at most
    {"FontTableCutShort", "{\\rtf1{\\fonttbl{\\f0 Arial", ""},
    {"PictureCutShort", "{\\rtf1 a{\\pict\\wmetafile8 0102", "a"},
};

class RtfTextTest : public RtfTest, public testing::WithParamInterface<TextCase> {};

TEST_P(RtfTextTest, LeavesTheText)
{
    RteHandle doc = Import(GetParam().rtf);
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(DocumentText(doc), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RtfTextTest, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST_F(RtfTest, DeepNestingKeepsItsState)
{
    // Far more groups than the reader keeps states for: the text and its bold come through.
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 5000; ++i)
        rtf += "{";
    rtf += "\\b deep";
    for (int i = 0; i < 5000; ++i)
        rtf += "}";
    rtf += " plain}";
    RteHandle doc = Import(rtf);
    EXPECT_EQ(DocumentText(doc), "deep plain");
    EXPECT_NE(StyleAt(doc, 0).bold, 0);
    EXPECT_EQ(StyleAt(doc, 5).bold, 0);
}

TEST_F(RtfTest, AGroupsBoldEndsWithIt)
{
    RteHandle doc = Import("{\\rtf1 {\\b bold} plain}");
    EXPECT_NE(StyleAt(doc, 0).bold, 0);
    EXPECT_NE(StyleAt(doc, 3).bold, 0);
    EXPECT_EQ(StyleAt(doc, 4).bold, 0);  // the leading space is plain
    EXPECT_EQ(StyleAt(doc, 5).bold, 0);
}

TEST_F(RtfTest, BoldZeroSwitchesOff)
{
    RteHandle doc = Import("{\\rtf1 \\b on\\b0 off}");
    EXPECT_EQ(DocumentText(doc), "onoff");
    EXPECT_NE(StyleAt(doc, 0).bold, 0);
    EXPECT_EQ(StyleAt(doc, 2).bold, 0);
}

TEST_F(RtfTest, ToggleWordsSetTheirUnits)
{
    RteHandle doc = Import("{\\rtf1 {\\i a}{\\ul b}{\\strike c}{\\uldb d}{\\scaps e}{\\v f}}");
    EXPECT_NE(StyleAt(doc, 0).italic, 0);
    EXPECT_NE(StyleAt(doc, 1).underline, 0);
    EXPECT_NE(StyleAt(doc, 2).strikeOut, 0);
    EXPECT_NE(StyleAt(doc, 3).doubleUnderline, 0);
    EXPECT_NE(StyleAt(doc, 4).smallCaps, 0);
    EXPECT_NE(StyleAt(doc, 5).hidden, 0);
    EXPECT_EQ(StyleAt(doc, 0).underline, 0);
}

TEST_F(RtfTest, HalfPointsHalveToWholePoints)
{
    RteHandle doc = Import("{\\rtf1 {\\fs24 a}{\\fs23 b}}");
    EXPECT_EQ(StyleAt(doc, 0).pointSize, 12 << 16);
    EXPECT_EQ(StyleAt(doc, 1).pointSize, 11 << 16);
}

TEST_F(RtfTest, FontTableEntriesAreFoundByNumber)
{
    RteHandle doc = Import("{\\rtf1\\deff0{\\fonttbl{\\f0\\froman Liberation Serif;}{\\f1\\fnil Helv;}}"
                           "{\\f1 a}b}");
    EXPECT_STREQ(FontAt(doc, 0).name, "Helv");
    EXPECT_STREQ(FontAt(doc, 1).name, "Liberation Serif");
}

TEST_F(RtfTest, TheDefaultFontBecomesTheFirstFontOfADocumentItFills)
{
    const std::string rtf = "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Liberation Serif;}}b{\\f0 a}}";
    struct Case {
        std::string before;  // the document's text before the import
        bool takesFont;
    } cases[] = {{"", true}, {"xy", false}};
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.before);
        RteFont first;
        RteGetFontByIndex(doc, 0, &first);
        const std::string original = first.name;
        RteHandle source = RteNewFromData(&context_, rtf.data(), 1, static_cast<int32_t>(rtf.size()));
        RteSetSelection(doc, 0, 0, 0, 0);
        ImportInto(doc, source, 0xF);
        RteFree(source);
        EXPECT_EQ(0, result_);
        RteGetFontByIndex(doc, 0, &first);
        EXPECT_EQ(c.takesFont ? std::string("Liberation Serif") : original, first.name) << "before: " << c.before;
        EXPECT_STREQ("Liberation Serif", FontAt(doc, 0).name);
        EXPECT_STREQ("Arial", FontAt(doc, 1).name);
        if (c.takesFont) {
            EXPECT_EQ(0, StyleAt(doc, 0).font) << "text in the default font is in the first font";
        }
    }
}

TEST_F(RtfTest, ColoursComeFromTheTable)
{
    RteHandle doc = Import("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
                           "{\\cf1 r}{\\cf2 b}{\\cf9 n}}");
    RteColor red = StyleAt(doc, 0).textColor;
    RteColor blue = StyleAt(doc, 1).textColor;
    EXPECT_EQ(red.red, 0xFF00);
    EXPECT_EQ(red.green, 0);
    EXPECT_EQ(blue.green, 0x8000);
    EXPECT_EQ(blue.blue, 0xFF00);
    EXPECT_EQ(DocumentText(doc), "rbn");
}

TEST_F(RtfTest, ParagraphWordsSetTheFormat)
{
    RteHandle doc = Import("{\\rtf1 \\pard\\qc centred\\par\\pard\\qr\\li1440 right\\par}");
    EXPECT_EQ(FormatAt(doc, 0).alignment, 1);
    RteParFormat second = FormatAt(doc, 9);
    EXPECT_EQ(second.alignment, 2);
    EXPECT_GT(second.leftIndent, 0);
}

TEST_F(RtfTest, TabStopsBeyondThirtyTwoAreIgnored)
{
    std::string rtf = "{\\rtf1 \\pard";
    for (int i = 1; i <= 33; ++i)
        rtf += "\\tx" + std::to_string(i * 200);
    rtf += " a\\tab b\\par}";
    RteHandle doc = Import(rtf);
    RteParFormat format = FormatAt(doc, 0);
    EXPECT_EQ(format.tabCount, 32);
    EXPECT_LT(format.tabs[0].position, format.tabs[31].position);
}

TEST_F(RtfTest, TabKindsAndLeaders)
{
    RteHandle doc = Import("{\\rtf1 \\pard\\tqr\\tldot\\tx2880\\tqc\\tx4320\\tx5760 a\\par}");
    RteParFormat format = FormatAt(doc, 0);
    ASSERT_EQ(format.tabCount, 3);
    EXPECT_EQ(format.tabs[0].kind, RTE_TAB_RIGHT);
    EXPECT_EQ(format.tabs[0].leader, '.');
    EXPECT_EQ(format.tabs[1].kind, RTE_TAB_CENTRED);
    EXPECT_EQ(format.tabs[2].kind, RTE_TAB_LEFT);
}

TEST_F(RtfTest, WithoutTheTextFlagNothingIsInserted)
{
    RteHandle doc = Import("{\\rtf1 some text\\par}", 0xE);
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(RteTextLength(doc), 0);
}

TEST_F(RtfTest, TableRowsBecomeTabbedParagraphs)
{
    RteHandle doc = Import("{\\rtf1 \\trowd\\cellx1440\\cellx2880 a\\cell b\\cell\\row after\\par}");
    EXPECT_EQ(DocumentText(doc), "a\tb\rafter\r");
    EXPECT_EQ(FormatAt(doc, 0).tabCount, 2);
}

TEST_F(RtfTest, StyleSheetEntriesApplyByNumber)
{
    RteHandle doc = Import("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\b Strong;}}\\s1 a\\par}");
    EXPECT_EQ(DocumentText(doc), "a\r");
    EXPECT_NE(StyleAt(doc, 0).bold, 0);
}

}  // namespace
