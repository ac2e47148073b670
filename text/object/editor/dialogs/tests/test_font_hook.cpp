// The editor's font dialog: its hook's distribution note for real faces, superscript and
// subscript, what OK keeps, and the pointer left to the dialog.
#include "dialogdriver.h"
#include "dialogsres.h"
#include "font_hook.h"
#include "qxfonts.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

const std::string WineFonts = "Z:\\usr\\share\\wine\\fonts\\";

// A font of Wine's own folder, for this process only.
struct PrivateFont {
    explicit PrivateFont(const char* file) : path(WineFonts + file)
    {
        added = AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
    }
    ~PrivateFont()
    {
        if (added)
            RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
    }
    std::string path;
    int added;
};

}  // namespace

TEST(FontHook, TellsWhetherTheFaceMayTravel)
{
    struct Case {
        const char* face;
        const char* note;
    };
    const char* freely = "Cette police peut être distribuée librement";
    const char* raster = "Cette police n'est pas True Type et ne peut être intégrée au document.";
    const Case cases[] = {
        {"DejaVu Sans", freely},      // fonts-dejavu-core
        {"Liberation Serif", freely}, // fonts-liberation2
        {"MS Sans Serif", raster},
        {"Courier", raster},
    };
    PrivateFont sansSerif("sserife.fon"), courier("coure.fon");
    ASSERT_TRUE(sansSerif.added && courier.added);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        LOGFONTA font{};
        font.lfHeight = -16;
        lstrcpynA(font.lfFaceName, c.face, LF_FACESIZE);
        CHOOSEFONTA choice;
        SetUpTextFontChoice(&choice, nullptr, &font);
        std::string note, caption;
        DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) {
            note = ItemText(dialog, IDC_FONT_NOTE);
            caption = WindowText(dialog);
            Click(dialog, IDOK);
        });
        EXPECT_TRUE(QXChooseFont(&choice));
        EXPECT_EQ("Police", caption);
        EXPECT_EQ(c.note, note);
        EXPECT_STREQ(c.face, TextFontCustom()->face);
        EXPECT_EQ(sizeof(CHOOSEFONTA), choice.lStructSize);
    }
}

TEST(FontHook, ChoosingAnotherFaceShowsItsNote)
{
    PrivateFont courier("coure.fon");
    ASSERT_TRUE(courier.added);
    LOGFONTA font{};
    font.lfHeight = -16;
    lstrcpynA(font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
    CHOOSEFONTA choice;
    SetUpTextFontChoice(&choice, nullptr, &font);
    std::string note;
    DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) {
        const HWND faces = GetDlgItem(dialog, cmb1);
        SendMessageA(faces, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Courier"));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
        note = ItemText(dialog, IDC_FONT_NOTE);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(QXChooseFont(&choice));
    EXPECT_EQ("Cette police n'est pas True Type et ne peut être intégrée au document.", note);
}

TEST(FontHook, TheNotesOfTheEmbeddingBits)
{
    struct Case {
        int embedding;
        int note;
    };
    for (const Case& c : {Case{-1, 723}, Case{0x8, 724}, Case{0x8 | 0x2, 724}, Case{0x4, 721}, Case{0x4 | 0x2, 721},
                          Case{0x2, 722}, Case{0, 720}, Case{0x1, 720}}) {
        EXPECT_EQ(c.note, EmbeddingNoteId(c.embedding)) << c.embedding;
    }
}

TEST(FontHook, SuperscriptAndSubscriptExcludeEachOther)
{
    struct Case {
        const char* what;
        int effectsBefore;
        std::vector<int> clicks;
        bool superscript;
        bool subscript;
        bool strikeOut;
    };
    const Case cases[] = {
        {"opens on superscript", QX_FONT_SUPERSCRIPT, {}, true, false, false},
        {"opens on subscript", QX_FONT_SUBSCRIPT | QX_FONT_STRIKEOUT, {}, false, true, true},
        {"subscript then superscript", 0, {IDC_FONT_SUBSCRIPT, IDC_FONT_SUPERSCRIPT}, true, false, false},
        {"superscript then subscript", 0, {IDC_FONT_SUPERSCRIPT, IDC_FONT_SUBSCRIPT}, false, true, false},
        {"a second click unticks", QX_FONT_SUPERSCRIPT, {IDC_FONT_SUPERSCRIPT}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LOGFONTA font{};
        font.lfHeight = -16;
        font.lfStrikeOut = c.effectsBefore & QX_FONT_STRIKEOUT ? 1 : 0;
        lstrcpynA(font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
        CHOOSEFONTA choice;
        SetUpTextFontChoice(&choice, nullptr, &font);
        TextFontCustom()->effects = c.effectsBefore;
        bool superscript = false, subscript = false;
        DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) {
            for (int id : c.clicks)
                Click(dialog, id);
            superscript = IsDlgButtonChecked(dialog, IDC_FONT_SUPERSCRIPT) == BST_CHECKED;
            subscript = IsDlgButtonChecked(dialog, IDC_FONT_SUBSCRIPT) == BST_CHECKED;
            Click(dialog, IDOK);
        });
        EXPECT_TRUE(QXChooseFont(&choice));
        EXPECT_EQ(c.superscript, superscript);
        EXPECT_EQ(c.subscript, subscript);
        const int effects = TextFontCustom()->effects;
        EXPECT_EQ(c.superscript, (effects & QX_FONT_SUPERSCRIPT) != 0);
        EXPECT_EQ(c.subscript, (effects & QX_FONT_SUBSCRIPT) != 0);
        EXPECT_EQ(c.strikeOut, (effects & QX_FONT_STRIKEOUT) != 0);
        EXPECT_EQ(0, effects & QX_FONT_UNDERLINE);
    }
    TextFontCustom()->effects = 0;
}

TEST(FontHook, OkKeepsTheFaceAndTheSize)
{
    LOGFONTA font{};
    font.lfHeight = -16;
    font.lfUnderline = 1;
    lstrcpynA(font.lfFaceName, "Liberation Serif", LF_FACESIZE);
    CHOOSEFONTA choice;
    SetUpTextFontChoice(&choice, nullptr, &font);
    std::string size;
    DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) {
        size = ItemText(dialog, cmb3);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(QXChooseFont(&choice));
    const FONTDLGCUSTOM* custom = TextFontCustom();
    EXPECT_STREQ("Liberation Serif", custom->face);
    EXPECT_LE(0, custom->faceIndex);
    EXPECT_EQ(size, custom->size);
    EXPECT_FALSE(size.empty());
    EXPECT_LE(0, custom->sizeIndex);
    EXPECT_EQ(QX_FONT_UNDERLINE, custom->effects & QX_FONT_UNDERLINE);
    TextFontCustom()->effects = 0;
}

// The dialog sets the pointer over its controls itself: the hook leaves WM_SETCURSOR alone.
TEST(FontHook, LeavesTheCursorToTheDialog)
{
    LOGFONTA font{};
    font.lfHeight = -16;
    lstrcpynA(font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
    CHOOSEFONTA choice;
    SetUpTextFontChoice(&choice, nullptr, &font);
    UINT_PTR answered = 1;
    DialogDriver driver(IDC_FONT_NOTE, [&](HWND dialog) {
        answered = TextFontHook(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(dialog, cmb1)),
                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        Click(dialog, IDCANCEL);
    });
    QXChooseFont(&choice);
    EXPECT_EQ(0u, answered);
}
