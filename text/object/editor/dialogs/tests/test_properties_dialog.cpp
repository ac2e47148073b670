// The text properties dialog driven as an author drives it: the margins checked in order, the
// delay, the question before keeping the values as defaults, and the previews' colours.
#include "dialog_support.h"
#include "dialogdriver.h"
#include "dialogsres.h"
#include "face_sample.h"
#include "pagehost.h"
#include "properties_dialog.h"

#include "branch.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

struct PropertiesOnPage {
    PageHost host;
    OBJET text{host.kernel, nullptr};
    BRANCH branch{host.kernel};
    PROPERTIESRECORD record;

    PropertiesOnPage()
    {
        record.text = &text;
        record.branch = &branch;
        record.values.margins = RECT{3, 4, 5, 6};
        text.showDelay = 1.5;
    }
};

}  // namespace

TEST(PropertiesDialog, OpensWithTheValues)
{
    auto owned = std::make_unique<PropertiesOnPage>();
    PropertiesOnPage& page = *owned;
    page.branch.target = "suite.pag";
    page.record.values.showTabRuler = 1;
    std::map<int, std::string> shown;
    bool ruler = false, removeEnabled = false, registered = false;
    DialogDriver driver(IDC_PROP_KEEP, [&](HWND dialog) {
        WNDCLASSA preview;
        registered = GetClassInfoA(DialogsModule(), "EXTXTPROP", &preview);
        for (int id : {IDC_PROP_TOP, IDC_PROP_BOTTOM, IDC_PROP_LEFT, IDC_PROP_RIGHT, IDC_PROP_DELAY, IDC_PROP_TARGET})
            shown[id] = ItemText(dialog, id);
        ruler = IsDlgButtonChecked(dialog, IDC_PROP_SHOW_RULER) == BST_CHECKED;
        removeEnabled = IsEnabled(dialog, IDC_PROP_REMOVE_BRANCH);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, PropertiesDialog(nullptr, &page.record));
    EXPECT_EQ("Propriétés du texte", driver.Shown().at(0).caption);
    EXPECT_EQ("4", shown[IDC_PROP_TOP]);
    EXPECT_EQ("6", shown[IDC_PROP_BOTTOM]);
    EXPECT_EQ("3", shown[IDC_PROP_LEFT]);
    EXPECT_EQ("5", shown[IDC_PROP_RIGHT]);
    EXPECT_EQ("1.5  ", shown[IDC_PROP_DELAY]);
    EXPECT_EQ("suite.pag", shown[IDC_PROP_TARGET]);
    EXPECT_TRUE(ruler);
    EXPECT_TRUE(removeEnabled);
    EXPECT_TRUE(registered);
    owned.reset();
    WNDCLASSA unused;
    EXPECT_FALSE(GetClassInfoA(DialogsModule(), "EXTXTPROP", &unused)) << "unregistered with its last user";
}

TEST(PropertiesDialog, TheMarginsAreCheckedTopBottomLeftRight)
{
    struct Case {
        const char* what;
        const char* top;
        const char* bottom;
        const char* left;
        const char* right;
        int field;            // 0: accepted
        const char* text;
        const char* restored;
    };
    const Case cases[] = {
        {"right 1024", "4", "6", "3", "1024", IDC_PROP_RIGHT, "La marge de droite", "5"},
        {"left -1", "4", "6", "-1", "5", IDC_PROP_LEFT, "La marge de gauche", "3"},
        {"bottom and right", "4", "2000", "3", "1024", IDC_PROP_BOTTOM, "La marge du bas", "6"},
        {"top before all", "x", "2000", "-1", "1024", IDC_PROP_TOP, "La marge du haut", "4"},
        {"all within", "0", "1023", "10", "20", 0, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PropertiesOnPage page;
        std::string restored;
        bool focused = false;
        DialogDriver driver(IDC_PROP_KEEP, [&](HWND dialog) {
            SetText(dialog, IDC_PROP_TOP, c.top);
            SetText(dialog, IDC_PROP_BOTTOM, c.bottom);
            SetText(dialog, IDC_PROP_LEFT, c.left);
            SetText(dialog, IDC_PROP_RIGHT, c.right);
            Click(dialog, IDOK);
            if (c.field) {
                restored = ItemText(dialog, c.field);
                focused = GetFocus() == GetDlgItem(dialog, c.field);
            }
        });
        const int result = PropertiesDialog(nullptr, &page.record);
        if (!c.field) {
            EXPECT_EQ(1, result);
            const RECT& margins = page.record.values.margins;
            EXPECT_EQ(10, margins.left);
            EXPECT_EQ(0, margins.top);
            EXPECT_EQ(20, margins.right);
            EXPECT_EQ(1023, margins.bottom);
            continue;
        }
        EXPECT_EQ(0, result);
        ASSERT_EQ(2u, driver.Shown().size());
        EXPECT_EQ("Marges : erreur", driver.Shown()[1].caption);
        EXPECT_NE(std::string::npos, driver.Shown()[1].text.find(c.text)) << driver.Shown()[1].text;
        EXPECT_EQ(c.restored, restored);
        EXPECT_TRUE(focused);
        EXPECT_EQ(5, page.record.values.margins.right);
    }
}

TEST(PropertiesDialog, TheDelayIsReadAsANumberNeverNegative)
{
    struct Case {
        const char* typed;
        double stored;
    };
    for (const Case& c : {Case{"-3", 0.0}, Case{"2.5", 2.5}, Case{"abc", 0.0}, Case{"", 0.0}}) {
        SCOPED_TRACE(c.typed);
        PropertiesOnPage page;
        DialogDriver driver(IDC_PROP_KEEP, [&](HWND dialog) {
            SetText(dialog, IDC_PROP_DELAY, c.typed);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, PropertiesDialog(nullptr, &page.record));
        EXPECT_DOUBLE_EQ(c.stored, page.text.showDelay);
    }
}

TEST(PropertiesDialog, KeepingTheValuesAsDefaultsIsAskedFirst)
{
    struct Case {
        const char* what;
        bool ticked;
        int answer;
        int keep;
    };
    const Case cases[] = {
        {"No keeps the defaults as they are", true, IDNO, 0},
        {"Yes", true, IDYES, 1},
        {"not ticked", false, IDYES, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PropertiesOnPage page;
        page.text.effectIndex = 2;
        DialogDriver driver(
            IDC_PROP_KEEP,
            [&](HWND dialog) {
                SetText(dialog, IDC_PROP_TOP, "40");
                SetText(dialog, IDC_PROP_DELAY, "3");
                SetCheck(dialog, IDC_PROP_KEEP, c.ticked);
                Click(dialog, IDOK);
            },
            [&](HWND) { return c.answer; });
        EXPECT_EQ(1, PropertiesDialog(nullptr, &page.record));
        EXPECT_EQ(c.keep, page.record.keepAsDefaults);
        EXPECT_EQ(40, page.record.values.margins.top) << "the text takes the values whatever the answer";
        EXPECT_DOUBLE_EQ(3.0, page.text.showDelay);
        EXPECT_DOUBLE_EQ(c.keep ? 3.0 : 0.0, page.record.values.effectDelay);
        ASSERT_EQ(c.ticked ? 2u : 1u, driver.Shown().size());
        if (c.ticked) {
            EXPECT_EQ("Propriété par défaut", driver.Shown()[1].caption);
            EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("a tout nouveau texte"));
        }
    }
}

TEST(PropertiesDialog, RemovingTheGlobalBranchEmptiesItsTarget)
{
    PropertiesOnPage page;
    page.branch.target = "suite.pag";
    bool removeEnabled = true;
    DialogDriver driver(IDC_PROP_KEEP, [&](HWND dialog) {
        Click(dialog, IDC_PROP_REMOVE_BRANCH);
        removeEnabled = IsEnabled(dialog, IDC_PROP_REMOVE_BRANCH);
        SetCheck(dialog, IDC_PROP_SHOW_RULER, true);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, PropertiesDialog(nullptr, &page.record));
    EXPECT_FALSE(removeEnabled);
    EXPECT_EQ("", std::string(page.record.target));
    EXPECT_EQ("", std::string(page.branch.target));
    EXPECT_EQ(1, page.record.values.showTabRuler);
}

namespace {

// The colours drawn by a sample of a black face, counted by value.
std::map<COLORREF, int> SampleColours(COLORREF fill, COLORREF textBackground)
{
    constexpr int Width = 160, Height = 40;
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    LOGFONTA font{};
    font.lfHeight = -20;
    lstrcpynA(font.lfFaceName, "DejaVu Sans", LF_FACESIZE);
    FACESAMPLE sample;
    sample.fill = fill;
    sample.font = &font;
    sample.textColour = 0;
    sample.textBackground = textBackground;
    sample.preview = RECT{0, 0, Width, Height};
    const RECT client{0, 0, Width, Height};
    DrawFaceSample(dc, client, sample);
    GdiFlush();
    std::map<COLORREF, int> colours;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < Width * Height; ++i)
        ++colours[RGB(GetBValue(pixels[i]), GetGValue(pixels[i]), GetRValue(pixels[i]))];
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colours;
}

}  // namespace

TEST(PropertiesDialog, TheFontSampleIsDrawnOnTheFirstOpaqueBackground)
{
    constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), NoBackground = 0xFFFFFE;
    struct Case {
        const char* what;
        COLORREF fill;
        COLORREF textBackground;
        COLORREF behindText;
        COLORREF absent;
    };
    const Case cases[] = {
        {"text background opaque", 0xFF000000 | Blue, 0xFF000000 | Red, Red, NoBackground},
        {"document background opaque", 0xFF000000 | Blue, Red, Blue, Red},
        {"both transparent", Blue, Red, NoBackground, Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::map<COLORREF, int> colours = SampleColours(c.fill, c.textBackground);
        EXPECT_LT(100, colours[c.behindText]);
        EXPECT_EQ(0, colours[c.absent]);
        EXPECT_LT(20, colours[RGB(0, 0, 0)]) << "the face name";
    }
}
