// The paragraph dialog driven as an author drives it: what it shows, its spin bars, the
// order in which OK checks the fields and what it keeps.
#include "dialogdriver.h"
#include "dialogsres.h"
#include "paragraph_dialog.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t Fixed(int whole) { return static_cast<int32_t>(static_cast<uint32_t>(whole) << 16); }

PARAGRAPHRECORD Record()
{
    PARAGRAPHRECORD record;
    record.leftIndent = Fixed(10) + 0x8000;  // the fraction is not shown
    record.rightIndent = Fixed(20);
    record.firstIndent = Fixed(-5);
    record.alignment = 3;
    record.lineSpacing = QX_SPACING_ONE_HALF;
    record.spaceBefore = 4;
    record.spaceAfter = 6;
    return record;
}

void Spin(HWND dialog, int bar, int code)
{
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
}

}  // namespace

TEST(ParagraphDialog, ShowsTheWholePartsAndTheCombosEntries)
{
    PARAGRAPHRECORD record = Record();
    std::string left, right, first, before, after, alignment, spacing;
    DialogDriver driver(IDC_PARA_LEFT, [&](HWND dialog) {
        left = ItemText(dialog, IDC_PARA_LEFT);
        right = ItemText(dialog, IDC_PARA_RIGHT);
        first = ItemText(dialog, IDC_PARA_FIRST);
        before = ItemText(dialog, IDC_PARA_BEFORE);
        after = ItemText(dialog, IDC_PARA_AFTER);
        alignment = ItemText(dialog, IDC_PARA_ALIGNMENT);
        spacing = ItemText(dialog, IDC_PARA_SPACING);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, ParagraphDialog(nullptr, &record));
    EXPECT_EQ("Réglage de paragraphes", driver.Shown().at(0).caption);
    EXPECT_EQ("10", left);
    EXPECT_EQ("20", right);
    EXPECT_EQ("-5", first);
    EXPECT_EQ("4", before);
    EXPECT_EQ("6", after);
    EXPECT_EQ("Justifié", alignment);
    EXPECT_EQ("Interligne et demi", spacing);
    EXPECT_EQ(Fixed(10) + 0x8000, record.leftIndent) << "Annuler keeps the record";
}

TEST(ParagraphDialog, OkChecksTheFieldsInOrderAndKeepsTheFirstOneRefused)
{
    struct Case {
        const char* what;
        const char* left;
        const char* first;
        const char* before;
        int result;
        const char* caption;  // null: accepted
        const char* restored; // what the refused field shows again
        int field;
    };
    const Case cases[] = {
        {"first line -20", "10", "-20", "4", 1, nullptr, nullptr, 0},
        {"space before 144", "10", "-5", "144", 0, "Espacement haut : erreur", "4", IDC_PARA_BEFORE},
        {"space before 143", "10", "-5", "143", 1, nullptr, nullptr, 0},
        {"left -1", "-1", "-5", "4", 0, "Indentation gauche : erreur", "10", IDC_PARA_LEFT},
        {"left -1 before 144: left first", "-1", "-5", "144", 0, "Indentation gauche : erreur", "10", IDC_PARA_LEFT},
        {"first line -1024", "10", "-1024", "4", 0, "Indentation de première ligne : erreur", "-5", IDC_PARA_FIRST},
        {"left not a number", "abc", "-5", "4", 0, "Indentation gauche : erreur", "10", IDC_PARA_LEFT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PARAGRAPHRECORD record = Record();
        std::string restored;
        bool focused = false;
        DialogDriver driver(IDC_PARA_LEFT, [&](HWND dialog) {
            SetText(dialog, IDC_PARA_LEFT, c.left);
            SetText(dialog, IDC_PARA_FIRST, c.first);
            SetText(dialog, IDC_PARA_BEFORE, c.before);
            Click(dialog, IDOK);
            if (c.caption) {
                restored = ItemText(dialog, c.field);
                focused = GetFocus() == GetDlgItem(dialog, c.field);
            }
        });
        EXPECT_EQ(c.result, ParagraphDialog(nullptr, &record));
        if (!c.caption) {
            ASSERT_EQ(1u, driver.Shown().size());
            EXPECT_EQ(10, record.leftIndent);
            EXPECT_EQ(20, record.rightIndent);
            EXPECT_EQ(std::atoi(c.first), record.firstIndent);
            EXPECT_EQ(std::atoi(c.before), record.spaceBefore);
            EXPECT_EQ(6, record.spaceAfter);
            continue;
        }
        ASSERT_EQ(2u, driver.Shown().size());
        EXPECT_EQ(c.caption, driver.Shown()[1].caption);
        EXPECT_EQ(c.restored, restored);
        EXPECT_TRUE(focused);
    }
}

TEST(ParagraphDialog, TheRefusalTextsFollowTheirCaptions)
{
    PARAGRAPHRECORD record = Record();
    DialogDriver driver(IDC_PARA_LEFT, [&](HWND dialog) {
        SetText(dialog, IDC_PARA_LEFT, "-1");
        Click(dialog, IDOK);
    });
    ParagraphDialog(nullptr, &record);
    ASSERT_EQ(2u, driver.Shown().size());
    EXPECT_NE(std::string::npos,
              driver.Shown()[1].text.find("L'indentation gauche doit être comprise entre 0 et 1023 pixels."));
}

TEST(ParagraphDialog, SpinBarsStepByOneWithinTheirRanges)
{
    struct Case {
        const char* what;
        int edit;
        int bar;
        const char* start;
        int code;
        int times;
        const char* shown;
    };
    const Case cases[] = {
        {"left up", IDC_PARA_LEFT, IDC_PARA_LEFT_SPIN, "10", SB_LINEUP, 2, "12"},
        {"left down stops at 0", IDC_PARA_LEFT, IDC_PARA_LEFT_SPIN, "1", SB_LINEDOWN, 3, "0"},
        {"right up stops at 1023", IDC_PARA_RIGHT, IDC_PARA_RIGHT_SPIN, "1022", SB_LINEUP, 3, "1023"},
        {"first line goes negative", IDC_PARA_FIRST, IDC_PARA_FIRST_SPIN, "1", SB_LINEDOWN, 3, "-2"},
        {"first line stops at -1023", IDC_PARA_FIRST, IDC_PARA_FIRST_SPIN, "-1022", SB_LINEDOWN, 3, "-1023"},
        {"before reaches 144", IDC_PARA_BEFORE, IDC_PARA_BEFORE_SPIN, "143", SB_LINEUP, 3, "144"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PARAGRAPHRECORD record = Record();
        std::string shown;
        DialogDriver driver(IDC_PARA_LEFT, [&](HWND dialog) {
            SetText(dialog, c.edit, c.start);
            for (int i = 0; i < c.times; ++i)
                Spin(dialog, c.bar, c.code);
            shown = ItemText(dialog, c.edit);
        });
        ParagraphDialog(nullptr, &record);
        EXPECT_EQ(c.shown, shown);
    }
}

TEST(ParagraphDialog, TheCombosStoreTheirValueAtOnce)
{
    PARAGRAPHRECORD record = Record();
    record.lineSpacing = 0x12345;  // no entry of the combo
    std::string spacingShown;
    DialogDriver driver(IDC_PARA_LEFT, [&](HWND dialog) {
        spacingShown = ItemText(dialog, IDC_PARA_SPACING);
        for (const auto& [id, entry] : {std::pair{IDC_PARA_SPACING, 3}, std::pair{IDC_PARA_ALIGNMENT, 1}}) {
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, entry, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        }
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, ParagraphDialog(nullptr, &record));
    EXPECT_EQ("", spacingShown);
    EXPECT_EQ(QX_SPACING_TRIPLE, record.lineSpacing);
    EXPECT_EQ(1, record.alignment);
}
