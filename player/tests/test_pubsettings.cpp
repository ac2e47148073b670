// The publication settings file in both forms: keys, absent keys and the names dropped after
// reading.
#include "pubsettings.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

PUBSETTINGS ReadIni(const ScratchDir& dir, const std::string& text)
{
    dir.Write("pub.xsc", text);
    PUBSETTINGS s;
    SetPubDefaults(s);
    ReadIniForm((dir / "pub.xsc").c_str(), s, 1024, 768);
    return s;
}

std::string Text(int value) { return std::to_string(value); }
std::string Text(long value) { return std::to_string(value); }
std::string Text(unsigned long value) { return std::to_string(value); }
std::string Text(bool value) { return value ? "1" : "0"; }
std::string Text(BYTE value) { return std::to_string(value); }
std::string Text(const std::string& value) { return value; }

// One key of the INI form, the value written for it and the field it lands in, as text.
struct KeyField {
    const char* section;
    const char* key;
    const char* value;
    std::function<std::string(const PUBSETTINGS&)> field;
};

#define QX_FIELD(expression) [](const PUBSETTINGS& s) { return Text(expression); }

// Every key of the form but the extra files, each with a value that no absent key gives.
const KeyField kKeys[] = {
    {"General", "FirstNode", ".\\accueil.pag", QX_FIELD(s.firstPage)},
    {"General", "Timer", "60", QX_FIELD(s.idleTime)},
    {"Libraries", "Data", "scn.dll", QX_FIELD(s.dataModuleName)},
    {"Viewer", "Center", "0", QX_FIELD(s.center)},
    {"Viewer", "FullScreen", "1", QX_FIELD(s.fullScreen)},
    {"Viewer", "TopMost", "1", QX_FIELD(s.topMost)},
    {"Viewer", "X", "10", QX_FIELD(s.x)},
    {"Viewer", "Y", "20", QX_FIELD(s.y)},
    {"Viewer", "W", "640", QX_FIELD(s.w)},
    {"Viewer", "H", "480", QX_FIELD(s.h)},
    {"Viewer", "Caption", "1", QX_FIELD(s.caption)},
    {"Viewer", "Frame", "2", QX_FIELD(s.frame)},
    {"Viewer", "Title", "Démo", QX_FIELD(s.title)},
    {"Viewer", "BookMarkGo", "1", QX_FIELD(s.bookMarkGo)},
    {"Viewer", "BookMarkFile", "signets.qxb", QX_FIELD(s.bookmarkFile)},
    {"Background", "BackgroundType", "4", QX_FIELD(s.backgroundType)},
    {"Background", "ImageFile", "fond.bmp", QX_FIELD(s.imageFile)},
    {"Background", "ImagePos", "1", QX_FIELD(s.imagePos)},
    {"Background", "StartColor", "255", QX_FIELD(s.startColor)},
    {"Background", "EndColor", "16711680", QX_FIELD(s.endColor)},
    {"Background", "Gradient", "5", QX_FIELD(s.gradient)},
    {"Background", "ImageFile640", "w640.bmp", QX_FIELD(s.perWidthImages[0])},
    {"Background", "ImageFile800", "w800.bmp", QX_FIELD(s.perWidthImages[1])},
    {"Background", "ImageFile1024", "w1024.bmp", QX_FIELD(s.perWidthImages[2])},
    {"Background", "ImageFile1152", "w1152.bmp", QX_FIELD(s.perWidthImages[3])},
    {"Background", "ImageFile1280", "w1280.bmp", QX_FIELD(s.perWidthImages[4])},
    {"Background", "ImageFile1600", "w1600.bmp", QX_FIELD(s.perWidthImages[5])},
    {"Background", "ShowLogo", "1", QX_FIELD(s.showLogo)},
    {"Background", "LogoType", "1", QX_FIELD(s.logoType)},
    {"Background", "LogoPos", "3", QX_FIELD(s.logoPos)},
    {"Background", "LogoStr", "logo.bmp", QX_FIELD(s.logoStr)},
    {"Background", "LogoColor", "65280", QX_FIELD(s.logoColor)},
    {"Background", "LogoFontWidth", "11", QX_FIELD(s.logoFont.lfWidth)},
    {"Background", "LogoFontHeight", "20", QX_FIELD(s.logoFont.lfHeight)},
    {"Background", "LogoFontEscapement", "900", QX_FIELD(s.logoFont.lfEscapement)},
    {"Background", "LogoFontOrientation", "450", QX_FIELD(s.logoFont.lfOrientation)},
    {"Background", "LogoFontWeight", "700", QX_FIELD(s.logoFont.lfWeight)},
    {"Background", "LogoFontItalic", "1", QX_FIELD(s.logoFont.lfItalic)},
    {"Background", "LogoFontUnderline", "1", QX_FIELD(s.logoFont.lfUnderline)},
    {"Background", "LogoFontStrikeOut", "1", QX_FIELD(s.logoFont.lfStrikeOut)},
    {"Background", "LogoFontCharSet", "2", QX_FIELD(s.logoFont.lfCharSet)},
    {"Background", "LogoFontOutPrecision", "7", QX_FIELD(s.logoFont.lfOutPrecision)},
    {"Background", "LogoFontClipPrecision", "4", QX_FIELD(s.logoFont.lfClipPrecision)},
    {"Background", "LogoFontQuality", "5", QX_FIELD(s.logoFont.lfQuality)},
    {"Background", "LogoFontPitchAndFamily", "49", QX_FIELD(s.logoFont.lfPitchAndFamily)},
    {"Background", "LogoFontFaceName", "Tahoma", QX_FIELD(std::string(s.logoFont.lfFaceName))},
};

