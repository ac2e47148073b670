// The settings dialog of a button, driven by messages: what OK keeps and bounds, Cancel, the
// style, alignment and colour controls, and the live preview.
#include "buttondialogtest.h"

#include "branch.h"
#include "kernel.h"

namespace {

TEST_F(ButtonDialog, OkKeepsTheDelayAndDisplacementWithinTheirBounds)
{
    struct Row {
        const char* delay;
        double storedDelay;
        const char* shift;
        int storedShift;
    };
    const Row rows[] = {
        {"75", 60.0, "300", 127}, {"-3", 0.0, "-200", -128}, {"12.5", 12.5, "-7", -7},
        {"abc", 0.0, "x", 0},     {"nan", 0.0, "0", 0},      {"60", 60.0, "127", 127},
    };
    for (const Row& row : rows) {
        std::unique_ptr<BOUTON> button(PlacedButton());
        const int result = Edit(button.get(), [&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_DELAY, row.delay);
            Type(dialog, IDC_SHIFT_X, row.shift);
            Type(dialog, IDC_SHIFT_Y, row.shift);
            return IDOK;
        });
        EXPECT_EQ(result, 1);
        EXPECT_DOUBLE_EQ(button->showDelay, row.storedDelay) << row.delay;
        EXPECT_EQ(button->pressedDX, row.storedShift) << row.shift;
        EXPECT_EQ(button->pressedDY, row.storedShift) << row.shift;
    }
}

TEST_F(ButtonDialog, OkMakesTheLabelFromItsTwoTexts)
{
    const std::string longText(85, 'A');
    struct Row {
        std::string released;
        std::string pressed;
        std::string label;
    };
    const Row rows[] = {
        {"Suite", "", "Suite"},
        {"Suite", "Retour", "Suite\xFERetour"},
        {longText, "", longText.substr(0, 79)},
        {"", "Pressé", "\xFEPressé"},
    };
    for (const Row& row : rows) {
        std::unique_ptr<BOUTON> button(PlacedButton());
        EXPECT_EQ(Edit(button.get(),
                       [&](HWND dialog) {
                           SetDlgItemTextA(dialog, IDC_RELEASED_TEXT, row.released.c_str());
                           SetDlgItemTextA(dialog, IDC_PRESSED_TEXT, row.pressed.c_str());
                           return IDOK;
                       }),
                  1);
        EXPECT_EQ(std::string(button->label), row.label);
    }
}

TEST_F(ButtonDialog, ALabelNotYetInTheHistoryIsKeptAndOfferedInTheNextDialog)
{
    lstrcpyA(b->label, "Jamais vu\xFEJamais pressé");
    ASSERT_EQ(Edit(b.get(), [](HWND) { return IDOK; }), 1);
    EXPECT_STREQ(b->label, "Jamais vu\xFEJamais pressé");

    std::unique_ptr<BOUTON> other(PlacedButton());
    LRESULT released = CB_ERR, pressed = CB_ERR;
    Edit(other.get(), [&](HWND dialog) {
        const LPARAM seen = reinterpret_cast<LPARAM>("jamais vu");
        released = SendDlgItemMessageA(dialog, IDC_RELEASED_TEXT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), seen);
        pressed = SendDlgItemMessageA(dialog, IDC_PRESSED_TEXT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("Jamais pressé"));
        return IDCANCEL;
    });
    EXPECT_NE(released, CB_ERR);
    EXPECT_NE(pressed, CB_ERR);
}

// What an author may change in one visit of the dialog.
int ChangeEverything(HWND dialog, const std::string& picture, int answer)
{
    Click(dialog, IDC_STYLE_FLAT);
    SetDlgItemTextA(dialog, IDC_RELEASED_TEXT, "Autre");
    SetDlgItemTextA(dialog, IDC_DELAY, "9");
    Type(dialog, IDC_THICKNESS, "7");
    Click(dialog, IDC_ALIGN_BOTTOM_RIGHT);
    Click(dialog, IDC_TEXT_RAISED);
    Click(dialog, IDC_REMOVE_BRANCH);
    CheckDlgButton(dialog, IDC_VISITED_MARK, BST_UNCHECKED);
    Name(dialog, IDC_NAME_PRESSED, picture);
    return answer;
}

TEST_F(ButtonDialog, CancelLeavesTheButtonAsItWas)
{
    Show(b.get(), BOUTON_IMAGE_RELEASED, Picture("up.bmp"));
    lstrcpyA(b->label, "Avant");
    b->GetBranch(0)->SetFilename(host.Page("b.pag").c_str());
    b->GetBranch(0)->visited = 1;
    const std::vector<std::string> before = SavedRecord(b.get(), host.pub);
    const std::string other = Picture("down.bmp");

    EXPECT_EQ(Edit(b.get(), [&](HWND dialog) { return ChangeEverything(dialog, other, IDCANCEL); }), 0);
    EXPECT_EQ(SavedRecord(b.get(), host.pub), before);
    EXPECT_EQ(b->imageNames[BOUTON_IMAGE_PRESSED].length(), 0);
    EXPECT_STREQ(b->GetBranch(0)->target, host.Page("b.pag").c_str());
}

