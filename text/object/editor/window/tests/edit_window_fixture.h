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
// The face chosen in the palette's font list, as a click in the list does.
void ChooseListedFace(HWND tools, const char* face);

// What a script sees of the editor.
struct Editor {
    HWND frame;
    HWND control;
    HWND tools;
};
using EditorScript = std::function<void(const Editor&)>;
// Fills in a dialog the editor opened; its result is the command sent to the dialog.
using DialogAnswer = std::function<int(HWND)>;

// Runs the editor by Modify() on the text of the page the host shows, with the script on its
// frame; what Modify() answered. The questions and dialogs the editor opens go to the answer, but
// for the palette and the font list's box, which are shown on their own. The captions of every
// dialog shown go to `captions` when given.
int RunEditor(PageHost& host, const EditorScript& script, const DialogAnswer& answer,
              std::vector<std::string>* captions = nullptr);

// The editor tests' pages written and shown at "a.pag": "a.pag" with a white page object and an
// empty text, "b.pag" to link to.
void SetUpEditorPages(PageHost& host);
// The pages "a.pag" and "b.pag" the host saved, shown at "a.pag" by another kernel.
void ReadEditorPagesAgain(const PageHost& saved, PageHost& again);

class EditWindow : public testing::Test {
protected:
    void SetUp() override;

    // Runs the editor on the page's text with the script; what Modify() answered. Questions not
    // answered are left open.
    int Edit(PageHost& host, const std::function<void(HWND frame, HWND control, HWND tools)>& script,
             const DialogAnswer& answer = [](HWND) { return 0; });

    bool Asked(const std::string& caption) const;
    // What the editor shows of the page's text, opened and cancelled.
    std::string EditedText(PageHost& host);

    PageHost host_;
    std::vector<std::string> shownCaptions_;
};
