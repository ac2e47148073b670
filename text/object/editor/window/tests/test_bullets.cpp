// Bulleted paragraphs in the editor: the palette's bullet button, Enter continuing a list or
// ending it in a paragraph that holds only its bullet, Undo of both, and the caret kept out of
// the bullet prefixes by the keys and by clicks.
#include "session_fixture.h"

#include "dialog_items.h"
#include "editwindow_res.h"

namespace {

using Bullets = EditorSession;

bool BulletShown(const EditorSession::Editor& editor) { return IsDlgButtonChecked(editor.tools, CMD_BULLET) == BST_CHECKED; }

TEST_F(Bullets, TheButtonPutsTheBulletsOfTheSelectedParagraphsAndTakesThemAgain)
{
    std::string put, taken, takenUndone, putUndone;
    bool shownOn = false, shownOff = true;
    std::pair<int, int> selection;
    Edit([&](const Editor& e) {
        Type(e.control, "un\rdeux\rtrois");
        Select(e.control, 1, 5);  // the first two paragraphs
        Command(e, CMD_BULLET);
        put = TextOf(e.control);
        selection = Selection(e.control);
        shownOn = BulletShown(e);
        Command(e, CMD_BULLET);
        taken = TextOf(e.control);
        shownOff = BulletShown(e);
        Key(e.control, 'Z', true);
        takenUndone = TextOf(e.control);
        Key(e.control, 'Z', true);
        putUndone = TextOf(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(Bullet + "un\r" + Bullet + "deux\rtrois", put);
    EXPECT_EQ(std::make_pair(3, 9), selection) << "the selection stays on the same text";
    EXPECT_TRUE(shownOn);
    EXPECT_EQ("un\rdeux\rtrois", taken);
    EXPECT_FALSE(shownOff);
    EXPECT_EQ(put, takenUndone) << "both bullets come back with one Undo";
    EXPECT_EQ("un\rdeux\rtrois", putUndone) << "both bullets go with one Undo";
}

TEST_F(Bullets, EnterContinuesTheListAndEnterOnABulletAloneEndsIt)
{
    std::string continued, ended, undone;
    std::pair<int, int> caret;
    bool shownAfterEnd = true;
    Edit([&](const Editor& e) {
        Type(e.control, "un");
        Command(e, CMD_BULLET);
        Key(e.control, VK_END);
        Type(e.control, "\rdeux");
        continued = TextOf(e.control);
        Type(e.control, "\r\r");
        ended = TextOf(e.control);
        caret = Selection(e.control);
        shownAfterEnd = BulletShown(e);
        Key(e.control, 'Z', true);  // the bullet's removal, at once
        undone = TextOf(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(Bullet + "un\r" + Bullet + "deux", continued);
    EXPECT_EQ(Bullet + "un\r" + Bullet + "deux\r", ended) << "the second Enter takes the bullet, adds no paragraph";
    EXPECT_EQ(std::make_pair(12, 12), caret);
    EXPECT_FALSE(shownAfterEnd);
    EXPECT_EQ(Bullet + "un\r" + Bullet + "deux\r" + Bullet, undone);
}

TEST_F(Bullets, UndoTakesTheContinuedBulletAwayAsOneCommand)
{
    std::string undone;
    Edit([&](const Editor& e) {
        Type(e.control, "un");
        Command(e, CMD_BULLET);
        Key(e.control, VK_END);
        Type(e.control, "\r");
        Key(e.control, 'Z', true);
        undone = TextOf(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(Bullet + "un\r", undone) << "the bullet went as one group; the Enter stays for the next Undo";
}

// Where each key leaves the caret in "·\tun\r·\tdeux" (offsets: 0 1 bullet, 2 "un", 4 break,
// 5 6 bullet, 7 "deux", 11 the end).
struct NavigationCase {
    const char* name;
    int from;
    UINT key;
    bool ctrl;
    bool shift;
    std::pair<int, int> expected;
};

class BulletNavigation : public EditorSession, public testing::WithParamInterface<NavigationCase> {};

TEST_P(BulletNavigation, TheCaretNeverStopsInABulletPrefix)
{
    const NavigationCase& c = GetParam();
    std::string text;
    std::pair<int, int> moved;
    Edit([&](const Editor& e) {
        Type(e.control, "un\rdeux");
        Select(e.control, 0, 11);
        Command(e, CMD_BULLET);
        text = TextOf(e.control);
        Select(e.control, c.from, c.from);
        Key(e.control, c.key, c.ctrl, c.shift);
        moved = Selection(e.control);
        Command(e, CMD_CANCEL);
    });
    ASSERT_EQ(Bullet + "un\r" + Bullet + "deux", text);
    EXPECT_EQ(c.expected, moved);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BulletNavigation,
    testing::Values(NavigationCase{"HomeGoesAfterTheBullet", 9, VK_HOME, false, false, {7, 7}},
                    NavigationCase{"LeftFromTheTextGoesToThePreviousParagraph", 7, VK_LEFT, false, false, {4, 4}},
                    NavigationCase{"LeftInTheFirstParagraphStays", 2, VK_LEFT, false, false, {2, 2}},
                    NavigationCase{"RightFromThePreviousParagraphSkipsTheBullet", 4, VK_RIGHT, false, false, {7, 7}},
                    NavigationCase{"RightMovesInTheText", 7, VK_RIGHT, false, false, {8, 8}},
                    NavigationCase{"UpLandsAfterTheBullet", 7, VK_UP, false, false, {2, 2}},
                    NavigationCase{"CtrlHomeGoesAfterTheFirstBullet", 9, VK_HOME, true, false, {2, 2}},
                    NavigationCase{"CtrlEndGoesToTheEnd", 3, VK_END, true, false, {11, 11}},
                    NavigationCase{"ShiftLeftTakesTheWholePrefix", 7, VK_LEFT, false, true, {5, 7}},
                    NavigationCase{"ShiftRightExtendsByACharacter", 8, VK_RIGHT, false, true, {8, 9}},
                    NavigationCase{"ShiftHomeTakesTheWholePrefix", 9, VK_HOME, false, true, {5, 9}}),
    [](const testing::TestParamInfo<NavigationCase>& info) { return info.param.name; });

TEST_F(Bullets, ArrowsMoveTheCaretInPlainText)
{
    std::string typed;
    Edit([&](const Editor& e) {
        Type(e.control, "ab");
        Key(e.control, VK_LEFT);
        Type(e.control, "x");
        typed = TextOf(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ("axb", typed);
}

// Ctrl with Left or Right moves by words, and with Shift selects them.
struct WordCase {
    const char* name;
    int from;
    UINT key;
    bool shift;
    std::pair<int, int> expected;
};

class WordMoves : public EditorSession, public testing::WithParamInterface<WordCase> {};

TEST_P(WordMoves, GoFromWordToWord)
{
    const WordCase& c = GetParam();
    std::pair<int, int> moved;
    Edit([&](const Editor& e) {
        Type(e.control, "un deux trois");
        Select(e.control, c.from, c.from);
        Key(e.control, c.key, true, c.shift);
        moved = Selection(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(c.expected, moved);
}

INSTANTIATE_TEST_SUITE_P(Keys, WordMoves,
                         testing::Values(WordCase{"LeftToTheWordStart", 6, VK_LEFT, false, {3, 3}},
                                         WordCase{"LeftFromAWordStartToThePrevious", 8, VK_LEFT, false, {3, 3}},
                                         WordCase{"RightToTheNextWord", 3, VK_RIGHT, false, {8, 8}},
                                         WordCase{"ShiftSelectsTheWordBefore", 13, VK_LEFT, true, {8, 13}}),
                         [](const testing::TestParamInfo<WordCase>& info) { return info.param.name; });

TEST_F(Bullets, ASelectionFromTheBulletFindsTheBranchOfTheTextAfterIt)
{
    BranchLinker linker(host_->Page("b.pag"));
    std::string label;
    bool modifyOffered = false;
    Edit(
        [&](const Editor& e) {
            Type(e.control, "lien");
            Command(e, CMD_BULLET);
            linker.Link(e, 2, 6, "vers B");
            Command(e, CMD_SELECT_ALL);  // from the bullet on
            label = ItemText(e.tools, CMD_BRANCH);
            modifyOffered = !(GetMenuState(GetMenu(e.tools), CMD_MODIFY_BRANCH, MF_BYCOMMAND) & MF_GRAYED);
            Command(e, CMD_CANCEL);
        },
        [&](HWND dialog) { return linker.Answer(dialog); });
    EXPECT_EQ("Modifier le branchement", label);
    EXPECT_TRUE(modifyOffered);
}

TEST_F(Bullets, TheEditorOpensWithTheCaretAfterAFirstBullet)
{
    ASSERT_EQ(1, Edit([&](const Editor& e) {
                  Type(e.control, "un");
                  Command(e, CMD_BULLET);
                  Command(e, CMD_OK);
              }));
    std::pair<int, int> caret;
    bool shown = false;
    Edit([&](const Editor& e) {
        caret = Selection(e.control);
        shown = BulletShown(e);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(std::make_pair(2, 2), caret);
    EXPECT_TRUE(shown);
}

TEST_F(Bullets, AClickBeforeABulletPutsTheCaretAfterIt)
{
    std::pair<int, int> clicked, inText;
    Edit([&](const Editor& e) {
        Type(e.control, "un\rdeux");
        Select(e.control, 0, 7);
        Command(e, CMD_BULLET);
        ClickAt(e.control, PointOf(e.control, 5));
        clicked = Selection(e.control);
        ClickAt(e.control, PointOf(e.control, 9));
        inText = Selection(e.control);
        Command(e, CMD_CANCEL);
    });
    EXPECT_EQ(std::make_pair(7, 7), clicked);
    EXPECT_EQ(std::make_pair(9, 9), inText);
}

}  // namespace
