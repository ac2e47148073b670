// What the tests of the settings dialog share: a page shown by the kernel, buttons placed on
// it, and the dialog run through its Modify with the dialogs it opens answered by messages.
#pragma once

#include "buttontest.h"

#include "dialog_answerer.h"
#include "dialog_items.h"
#include "pagehost.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Works in a dialog and answers the command that ends it.
using Act = std::function<int(HWND)>;

bool IsButtonDialog(HWND dialog);
void Command(HWND dialog, int id, int code);
void Click(HWND dialog, int id);
// The text set, then the edit's change notice.
void Type(HWND dialog, int id, const std::string& text);
// A name typed into a slot's name control, which then loses the focus.
void Name(HWND dialog, int nameControl, const std::string& path);
int SlotNameControl(int image);
bool Checked(HWND dialog, int id);
// The copy that the dialog edits, as its preview window holds it.
BOUTON* CopyIn(HWND dialog);

class ButtonDialog : public ::testing::Test {
protected:
    // The page "a.pag" shown, and `b` placed on it.
    void SetUp() override;
    // A button already on a page: complete, 100 x 40 at (10, 20).
    BOUTON* PlacedButton();
    // A picture of the publication, all in one colour; its full name.
    std::string Picture(const std::string& name, int width = 20, int height = 10, COLORREF colour = Red);
    // The button in the picture style, with the slot's picture named.
    void Show(BOUTON* button, int image, const std::string& path);
    // Runs the button's dialog: `act` works in it; `others` answers the dialogs opened from it.
    // The dialog's result; `shown` lists every dialog that came up.
    int Edit(BOUTON* button, const Act& act);

    Act others = [](HWND) { return IDOK; };
    std::vector<ShownDialog> shown;
    PageHost host;
    std::unique_ptr<BOUTON> b;
};
