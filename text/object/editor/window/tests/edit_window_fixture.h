// What the editor's tests on a shown page share: a page with an empty text object and another
// page to link to, keys posted to the edit control and pumped through TranslateMessage as the
// keyboard would, and Modify() run with a script on the edit frame and answers for the dialogs
// it opens.
#pragma once

#include "dialogdriver.h"
#include "pagefiles.h"
#include "plugintest.h"
#include "rte_edit_control.h"
#include "texte.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A text object of the page without text yet.
RecordLines EmptyTextRecord();

// Dispatches what the queue holds, through TranslateMessage, until it stays empty.
void Pump();
// A key pressed and released on the control, as the keyboard would put it in the queue, with
// Ctrl or Shift held when asked.
void Key(HWND control, UINT key, bool ctrl = false, bool shift = false);
// Letters, digits, spaces and CR (Enter) typed one key after the other.
void Type(HWND control, const std::string& letters);
inline void CtrlKey(HWND control, UINT key) { Key(control, key, true); }
std::string TextOf(HWND control);
void Select(HWND control, int start, int end);
// The palette of the editor running on this thread.
HWND ToolsOf(HWND frame);
bool IsBranchDialog(HWND dialog);
// The text object of the page the host shows.
TEXTE* TextOfPage(PageHost& host);
bool IsPalette(HWND dialog);

class EditWindow : public testing::Test {
protected:
    void SetUp() override;

    // Shows the page "a.pag" with the page's object and the text record.
    static void Show(PageHost& host, const RecordLines& text);

    // Runs the editor on the page's text with the script; what Modify() answered. The answer
    // gets every dialog but the palette and the font list's box.
    int Edit(PageHost& host, const std::function<void(HWND frame, HWND control, HWND tools)>& script,
             std::function<int(HWND)> answer = [](HWND) { return 0; });

    bool Asked(const std::string& caption) const;
    // What the editor shows of the page's text, opened and cancelled.
    std::string EditedText(PageHost& host);
    // Another kernel shows the saved pages "a.pag" and "b.pag" of the host.
    static void ReadAgain(const PageHost& saved, PageHost& again);

    PageHost host_;
    std::vector<HWND> shown_;
    std::vector<std::string> shownCaptions_;
};
