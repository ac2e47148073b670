// The branch dialog driven as an author drives it: the delay kept within 0..60, OK without a
// target, the transparent background of the branch look, the question before keeping the
// styles, and the styles part shown and hidden.
#include "branch_dialog.h"
#include "dialogdriver.h"
#include "dialogsres.h"
#include "pagehost.h"

#include "branch.h"

#include <gtest/gtest.h>

namespace {

constexpr int TransparentChoice = 5711;  // the foundation's colour dialog

struct BranchOnPage {
    PageHost host;
    OBJET text{host.kernel, nullptr};
    BRANCH branch{host.kernel};
    BRANCHDIALOGRECORD record;

    explicit BranchOnPage(const char* target = "suite.pag")
    {
        branch.target = target;
        record.text = &text;
        record.branch = &branch;
        record.tooltip.text = "avant";
        record.tooltip.delay = 5;
        record.tooltip.textColour[2] = 200;
        lstrcpynA(record.styles.branch.font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
        record.styles.branch.font.lfHeight = -16;
        record.styles.branch.font.lfUnderline = 1;
        lstrcpynA(record.defaultFont.lfFaceName, "Liberation Serif", LF_FACESIZE);
        record.defaultFont.lfHeight = -16;
    }
};

int WindowHeight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

}  // namespace

TEST(BranchDialog, TheDelayIsKeptWithinAMinute)
{
    struct Case {
        const char* typed;
        int stored;
    };
    for (const Case& c : {Case{"75", 60}, Case{"", 0}, Case{"-3", 0}, Case{"12", 12}, Case{"60", 60}}) {
        SCOPED_TRACE(c.typed);
        BranchOnPage page;
        DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
            SetText(dialog, IDC_BRANCH_TIP_DELAY, c.typed);
            SetText(dialog, IDC_BRANCH_TIP_TEXT, "Vers la suite");
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
        EXPECT_EQ(c.stored, page.record.tooltip.delay);
        EXPECT_EQ("Vers la suite", std::string(page.record.tooltip.text));
        EXPECT_EQ(200, page.record.tooltip.textColour[2]) << "the colour goes back split";
    }
}

TEST(BranchDialog, OkWithoutATargetLeavesTheMessageAsItWas)
{
    BranchOnPage page("");
    bool textEnabled = true, removeEnabled = true;
    DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
        textEnabled = IsEnabled(dialog, IDC_BRANCH_TIP_TEXT);
        removeEnabled = IsEnabled(dialog, IDC_BRANCH_REMOVE);
        SetText(dialog, IDC_BRANCH_TIP_DELAY, "9");
        SetCheck(dialog, IDC_BRANCH_LOOK_ON, true);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
    EXPECT_FALSE(textEnabled);
    EXPECT_FALSE(removeEnabled);
    EXPECT_EQ("avant", std::string(page.record.tooltip.text));
    EXPECT_EQ(5, page.record.tooltip.delay);
    EXPECT_EQ(0, page.record.styles.branch.active) << "nothing else is stored";
}

TEST(BranchDialog, RemovingTheBranchEmptiesItsFields)
{
    BranchOnPage page;
    page.record.tooltip.sound = "cloche.wav";
    std::string target, text, sound, delay;
    bool textEnabled = true;
    DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
        Click(dialog, IDC_BRANCH_REMOVE);
        target = ItemText(dialog, IDC_BRANCH_TARGET);
        text = ItemText(dialog, IDC_BRANCH_TIP_TEXT);
        sound = ItemText(dialog, IDC_BRANCH_SOUND);
        delay = ItemText(dialog, IDC_BRANCH_TIP_DELAY);
        textEnabled = IsEnabled(dialog, IDC_BRANCH_TIP_TEXT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
    EXPECT_EQ("", target + text + sound + delay);
    EXPECT_FALSE(textEnabled);
    EXPECT_EQ("", std::string(page.record.target));
    EXPECT_EQ("avant", std::string(page.record.tooltip.text));
}

TEST(BranchDialog, ATransparentBackgroundIsStoredAsNoBackground)
{
    struct Case {
        const char* what;
        int button;
        bool transparent;
    };
    for (const Case& c : {Case{"branch look", IDC_BRANCH_LOOK_BACKGROUND, true},
                          Case{"visited look", IDC_BRANCH_VISITED_BACKGROUND, true},
                          Case{"branch look, opaque", IDC_BRANCH_LOOK_BACKGROUND, false}}) {
        SCOPED_TRACE(c.what);
        BranchOnPage page;
        page.record.styles.branch.background = 0xFF00FF00;
        page.record.styles.visited.background = 0xFF00FF00;
        int colourDialogs = 0;
        DialogDriver driver(
            IDC_BRANCH_DIVIDER,
            [&](HWND dialog) {
                Click(dialog, IDC_BRANCH_SHOW_STYLES);
                SetCheck(dialog, IDC_BRANCH_LOOK_ON, true);
                SetCheck(dialog, IDC_BRANCH_VISITED_ON, true);
                Click(dialog, c.button);
                Click(dialog, IDOK);
            },
            [&](HWND colours) {
                if (!GetDlgItem(colours, TransparentChoice))
                    return IDCANCEL;
                ++colourDialogs;
                // Clicked once the chooser has set its radio buttons up, before the OK posted.
                if (c.transparent)
                    PostMessageA(GetDlgItem(colours, TransparentChoice), BM_CLICK, 0, 0);
                return IDOK;
            });
        EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
        EXPECT_EQ(1, colourDialogs);
        const BRANCHSTYLES& styles = page.record.styles;
        const COLORREF chosen = c.button == IDC_BRANCH_LOOK_BACKGROUND ? styles.branch.background : styles.visited.background;
        EXPECT_EQ(c.transparent ? 0xFFFFFEu : 0xFF00FF00u, chosen);
        EXPECT_EQ(1, styles.branch.active);
        EXPECT_EQ(1, styles.visited.active);
    }
}

TEST(BranchDialog, KeepingTheStylesIsAskedFirst)
{
    struct Case {
        int answer;
        int keep;
    };
    for (const Case& c : {Case{IDYES, 1}, Case{IDNO, 0}}) {
        BranchOnPage page;
        DialogDriver driver(
            IDC_BRANCH_DIVIDER,
            [&](HWND dialog) {
                SetCheck(dialog, IDC_BRANCH_KEEP_STYLES, true);
                Click(dialog, IDOK);
            },
            [&](HWND) { return c.answer; });
        EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
        EXPECT_EQ(c.keep, page.record.keepStyles);
        ASSERT_EQ(2u, driver.Shown().size());
        EXPECT_EQ("Styles par défaut des branchements", driver.Shown()[1].caption);
        EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("nouveaux textes de branchement"));
    }
}

TEST(BranchDialog, OpensWithItsStylesHiddenAndShowsThemOnDemand)
{
    BranchOnPage page;
    page.record.styles.visited.font.lfStrikeOut = 1;
    int shrunk = 0, full = 0, hiddenAgain = 0;
    bool showVisible = false, hideVisible = true, strikeTicked = false, visitedEnabled = true;
    std::string target;
    DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
        shrunk = WindowHeight(dialog);
        showVisible = IsWindowVisible(GetDlgItem(dialog, IDC_BRANCH_SHOW_STYLES));
        target = ItemText(dialog, IDC_BRANCH_TARGET);
        strikeTicked = IsDlgButtonChecked(dialog, IDC_BRANCH_VISITED_STRIKEOUT) == BST_CHECKED;
        visitedEnabled = IsEnabled(dialog, IDC_BRANCH_VISITED_COLOUR);
        Click(dialog, IDC_BRANCH_SHOW_STYLES);
        full = WindowHeight(dialog);
        hideVisible = IsWindowVisible(GetDlgItem(dialog, IDC_BRANCH_HIDE_STYLES));
        Click(dialog, IDC_BRANCH_HIDE_STYLES);
        hiddenAgain = WindowHeight(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, BranchDialog(nullptr, &page.record));
    EXPECT_EQ("Branchement", driver.Shown().at(0).caption);
    EXPECT_EQ("suite.pag", target);
    EXPECT_LT(shrunk + 100, full);
    EXPECT_EQ(shrunk, hiddenAgain);
    EXPECT_TRUE(showVisible);
    EXPECT_TRUE(hideVisible);
    EXPECT_TRUE(strikeTicked);
    EXPECT_FALSE(visitedEnabled) << "the visited look is off";
}

TEST(BranchDialog, TheVisitedLookTakesTheFaceOfTheBranchLookWhenItIsOn)
{
    struct Case {
        bool lookOn;
        const char* face;
    };
    for (const Case& c : {Case{true, "DejaVu Sans"}, Case{false, "Liberation Serif"}}) {
        BranchOnPage page;
        page.record.styles.visited.font.lfUnderline = 0;
        DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
            SetCheck(dialog, IDC_BRANCH_LOOK_ON, c.lookOn);
            SetCheck(dialog, IDC_BRANCH_VISITED_ON, true);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, BranchDialog(nullptr, &page.record));
        EXPECT_STREQ(c.face, page.record.styles.visited.font.lfFaceName);
        EXPECT_EQ(0, page.record.styles.visited.font.lfUnderline) << "its own underline choice";
    }
}
