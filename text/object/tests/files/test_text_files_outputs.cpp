// What a text gives the outside world: export files in each format, the statement of an
// exported page's script and the plain text on the clipboard.
#include "text_files_fixture.h"

#include <cstring>
#include <memory>

#include "branch.h"
#include "clipboard_turn.h"
#include "objet.h"
#include "qxfile.h"
#include "qxpath.h"
#include "rte_document.h"
#include "text_files.h"

namespace {

TEXTFILETRAILER Trailer()
{
    TEXTFILETRAILER trailer;
    trailer.margins = RECT{1, 2, 3, 4};
    std::strcpy(trailer.font.lfFaceName, "Arial");
    return trailer;
}

}  // namespace

using TextExport = TextFilesTest;

TEST_F(TextExport, WritesEachFormat)
{
    RteHandle doc = MakeDocument("Bonjour <monde>");
    struct Case {
        int index;
        const char* name;
        const char* starts;
        const char* holds;
    };
    const Case cases[] = {
        {1, "t.htm", "<html>\r\n<body>\r\n", "Bonjour &lt;monde&gt;"},
        {2, "t.rtf", "{\\rtf1", "Bonjour <monde>"},
        {3, "t.txt", "Bonjour <monde>", "Bonjour <monde>"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(1, WriteExportFile(doc, nullptr, Trailer(), c.index, (dir_ / c.name).c_str())) << c.name;
        const std::string written = dir_.Read(c.name);
        EXPECT_EQ(0u, written.find(c.starts)) << written;
        EXPECT_NE(std::string::npos, written.find(c.holds)) << written;
    }
    EXPECT_EQ("Bonjour <monde>", dir_.Read("t.txt"));
    RteDocDestroy(doc);
}

TEST_F(TextExport, TqxIsTheObjectsOwnFile)
{
    RteHandle doc = MakeDocument("Bonjour");
    ASSERT_EQ(1, WriteExportFile(doc, nullptr, Trailer(), 4, (dir_ / "export.tqx").c_str()));
    ASSERT_EQ(1, WriteTextDocument(doc, Trailer(), (dir_ / "save.tqx").c_str()));
    EXPECT_EQ(dir_.Read("save.tqx"), dir_.Read("export.tqx"));
    RteDocDestroy(doc);
}

TEST_F(TextExport, ATargetThatCannotBeCreatedIsAFailure)
{
    RteHandle doc = MakeDocument("Bonjour");
    for (int index = 1; index <= 4; ++index)
        EXPECT_EQ(0, WriteExportFile(doc, nullptr, Trailer(), index, (dir_ / "absent\\t.txt").c_str())) << index;
    RteDocDestroy(doc);
}

class TextDhtml : public TextFilesTest {
protected:
    void SetUp() override
    {
        TextFilesTest::SetUp();
        object_ = std::make_unique<OBJET>(nullptr, nullptr);
        object_->x = 10;
        object_->y = 20;
        object_->w = 300;
        object_->h = 200;
        object_->showDelay = 1.5;
    }
    void TearDown() override
    {
        object_.reset();
        TextFilesTest::TearDown();
    }

    std::string Statement(RteHandle doc, const TEXTDHTMLLOOK& look, int index = 4)
    {
        QXFILE file = QXopen((dir_ / "page.js").c_str(), 1);
        EXPECT_EQ(1, WriteTextDHTML(object_.get(), doc, look, file, index));
        QXclose(file);
        return dir_.Read("page.js");
    }

    std::unique_ptr<OBJET> object_;
};

TEST_F(TextDhtml, WithoutBranchesOrNameTheObjectIsNamedByItsIndex)
{
    RteHandle doc = MakeDocument();
    const std::string statement = Statement(doc, {false, RGB(0, 128, 255), false});
    EXPECT_EQ("branchlist = new Array();\r\n"
              "QXObjects[objindex++] = QXText(\"object4\",10,20,300,200,1500,null,branchlist,null,null,true,"
              "\"#0080ff\",0,\"<font face=\\\"Arial\\\"><font style=\\\"font-size:12pt\\\"></font></font>\");\r\n",
              statement);
    EXPECT_STREQ("object4", object_->GetTmpUserID());
    RteDocDestroy(doc);
}

TEST_F(TextDhtml, EscapesNameUserStringAndText)
{
    std::strcpy(object_->userID, "n\"a\\m\r\ne");
    std::strcpy(object_->userString, "u\"s\\e\r\nr");
    auto* empty = new BRANCH(nullptr);
    object_->AddBranch(empty);
    auto* link = new BRANCH(nullptr);
    link->target = "http://example.org/page.html";
    link->pluginMark = 3;
    object_->AddBranch(link);
    RteHandle doc = MakeDocument("t\"x\\y\rz");
    const std::string statement = Statement(doc, {true, RGB(255, 0, 0), true});
    EXPECT_EQ("branchlist = new Array();\r\n"
              "branchlist[0] = null;\r\n"
              "branchlist[1] = new QXBranch(\"3\",\"http://example.org/page.html\",null,0.0,null,null);\r\n"
              "QXObjects[objindex++] = QXText(\"n\\\"a\\\\m\\r\\ne\",10,20,300,200,1500,null,branchlist,null,"
              "\"u\\\"s\\\\e\\r\\nr\",false,\"#ff0000\",1,"
              "\"<font face=\\\"Arial\\\"><font style=\\\"font-size:12pt\\\">t\\\"x\\\\y<BR>z</font></font>\");\r\n",
              statement);
    RteDocDestroy(doc);
}

TEST_F(TextDhtml, TheTextFollowsItsParentsPlace)
{
    OBJET parent(nullptr, nullptr);
    parent.x = 100;
    parent.y = 50;
    object_->SetParent(&parent);
    RteHandle doc = MakeDocument();
    const std::string statement = Statement(doc, {false, RGB(1, 2, 3), false}, 7);
    EXPECT_NE(std::string::npos, statement.find("QXText(\"object7\",110,70,300,200,")) << statement;
    object_->SetParent(nullptr);
    RteDocDestroy(doc);
}

class TextCopy : public TextFilesTest {
protected:
    // The clipboard's text after the copy, and whether the copy added it.
    std::string Copied(RteHandle doc, int* added)
    {
        ClipboardTurn turn;
        std::string text = "(none)";
        EXPECT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        *added = CopyTextToClipboard(doc, dir_.Path().c_str());
        CloseClipboard();
        EXPECT_TRUE(OpenClipboard(nullptr));
        if (HANDLE block = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(TextCopy, PutsThePlainTextOnTheClipboard)
{
    RteHandle doc = MakeDocument("Premier\rSecond");
    int added = 0;
    EXPECT_EQ("Premier\r\nSecond", Copied(doc, &added));
    EXPECT_EQ(1, added);
    // The temporary file is gone.
    EXPECT_TRUE(FilesIn(dir_.Path()).empty());
    RteDocDestroy(doc);
}

TEST_F(TextCopy, AnEmptyTextIsAnEmptyString)
{
    RteHandle doc = MakeDocument();
    int added = 0;
    EXPECT_EQ("", Copied(doc, &added));
    EXPECT_EQ(1, added);
    RteDocDestroy(doc);
}

TEST_F(TextCopy, NothingIsAddedWithoutATemporaryFile)
{
    RteHandle doc = MakeDocument("Texte");
    ClipboardTurn turn;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    // A file where the folder should be.
    dir_.Write("file", "");
    EXPECT_EQ(0, CopyTextToClipboard(doc, (dir_ / "file\\").c_str()));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    CloseClipboard();
    RteDocDestroy(doc);
}
