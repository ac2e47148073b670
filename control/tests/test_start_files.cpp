// The start files the control's Filename may name: publication settings in their INI and
// older forms, and pages, with the size each gives and the first page it shows.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "message_pump.h"
#include "registered_control.h"
#include "test_container.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kWaitMs = 10000;
// The size of the screen, which settings without a size give.
constexpr int kScreen = -2;

struct STARTCASE {
    const char* what;
    const char* filename;  // relative to the scratch folder
    int width, height;     // kScreen for the screen's width or height
    const char* title;     // of the page shown, "" for none
};

class StartFiles : public ::testing::TestWithParam<STARTCASE> {
protected:
    void SetUp() override
    {
        pub.Write("pages\\start.pag", PageOf("Start", 600, 400));
        pub.Write("data\\settings.xsc", "[General]\r\nVersion=4.0.0.5\r\nFirstNode=..\\pages\\start.pag\r\n"
                                        "[Viewer]\r\nW=500\r\nH=300\r\n");
        pub.Write("data\\nosize.xsc", "[General]\r\nVersion=4.0.0.5\r\nFirstNode=..\\pages\\start.pag\r\n");
        pub.Write("data\\version0.xsc", "[General]\r\nFirstNode=..\\pages\\start.pag\r\n[Viewer]\r\nW=320\r\nH=200\r\n");
        pub.Write("data\\older.xsc", pub / "pages\\start.pag" + "\r\n0\r\nNULL\r\n");
        pub.Write("pages\\NOTES.TXT", "pages\\start.pag\r\n");
        ASSERT_EQ(S_OK, container.Activate());
    }

    ScratchDir pub;
    TestContainer container;
};

}  // namespace

TEST_P(StartFiles, GiveTheSizeAndTheFirstPage)
{
    const STARTCASE& start = GetParam();
    DialogAnswerer answerer;
    ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / start.filename));
    EXPECT_EQ(start.width == kScreen ? GetSystemMetrics(SM_CXSCREEN) : start.width, container.GetLong(L"PubWidth"));
    EXPECT_EQ(start.height == kScreen ? GetSystemMetrics(SM_CYSCREEN) : start.height,
              container.GetLong(L"PubHeight"));
    if (*start.title)
        EXPECT_TRUE(PumpUntil([&] { return container.Page() && WindowText(container.Page()) == start.title; },
                              kWaitMs))
            << WindowText(container.Page());
    else
        EXPECT_FALSE(container.Page());
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown().front().text;
}

INSTANTIATE_TEST_SUITE_P(
    Control, StartFiles,
    ::testing::Values(STARTCASE{"settings naming the first page from a sibling folder", "data\\settings.xsc", 500, 300,
                                "Start"},
                      STARTCASE{"settings of a publication of version 0", "data\\version0.xsc", 320, 200, "Start"},
                      STARTCASE{"settings without a size", "data\\nosize.xsc", kScreen, kScreen, "Start"},
                      STARTCASE{"settings of the older plain form", "data\\older.xsc", -1, -1, "Start"},
                      STARTCASE{"a page named in small letters", "pages\\start.pag", 600, 400, "Start"},
                      STARTCASE{"a text file", "pages\\NOTES.TXT", 0, 0, ""}),
    [](const ::testing::TestParamInfo<STARTCASE>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            if (isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(StartFile, AMissingFirstPageIsTold)
{
    ScratchDir pub;
    pub.Write("absent.xsc", "[General]\r\nVersion=4.0.0.5\r\nFirstNode=.\\absent.pag\r\n[Viewer]\r\nW=640\r\nH=480\r\n");
    TestContainer container;
    ASSERT_EQ(S_OK, container.Activate());
    DialogAnswerer answerer;
    ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "absent.xsc"));
    ASSERT_FALSE(answerer.Shown().empty());
    EXPECT_EQ("Unable to load file", answerer.Shown().back().text);
    EXPECT_FALSE(container.Page());
}

TEST(StartFile, SettingsNamedWithSlashesFindTheirFirstPageTheSameWay)
{
    ScratchDir pub;
    pub.Write("pages\\start.pag", PageOf("Start", 600, 400));
    pub.Write("data\\settings.xsc", "[General]\r\nVersion=4.0.0.5\r\nFirstNode=..\\pages\\start.pag\r\n");
    std::string settings = pub / "data\\settings.xsc";
    for (char& c : settings)
        if (c == '\\') c = '/';
    TestContainer container;
    ASSERT_EQ(S_OK, container.Activate());
    DialogAnswerer answerer;
    ASSERT_EQ(S_OK, container.PutText(L"Filename", settings));
    EXPECT_TRUE(PumpUntil([&] { return container.Page() && WindowText(container.Page()) == "Start"; }, kWaitMs))
        << WindowText(container.Page());
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown().front().text;
}

// The settings are read where the name leads, not from the system's folder as a profile read of
// a bare name would.
TEST(StartFile, SettingsNamedWithoutAFolderAreReadFromTheCurrentOne)
{
    ScratchDir pub;
    CopySamplePublication(pub);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(pub.Path().c_str()));
    TestContainer container;
    ASSERT_EQ(S_OK, container.Activate());
    DialogAnswerer answerer;
    EXPECT_EQ(S_OK, container.PutText(L"Filename", "demo.xsc"));
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(640, container.GetLong(L"PubWidth"));
    EXPECT_EQ(480, container.GetLong(L"PubHeight"));
    EXPECT_TRUE(PumpUntil([&] { return container.Page() && WindowText(container.Page()) == "Accueil"; }, kWaitMs))
        << WindowText(container.Page());
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown().front().text;
}
