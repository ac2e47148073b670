// The publication settings file in both forms: keys, absent keys and the names dropped after
// reading.
#include "pubsettings.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

PUBSETTINGS ReadIni(const ScratchDir& dir, const std::string& text)
{
    dir.Write("pub.xsc", text);
    PUBSETTINGS s;
    SetPubDefaults(s);
    ReadIniForm((dir / "pub.xsc").c_str(), s, 1024, 768);
    return s;
}

}  // namespace

TEST(PubSettings, DefaultsBeforeReading)
{
    PUBSETTINGS s;
    s.caption = false;
    s.w = 1;
    SetPubDefaults(s);
    EXPECT_TRUE(s.caption);
    EXPECT_EQ(800, s.w);
    EXPECT_EQ(600, s.h);
    EXPECT_EQ(1, s.frame);
    EXPECT_EQ(2, s.gradient);
    EXPECT_EQ(7, s.logoPos);
    EXPECT_EQ(12632256u, s.logoColor);
    EXPECT_EQ(40, s.logoFont.lfHeight);
    EXPECT_EQ(0x22, s.logoFont.lfPitchAndFamily);
    EXPECT_STREQ("Arial", s.logoFont.lfFaceName);
}

TEST(PubSettings, IniFormReadsEveryKey)
{
    ScratchDir dir;
    PUBSETTINGS s = ReadIni(dir,
                            "[General]\r\nVersion=4.0.0.5\r\nFirstNode=.\\accueil.pag\r\nTimer=60\r\n"
                            "[Libraries]\r\nData=scn.dll\r\nOther1=a.wav\r\nOther2=b.bmp\r\nOther4=d.bmp\r\n"
                            "[Viewer]\r\nCenter=0\r\nFullScreen=1\r\nTopMost=1\r\nX=10\r\nY=20\r\nW=640\r\nH=480\r\n"
                            "Caption=1\r\nFrame=2\r\nTitle=Démo\r\nBookMarkGo=1\r\nBookMarkFile=signets.qxb\r\n"
                            "[Background]\r\nBackgroundType=2\r\nStartColor=255\r\nEndColor=16711680\r\n"
                            "Gradient=5\r\nImageFile1024=big.bmp\r\nShowLogo=1\r\nLogoPos=3\r\nLogoStr=Logo\r\n"
                            "LogoColor=65280\r\nLogoFontHeight=20\r\nLogoFontWeight=700\r\nLogoFontFaceName=Tahoma\r\n");
    EXPECT_EQ(".\\accueil.pag", s.firstPage);
    EXPECT_EQ(60, s.idleTime);
    EXPECT_EQ("scn.dll", s.dataModuleName);
    ASSERT_EQ(2u, s.extraFiles.size());  // stops at the first empty "Other"
    EXPECT_EQ("b.bmp", s.extraFiles[1]);
    EXPECT_FALSE(s.center);
    EXPECT_TRUE(s.fullScreen);
    EXPECT_TRUE(s.topMost);
    EXPECT_EQ(10, s.x);
    EXPECT_EQ(20, s.y);
    EXPECT_EQ(640, s.w);
    EXPECT_EQ(480, s.h);
    EXPECT_TRUE(s.caption);
    EXPECT_EQ(2, s.frame);
    EXPECT_EQ("D\xE9mo", s.title);
    EXPECT_TRUE(s.bookMarkGo);
    EXPECT_EQ("signets.qxb", s.bookmarkFile);
    EXPECT_EQ(2, s.backgroundType);
    EXPECT_EQ(255u, s.startColor);
    EXPECT_EQ(16711680u, s.endColor);
    EXPECT_EQ(5, s.gradient);
    EXPECT_EQ("big.bmp", s.perWidthImages[2]);
    EXPECT_EQ(1, s.showLogo);
    EXPECT_EQ(3, s.logoPos);
    EXPECT_EQ("Logo", s.logoStr);
    EXPECT_EQ(65280u, s.logoColor);
    EXPECT_EQ(20, s.logoFont.lfHeight);
    EXPECT_EQ(700, s.logoFont.lfWeight);
    EXPECT_STREQ("Tahoma", s.logoFont.lfFaceName);
}

