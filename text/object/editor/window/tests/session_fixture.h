// The editor run by Modify() on a text of a shown page, for the tests of rulers, tabs, bullets
// and navigation: keys posted to the control and pumped through TranslateMessage, commands
// posted to the palette, clicks posted at points of the text.
#pragma once

#include "edit_window_fixture.h"
#include "pagehost.h"
#include "texte.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class EditorSession : public testing::Test {
public:
    using Editor = ::Editor;
    using Script = EditorScript;
    using Answer = DialogAnswer;

    // Runs the editor on the page's text (the host's own by default); Modify()'s answer. Every
    // other dialog (the tabs dialog, message boxes) goes to the answer, whose result is the
    // command sent to it.
    int Edit(const Script& script, const Answer& answer = [](HWND) { return IDOK; });
    int Edit(PageHost& host, const Script& script, const Answer& answer = [](HWND) { return IDOK; });
    // The page saved and shown again by a new host.
    void Reload();

    // A palette command, as its menu entry or button sends it.
    static void Command(const Editor& editor, int command);
    // A click of the left button at the point of the control.
    static void ClickAt(HWND control, POINT point);
    static std::pair<int, int> Selection(HWND control);
    // The point of the control where the character at the offset starts, halfway down its line.
    static POINT PointOf(HWND control, int offset);
    // The frame's rulers: top, then bottom.
    static std::vector<HWND> Rulers(HWND frame);

protected:
    void SetUp() override;

    std::unique_ptr<PageHost> host_;
};

// Links the selection to a page with a hover message as an author does: the editor's branch
// dialog takes its target only from the kernel's branch dialog, so the answer asks for that
// one, types the target there and, once it has gone, confirms the editor's dialog.
class BranchLinker {
public:
    explicit BranchLinker(std::string target);
    ~BranchLinker();
    BranchLinker(const BranchLinker&) = delete;
    BranchLinker& operator=(const BranchLinker&) = delete;

    // The branch command on the range, with the tip as its hover message.
    void Link(const EditorSession::Editor& editor, int start, int end, const char* tip);
    // The answer to give the editor's session for the dialogs the command shows.
    int Answer(HWND dialog);

private:
    static void CALLBACK ConfirmOnceTargetChosen(HWND, UINT, UINT_PTR timer, DWORD);

    static inline BranchLinker* active = nullptr;
    std::string target_;
    const char* tip_ = "";
    HWND branchDialog_ = nullptr;
    HWND kernelDialog_ = nullptr;
};

// What a bulleted paragraph starts with by default: the bullet (183) and a tab.
inline const std::string Bullet = "\xB7\t";
