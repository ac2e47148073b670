// Branches that no text uses any more are dropped when the editor opens, each with its own
// hover message: after a save and a reload every message is still the one of its branch.
#include "session_fixture.h"

#include "dialogdriver.h"
#include "dialogsres.h"
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

// Links the selection to a page with a hover message as an author does: the editor's branch
// dialog takes its target only from the kernel's branch dialog, so the answer asks for that
// one, types the target there and, once it has gone, confirms the editor's dialog.
class Linker {
    // The target's edit in the kernel's branch dialog.
    static constexpr int KernelTarget = 104;

public:
    explicit Linker(std::string target) : target_(std::move(target)) { active = this; }
    ~Linker() { active = nullptr; }

    void Link(const EditorSession::Editor& editor, int start, int end, const char* tip)
    {
        tip_ = tip;
        EditorSession::Select(editor.control, start, end);
        EditorSession::Command(editor, CMD_BRANCH);
    }

    int Answer(HWND dialog)
    {
        // Both dialogs have a control 117: they are told apart by their captions.
        const std::string caption = WindowText(dialog);
        if (caption == "Branchement") {
            SetText(dialog, IDC_BRANCH_TIP_TEXT, tip_);
            branchDialog_ = dialog;
            return IDC_BRANCH_TARGET_BUTTON;
        }
        if (caption == "Options de branchement") {
            SetText(dialog, KernelTarget, target_);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(KernelTarget, EN_CHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, KernelTarget)));
            kernelDialog_ = dialog;
            SetTimer(nullptr, 0, 1, ConfirmOnceTargetChosen);
        }
        return IDOK;
    }

private:
    static void CALLBACK ConfirmOnceTargetChosen(HWND, UINT, UINT_PTR timer, DWORD)
    {
        if (!active || IsWindow(active->kernelDialog_))
            return;
        KillTimer(nullptr, timer);
        PostMessageA(active->branchDialog_, WM_COMMAND, IDOK, 0);
    }

    static inline Linker* active = nullptr;
    std::string target_;
    const char* tip_ = "";
    HWND branchDialog_ = nullptr;
    HWND kernelDialog_ = nullptr;
};

TEST_F(PurgedBranches, TakeTheirMessagesWithThemThroughSaveAndReload)
{
    Linker linker(host_->Page("b.pag"));
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
