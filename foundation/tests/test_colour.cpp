// The colour chooser answered through the dialog answerer: the radio button checked at
// opening, the value handed back after OK (with and without a colour picked, opaque or
// transparent), Cancel, the French template, and the library's custom colours.
#include "qxcolour.h"
#include "dialog_answerer.h"

#include <colordlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int Transparent = 5711, Opaque = 5712;

struct Opened {
    bool transparentChecked = false;
    bool opaqueChecked = false;
};

// Runs the chooser on `initial`; `act` plays the user on the open dialog and names the button.
COLORREF Choose(COLORREF initial, BOOL* result, Opened* opened, const std::function<int(HWND)>& act,
                std::vector<ShownDialog>* shown = nullptr)
{
    COLORREF custom[16] = {};
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.rgbResult = initial;
    choice.lpCustColors = custom;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    choice.lCustData = 77;
    DialogAnswerer answerer([&](HWND dialog) {
        opened->transparentChecked = IsDlgButtonChecked(dialog, Transparent) == BST_CHECKED;
        opened->opaqueChecked = IsDlgButtonChecked(dialog, Opaque) == BST_CHECKED;
        return act(dialog);
    });
    *result = QXChooseColor(&choice);
    EXPECT_EQ(77, choice.lCustData) << "the caller's data is given back";
    if (shown)
        *shown = answerer.Shown();
    return choice.rgbResult;
}

int Click(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    return IDOK;
}

int PickRed(HWND dialog, int red)
{
    SetDlgItemInt(dialog, COLOR_RED, red, FALSE);
    return IDOK;
}

}  // namespace

TEST(ColourChooser, NullIsRefused) { EXPECT_EQ(0, QXChooseColor(nullptr)); }

TEST(ColourChooser, AnswersByTheCheckedChoice)
{
    struct Case {
        const char* what;
        COLORREF initial;
        std::function<int(HWND)> act;
        bool opensTransparent;
        BOOL result;
        COLORREF expected;
    };
    const Case cases[] = {
        {"opaque, OK unchanged", 0xFF0000FF, [](HWND) { return IDOK; }, false, TRUE, 0xFF0000FF},
        {"transparent, OK unchanged", 0x00123456, [](HWND) { return IDOK; }, true, TRUE, 0x00123456},
        {"transparent, red picked", 0x00123456, [](HWND d) { return PickRed(d, 200); }, true, TRUE, 0x001234C8},
        {"opaque, red picked", 0xFF123456, [](HWND d) { return PickRed(d, 1); }, false, TRUE, 0xFF123401},
        {"opaque, switched to transparent", 0xFF00FF00, [](HWND d) { return Click(d, Transparent); }, false, TRUE,
         0x0000FF00},
        {"transparent, switched to colour", 0x00808080, [](HWND d) { return Click(d, Opaque); }, true, TRUE,
         0xFF808080},
        {"any top byte but 0 is opaque", 0x01FF0000, [](HWND) { return IDOK; }, false, TRUE, 0xFFFF0000},
        {"cancel keeps the value", 0x00ABCDEF, [](HWND d) { PickRed(d, 3); return IDCANCEL; }, true, FALSE,
         0x00ABCDEF},
        {"cancel keeps the top byte", 0xFF010203, [](HWND d) { Click(d, Transparent); return IDCANCEL; }, false,
         FALSE, 0xFF010203},
    };
    for (const Case& c : cases) {
        BOOL result = -1;
        Opened opened;
        const COLORREF value = Choose(c.initial, &result, &opened, c.act);
        EXPECT_EQ(c.opensTransparent, opened.transparentChecked) << c.what;
        EXPECT_EQ(!c.opensTransparent, opened.opaqueChecked) << c.what;
        EXPECT_EQ(c.result, result != 0) << c.what;
        EXPECT_EQ(c.expected, value) << c.what << std::hex << " got 0x" << value;
    }
}

TEST(ColourChooser, ShowsTheFrenchTemplate)
{
    BOOL result = 0;
    Opened opened;
    std::vector<ShownDialog> shown;
    Choose(0xFF000000, &result, &opened, [](HWND) { return IDCANCEL; }, &shown);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Couleur", shown[0].caption);
    for (const char* text : {"&Couleurs de base :", "Couleurs &personnalisées :", "&Teinte", "&Rouge", "&Bleu"})
        EXPECT_NE(std::string::npos, shown[0].text.find(text)) << text << " in\n" << shown[0].text;
}

TEST(ColourChooser, CustomColoursRoundTrip)
{
    COLORREF in[16], out[16];
    for (int i = 0; i < 16; ++i) {
        in[i] = RGB(i * 16, 255 - i, i * 3);
        out[i] = 0xDEADBEEF;
    }
    QXBASE_SetCustomColor(in);
    QXBASE_GetCustomColor(out);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(in[i], out[i]) << i;
    QXBASE_SetCustomColor(nullptr);  // ignored
    QXBASE_GetCustomColor(nullptr);
    QXBASE_GetCustomColor(out);
    EXPECT_EQ(in[15], out[15]);
    const COLORREF zero[16] = {};
    QXBASE_SetCustomColor(zero);
}
