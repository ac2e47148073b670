// The text object's own statement in an exported page and its plain text on the clipboard, for
// a text of a page that the kernel shows.
#include "qxfile.h"
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// An empty text named by the user id, with a user string, in a box of 300 x 200 pixels at
// (10, 20).
TEXTE* EmptyShownText(PageHost& host, const std::string& name)
{
    return ShownText(host, name, {"TEXTE {", "10 20 300 200", "NULL", "0 0 0 0", "100", "0 128 255 0", "}"});
}

}  // namespace

TEST(TextObjectFiles, WritesItsStatementWithItsNameAsAScriptString)
{
    PageHost host;
    TEXTE* text = EmptyShownText(host, "le \"texte\"");
    ASSERT_NE(nullptr, text);
    ScratchDir out;
    QXFILE file = QXopen((out / "page.js").c_str(), 1);
    int index = 4;
    EXPECT_EQ(1, text->ExportToDHTML(file, index));
    QXclose(file);
    const std::string js = out.Read("page.js");
    EXPECT_EQ(0u, js.find("branchlist = new Array();\r\n")) << js;
    EXPECT_NE(std::string::npos, js.find("QXObjects[objindex++] = QXText(\"le \\\"texte\\\"\",10,20,300,200,0,null,"
                                         "branchlist,null,null,true,\"#0080ff\",0,\""))
        << js;
    EXPECT_EQ(js.size() - 5, js.rfind("\");\r\n")) << js;
}

TEST(TextObjectFiles, CopiesAnEmptyTextAsAnEmptyString)
{
    PageHost host;
    TEXTE* text = EmptyShownText(host, "texte");
    ASSERT_NE(nullptr, text);
    const std::string copied = CopiedText(text);
    EXPECT_EQ("", copied);
}