#undef QX_FIELD

// The INI text of every key of the table, section by section.
std::string IniTextOfEveryKey()
{
    std::string text, section;
    for (const KeyField& k : kKeys) {
        if (section != k.section) {
            section = k.section;
            text += "[" + section + "]\r\n";
        }
        text += std::string(k.key) + "=" + k.value + "\r\n";
    }
    return text;
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

TEST(PubSettings, IniFormReadsEveryKeyIntoItsField)
{
    ScratchDir dir;
    const PUBSETTINGS read = ReadIni(dir, IniTextOfEveryKey());
    // The same fields when the keys are absent: each key must change its field to count.
    const PUBSETTINGS absent = ReadIni(dir, "[General]\r\nVersion=4.0.0.5\r\n");
    EXPECT_EQ(46u, std::size(kKeys));
    for (const KeyField& k : kKeys) {
        EXPECT_EQ(k.value, k.field(read)) << k.section << "/" << k.key;
        EXPECT_NE(k.value, k.field(absent)) << k.section << "/" << k.key;
    }
}

TEST(PubSettings, ExtraFilesAreReadUpToTheFirstMissingNumber)
{
    ScratchDir dir;
    PUBSETTINGS s =
        ReadIni(dir, "[General]\r\nTimer=1\r\n[Libraries]\r\nOther1=a.wav\r\nOther2=b.bmp\r\nOther4=d.bmp\r\n");
    EXPECT_EQ((std::vector<std::string>{"a.wav", "b.bmp"}), s.extraFiles);
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
    std::string text;
    bool ok;
    std::string firstPage;
    int idle;
    std::string data;
};

// The file's start, its line ends shown.
void PrintTo(const OldCase& c, std::ostream* out)
{
    for (char ch : c.text.substr(0, 40)) *out << (ch == '\r' ? "\\r" : ch == '\n' ? "\\n" : std::string(1, ch));
}

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

// A name longer than a line buffer: the line is read whole and its rest dropped, so that the
// next lines still give the idle time and the data module.
const std::string kLongName = "C:\\" + std::string(600, 'n') + ".pag";

INSTANTIATE_TEST_SUITE_P(Files, OlderForm,
                         ::testing::Values(OldCase{"  accueil.pag \r\n 30\r\nscn.dll\r\n", true, "accueil.pag", 30, "scn.dll"},
                                           OldCase{"NULL\r\n12\r\nNULL\r\n", true, "", 12, ""},
                                           OldCase{"null\r\n13\r\nNull\r\n", true, "", 13, ""},
                                           OldCase{"Null\r\n14\r\nnULL\r\n", true, "", 14, ""},
                                           OldCase{kLongName + "\r\n45\r\nscn.dll\r\n", true, kLongName.substr(0, 499),
                                                   45, "scn.dll"},
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
