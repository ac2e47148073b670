// Links in a text on a shown page: a click shows the target page, every time; a link followed
// is drawn in the visited look once, and the look never reaches the saved page, nor changes its bytes.
#include "dialog_answerer.h"
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// A purple link at the start of the text (the visited look is purple too, so the link is blue
// first), then plain words.
const std::string LinkText = "#${FONT(660,0,0,0,400,0,0,0,0,3,2,1,34,\"Arial\")}#${FORECOLOR(0,0,255)}"
                             "#${ACTIVEAREAON(1)}LIEN#${ACTIVEAREAOFF()}#${FORECOLOR(0,0,0)} puis du texte\n";
constexpr POINT OnLink{8, 12};

struct LinkedPages {
    PageHost host;
    // The first-run defaults: the visited look purple.
    TextSettings settings{host};
    TEXTE* text = nullptr;

    LinkedPages()
    {
        host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 0, 0, 0))}));
        host.pub.Write("lien.txt", LinkText);
        text = ShownText(host, "texte", BoxBlock({host.Page("lien.txt")}, 400, 200, "255 255 255 0", DefaultMessageLines()),
                         BranchBlock({TextBranch(host.Page("b.pag"), 1, true)}));
    }
    // A click on the link; whether the page it leads to came up.
    bool Follow()
    {
        MSGL click{0, text->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(OnLink.x, OnLink.y)};
        text->WindowsMessage(&click);
        return PumpUntil([&] { return host.Shown() == "B"; }, 5000);
    }
    // Back on the page of the text, drawn; whether it is the same text.
    bool Back()
    {
        return host.Go("a.pag") == 1 && KernGetTopObjet(host)->GetChild(0) == text;
    }
    int PurplePixels() { return CountPixels(*PaintedText(text), [](uint32_t p) { return Near(p, 128, 0, 128); }); }
    int BluePixels() { return CountPixels(*PaintedText(text), [](uint32_t p) { return Near(p, 0, 0, 255); }); }
};

// Another publication with the same text settings, whose page "a.pag" holds a saved text record.
struct OtherPublication {
    DialogAnswerer answerer;  // the fonts of the first publication are not carried here
    PageHost host;
    TextSettings settings{host};

    // The text of the record shown on the page, drawn once; null when it is not shown.
    TEXTE* Show(const std::string& record)
    {
        host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 0, 0, 0))}));
        host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 255, 255, 255)),
                                          SplitLines(record)}));
        if (host.Go("a.pag") != 1)
            return nullptr;
        auto* text = static_cast<TEXTE*>(KernGetTopObjet(host)->GetChild(0));
        if (text)
            PaintedText(text);
        return text;
    }
};

// The text's own block of a saved record (the publication's font store names a file of its own).
std::string OwnBlock(const std::string& record) { return record.substr(record.find("TEXTE {")); }

TEST(TextLinks, AClickShowsTheTargetPageEveryTime)
{
    LinkedPages pages;
    ASSERT_TRUE(pages.text && pages.text->document);
    for (int click = 0; click < 2; ++click) {
        ASSERT_EQ("A", pages.host.Shown()) << click;
        EXPECT_TRUE(pages.Follow()) << click;
        ASSERT_TRUE(pages.Back()) << click;
    }
}

TEST(TextLinks, AFollowedLinkIsDrawnVisitedOnce)
{
    LinkedPages pages;
    ASSERT_TRUE(pages.text && pages.text->document);
    EXPECT_GT(pages.BluePixels(), 100);
    EXPECT_EQ(0, pages.PurplePixels());
    for (int visit = 0; visit < 2; ++visit) {
        ASSERT_TRUE(pages.Follow()) << visit;
        ASSERT_TRUE(pages.Back()) << visit;
        EXPECT_GT(pages.PurplePixels(), 100) << visit;
        EXPECT_EQ(0, pages.BluePixels()) << visit;
        // The look put on the link's one run, once however often it was followed.
        EXPECT_EQ(1, pages.text->visited.Items()) << visit;
    }
}

TEST(TextLinks, TheVisitedLookIsNeverSaved)
{
    LinkedPages pages;
    ASSERT_TRUE(pages.text);
    ASSERT_TRUE(pages.Follow());
    ASSERT_TRUE(pages.Back());
    ASSERT_GT(pages.PurplePixels(), 100);
    int saved = 0;
    const std::string record = SaveText(pages.text, &saved);
    ASSERT_EQ(1, saved);
    // The text on the page keeps its look.
    EXPECT_GT(pages.PurplePixels(), 100);
    EXPECT_EQ(1, pages.text->visited.Items());

    // The saved text, on a page of a publication where the link was never followed, is drawn
    // with its link as it was written.
    OtherPublication other;
    TEXTE* text = other.Show(record);
    ASSERT_TRUE(text && text->document);
    EXPECT_EQ(0, text->visited.Items());
    const auto picture = PaintedText(text);
    EXPECT_GT(CountPixels(*picture, [](uint32_t p) { return Near(p, 0, 0, 255); }), 100);
    EXPECT_EQ(0, CountPixels(*picture, [](uint32_t p) { return Near(p, 128, 0, 128); }));
    // Saved again there, it gives the same bytes.
    EXPECT_EQ(OwnBlock(record), OwnBlock(SaveText(text, &saved)));
    EXPECT_EQ(1, saved);
}

// A save writes the same bytes before and after the link was followed, and again after that:
// the visited look leaves neither its styles nor their order nor its marks in the stored text.
TEST(TextLinks, AVisitLeavesTheSavedBytesAsTheyWere)
{
    LinkedPages pages;
    ASSERT_TRUE(pages.text);
    // Drawn first, as a page is before it is saved: the layout fits the text's container.
    ASSERT_GT(pages.BluePixels(), 100);
    int saved = 0;
    const std::string before = SaveText(pages.text, &saved);
    ASSERT_EQ(1, saved);
    ASSERT_TRUE(pages.Follow());
    ASSERT_TRUE(pages.Back());
    ASSERT_GT(pages.PurplePixels(), 100);
    EXPECT_EQ(before, SaveText(pages.text, &saved));
    EXPECT_EQ(before, SaveText(pages.text, &saved));
    EXPECT_GT(pages.PurplePixels(), 100) << "the look stays on the page";
}

}  // namespace