TEST(PubSettings, AbsentIniKeysReadAsTheIniTableSays)
{
    ScratchDir dir;
    PUBSETTINGS s = ReadIni(dir, "[General]\r\nFirstNode=a.pag\r\n");
    EXPECT_FALSE(s.caption);  // not the record default
    EXPECT_EQ(1024, s.w);     // the screen's size, not 800 x 600
    EXPECT_EQ(768, s.h);
    EXPECT_TRUE(s.center);
    EXPECT_EQ(1, s.frame);
    EXPECT_EQ(0, s.idleTime);
    EXPECT_EQ(2, s.gradient);
    EXPECT_EQ(7, s.logoPos);
    EXPECT_EQ(12632256u, s.logoColor);
    EXPECT_EQ(40, s.logoFont.lfHeight);
    EXPECT_STREQ("", s.logoFont.lfFaceName);  // read with an empty default
    EXPECT_TRUE(s.extraFiles.empty());
}

TEST(PubSettings, EmptyGeneralSectionMeansTheOlderForm)
{
    ScratchDir dir;
    dir.Write("ini.xsc", "[General]\r\nTimer=5\r\n");
    dir.Write("empty.xsc", "[General]\r\n[Viewer]\r\nW=5\r\n");
    dir.Write("old.xsc", "accueil.pag\r\n30\r\nNULL\r\n");
    EXPECT_TRUE(HasGeneralKeys((dir / "ini.xsc").c_str()));
    EXPECT_FALSE(HasGeneralKeys((dir / "empty.xsc").c_str()));
    EXPECT_FALSE(HasGeneralKeys((dir / "old.xsc").c_str()));
}

struct OldCase {
    const char* text;
    bool ok;
    const char* firstPage;
    int idle;
    const char* data;
};

class OlderForm : public ::testing::TestWithParam<OldCase> {};

TEST_P(OlderForm, ReadsThreeTrimmedLines)
{
    ScratchDir dir;
    dir.Write("old.xsc", GetParam().text);
    PUBSETTINGS s;
    SetPubDefaults(s);
    ASSERT_EQ(GetParam().ok, ReadOlderForm((dir / "old.xsc").c_str(), s)) << GetParam().text;
    if (!GetParam().ok) return;
    EXPECT_EQ(GetParam().firstPage, s.firstPage);
    EXPECT_EQ(GetParam().idle, s.idleTime);
    EXPECT_EQ(GetParam().data, s.dataModuleName);
    EXPECT_TRUE(s.caption);  // the record's defaults stay
    EXPECT_EQ(800, s.w);
}

INSTANTIATE_TEST_SUITE_P(Files, OlderForm,
                         ::testing::Values(OldCase{"  accueil.pag \r\n 30\r\nscn.dll\r\n", true, "accueil.pag", 30, "scn.dll"},
                                           OldCase{"NULL\r\n12\r\nNULL\r\n", true, "", 12, ""},
                                           OldCase{"a.pag\r\n7\r\n", true, "a.pag", 7, ""},
                                           OldCase{"a.pag\r\n", false, "", 0, ""},
                                           OldCase{"", false, "", 0, ""}));

TEST(PubSettings, UnusedBackgroundNamesAreDropped)
{
    PUBSETTINGS s;
    auto fill = [&](int type, int showLogo) {
        s.backgroundType = type;
        s.showLogo = showLogo;
        s.imageFile = "fond.bmp";
        for (std::string& name : s.perWidthImages) name = "w.bmp";
        s.logoStr = "Logo";
        DropUnusedNames(s);
    };
    fill(3, 1);
    EXPECT_EQ("fond.bmp", s.imageFile);
    EXPECT_EQ("", s.perWidthImages[0]);
    EXPECT_EQ("Logo", s.logoStr);
    fill(4, 0);
    EXPECT_EQ("", s.imageFile);
    EXPECT_EQ("w.bmp", s.perWidthImages[5]);
    EXPECT_EQ("", s.logoStr);
    fill(2, 1);
    EXPECT_EQ("", s.imageFile);
    EXPECT_EQ("", s.perWidthImages[3]);
}

TEST(PubSettings, PageDefaultsAreScreenSizedAndCentred)
{
    PUBSETTINGS s;
    s.idleTime = 9;
    s.settingsFile = "x.xsc";
    SetPageDefaults(s, 1280, 1024);
    EXPECT_EQ(0, s.idleTime);
    EXPECT_EQ("", s.settingsFile);
    EXPECT_TRUE(s.center);
    EXPECT_EQ(1280, s.w);
    EXPECT_EQ(1024, s.h);
    EXPECT_FALSE(s.caption);
    EXPECT_EQ(1, s.frame);
    EXPECT_TRUE(s.layoutPending);
}
