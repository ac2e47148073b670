// HTML export as golden strings, in file mode and in DHTML mode, with a kernel object whose
// branch 0 leads somewhere or nowhere and whose user id is given or empty.
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "branch.h"
#include "objet.h"
#include "rte_fonts.h"
#include "rte_html_export.h"
#include "rte_styles.h"
#include "rte_typed.h"
#include "translator_fixture.h"

namespace {

enum Mode { kFile, kDhtml };

// A script string read from `at` up to its closing quote; *end is past that quote.
std::string ReadScriptString(const std::string& s, size_t at, size_t* end)
{
    std::string text;
    for (; at < s.size() && s[at] != '"'; ++at) {
        if (s[at] != '\\' || at + 1 == s.size()) {
            text += s[at];
            continue;
        }
        const char c = s[++at];
        if (c == 'x' && at + 2 < s.size()) {
            text += static_cast<char>(std::stoi(s.substr(at + 1, 2), nullptr, 16));
            at += 2;
        } else {
            text += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
    }
    if (end)
        *end = at + 1;
    return text;
}

// An attribute value with its character references read.
std::string ReferencesRead(const std::string& s)
{
    static const std::pair<std::string, char> kNamed[] = {{"amp", '&'}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}};
    std::string text;
    for (size_t at = 0; at < s.size(); ++at) {
        const size_t semicolon = s.find(';', at);
        if (s[at] != '&' || semicolon == std::string::npos) {
            text += s[at];
            continue;
        }
        const std::string name = s.substr(at + 1, semicolon - at - 1);
        char c = '?';
        if (name[0] == '#')
            c = static_cast<char>(std::stoi(name.substr(1)));
        for (const auto& named : kNamed)
            if (named.first == name)
                c = named.second;
        text += c;
        at = semicolon;
    }
    return text;
}

// The id that the first anchor of a DHTML export of branch 5 calls QXTextBranch with, read as
// a browser reads it: the export as the script string it is written into, the onclick value
// up to what ends an unquoted attribute, its references, then the call's first argument.
std::string AnchorIdAsRead(const std::string& exported)
{
    const std::string html = ReadScriptString(exported, 0, nullptr);
    const std::string onclick = "onclick=";
    size_t at = html.find(onclick);
    if (at == std::string::npos)
        return "(no anchor)";
    at += onclick.size();
    const std::string value = ReferencesRead(html.substr(at, html.find_first_of(" \t\r\n>", at) - at));
    const std::string call = "QXTextBranch(\"";
    if (value.compare(0, call.size(), call) != 0)
        return "(not a call: " + value + ")";
    size_t after = 0;
    const std::string id = ReadScriptString(value, call.size(), &after);
    return value.substr(after) == ",5)" ? id : "(the call ends with " + value.substr(after) + ")";
}

}  // namespace

class HtmlExportTest : public TranslatorTest {
protected:
    void SetUp() override
    {
        TranslatorTest::SetUp();
        object_ = std::make_unique<OBJET>(nullptr, nullptr);
        std::strcpy(object_->GetTmpUserID(), "tmp7");
    }

    void TearDown() override
    {
        object_.reset();
        TranslatorTest::TearDown();
    }

    // Branch 0 of the object leads to a page (or, with an empty target, nowhere).
    void SetBranch(const char* target)
    {
        auto* branch = new BRANCH(nullptr);
        branch->target = target;
        object_->AddBranch(branch);
    }

    std::string Write(RteHandle doc, Mode mode)
    {
        QXHTMLExportFilter filter(object_.get(), mode == kFile, mode == kDhtml, mode == kDhtml);
        Bytes bytes = Export(filter, doc);
        return std::string(bytes.begin(), bytes.end());
    }

    // The base entry's tags of the environment's default style, as the export opens them.
    std::string Base(Mode mode) const
    {
        const char* q = mode == kDhtml ? "\\\"" : "\"";
        return std::string("<font face=") + q + env_.defaultFont.name + q + "><font style=" + q + "font-size:" +
               std::to_string(env_.defaultStyle.pointSize >> 16) + "pt" + q + ">";
    }

