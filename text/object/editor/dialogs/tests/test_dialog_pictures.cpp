// Pictures of the branch dialog with its styles shown, the font dialog with its note and the
// text properties dialog, taken from the screen when QX_DIALOG_PICTURES names a folder (the
// script dialog_pictures.sh runs them under Xvfb with Wine's X11 driver); skipped otherwise.
#include "branch_dialog.h"
#include "dialogdriver.h"
#include "dialogsres.h"
#include "font_hook.h"
#include "pagehost.h"
#include "properties_dialog.h"
#include "qxfonts.h"
#include "test_canvas.h"

#include "branch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string PictureFolder()
{
    const char* folder = std::getenv("QX_DIALOG_PICTURES");
    return folder ? folder : "";
}

// The dialog as the screen shows it, saved as <name>.png; its pixels are not all alike.
void Photograph(HWND dialog, const std::string& name)
{
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetForegroundWindow(dialog);
    PumpUntil([] { return false; }, 1000);
    RECT place;
    GetWindowRect(dialog, &place);
    TestCanvas canvas(place.right - place.left, place.bottom - place.top);
    const HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen, place.left, place.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::string folder = PictureFolder();
    const std::wstring path(folder.begin(), folder.end());
    EXPECT_TRUE(canvas.SavePng((path + L"\\" + std::wstring(name.begin(), name.end()) + L".png").c_str()));
    const auto pixels = canvas.Pixels();
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), pixels.front()), static_cast<long>(pixels.size())) << name;
}

}  // namespace

TEST(DialogPictures, BranchWithItsStyles)
{
    if (PictureFolder().empty())
        GTEST_SKIP() << "QX_DIALOG_PICTURES not set";
    PageHost host;
    OBJET text(host.kernel, nullptr);
    BRANCH branch(host.kernel);
    branch.target = "suite.pag";
    BRANCHDIALOGRECORD record;
    record.text = &text;
    record.branch = &branch;
    record.tooltip.text = "Aller à la page suivante";
    record.tooltip.delay = 2;
    BRANCHSTYLES& styles = record.styles;
    styles.tooltip.font.lfHeight = -14;
    lstrcpynA(styles.tooltip.font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
    styles.branch.active = 1;
    styles.branch.font.lfHeight = -16;
    styles.branch.font.lfUnderline = 1;
    lstrcpynA(styles.branch.font.lfFaceName, "Liberation Serif", LF_FACESIZE);
    styles.branch.fontColour = RGB(0, 0, 255);
    styles.branch.background = 0xFF000000 | RGB(255, 255, 160);
    styles.visited.active = 1;
    styles.visited.font = styles.branch.font;
    styles.visited.fontColour = RGB(128, 0, 128);
    styles.visited.background = 0xFFFFFE;
    DialogDriver driver(IDC_BRANCH_DIVIDER, [&](HWND dialog) {
        Click(dialog, IDC_BRANCH_SHOW_STYLES);
        Photograph(dialog, "branch");
    });
    BranchDialog(nullptr, &record);
}

TEST(DialogPictures, FontWithItsNote)
{
    if (PictureFolder().empty())
        GTEST_SKIP() << "QX_DIALOG_PICTURES not set";
    LOGFONTA font{};
    font.lfHeight = -16;
    lstrcpynA(font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
    CHOOSEFONTA choice;
    SetUpTextFontChoice(&choice, nullptr, &font);
    TextFontCustom()->effects = QX_FONT_SUPERSCRIPT;
    DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) { Photograph(dialog, "font"); });
    QXChooseFont(&choice);
    TextFontCustom()->effects = 0;
}

TEST(DialogPictures, Properties)
{
    if (PictureFolder().empty())
        GTEST_SKIP() << "QX_DIALOG_PICTURES not set";
    PageHost host;
    OBJET text(host.kernel, nullptr);
    BRANCH branch(host.kernel);
    branch.target = "sommaire.pag";
    PROPERTIESRECORD record;
    record.text = &text;
    record.branch = &branch;
    TEXTPROPERTIES& values = record.values;
    values.font.lfHeight = -16;
    lstrcpynA(values.font.lfFaceName, "Liberation Serif", LF_FACESIZE);
    values.fontColour = RGB(128, 0, 0);
    values.textBackground = 0xFFFFFF;
    values.background = 0xFF000000 | RGB(200, 230, 255);
    values.margins = RECT{4, 4, 4, 4};
    DialogDriver driver(IDC_PROP_KEEP, [&](HWND dialog) { Photograph(dialog, "properties"); });
    PropertiesDialog(nullptr, &record);
}
