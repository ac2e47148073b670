// Undo steps on a real "rtedit" control: groups undone at once, the verbs of the menu and the
// palette's button, typing runs, and cut and copy bringing the former clipboard back.
#include <gtest/gtest.h>

#include <string>

#include "editor_fixture.h"
#include "rte_editing.h"
#include "rte_undo.h"
#include "scratch_dir.h"
#include "txtundo.h"

namespace {

class EditorUndo : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        menuBar_ = CreateMenu();
        AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Fichier");
        HMENU edit = CreatePopupMenu();
        AppendMenuA(edit, MF_STRING, 104, "Co&uper");
        AppendMenuA(edit, MF_STRING | MF_GRAYED, QX_CMD_UNDO, "&Annuler\tCtrl+Z");
        AppendMenuA(edit, MF_STRING, 106, "Co&pier");
        AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edition");
        button_ = CreateWindowA("BUTTON", "UNDO;Annuler", WS_POPUP | WS_DISABLED, 0, 0, 20, 20, nullptr, nullptr,
                                nullptr, nullptr);
        undo_.editControl = control_;
        undo_.menuBar = menuBar_;
        undo_.undoButton = button_;
        undo_.clipboardOwner = parent_;
        undo_.snapshotFolder = dir_.Path().c_str();
        LoadUndoVerbs(&undo_, GetModuleHandleA(nullptr));
        SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Bonjour"));
    }
    void TearDown() override
    {
        EndEditorUndo(&undo_);
        DestroyWindow(button_);
        DestroyMenu(menuBar_);
        EditorTest::TearDown();
    }

    std::string MenuText()
    {
        char text[100] = "";
        GetMenuStringA(menuBar_, QX_CMD_UNDO, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    bool MenuEnabled() { return !(GetMenuState(menuBar_, QX_CMD_UNDO, MF_BYCOMMAND) & MF_GRAYED); }
    std::string ButtonText()
    {
        char text[100] = "";
        GetWindowTextA(button_, text, sizeof text);
        return text;
    }

    // An insertion of the text at the caret, recorded first.
    void Insert(const char* text)
    {
        int32_t length = static_cast<int32_t>(lstrlenA(text));
        ASSERT_NE(nullptr, AddUndoStep(&undo_, RTE_UNDO_INSERT_TEXT, &length, VERB_INSERT));
        RteInsertText(Document(), reinterpret_cast<const uint8_t*>(text), length, -1, RTE_KEYS_NONE, 0, 0);
    }
    // A deletion of the range, recorded first.
    TXTUNDO* Delete(int start, int end)
    {
        Select(start, end);
        TXTUNDO* step = AddUndoStep(&undo_, RTE_UNDO_CUT, nullptr, VERB_DELETE);
        RteDeleteRange(Document(), nullptr, 0);
        return step;
    }

    ClipboardTurn turn_;
    ScratchDir dir_;
    HMENU menuBar_ = nullptr;
    HWND button_ = nullptr;
    EDITORUNDO undo_;
};

TEST_F(EditorUndo, AGroupOfFourIsUndoneAtOnceAndTheStepBeforeItNamesUndo)
{
    Select(0, 0);
    Insert("Oh ");
    BeginUndoGroup(&undo_);
    for (int i = 0; i < 4; ++i)
        Delete(3, 4);
    EndUndoGroup(&undo_);
    EXPECT_EQ("Oh our", Text());
    EXPECT_EQ(5, undo_.steps.Items());

    UndoLastCommand(&undo_);
    EXPECT_EQ("Oh Bonjour", Text());
    EXPECT_EQ(1, undo_.steps.Items());
    EXPECT_EQ("&Annuler Insérer\tCrtl+Z", MenuText());
    EXPECT_EQ("UNDO;Annuler Insérer", ButtonText());

    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjour", Text());
    EXPECT_EQ(0, undo_.steps.Items());
    EXPECT_EQ("&Annuler " + std::string(17, ' ') + "\tCrtl+Z", MenuText()) << "the blank verb";
    EXPECT_FALSE(MenuEnabled());
    EXPECT_FALSE(IsWindowEnabled(button_));
}

TEST_F(EditorUndo, RemovingBulletsIsOneGroupOfFourStepsAParagraph)
{
    const char prefix[] = {char(183), '\t', 0};
    const std::string bulleted = std::string(prefix) + "un\r" + prefix + "deux\rtrois";
    SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bulleted.c_str()));
    Select(17, 17);
    Insert("!");
    Select(1, 8);  // from inside the first bullet to the middle of "deux"

    EXPECT_EQ(2, RemoveBullets(&undo_, prefix));
    EXPECT_EQ("un\rdeux\rtrois!", Text());
    EXPECT_EQ(9, undo_.steps.Items());
    EXPECT_EQ("&Annuler Enlever puce(s)\tCrtl+Z", MenuText());
    int32_t selection[2] = {};
    SendMessageA(control_, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(selection));
    EXPECT_EQ(0, selection[0]) << "moved to the paragraph's start from inside the prefix";
    EXPECT_EQ(4, selection[1]) << "on the same letter";

    UndoLastCommand(&undo_);
    EXPECT_EQ(bulleted + "!", Text());
    EXPECT_EQ(1, undo_.steps.Items());
    EXPECT_EQ("&Annuler Insérer\tCrtl+Z", MenuText());
}