    void Style(RteHandle doc, int32_t start, int32_t end, int16_t RteCharStyle::*unit, int16_t value)
    {
        RteCharStyle style = {};
        RteCharStyle mask = {};
        style.*unit = value;
        mask.*unit = -1;
        RteRange range{start, end};
        RteSetCharStyle(doc, &range, &style, &mask, 0);
    }

    void Branch(RteHandle doc, int32_t start, int32_t end, int32_t number)
    {
        RteCharStyle style = {};
        RteCharStyle mask = {};
        style.value14 = number;
        mask.value14 = -1;
        style.textColor = RteColor{0xFFFF, 0, 0};
        mask.textColor = RteColor{0xFFFF, 0xFFFF, 0xFFFF};
        RteRange range{start, end};
        RteSetCharStyle(doc, &range, &style, &mask, 0);
    }

    std::unique_ptr<OBJET> object_;
};

TEST_F(HtmlExportTest, APlainDocumentInAFileIsFramedAroundItsBaseTags)
{
    RteHandle doc = MakeDocument("Hello");
    EXPECT_EQ(Write(doc, kFile), "<html>\r\n<body>\r\n" + Base(kFile) + "Hello</font></font>\r\n</body>\r\n</html>\r\n");
}

TEST_F(HtmlExportTest, RunsOpenTheirTagsAgainstTheBaseStyle)
{
    RteHandle doc = MakeDocument("a bold italic word");
    Style(doc, 2, 6, &RteCharStyle::bold, 1);
    Style(doc, 7, 13, &RteCharStyle::italic, 1);
    Style(doc, 7, 13, &RteCharStyle::underline, 1);
    EXPECT_EQ(Write(doc, kFile), "<html>\r\n<body>\r\n" + Base(kFile) +
                                     "a <B>bold</B> <I><U>italic</U></I> word</font></font>\r\n</body>\r\n</html>\r\n");
}

TEST_F(HtmlExportTest, TextIsEscapedForHtmlAndForAScriptString)
{
    RteHandle doc = MakeDocument("a<b>&c  d\te\"\x93q\x94 C:\\new\rend");
    const std::string text = "a&lt;b&gt;&amp;c&nbsp; d&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;e";
    EXPECT_EQ(Write(doc, kFile), "<html>\r\n<body>\r\n" + Base(kFile) + text +
                                     "\"\"q\" C:\\new<BR>end</font></font>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(Write(doc, kDhtml), Base(kDhtml) + text + "\\\"\\\"q\\\" C:\\\\new<BR>end</font></font>");
}

TEST_F(HtmlExportTest, ABranchRunInsideAnObjectThatLeadsSomewhereReopensTheWholeTextAnchor)
{
    SetBranch("page2.pag");
    std::strcpy(object_->GetUserID(), "txt1");
    RteHandle doc = MakeDocument("go here now");
    Branch(doc, 3, 7, 3);
    const std::string whole = "<A STYLE=\\\"cursor=hand\\\" onclick=QXTextBranch(\\\"txt1\\\",0)>";
    EXPECT_EQ(Write(doc, kDhtml),
              whole + Base(kDhtml) + "go " +
                  "<font color=\\\"#ff0000\\\"></A><A STYLE=\\\"cursor=hand\\\" onclick=QXTextBranch(\\\"txt1\\\",3)>"
                  "<font color=\\\"#ff0000\\\">here</font></A>" + whole + "</font> now</font></font></A>");
}

