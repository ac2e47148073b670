// The module as a host binds it: tool record, allocation and the engine shared by the texts.
#include "plugintest.h"
#include "texte.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* Module = "qxtext40.dll";

TEST(TextModule, AnswersItsToolOnlyForTheObjectCategory)
{
    using COUNT = int (*)(int, int);
    using TOOL = void (*)(int, int, TOOLINFO*, int);
    auto count = PluginExport<COUNT>(Module, "GetNumberTools");
    auto tool = PluginExport<TOOL>(Module, "GetTool");
    ASSERT_TRUE(count && tool);
    for (int category : {0, 1, 3})
        EXPECT_EQ(0, count(0, category)) << category;
    EXPECT_EQ(1, count(0, 2));
    TOOLINFO untouched{};
    untouched.menuPath[0] = 'x';
    tool(0, 1, &untouched, 0);
    EXPECT_STREQ("x", untouched.menuPath);
    TOOLINFO info{};
    tool(0, 2, &info, 0);
    EXPECT_STREQ("\xC9&dition;&Ajouter;&Texte", info.menuPath);
    EXPECT_STREQ("Ajouter du texte", info.tooltip);
    EXPECT_STREQ("texte.pag", static_cast<const char*>(info.helpPage));
    EXPECT_NE(nullptr, info.create);
    EXPECT_NE(nullptr, info.bitmap1);
}

TEST(TextModule, MakesTextsWithTheirDefaultBranchAndMessage)
{
    Kernel k;
    auto* text = static_cast<TEXTE*>(AllocFrom(Module, k.kernel));
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("QXTEXT.DLL", text->GetDLLName());
    EXPECT_STREQ("Texte", text->GetObjetName());
    ASSERT_EQ(1, text->GetBranchItems());
    auto* branch = static_cast<TEXTBRANCH*>(text->GetBranch(0));
    EXPECT_EQ(1, branch->windowState);
    EXPECT_EQ(0, branch->execMode);
    EXPECT_EQ(640, branch->tailWidth);
    EXPECT_EQ(480, branch->tailHeight);
    ASSERT_EQ(1, text->messages.Items());
    EXPECT_EQ(16, text->Message(0)->font.lfHeight);
    EXPECT_EQ(255, text->Message(0)->background[0]);
    EXPECT_EQ(0xFFFFFFu, text->background);
    delete text;
}

TEST(TextModule, StartsTheEngineAgainAfterTheLastTextWent)
{
    Kernel k;
    for (int round = 0; round < 2; ++round) {
        auto* first = static_cast<TEXTE*>(AllocFrom(Module, k.kernel));
        auto* second = static_cast<TEXTE*>(AllocFrom(Module, k.kernel));
        ASSERT_TRUE(first && second);
        WNDCLASSA rtedit{};
        EXPECT_TRUE(GetClassInfoA(PluginModule(Module), "rtedit", &rtedit)) << round;
        delete first;
        EXPECT_TRUE(GetClassInfoA(PluginModule(Module), "rtedit", &rtedit)) << round;
        delete second;
    }
}

TEST(TextModule, DropsOnlyTextFilesOnAShownPage)
{
    using DROP = int (*)(KERNEL*, const char*, POINT*);
    auto drop = PluginExport<DROP>(Module, "FileDropped");
    ASSERT_NE(nullptr, drop);
    Kernel k;
    POINT at{10, 10};
    EXPECT_EQ(0, drop(k.kernel, "", &at));
    EXPECT_EQ(0, drop(k.kernel, "picture.bmp", &at));
    // No page is shown: nothing is made even for a text file.
    EXPECT_EQ(0, drop(k.kernel, "notes.rtf", &at));
}

}  // namespace