TEST_F(EditorUndo, AStepRetitlesUndoAtItsPlaceAndEnablesIt)
{
    EXPECT_FALSE(MenuEnabled());
    Select(0, 0);
    Insert("x");
    EXPECT_EQ("&Annuler Insérer\tCrtl+Z", MenuText());
    EXPECT_EQ(static_cast<UINT>(QX_CMD_UNDO), GetMenuItemID(GetSubMenu(menuBar_, 1), 1)) << "at the same place";
    EXPECT_TRUE(MenuEnabled());
    EXPECT_TRUE(IsWindowEnabled(button_));
}

TEST_F(EditorUndo, ADeleteThatBeganAReplacementIsCalledRemplacer)
{
    Delete(0, 3)->replace = 1;
    Select(0, 0);
    Insert("Sal");
    UndoLastCommand(&undo_);
    EXPECT_EQ("&Annuler Remplacer\tCrtl+Z", MenuText());
    EXPECT_EQ("UNDO;Annuler Remplacer", ButtonText());
    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjour", Text());
}

struct VerbCase {
    int16_t code;
    int replace, clipboard, branch;
    const char* verb;
};

TEST_F(EditorUndo, EachStepShowsTheVerbOfItsCodeAndFlags)
{
    const VerbCase cases[] = {
        {RTE_UNDO_TYPING, 0, 0, 0, "Frappe"},     {RTE_UNDO_BACKSPACE, 0, 0, 0, "Recul"},
        {RTE_UNDO_CUT, 0, 0, 0, "Supprimer"},     {RTE_UNDO_CUT, 0, 1, 0, "Couper"},
        {RTE_UNDO_CUT, 1, 1, 0, "Remplacer"},     {RTE_UNDO_FORWARD_DELETE, 0, 0, 0, "Effacer"},
        {RTE_UNDO_INSERT_DOCUMENT, 0, 0, 0, "Coller"}, {RTE_UNDO_RESTYLE, 0, 0, 0, "Format"},
        {RTE_UNDO_RESTYLE, 0, 0, 1, "Brancher"},  {RTE_UNDO_INSERT_TEXT, 0, 0, 0, "Insérer"},
        {RTE_UNDO_INSERT_SPAN, 0, 0, 0, "Insérer"}, {RTE_UNDO_PAGE_SETTINGS, 0, 0, 0, "Paragraphe"},
        {QX_UNDO_COPY, 0, 0, 0, "Copier"},
    };
    for (const VerbCase& c : cases) {
        TXTUNDO step;
        step.code = c.code;
        step.replace = c.replace;
        step.clipboard = c.clipboard;
        step.branch = c.branch;
        UpdateUndoText(&undo_, QX_CMD_UNDO, VerbOfStep(&step));
        EXPECT_EQ(std::string("&Annuler ") + c.verb + "\tCrtl+Z", MenuText()) << c.code;
    }
    TXTUNDO unknown;
    unknown.code = 8;
    EXPECT_EQ(-1, VerbOfStep(&unknown));
}

