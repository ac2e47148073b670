// HTML export as golden strings, in file mode and in DHTML mode, with a kernel object whose
// branch 0 leads somewhere or nowhere and whose user id is given or empty.
#include <cstring>
#include <memory>

#include "branch.h"
#include "objet.h"
#include "rte_html_export.h"
#include "rte_styles.h"
#include "translator_fixture.h"

namespace {

enum Mode { kFile, kDhtml };

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
