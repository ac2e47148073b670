// The general options dialog of an object, filled in and answered through its controls as
// the author would: OK changes the object in place, "Annuler" and refused fields leave it
// as it was.
#include "edittest.h"

#include "accessors.h"
#include "authoring.h"
#include "dialog_answerer.h"
#include "generaloptions.h"
#include "generaloptions_res.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

constexpr char DialogCaption[] = "Options générales d'un objet";

std::string ItemText(HWND dialog, int id)
{
    char text[600] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetItem(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void Command(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The dialog itself is not on screen yet while it is being answered: the item's own style tells.
bool Shown(HWND dialog, int id) { return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

void SetRectangle(HWND dialog, const char* x, const char* y, const char* width, const char* height)
{
    SetItem(dialog, IDC_OPTGEN_X, x);
    SetItem(dialog, IDC_OPTGEN_Y, y);
    SetItem(dialog, IDC_OPTGEN_WIDTH, width);
    SetItem(dialog, IDC_OPTGEN_HEIGHT, height);
}

class GeneralOptions : public testing::Test {
protected:
    GeneralOptions() : savedStyle_(*KernGetDefaultMessageStyle()) {}
    ~GeneralOptions() override { *KernGetDefaultMessageStyle() = savedStyle_; }

    // Runs the dialog on the object: `fill` works on the dialog, which then gets `command`.
    // A warning box that a refused field brings is closed, and the dialog cancelled after it.
    // The dialog must come up once: the checks `fill` makes count for nothing otherwise.
    int Run(OBJET* object, const std::function<void(HWND)>& fill, int command = IDOK)
    {
        const int openedBefore = opened_;
        DialogAnswerer answerer([&](HWND dialog) {
            char caption[100] = "";
            GetWindowTextA(dialog, caption, sizeof caption);
            if (std::strcmp(caption, DialogCaption) != 0) {
                PostMessageA(GetWindow(dialog, GW_OWNER), WM_COMMAND, IDCANCEL, 0);
                return IDOK;
            }
            ++opened_;
            fill(dialog);
            return command;
        });
        const int result = KernSetGeneralObj(nullptr, nullptr, object);
        shown_ = answerer.Shown();
        EXPECT_EQ(openedBefore + 1, opened_) << "the dialog did not come up once";
        return result;
    }

    KERNEL* Kernel() const { return page.Kernel(); }

    EditPage page;
    int opened_ = 0;
    std::vector<ShownDialog> shown_;

private:
    MESSAGESTYLE savedStyle_;
};

TEST_F(GeneralOptions, TheFieldsShowTheObject)
{
    OBJET* a = page.A();
    ASSERT_NE(nullptr, a->message);  // every object read from a page has its message block
    a->message->text = "Bonjour";
    a->message->delay = 4;
    std::strcpy(a->userID, "bouton1");
    a->SetUserString("x=1");
    Run(a, [](HWND dialog) {
        EXPECT_EQ("10", ItemText(dialog, IDC_OPTGEN_X));
        EXPECT_EQ("10", ItemText(dialog, IDC_OPTGEN_Y));
        EXPECT_EQ("50", ItemText(dialog, IDC_OPTGEN_WIDTH));
        EXPECT_EQ("30", ItemText(dialog, IDC_OPTGEN_HEIGHT));
        EXPECT_EQ("Bonjour", ItemText(dialog, IDC_OPTGEN_TEXT));
        EXPECT_EQ("4", ItemText(dialog, IDC_OPTGEN_DELAY));
        EXPECT_EQ("bouton1", ItemText(dialog, IDC_OPTGEN_USER_ID));
        EXPECT_EQ("x=1", ItemText(dialog, IDC_OPTGEN_USER_STRING));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_OPTGEN_DEFINED));
        EXPECT_TRUE(Shown(dialog, IDC_OPTGEN_WIDTH));
        EXPECT_FALSE(Enabled(dialog, IDC_OPTGEN_REMOVE_SOUND));
    }, IDCANCEL);
}

TEST_F(GeneralOptions, AnObjectWithoutWindowShowsItsOwnValuesAndItsDefaultSize)
{
    OBJET plain(Kernel(), nullptr);
    plain.x = 5;
    plain.y = 6;
    Run(&plain, [&](HWND dialog) {
        EXPECT_EQ("5", ItemText(dialog, IDC_OPTGEN_X));
        EXPECT_EQ("6", ItemText(dialog, IDC_OPTGEN_Y));
        EXPECT_EQ(std::to_string(plain.defWidth), ItemText(dialog, IDC_OPTGEN_WIDTH));
        EXPECT_EQ(std::to_string(plain.defHeight), ItemText(dialog, IDC_OPTGEN_HEIGHT));
    }, IDCANCEL);
}

TEST_F(GeneralOptions, OkGivesAnObjectWithoutMessageBlockOne)
{
    OBJET plain(Kernel(), nullptr);
    ASSERT_EQ(nullptr, plain.message);
    ASSERT_EQ(1, Run(&plain, [](HWND dialog) { SetItem(dialog, IDC_OPTGEN_TEXT, "Aide"); }));
    ASSERT_NE(nullptr, plain.message);
    EXPECT_STREQ("Aide", plain.message->text);
}

TEST_F(GeneralOptions, TheProgrammersRowShowsOnlyWithTheProgrammerOptions)
{
    for (const int options : {0, 1}) {
        KernSetProgOptions(Kernel(), options);
        Run(page.A(), [&](HWND dialog) {
            for (const int id : {IDC_OPTGEN_PROGRAMMER_FRAME, IDC_OPTGEN_USER_ID, IDC_OPTGEN_ID_LABEL,
                                 IDC_OPTGEN_PARAMS_LABEL, IDC_OPTGEN_USER_STRING})
                EXPECT_EQ(options != 0, Shown(dialog, id)) << id;
        }, IDCANCEL);
    }
}

TEST_F(GeneralOptions, TheSizeModeRadiosFollowWhetherTheObjectMayChangeIt)
{
    for (const BYTE choice : {0, 1}) {
        page.A()->sizeChoice = choice;
        Run(page.A(), [&](HWND dialog) {
            EXPECT_EQ(choice != 0, Enabled(dialog, IDC_OPTGEN_MAXIMAL));
            EXPECT_EQ(choice != 0, Enabled(dialog, IDC_OPTGEN_DEFINED));
        }, IDCANCEL);
    }
}

TEST_F(GeneralOptions, OkChangesTheObjectInPlace)
{
    KernSetProgOptions(Kernel(), 1);
    OBJET* a = page.A();
    const int result = Run(a, [](HWND dialog) {
        SetRectangle(dialog, "30", "35", "70", "25");
        SetItem(dialog, IDC_OPTGEN_TEXT, "Bonjour\r\nmonde");
        SetItem(dialog, IDC_OPTGEN_DELAY, "12");
        SetItem(dialog, IDC_OPTGEN_USER_ID, "bouton1");
        SetItem(dialog, IDC_OPTGEN_USER_STRING, "x=1;y=2");
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, a->sizeMode);
    EXPECT_EQ(30, a->x);
    EXPECT_EQ(35, a->y);
    EXPECT_EQ(70, a->w);
    EXPECT_EQ(25, a->h);
    EXPECT_DOUBLE_EQ(KernS2Ux(Kernel(), 30), a->ux);
    EXPECT_DOUBLE_EQ(KernS2Uy(Kernel(), 35), a->uy);
    EXPECT_DOUBLE_EQ(KernS2Ux(Kernel(), 70) - KernS2Ux(Kernel(), 0), a->uw);
    EXPECT_DOUBLE_EQ(KernS2Uy(Kernel(), 25) - KernS2Uy(Kernel(), 0), a->uh);
    ASSERT_NE(nullptr, a->message);
    EXPECT_STREQ("Bonjour\r\nmonde", a->message->text);
    EXPECT_EQ(12, a->message->delay);
    EXPECT_STREQ("bouton1", a->GetUserID());
    EXPECT_STREQ("x=1;y=2", a->GetUserString());
}

struct AcceptedCase {
    const char* delay;
    const char* width;
    int storedDelay;
    int storedWidth;
};

TEST_F(GeneralOptions, AcceptedValues)
{
    const AcceptedCase cases[] = {
        {"75", "50", 60, 50},  // a delay above a minute is cut to one
        {"60", "50", 60, 50},
        {"0", "0", 0, 0},      // zero delay and zero width are accepted
    };
    for (const AcceptedCase& c : cases) {
        const int result = Run(page.A(), [&](HWND dialog) {
            SetItem(dialog, IDC_OPTGEN_DELAY, c.delay);
            SetItem(dialog, IDC_OPTGEN_WIDTH, c.width);
        });
        EXPECT_EQ(1, result) << c.delay;
        ASSERT_NE(nullptr, page.A()->message);
        EXPECT_EQ(c.storedDelay, page.A()->message->delay) << c.delay;
        EXPECT_EQ(c.storedWidth, page.A()->w) << c.width;
    }
}

TEST_F(GeneralOptions, MaximalSizeTakesTheApplicationWindowsClientArea)
{
    RECT client;
    GetClientRect(KernGetAppWindow(Kernel()), &client);
    const int result = Run(page.A(), [&](HWND dialog) {
        CheckRadioButton(dialog, IDC_OPTGEN_MAXIMAL, IDC_OPTGEN_DEFINED, IDC_OPTGEN_MAXIMAL);
        Command(dialog, IDC_OPTGEN_MAXIMAL);
        EXPECT_EQ("0", ItemText(dialog, IDC_OPTGEN_X));
        EXPECT_EQ(std::to_string(client.right), ItemText(dialog, IDC_OPTGEN_WIDTH));
        EXPECT_FALSE(Shown(dialog, IDC_OPTGEN_WIDTH));
        EXPECT_FALSE(Enabled(dialog, IDC_OPTGEN_WIDTH_LABEL));
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(3, page.A()->sizeMode);
    EXPECT_EQ(0, page.A()->x);
    EXPECT_EQ(0, page.A()->y);
    EXPECT_EQ(client.right, page.A()->w);
    EXPECT_EQ(client.bottom, page.A()->h);
}

TEST_F(GeneralOptions, DefinedSizeBringsBackTheRememberedRectangle)
{
    page.A()->sizeMode = 3;
    page.A()->defX = 7;
    page.A()->defY = 8;
    Run(page.A(), [](HWND dialog) {
        EXPECT_FALSE(Shown(dialog, IDC_OPTGEN_X));
        CheckRadioButton(dialog, IDC_OPTGEN_MAXIMAL, IDC_OPTGEN_DEFINED, IDC_OPTGEN_DEFINED);
        Command(dialog, IDC_OPTGEN_DEFINED);
        EXPECT_TRUE(Shown(dialog, IDC_OPTGEN_X));
        EXPECT_EQ("7", ItemText(dialog, IDC_OPTGEN_X));
        EXPECT_EQ("8", ItemText(dialog, IDC_OPTGEN_Y));
    }, IDCANCEL);
}

TEST_F(GeneralOptions, CancelLeavesTheObjectUnchanged)
{
    OBJET* a = page.A();
    const int result = Run(a, [](HWND dialog) {
        SetRectangle(dialog, "1", "2", "3", "4");
        SetItem(dialog, IDC_OPTGEN_TEXT, "Jamais");
        SetItem(dialog, IDC_OPTGEN_USER_ID, "perdu");
        CheckRadioButton(dialog, IDC_OPTGEN_MAXIMAL, IDC_OPTGEN_DEFINED, IDC_OPTGEN_MAXIMAL);
    }, IDCANCEL);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, a->sizeMode);
    EXPECT_EQ(10, a->x);
    EXPECT_EQ(50, a->w);
    EXPECT_STREQ("", a->message->text);
    EXPECT_STREQ("", a->GetUserID());
}

struct RefusedCase {
    int field;
    const char* value;
    const char* caption;
};

// A refused field keeps the dialog open with a warning; cancelling then leaves nothing of
// what was typed on the object, the fields read before the refused one included.
TEST_F(GeneralOptions, RefusedFieldsLeaveTheObjectUnchanged)
{
    const RefusedCase cases[] = {
        {IDC_OPTGEN_DELAY, "-1", "Champ invalide - Délai d'affichage"},
        {IDC_OPTGEN_WIDTH, "-5", "Champ invalide - Largeur"},
        {IDC_OPTGEN_HEIGHT, "-5", "Champ invalide - Hauteur"},
    };
    for (const RefusedCase& c : cases) {
        const int result = Run(page.A(), [&](HWND dialog) {
            SetItem(dialog, IDC_OPTGEN_TEXT, "Changé");
            SetItem(dialog, IDC_OPTGEN_DELAY, "5");
            CheckRadioButton(dialog, IDC_OPTGEN_MAXIMAL, IDC_OPTGEN_DEFINED, IDC_OPTGEN_MAXIMAL);
            SetItem(dialog, c.field, c.value);
        });
        EXPECT_EQ(0, result) << c.caption;
        ASSERT_EQ(2u, shown_.size()) << c.caption;
        EXPECT_EQ(c.caption, shown_[1].caption);
        EXPECT_STREQ("", page.A()->message->text) << c.caption;
        EXPECT_EQ(0, page.A()->message->delay) << c.caption;
        EXPECT_EQ(1, page.A()->sizeMode) << c.caption;
    }
}

TEST_F(GeneralOptions, AfterOkNewMessagesTakeTheStyleJustChosen)
{
    OBJET* a = page.A();
    std::strcpy(a->message->font.lfFaceName, "Arial");
    a->message->font.lfHeight = -17;
    a->message->textColour = {1, 2, 3, 0};
    a->message->backColour = {4, 5, 6, 0};
    ASSERT_EQ(1, Run(a, [](HWND) {}));
    const MESSOBJ fresh;
    EXPECT_STREQ("Arial", fresh.font.lfFaceName);
    EXPECT_EQ(-17, fresh.font.lfHeight);
    EXPECT_EQ(3, fresh.textColour.blue);
    EXPECT_EQ(4, fresh.backColour.red);
}

TEST_F(GeneralOptions, TheSoundCanBeRemoved)
{
    OBJET* a = page.A();
    a->message->sound = "C:\\sons\\cloche.wav";
    ASSERT_EQ(1, Run(a, [](HWND dialog) {
        EXPECT_EQ("C:\\sons\\cloche.wav", ItemText(dialog, IDC_OPTGEN_SOUND));
        EXPECT_TRUE(Enabled(dialog, IDC_OPTGEN_REMOVE_SOUND));
        Command(dialog, IDC_OPTGEN_REMOVE_SOUND);
        EXPECT_EQ("", ItemText(dialog, IDC_OPTGEN_SOUND));
        EXPECT_FALSE(Enabled(dialog, IDC_OPTGEN_REMOVE_SOUND));
    }));
    EXPECT_STREQ("", a->message->sound);
}

TEST_F(GeneralOptions, NoObjectNoDialog)
{
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(0, KernSetGeneralObj(nullptr, nullptr, nullptr));
    EXPECT_TRUE(answerer.Shown().empty());
}

}  // namespace
