// The sample publication played inside the test container: its size, its first page with its
// objects, and its links, which the container lets through, stops or sends elsewhere.
#include "dialog_items.h"
#include "message_pump.h"
#include "registered_control.h"
#include "sample_files.h"
#include "test_container.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kWaitMs = 10000;

// The page on top once it has that title.
HWND PageTitled(const TestContainer& container, const std::string& title)
{
    HWND page = nullptr;
    PumpUntil(
        [&] {
            page = container.Page();
            return page && WindowText(page) == title;
        },
        kWaitMs);
    return page;
}

class SamplePublication : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopySamplePublication(pub);
        ASSERT_EQ(S_OK, container.Activate());
        ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "demo.xsc"));
    }

    // Clicks the sample's "Suivant >>" button and waits for its Link event.
    void FollowTheNextButton()
    {
        HWND page = PageTitled(container, "Accueil");
        ASSERT_TRUE(page);
        container.ClearEvents();
        Click(ObjectAt(page, SampleNextButton));
        ASSERT_TRUE(PumpUntil([&] { return !container.Events().empty(); }, kWaitMs));
        ASSERT_EQ(1u, container.Events().size());
        EXPECT_EQ(6, container.Events()[0].id);
        EXPECT_EQ((std::vector<std::string>{"suivant", "", ""}), container.Events()[0].texts);
    }

    ScratchDir pub;
    TestContainer container;
};

}  // namespace

TEST_F(SamplePublication, TheSettingsGiveTheSizeAndTheFirstPageComesUpWithItsObjects)
{
    EXPECT_EQ(pub / "demo.xsc", container.GetText(L"Filename"));
    EXPECT_EQ(640, container.GetLong(L"PubWidth"));
    EXPECT_EQ(480, container.GetLong(L"PubHeight"));
    HWND page = PageTitled(container, "Accueil");
    ASSERT_TRUE(page) << WindowText(container.Page());
    ExpectSampleHomePage(page);
}

TEST_F(SamplePublication, ALinkLeftAloneGoesToItsPage)
{
    FollowTheNextButton();
    EXPECT_TRUE(PageTitled(container, "Galerie")) << WindowText(container.Page());
}

TEST_F(SamplePublication, AVetoedLinkKeepsThePage)
{
    container.OnEvent([](DISPID, EVENTARGUMENTS& arguments) { arguments.SetFlag(4, false); });
    FollowTheNextButton();
    EXPECT_EQ("Accueil", WindowText(container.Page()));
    // The end button's link, left alone this time, shows that the vetoed one was taken no further.
    container.OnEvent(nullptr);
    Click(ObjectAt(container.Page(), SampleEndButton));
    EXPECT_TRUE(PageTitled(container, "Fin")) << WindowText(container.Page());
    EXPECT_EQ(2u, container.Events().size());
}

TEST_F(SamplePublication, ALinkRewrittenByTheContainerGoesToTheNewTarget)
{
    container.OnEvent([](DISPID, EVENTARGUMENTS& arguments) { arguments.SetText(3, ".\\fin.pag"); });
    FollowTheNextButton();
    EXPECT_TRUE(PageTitled(container, "Fin")) << WindowText(container.Page());
}
