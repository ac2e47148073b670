// "Branchement" ("D_BRANCH"): one branch of the selected text: its target, its hover message
// (text, font, colours, delay, sound) and the looks of branch text and of visited branch text,
// with a preview of each look ("EXTXTBRANCH").
#pragma once

#include "face_sample.h"
#include "qxstring.h"
#include "text_defaults.h"

#include <windows.h>
#include <commdlg.h>

class BRANCH;
class OBJET;

// The hover message's fields that the dialog edits (those of the branch's BRMSG).
struct TOOLTIPFIELDS {
    QXSTRING text;
    LOGFONTA font{};
    QXSTRING sound;                  // "" for none
    int delay = 0;                   // seconds, 0..60
    int textColour[3] = {0, 0, 0};   // red, green, blue
    int background[3] = {255, 255, 255};
};

// One look of branch text in the dialog: its preview and its dialog records.
struct BRANCHLOOK {
    HWND preview = nullptr;          // "EXTXTBRANCH" over the look's frame
    FACESAMPLE sample;
    LOGFONTA font{};
    CHOOSEFONTA fontChoice{};        // its colour is the look's text colour
    CHOOSECOLORA backgroundChoice{};
};

// The editor fills it, runs the dialog and, on 1 with a target, applies the branch to the
// selected text; with `keepStyles` set it also saves the styles as defaults.
struct BRANCHDIALOGRECORD {
    int busy = 0;                    // commands are ignored while set
    BRANCHSTYLES styles;             // working copy of the branch styles
    int keepStyles = 0;              // out: "Conserver ces styles" confirmed
    BRANCH* branch = nullptr;
    TOOLTIPFIELDS tooltip;
    OBJET* text = nullptr;
    LOGFONTA defaultFont{};          // the text's default font: the visited face without a branch look
    QXSTRING target;                 // as shown; "" for no branch
    BRANCHLOOK look;                 // branch text
    BRANCHLOOK visited;              // visited branch text
    BYTE visitedStrikeOut = 0;
    BYTE visitedUnderline = 0;
    CHOOSECOLORA visitedTextChoice{};
    CHOOSEFONTA tooltipFontChoice{};
    CHOOSECOLORA tooltipColourChoice{};
    COLORREF customColours[16]{};
    HFONT tooltipFont = nullptr;     // of the edit 117 while the dialog is up
    int lookOn = 0;
    int visitedOn = 0;
    int fullHeight = 0;              // of the dialog with its styles part shown
    SampleClassUse classUse{"EXTXTBRANCH"};
};

// Runs the dialog modally on the owner: 1 on OK, 0.
int BranchDialog(HWND owner, BRANCHDIALOGRECORD* record);
