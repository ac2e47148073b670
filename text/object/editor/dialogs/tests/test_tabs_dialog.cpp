// The tabs dialog driven as an author drives it: defining, deleting, the limit of 32 tabs,
// the leaders stored and the default interval checked on OK.
#include "dialogdriver.h"
#include "dialogsres.h"
#include "tabs_dialog.h"

#include <gtest/gtest.h>

namespace {

TABSRECORD Record(int tabs)
{
    TABSRECORD record;
    for (int i = 0; i < tabs; ++i) {
        record.tabs[i] = RteTab{RTE_TAB_LEFT, QX_LEADER_NONE, 10 * (i + 1), 7};
        record.common[i] = 1;
    }
    record.count = tabs;
    record.defaultInterval = 25;
    return record;
}

int ListCount(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, IDC_TABS_LIST, LB_GETCOUNT, 0, 0)); }

std::string ListEntry(HWND dialog, int entry)
{
    char text[32] = "";
    SendDlgItemMessageA(dialog, IDC_TABS_LIST, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text));
    return text;
}

void Select(HWND dialog, int entry)
{
    SendDlgItemMessageA(dialog, IDC_TABS_LIST, LB_SETCURSEL, entry, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TABS_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TABS_LIST)));
}

void Choose(HWND dialog, int radio)
{
    const int groupStart = radio <= IDC_TABS_DECIMAL ? IDC_TABS_LEFT : IDC_TABS_LEADER_NONE;
    CheckRadioButton(dialog, groupStart, groupStart + 3, radio);
}

}  // namespace

TEST(TabsDialog, OpensOnTheFirstTabInAscendingOrder)
{
    TABSRECORD record;
    record.tabs[0] = RteTab{RTE_TAB_RIGHT, QX_LEADER_DASHES, 80, 0};
    record.tabs[1] = RteTab{RTE_TAB_CENTRED, QX_LEADER_DOTS, 30, 0};
    record.count = 2;
    record.showRuler = 1;
    std::vector<std::string> listed;
    std::string position, interval;
    bool centred = false, dots = false, deleteEnabled = true, deleteAllEnabled = false, ruler = false;
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        for (int i = 0; i < ListCount(dialog); ++i)
            listed.push_back(ListEntry(dialog, i));
        position = ItemText(dialog, IDC_TABS_POSITION);
        interval = ItemText(dialog, IDC_TABS_DEFAULT);
        centred = IsDlgButtonChecked(dialog, IDC_TABS_CENTRED) == BST_CHECKED;
        dots = IsDlgButtonChecked(dialog, IDC_TABS_LEADER_DOTS) == BST_CHECKED;
        deleteEnabled = IsEnabled(dialog, IDC_TABS_CLEAR);
        deleteAllEnabled = IsEnabled(dialog, IDC_TABS_CLEAR_ALL);
        ruler = IsDlgButtonChecked(dialog, IDC_TABS_SHOW_RULER) == BST_CHECKED;
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, TabsDialog(nullptr, &record));
    EXPECT_EQ("Tabulations", driver.Shown().at(0).caption);
    EXPECT_EQ((std::vector<std::string>{"30", "80"}), listed);
    EXPECT_EQ("30", position);
    EXPECT_EQ("25", interval);
    EXPECT_TRUE(centred);
    EXPECT_TRUE(dots);
    EXPECT_FALSE(deleteEnabled);
    EXPECT_TRUE(deleteAllEnabled);
    EXPECT_TRUE(ruler);
}

TEST(TabsDialog, TheLeaderChosenIsStoredByItsCode)
{
    struct Case {
        int radio;
        int32_t stored;
    };
    for (const Case& c : {Case{IDC_TABS_LEADER_NONE, 0}, Case{IDC_TABS_LEADER_DOTS, 46}, Case{IDC_TABS_LEADER_DASHES, 45},
                          Case{IDC_TABS_LEADER_LINE, 44}}) {
        SCOPED_TRACE(c.stored);
        TABSRECORD record = Record(2);
        DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
            SetText(dialog, IDC_TABS_POSITION, "15");
            Choose(dialog, IDC_TABS_DECIMAL);
            Choose(dialog, c.radio);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, TabsDialog(nullptr, &record));
        ASSERT_EQ(3, record.count);
        EXPECT_EQ(15, record.tabs[1].position) << "inserted in ascending order";
        EXPECT_EQ(RTE_TAB_DECIMAL, record.tabs[1].kind);
        EXPECT_EQ(c.stored, record.tabs[1].leader);
        EXPECT_EQ(0, record.tabs[1].value);
        EXPECT_EQ(-1, record.common[1]);
        EXPECT_EQ(20, record.tabs[2].position);
        EXPECT_EQ(7, record.tabs[2].value) << "the records after it move up";
        EXPECT_EQ(1, record.common[2]);
    }
}