TEST_F(EditorUndo, KeystrokesOfOneKindMakeOneStepUntilTheRunEnds)
{
    Select(7, 7);
    for (char c : std::string("abc")) {
        ASSERT_NE(nullptr, AddKeystrokeStep(&undo_, RTE_UNDO_TYPING));
        RteInsertText(Document(), reinterpret_cast<const uint8_t*>(&c), 1, -1, RTE_KEYS_NONE, 0, 0);
    }
    EXPECT_EQ(1, undo_.steps.Items());
    EXPECT_EQ("&Annuler Frappe\tCrtl+Z", MenuText());
    EndTypingRun(&undo_);
    ASSERT_NE(nullptr, AddKeystrokeStep(&undo_, RTE_UNDO_TYPING));
    RteInsertText(Document(), reinterpret_cast<const uint8_t*>("d"), 1, -1, RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ(2, undo_.steps.Items());
    EXPECT_EQ("Bonjourabcd", Text());

    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjourabc", Text());
    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjour", Text());
}

TEST_F(EditorUndo, UndoingACutPutsTheTextAndTheFormerClipboardBack)
{
    const UINT format = RegisterClipboardFormatA("QxEditorUndoPrivate");
    PutClipboard("ancien", format, std::string("\x01\x02\x00\x03", 4));
    Select(0, 3);
    TXTUNDO* step = AddCutStep(&undo_);
    ASSERT_NE(nullptr, step);
    EXPECT_EQ(1, step->clipboard);
    EXPECT_EQ("&Annuler Couper\tCrtl+Z", MenuText());
    SendMessageA(control_, WM_CUT, 0, 0);
    EXPECT_EQ("jour", Text());
    EXPECT_EQ("Bon", ClipboardText());

    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjour", Text());
    EXPECT_EQ("ancien", ClipboardText());
    EXPECT_EQ(std::string("\x01\x02\x00\x03", 4), ClipboardBytes(format));
    EXPECT_EQ(0, undo_.snapshots.Items());
}

TEST_F(EditorUndo, UndoingACopyPutsTheFormerClipboardBackAndLeavesTheText)
{
    const UINT format = RegisterClipboardFormatA("QxEditorUndoPrivate");
    PutClipboard("ancien", format, "privé");
    Select(3, 7);
    ASSERT_NE(nullptr, AddCopyStep(&undo_));
    EXPECT_EQ("&Annuler Copier\tCrtl+Z", MenuText());
    SendMessageA(control_, WM_COPY, 0, 0);
    EXPECT_EQ("jour", ClipboardText());

    UndoLastCommand(&undo_);
    EXPECT_EQ("Bonjour", Text());
    EXPECT_EQ("ancien", ClipboardText());
    EXPECT_EQ("privé", ClipboardBytes(format));
    EXPECT_FALSE(MenuEnabled());
}

TEST_F(EditorUndo, ClosingTheEditorDropsStepsAndSnapshots)
{
    PutClipboard("ancien");
    Select(0, 3);
    ASSERT_NE(nullptr, AddCopyStep(&undo_));
    ASSERT_EQ(1, undo_.snapshots.Items());
    const std::string file(static_cast<CLIPBRD*>(undo_.snapshots.GetItem(0))->file);
    EndEditorUndo(&undo_);
    EXPECT_EQ(0, undo_.steps.Items());
    EXPECT_EQ(0, undo_.snapshots.Items());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
}

}  // namespace
