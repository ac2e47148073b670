// Branches that no text uses any more are dropped when the editor opens, each with its own
// hover message: after a save and a reload every message is still the one of its branch.
#include "session_fixture.h"

#include "editwindow_res.h"

#include <map>

namespace {

using PurgedBranches = EditorSession;

// The text of each branch's message by the branch's number.
std::map<int, std::string> MessagesOf(TEXTE* text)
{
    std::map<int, std::string> messages;
    for (int i = 0; text && i < text->GetBranchItems(); ++i) {
        BRMSG* message = text->Message(i);
        messages[text->GetBranch(i)->pluginMark] = message ? std::string(message->text) : "(none)";
    }
    return messages;
}

TEST_F(PurgedBranches, TakeTheirMessagesWithThemThroughSaveAndReload)
{
    BranchLinker linker(host_->Page("b.pag"));
    ASSERT_EQ(1, Edit(
                     [&](const Editor& e) {
                         Type(e.control, "un deux trois");
                         linker.Link(e, 0, 2, "A");
                         linker.Link(e, 3, 7, "B");
                         Key(e.control, 'Z', true);  // "deux" is plain again: its branch is left unused
                         linker.Link(e, 8, 13, "C");
                         Command(e, CMD_OK);
                     },
                     [&](HWND dialog) { return linker.Answer(dialog); }));
    EXPECT_EQ((std::map<int, std::string>{{0, ""}, {1, "A"}, {2, "B"}, {3, "C"}}), MessagesOf(TextOfPage(*host_)))
        << "the unused branch lives until the editor opens again";

    Reload();
    ASSERT_EQ(1, Edit([&](const Editor& e) { Command(e, CMD_OK); }));
    Reload();
    EXPECT_EQ((std::map<int, std::string>{{0, ""}, {1, "A"}, {3, "C"}}), MessagesOf(TextOfPage(*host_)));
}

}  // namespace
