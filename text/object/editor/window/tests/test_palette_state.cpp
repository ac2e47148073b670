// What the palette shows of the selection: its face and its size in the lists, and the face and
// size the font dialog opens on.
#include "session_fixture.h"

#include "dialog_items.h"
#include "dialogsres.h"
#include "editwindow_res.h"

#include <dlgs.h>

namespace {

using PaletteState = EditorSession;

TEST_F(PaletteState, TheListsShowTheFaceAndSizeOfTheTextTyped)
{
    std::string face, size, sizeAtCaret;
    Edit([&](const Editor& e) {
        Type(e.control, "abc");
        sizeAtCaret = WindowText(GetDlgItem(e.tools, CMD_SIZE_LIST));
        Select(e.control, 0, 3);
        Pump();
        face = WindowText(GetDlgItem(e.tools, CMD_FONT_LIST));
        size = WindowText(GetDlgItem(e.tools, CMD_SIZE_LIST));
        Command(e, CMD_CANCEL);
    });
    EXPECT_FALSE(face.empty());
    EXPECT_FALSE(size.empty());
    EXPECT_EQ(size, sizeAtCaret);
}

// The font dialog finds the selection's face among the system's (not every test machine has the
// default face) and opens on its size.
TEST_F(PaletteState, TheFontDialogOpensOnTheFaceAndSizeOfTheSelection)
{
    std::string palette, face = "(not shown)", size;
    Edit(
        [&](const Editor& e) {
            Type(e.control, "abc");
            Select(e.control, 0, 3);
            ChooseListedFace(e.tools, "Liberation Serif");
            Select(e.control, 0, 3);
            Pump();
            palette = WindowText(GetDlgItem(e.tools, CMD_SIZE_LIST));
            Command(e, CMD_FONT);
            Command(e, CMD_CANCEL);
        },
        [&](HWND shown) {
            if (!GetDlgItem(shown, IDC_FONT_NOTE))
                return IDNO;  // the question on closing a changed text
            face = ItemText(shown, cmb1);
            size = ItemText(shown, cmb3);
            return IDCANCEL;
        });
    EXPECT_EQ("Liberation Serif", face);
    EXPECT_EQ("12", palette);  // the first-run height of 16 pixels
    EXPECT_EQ(palette, size);
}

}  // namespace
