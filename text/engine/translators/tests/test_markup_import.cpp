// The command markup of the text object: commands as tables of text in and styles out, line
// ends, a "#" that starts no command, and overlong commands.
#include "rte_markup_import.h"
#include "rte_styles.h"
#include "rte_fonts.h"
#include "translator_fixture.h"

namespace {

// The record in force at the offset, read as the range readers read it.
template <class Record>
Record At(int32_t (*get)(RteHandle, const RteRange*, bool, Record*, Record*), RteHandle doc, int32_t offset)
{
    Record record;
    Record mask;
    RteRange range{offset, offset + 1};
    get(doc, &range, false, &record, &mask);
    return record;
}

RteCharStyle StyleAt(RteHandle doc, int32_t offset) { return At(RteGetCharStyle, doc, offset); }
RteFont FontAt(RteHandle doc, int32_t offset) { return At(RteGetFont, doc, offset); }

constexpr uint16_t kFull = 0xFFFF;

bool Unset(const RteColor& colour) { return colour.red == kFull && colour.green == kFull && colour.blue == kFull; }

}  // namespace

class MarkupTest : public TranslatorTest {
protected:
    RteHandle Read(const std::string& text)
    {
        RteQXTEXTImportFilter filter;
        filter.SetFontQuery([](const char*, int32_t) { return true; });
        return Import(filter, BytesOf(text));
    }
};

TEST_F(MarkupTest, ColoursAndActiveAreasApplyToTheTextAfterThem)
{
    RteHandle doc = Read("Hello #${FORECOLOR(255,0,0)}world");
    EXPECT_EQ(Text(doc), "Hello world");
    RteColor before = StyleAt(doc, 5).textColor;
    RteColor after = StyleAt(doc, 6).textColor;
    EXPECT_EQ(before.red, env_.defaultStyle.textColor.red);
    EXPECT_EQ(after.red, kFull);
    EXPECT_EQ(after.green, 0);
    EXPECT_EQ(after.blue, 0);

    doc = Read("#${ACTIVEAREAON(7)}link#${ACTIVEAREAOFF()} text");
    EXPECT_EQ(Text(doc), "link text");
    struct Case {
        int32_t offset;
        int32_t branch;
    } cases[] = {{0, 7}, {3, 7}, {4, 0}, {8, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(StyleAt(doc, c.offset).value14, c.branch) << c.offset;
}

TEST_F(MarkupTest, TheBackgroundColourAppliesOnlyInBackgroundModeTwo)
{
    RteHandle doc = Read("#${BACKCOLOR(0,0,255)}a#${BACKMODE(2)}b#${BACKMODE(1)}c#${BACKMODE(2)}d");
    EXPECT_EQ(Text(doc), "abcd");
    EXPECT_TRUE(Unset(StyleAt(doc, 0).backColor));
    RteColor blue = StyleAt(doc, 1).backColor;
    EXPECT_EQ(blue.red, 0);
    EXPECT_EQ(blue.blue, kFull);
    EXPECT_TRUE(Unset(StyleAt(doc, 2).backColor));
    EXPECT_EQ(StyleAt(doc, 3).backColor.blue, kFull);
}

TEST_F(MarkupTest, FontCommandsBuildTheFontAndStyleInAnyLetterCase)
{
    struct Case {
        const char* command;
        int32_t pointSize;
        int16_t bold;
        int16_t italic;
        int16_t underline;
        int16_t strikeOut;
        const char* face;
    } cases[] = {
        {"FONT(220,0,0,0,700,1,0,1,0,3,2,1,34,\"Arial\")", 10 << 16 | 500, 1, 1, 0, 1, "Arial"},
        {"font(-220,0,0,0,400,0,1,0,0,0,0,0,0,\"Courier New\")", 10 << 16 | 500, 0, 0, 1, 0, "Courier New"},
        {"Font(440,0,0,0,501,0,0,0,0,0,0,0,0,\"Times, Roman\")", 20 << 16 | 500, 1, 0, 0, 0, "Times, Roman"},
    };
    for (const Case& c : cases) {
        RteHandle doc = Read(std::string("#${") + c.command + "}x");
        ASSERT_EQ(Text(doc), "x") << c.command;
        RteCharStyle style = StyleAt(doc, 0);
        EXPECT_EQ(style.pointSize, c.pointSize) << c.command;
        EXPECT_EQ(style.bold, c.bold) << c.command;
        EXPECT_EQ(style.italic, c.italic) << c.command;
        EXPECT_EQ(style.underline, c.underline) << c.command;
        EXPECT_EQ(style.strikeOut, c.strikeOut) << c.command;
        EXPECT_STREQ(FontAt(doc, 0).name, c.face) << c.command;
        RteDocDestroy(doc);
    }
    RteHandle doc = Read("#${FONT(220,0,0,0,700,1,0,1,0,3,2,1,34,\"Verdana\")}x");
    RteFont font = FontAt(doc, 0);
    EXPECT_EQ(font.values[2], 3) << "output precision";
    EXPECT_EQ(font.values[3], 2) << "clip precision";
    EXPECT_EQ(font.values[4], 1) << "quality";
}

TEST_F(MarkupTest, LineEndsAndHashesThatStartNoCommand)
{
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {"a\r\nb\nc\rd", "a\nb\rcd"},
        {"#1 #$x #${UNKNOWN(1)}y", "#1 #$x y"},
        {"##${FORECOLOR(0,0,0)}z#", "#z#"},
        {"#${FORECOLOR(1,2,3)", ""},
    };
    for (const Case& c : cases) {
        RteHandle doc = Read(c.in);
        EXPECT_EQ(Printable(BytesOf(Text(doc))), Printable(BytesOf(c.out))) << Printable(BytesOf(c.in));
        RteDocDestroy(doc);
    }
}

TEST_F(MarkupTest, OverlongCommandsAndFaceNamesAreCut)
{
    RteHandle doc = Read("#${FONT(" + std::string(100000, '9') + ")}after");
    EXPECT_EQ(Text(doc), "after");
    std::string face(200, 'F');
    doc = Read("#${FONT(220,0,0,0,400,0,0,0,0,0,0,0,0,\"" + face + "\")}x");
    EXPECT_EQ(std::string(FontAt(doc, 0).name), face.substr(0, RTE_FONT_NAME_BYTES - 1));
}

TEST_F(MarkupTest, TheDeviceIsAskedOnceForAFontTheTextNamesAgainAndAgain)
{
    static int asked;
    asked = 0;
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "#${FONT(220,0,0,0,400,0,0,0,0,0,0,0,0,\"Nowhere\")}a#${FORECOLOR(255,0,0)}b#${FORECOLOR(0,0,0)}";
    RteQXTEXTImportFilter filter;
    filter.SetFontQuery([](const char*, int32_t) {
        ++asked;
        return false;
    });
    RteHandle doc = Import(filter, BytesOf(text));
    EXPECT_EQ(RteTextLength(doc), 1000);
    EXPECT_EQ(asked, 2) << "the face and the default font's fallback, once";
    EXPECT_STREQ(FontAt(doc, 999).name, env_.defaultFont.name);
}