TEST_F(ButtonDialog, OkHandsTheEditsBackToTheButtonAloneWithoutTheDialogsOwnState)
{
    Show(b.get(), BOUTON_IMAGE_RELEASED, Picture("up.bmp"));
    b->GetBranch(0)->SetFilename(host.Page("b.pag").c_str());
    b->GetBranch(0)->visited = 1;
    const std::string other = Picture("down.bmp");

    EXPECT_EQ(Edit(b.get(), [&](HWND dialog) { return ChangeEverything(dialog, other, IDOK); }), 1);
    EXPECT_EQ(b->style, BOUTON_STYLE_FLAT);
    EXPECT_STREQ(b->label, "Autre");
    EXPECT_DOUBLE_EQ(b->showDelay, 9.0);
    EXPECT_EQ(b->borderThickness, 7);
    EXPECT_EQ(b->alignment, 8);
    EXPECT_EQ(b->textStyle, BOUTON_TEXT_RAISED);
    EXPECT_EQ(b->GetBranch(0)->target.length(), 0);
    EXPECT_EQ(b->GetBranch(0)->visited, 0);
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_PRESSED], other.c_str());
    // The button draws as itself again, not as the dialog's copy.
    EXPECT_EQ(b->dialogCopy, 0);
    EXPECT_EQ(b->previewWindow, nullptr);
    // A style other than pictures does not size the button by them.
    EXPECT_EQ(b->sizeFromImage, 0);
    EXPECT_EQ(b->w, 100);
}

TEST_F(ButtonDialog, TheStyleButtonsActAsOneRadioGroupAndShowTheirControls)
{
    Edit(b.get(), [&](HWND dialog) {
        // The dialog itself is not shown yet: the controls' own visible bit counts.
        auto visible = [dialog](int id) { return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; };
        Click(dialog, IDC_STYLE_FLAT);
        EXPECT_TRUE(Checked(dialog, IDC_STYLE_FLAT));
        EXPECT_FALSE(Checked(dialog, IDC_STYLE_3D));
        EXPECT_TRUE(visible(IDC_BORDER_COLOUR));
        EXPECT_FALSE(visible(IDC_NAME_RELEASED));
        Click(dialog, IDC_STYLE_BITMAP);
        EXPECT_FALSE(visible(IDC_BORDER_COLOUR));
        EXPECT_TRUE(visible(IDC_NAME_RELEASED));
        EXPECT_TRUE(visible(IDC_IMAGE_SETTINGS));
        // A toggle that was pressed again reports itself unchecked: it stays the chosen one.
        SendDlgItemMessageA(dialog, IDC_STYLE_BITMAP, BM_SETCHECK, BST_UNCHECKED, 0);
        Click(dialog, IDC_STYLE_BITMAP);
        EXPECT_TRUE(Checked(dialog, IDC_STYLE_BITMAP));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_EFFECT)));
        Click(dialog, IDC_STYLE_INVISIBLE);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_EFFECT)));
        EXPECT_FALSE(visible(IDC_NAME_RELEASED));
        EXPECT_FALSE(visible(IDC_BORDER_COLOUR));
        Click(dialog, IDC_ALIGN_TOP_RIGHT);
        SendDlgItemMessageA(dialog, IDC_ALIGN_TOP_RIGHT, BM_SETCHECK, BST_UNCHECKED, 0);
        Click(dialog, IDC_ALIGN_TOP_RIGHT);
        EXPECT_TRUE(Checked(dialog, IDC_ALIGN_TOP_RIGHT));
        EXPECT_FALSE(Checked(dialog, IDC_ALIGN_CENTRE));
        return IDOK;
    });
    EXPECT_EQ(b->style, BOUTON_STYLE_INVISIBLE);
    EXPECT_EQ(b->alignment, 6);
    EXPECT_EQ(b->effectId, 0);
}

