// Branches inside a text: the plug-in's branch record, the hover message each branch has
// (BRMSG, index-aligned with the object's branch list) and the record of a run that shows the
// visited look (STKBR) so that its earlier look can be put back. The text refers to a branch
// by the branch's number (its `pluginMark`) carried in the character style of every character
// of the run; 0 is plain text.
#pragma once

#include "branch.h"
#include "qxmsgwind.h"
#include "rte_style_records.h"

class TEXTE;

// A branch of a text object: the kernel's record with the plug-in's tail. Seven flags and a
// size that nothing in the system reads, kept so that every branch a text makes is alike.
class TEXTBRANCH : public BRANCH {
public:
    explicit TEXTBRANCH(KERNEL* kernel);

    BYTE tailFlags[7] = {0, 1, 1, 1, 1, 1, 0};
    int tailWidth = 640;
    int tailHeight = 480;
};

// The hover message of one branch.
class BRMSG : public LNODE {
public:
    BRMSG();
    ~BRMSG() override;
    BRMSG(const BRMSG&) = delete;
    BRMSG& operator=(const BRMSG&) = delete;
    // Everything the page stores and the owner's branch id; not the pop-up's state.
    void CopyFrom(const BRMSG& source);

    // Shows the pop-up below the anchor (only with a text, not yet shown, an owner with a
    // window); plays the sound in run mode. Closes it again when the pop-up fails.
    void Show();
    void Close();

    TEXTE* owner = nullptr;   // set when the message is started
    int branchId = 0;
    QXSTRING text;            // may hold CR LF pairs
    LOGFONTA font{};          // height 16, weight 400, character set 1
    QXSTRING sound;           // "" for none
    int delay = 0;            // seconds
    int textColour[4] = {0, 0, 0, 0};
    int background[3] = {255, 255, 255};
    int displayed = 0;
    MSGWIND window;
    HBRUSH brush{};           // the pop-up's background: its window class paints with it while shown
    int timerArmed = 0;
    POINT anchor{};           // in the object window; the pop-up goes below anchor.y + anchorHeight
    int anchorHeight = 0;
};

// A run that shows the visited look: what the look replaced.
class STKBR : public LNODE {
public:
    int branchId = 0;
    int32_t start = 0, end = 0;  // the run in the text
    BYTE stylePart[64]{};  // the replaced first part of the character style
    RteColor textColour{};
    int16_t textColourSpare = 0;
    RteColor backColour{};
    int16_t backColourSpare = 0;
};

// Window timer of the object window that shows a hovered message after its delay.
constexpr UINT_PTR QX_TEXT_HOVER_TIMER = 1;
// Keys of the pointers recorded on the object window.
constexpr int QX_KEY_TEXT_OBJECT = 512;
constexpr int QX_KEY_HOVERED_MESSAGE = 1536;

// The index of the first branch with that number; -1 for none (and for 0, plain text).
int BranchIndexOfId(OBJET* object, int id);
// One more than the largest branch number of the object, at least 1.
int NextBranchId(OBJET* object);
// Arms a branch timer for every branch with a delay.
void ArmBranchTimers(OBJET* object);