TEST(TabsDialog, DefiningAListedPositionChangesThatTab)
{
    TABSRECORD record = Record(3);
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        SetText(dialog, IDC_TABS_POSITION, "20");
        Choose(dialog, IDC_TABS_RIGHT);
        Choose(dialog, IDC_TABS_LEADER_DOTS);
        Click(dialog, IDC_TABS_DEFINE);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, TabsDialog(nullptr, &record));
    EXPECT_EQ(3, record.count);
    EXPECT_EQ(RTE_TAB_RIGHT, record.tabs[1].kind);
    EXPECT_EQ(QX_LEADER_DOTS, record.tabs[1].leader);
    EXPECT_EQ(7, record.tabs[1].value);
}

TEST(TabsDialog, AThirtyThirdTabDoesNothing)
{
    TABSRECORD record = Record(RTE_MAX_TABS);
    int listed = 0;
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        SetText(dialog, IDC_TABS_POSITION, "999");
        Click(dialog, IDC_TABS_DEFINE);
        listed = ListCount(dialog);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, TabsDialog(nullptr, &record));
    EXPECT_EQ(RTE_MAX_TABS, listed);
    EXPECT_EQ(RTE_MAX_TABS, record.count);
    EXPECT_EQ(1u, driver.Shown().size()) << "no box";
}

TEST(TabsDialog, APositionOutsideTheLineIsRefused)
{
    for (const char* typed : {"-2", "1024", "abc"}) {
        SCOPED_TRACE(typed);
        TABSRECORD record = Record(1);
        DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
            SetText(dialog, IDC_TABS_POSITION, typed);
            Click(dialog, IDC_TABS_DEFINE);
        });
        EXPECT_EQ(0, TabsDialog(nullptr, &record));
        ASSERT_EQ(2u, driver.Shown().size());
        EXPECT_EQ("Tabulations : erreur", driver.Shown()[1].caption);
        EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("emplacement de taquet de tabulation"));
        EXPECT_EQ(1, record.count);
    }
    TABSRECORD record = Record(1);
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        SetText(dialog, IDC_TABS_POSITION, "-1");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, TabsDialog(nullptr, &record));
    EXPECT_EQ(-1, record.tabs[0].position);
}

TEST(TabsDialog, TheDefaultIntervalMustBeAboveFive)
{
    struct Case {
        const char* typed;
        int result;
        int stored;
    };
    for (const Case& c : {Case{"5", 0, 25}, Case{"6", 1, 6}, Case{"1023", 1, 1023}, Case{"1024", 0, 25}}) {
        SCOPED_TRACE(c.typed);
        TABSRECORD record = Record(1);
        std::string restored;
        bool focused = false;
        DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
            SetText(dialog, IDC_TABS_DEFAULT, c.typed);
            Click(dialog, IDOK);
            restored = ItemText(dialog, IDC_TABS_DEFAULT);
            focused = GetFocus() == GetDlgItem(dialog, IDC_TABS_DEFAULT);
        });
        EXPECT_EQ(c.result, TabsDialog(nullptr, &record));
        EXPECT_EQ(c.stored, record.defaultInterval);
        if (c.result == 0) {
            ASSERT_EQ(2u, driver.Shown().size());
            EXPECT_EQ("Tabulations : erreur", driver.Shown()[1].caption);
            EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("La valeur entrée pour le taquet par défaut est invalide."));
            EXPECT_EQ("25", restored);
            EXPECT_TRUE(focused);
        }
    }
}

TEST(TabsDialog, DeletingMarksTheTabAndShowsTheNextOne)
{
    TABSRECORD record = Record(3);
    std::string shownAfter;
    bool deleteAllAfterLast = true;
    int left = -1;
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        Select(dialog, 1);
        Click(dialog, IDC_TABS_CLEAR);
        shownAfter = ItemText(dialog, IDC_TABS_POSITION);
        left = ListCount(dialog);
        Select(dialog, 0);
        Click(dialog, IDC_TABS_CLEAR);
        Select(dialog, 0);
        Click(dialog, IDC_TABS_CLEAR);
        deleteAllAfterLast = IsEnabled(dialog, IDC_TABS_CLEAR_ALL);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, TabsDialog(nullptr, &record));
    EXPECT_EQ("30", shownAfter);
    EXPECT_EQ(2, left);
    EXPECT_FALSE(deleteAllAfterLast);
    EXPECT_EQ(3, record.count) << "deleted tabs stay, for the engine to remove";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RTE_TAB_NONE, record.tabs[i].kind) << i;
}

TEST(TabsDialog, DeleteAllAndTheRulerBox)
{
    TABSRECORD record = Record(4);
    bool deleteEnabled = true, deleteAllEnabled = true;
    DialogDriver driver(IDC_TABS_LIST, [&](HWND dialog) {
        Click(dialog, IDC_TABS_CLEAR_ALL);
        deleteEnabled = IsEnabled(dialog, IDC_TABS_CLEAR);
        deleteAllEnabled = IsEnabled(dialog, IDC_TABS_CLEAR_ALL);
        SetCheck(dialog, IDC_TABS_SHOW_RULER, true);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, TabsDialog(nullptr, &record));
    EXPECT_FALSE(deleteEnabled);
    EXPECT_FALSE(deleteAllEnabled);
    EXPECT_EQ(1, record.showRuler) << "stored at once";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(RTE_TAB_NONE, record.tabs[i].kind);
}