TEST_F(ButtonDialog, TheColourChoosersTurnTheBackgroundAndBorderTransparentOrColoured)
{
    constexpr int TransparentChoice = 5711, ColourChoice = 5712, RedBox = 706;
    b->style = BOUTON_STYLE_FLAT;
    b->border = {0, 0, 0, 1};
    int chooser = 0;
    // The chooser sets its radio buttons once it is up: the clicks are posted to come after.
    others = [&](HWND dialog) {
        // The background is asked first, then the border.
        if (chooser++ == 0) {
            PostMessageA(GetDlgItem(dialog, TransparentChoice), BM_CLICK, 0, 0);
        } else {
            PostMessageA(GetDlgItem(dialog, ColourChoice), BM_CLICK, 0, 0);
            SetDlgItemInt(dialog, RedBox, 200, FALSE);
        }
        return IDOK;
    };
    EXPECT_EQ(Edit(b.get(),
                   [](HWND dialog) {
                       Click(dialog, IDC_BACKGROUND_COLOUR);
                       Click(dialog, IDC_BORDER_COLOUR);
                       return IDOK;
                   }),
              1);
    EXPECT_EQ(chooser, 2);
    EXPECT_EQ(b->background.flag, 1);
    EXPECT_EQ(b->border.flag, 0);
    EXPECT_EQ(b->border.red, 200);
    // The page shows through the body of a flat button with a transparent background.
    EXPECT_NE(b->Invisibility(), 0);
}

TEST_F(ButtonDialog, TheFontChooserShowsTheLabelAgainInItsColourAndSize)
{
    for (int answer : {IDCANCEL, IDOK}) {
        b->textColour = {10, 20, 30, 1};
        b->font.lfHeight = -2;
        b->font.lfWidth = 5;
        int choosers = 0;
        others = [&](HWND) {
            ++choosers;
            return answer;
        };
        EXPECT_EQ(Edit(b.get(),
                       [](HWND dialog) {
                           Click(dialog, IDC_FONT);
                           return IDOK;
                       }),
                  1);
        EXPECT_EQ(choosers, 1);
        if (answer == IDCANCEL) {
            EXPECT_EQ(b->textColour.flag, 1);
            EXPECT_EQ(b->font.lfHeight, -2);
            continue;
        }
        EXPECT_EQ(b->textColour.flag, 0);
        EXPECT_LT(b->font.lfHeight, -2);
        EXPECT_EQ(b->font.lfWidth, 0);
        EXPECT_DOUBLE_EQ(b->fontHeight, KernS2Uy(host, -b->font.lfHeight) - KernS2Uy(host, 0));
    }
}

TEST_F(ButtonDialog, ThePreviewPressesLikeTheButtonWithoutTakingABranch)
{
    struct Row {
        int toggle;
        POINT at;
        int checked;
    };
    const Row rows[] = {{0, {60, 30}, 0}, {1, {60, 30}, 1}, {1, {2, 2}, 0}};
    for (const Row& row : rows) {
        std::unique_ptr<BOUTON> button(PlacedButton());
        button->toggle = row.toggle;
        button->GetBranch(0)->SetFilename(host.Page("a.pag").c_str());
        int checked = -1, held = -1;
        Edit(button.get(), [&](HWND dialog) {
            HWND preview = FindWindowExA(dialog, nullptr, "EXBOUTON", nullptr);
            BOUTON* copy = CopyIn(dialog);
            const LPARAM at = MAKELPARAM(row.at.x, row.at.y);
            SendMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(preview, WM_LBUTTONUP, 0, at);
            checked = copy->checked;
            held = copy->held;
            return IDCANCEL;
        });
        EXPECT_EQ(checked, row.checked) << row.toggle << " at " << row.at.x;
        EXPECT_EQ(held, 0);
    }
}

TEST_F(ButtonDialog, ThePreviewDrawsTheCopyAsEditedWhileItIsSwitchedOn)
{
    b->style = BOUTON_STYLE_FLAT;
    b->background = {255, 255, 0, 0};
    struct Look {
        COLORREF centre;
        COLORREF corner;
    };
    std::vector<Look> looks;
    Edit(b.get(), [&](HWND dialog) {
        HWND preview = FindWindowExA(dialog, nullptr, "EXBOUTON", nullptr);
        RECT client;
        GetClientRect(preview, &client);
        auto look = [&] {
            Canvas canvas(client.right, client.bottom);
            SendMessageA(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
            looks.push_back({canvas.At(client.right / 2, 5), canvas.At(0, 0)});
        };
        look();
        Click(dialog, IDC_STYLE_3D);
        look();
        CheckDlgButton(dialog, IDC_PREVIEW_ON, BST_UNCHECKED);
        Click(dialog, IDC_PREVIEW_ON);
        look();
        CheckDlgButton(dialog, IDC_PREVIEW_ON, BST_CHECKED);
        Click(dialog, IDC_PREVIEW_ON);
        return IDCANCEL;
    });
    ASSERT_EQ(looks.size(), 3u);
    EXPECT_EQ(looks[0].centre, RGB(255, 255, 0));
    EXPECT_EQ(looks[0].corner, Black);
    EXPECT_EQ(looks[1].centre, Light);
    EXPECT_EQ(looks[1].corner, Black);
    // Switched off, the preview leaves the canvas as it was.
    EXPECT_EQ(looks[2].centre, Magenta);
    EXPECT_EQ(looks[2].corner, Magenta);
}

}  // namespace
