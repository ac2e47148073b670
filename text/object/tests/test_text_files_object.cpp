// The text object's own statement in an exported page and its plain text on the clipboard, for
// a text of a page that the kernel shows.
#include "clipboard_turn.h"
#include "plugintest.h"
#include "qxfile.h"
#include "texte.h"

#include <gtest/gtest.h>

namespace {

// The text of a page shown by the host: an empty text named by the user id, with a user
// string, in a box of 300 x 200 pixels at (10, 20).
TEXTE* ShownText(PageHost& host, const std::string& name)
{
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXTEXT.DLL", 0, name, NoBranch(),
                                                   {"TEXTE {", "10 20 300 200", "NULL", "0 0 0 0", "100", "0 128 255 0",
                                                    "}"})}));
    if (host.Go("a.pag") != 1)
        return nullptr;
    OBJET* page = KernGetTopObjet(host);
    return page->GetChildItems() == 1 ? static_cast<TEXTE*>(page->GetChild(0)) : nullptr;
}

}  // namespace

TEST(TextObjectFiles, WritesItsStatementWithItsNameAsAScriptString)
{
    PageHost host;
    TEXTE* text = ShownText(host, "le \"texte\"");
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
    TEXTE* text = ShownText(host, "texte");
    ASSERT_NE(nullptr, text);
    ClipboardTurn turn;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    text->CopyToClipboard(nullptr);
    CloseClipboard();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(CF_TEXT);
    const std::string copied = block ? static_cast<const char*>(GlobalLock(block)) : "(none)";
    if (block)
        GlobalUnlock(block);
    CloseClipboard();
    EXPECT_EQ("", copied);
}