TEST_F(HtmlExportTest, WithoutABranchZeroOrAUserIdTheRunAnchorStandsAloneWithTheTemporaryId)
{
    struct Case {
        const char* target;  // null: the object has no branch
    } cases[] = {{nullptr}, {""}};
    for (const Case& c : cases) {
        object_ = std::make_unique<OBJET>(nullptr, nullptr);
        std::strcpy(object_->GetTmpUserID(), "tmp7");
        if (c.target)
            SetBranch(c.target);
        RteHandle doc = MakeDocument("go here");
        Branch(doc, 3, 7, 5);
        EXPECT_EQ(Write(doc, kDhtml), Base(kDhtml) + "go <font color=\\\"#ff0000\\\"><A STYLE=\\\"cursor=hand\\\" "
                                                     "onclick=QXTextBranch(\\\"tmp7\\\",5)><font color=\\\"#ff0000\\\">"
                                                     "here</font></A></font></font></font>")
            << (c.target ? "empty branch" : "no branch");
        RteDocDestroy(doc);
    }
}

TEST_F(HtmlExportTest, AFileExportWritesNoAnchors)
{
    SetBranch("page2.pag");
    RteHandle doc = MakeDocument("go here");
    Branch(doc, 3, 7, 5);
    EXPECT_EQ(Write(doc, kFile), "<html>\r\n<body>\r\n" + Base(kFile) +
                                     "go <font color=\"#ff0000\">here</font></font></font>\r\n</body>\r\n</html>\r\n");
}

TEST_F(HtmlExportTest, ACentredParagraphOpensADivThatTheBaseAlignmentCloses)
{
    RteHandle doc = MakeDocument("left\rmiddle\rleft again");
    RteParFormat format = {};
    RteParFormat mask = {};
    format.alignment = 1;
    mask.alignment = -1;
    RteRange range{5, 8};
    RteSetParFormat(doc, &range, &format, &mask, 0);
    EXPECT_EQ(Write(doc, kFile), "<html>\r\n<body>\r\n" + Base(kFile) +
                                     "left<BR><DIV align=center>middle<BR></DIV>left again</font></font>"
                                     "\r\n</body>\r\n</html>\r\n");
}

TEST_F(HtmlExportTest, HostileObjectIdsStayInsideTheScriptStringOfTheirAnchors)
{
    const struct {
        const char* id;
        const char* written;  // as it stands in the export
    } cases[] = {
        {"a\"b", R"(a\\&quot;b)"},
        {"x onclick=alert(1)", "x&#32;onclick&#61;alert(1)"},
        {"</script><b>", R"(\\x3c/script&gt;\\x3cb&gt;)"},
        {"C:\\new", R"(C:\\\\new)"},
        {"it's & co", "it&#39;s&#32;&amp;&#32;co"},
        {"two\r\nlines", R"(two\\r\\nlines)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        object_ = std::make_unique<OBJET>(nullptr, nullptr);
        std::strcpy(object_->GetUserID(), c.id);
        RteHandle doc = MakeDocument("go here");
        Branch(doc, 3, 7, 5);
        const std::string exported = Write(doc, kDhtml);
        EXPECT_NE(std::string::npos, exported.find(std::string("onclick=QXTextBranch(\\\"") + c.written + "\\\",5)>"))
            << exported;
        EXPECT_EQ(c.id, AnchorIdAsRead(exported)) << exported;
        RteDocDestroy(doc);
    }
}

TEST_F(HtmlExportTest, AHostileFaceNameStaysInsideItsAttribute)
{
    RteHandle doc = MakeDocument("odd face");
    {
        // The face of the text's font as an imported file may name it.
        RteLocked<RteFont> fonts(RteFontTable(doc));
        fonts[0].nameFlags |= RTE_FONT_NAME_CSTRING;
        std::strcpy(fonts[0].name, "Odd\" size=9 <b>");
    }
    const std::string face = "Odd&quot; size=9 &lt;b&gt;";
    const std::string file = Write(doc, kFile);
    EXPECT_NE(std::string::npos, file.find("<font face=\"" + face + "\">")) << file;
    const std::string dhtml = Write(doc, kDhtml);
    EXPECT_NE(std::string::npos, dhtml.find("<font face=\\\"" + face + "\\\">")) << dhtml;
}
