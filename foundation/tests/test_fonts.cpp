// Font services on the fonts of the test system: font handles, the family list and its
// embedding flags, the styles of a family, free font file names, saving a face as a file,
// and installing and removing a font file made for the test (Wine's own Tahoma renamed
// "Qxtest", with chosen embedding bits and weight). Wine's bitmap and TrueType fonts are added
// to the process for the tests, since the prefix itself may offer only the host's fonts.
#include "qxfonts.h"
#include "qxcolour.h"
#include "scratch_dir.h"
#include "dialog_answerer.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long FileSize(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

unsigned Be16(const std::string& b, size_t at) { return (static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]); }
unsigned Be32(const std::string& b, size_t at) { return (Be16(b, at) << 16) | Be16(b, at + 2); }
void PutBe16(std::string& b, size_t at, unsigned v)
{
    b[at] = static_cast<char>(v >> 8);
    b[at + 1] = static_cast<char>(v);
}

// Offset of a table of a TrueType file, 0 when absent.
size_t TableOffset(const std::string& font, const char* tag)
{
    const unsigned tables = Be16(font, 4);
    for (unsigned i = 0; i < tables; ++i)
        if (font.compare(12 + 16 * i, 4, tag) == 0)
            return Be32(font, 12 + 16 * i + 8);
    return 0;
}

void ReplaceAll(std::string& bytes, const std::string& from, const std::string& to)
{
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

std::string Utf16Be(const char* text)
{
    std::string out;
    for (; *text; ++text) {
        out += '\0';
        out += *text;
    }
    return out;
}

// Wine's own fonts, which the tests add to the process privately.
const std::string WineFonts = "Z:\\usr\\share\\wine\\fonts\\";

std::string ReadWholeFile(const std::string& name)
{
    std::string bytes;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// Adds one of Wine's font files to this process for as long as it lives.
struct WineFont {
    explicit WineFont(const char* file) : path(WineFonts + file)
    {
        added = AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
    }
    ~WineFont()
    {
        if (added)
            RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
    }
    std::string path;
    int added;
};

// Wine's Tahoma renamed `family` (six letters, so no offset moves), with the given embedding
// bits and weight class, written into the scratch folder.
std::string TestFont(const ScratchDir& dir, unsigned embedding, unsigned weight, const char* family = "Qxtest")
{
    std::string font = ReadWholeFile(WineFonts + "tahoma.ttf");
    EXPECT_GT(font.size(), 1000u) << "Wine's Tahoma is missing from " << WineFonts;
    ReplaceAll(font, Utf16Be("Tahoma"), Utf16Be(family));
    ReplaceAll(font, "Tahoma", family);
    const size_t os2 = font.size() > 12 ? TableOffset(font, "OS/2") : 0;
    EXPECT_NE(0u, os2);
    if (os2) {
        PutBe16(font, os2 + 4, weight);
        PutBe16(font, os2 + 8, embedding);
    }
    // Systems read boldness from the style bits as well as from the weight class.
    const size_t head = font.size() > 12 ? TableOffset(font, "head") : 0;
    if (os2 && head && weight >= 600) {
        PutBe16(font, os2 + 62, (Be16(font, os2 + 62) | 0x20) & ~0x40u);
        PutBe16(font, head + 44, Be16(font, head + 44) | 1);
    }
    const std::string name = std::string(family) + ".ttf";
    dir.Write(name, font);
    return dir / name;
}

// Families the screen enumerates, by name, with whether one of them is TrueType.
int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM out)
{
    auto& kinds = *reinterpret_cast<std::multimap<std::string, bool>*>(out);
    kinds.emplace(font->lfFaceName, (type & TRUETYPE_FONTTYPE) != 0);
    return 1;
}

std::multimap<std::string, bool> ScreenFamilies()
{
    std::multimap<std::string, bool> kinds;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, nullptr, CollectFamily, reinterpret_cast<LPARAM>(&kinds));
    ReleaseDC(nullptr, screen);
    return kinds;
}


struct InstalledFont {
    explicit InstalledFont(const std::string& file, int visible = 1) : name(file)
    {
        char buffer[QX_NAME_BUFFER];
        lstrcpynA(buffer, file.c_str(), sizeof buffer);
        result = InstallFont(buffer, sizeof buffer, visible);
        name = buffer;
    }
    ~InstalledFont()
    {
        if (result == 1 && Exists(name))
            RemoveFont(name.c_str());
    }
    std::string name;
    int result;
};

}  // namespace

TEST(Fonts, CreatesFontsAtNinetySixDpi)
{
    struct Case {
        int points;
        LONG height;
    };
    const Case cases[] = {{12, -16}, {9, -12}, {10, -13}, {72, -96}, {0, 0}};
    for (const Case& c : cases) {
        HFONT font = QXCreateHFont("Tahoma", c.points);
        ASSERT_NE(nullptr, font);
        LOGFONTA description = {};
        GetObjectA(font, sizeof description, &description);
        EXPECT_EQ(c.height, description.lfHeight) << c.points << " points";
        EXPECT_STREQ("Tahoma", description.lfFaceName);
        EXPECT_EQ(ANSI_CHARSET, description.lfCharSet);
        EXPECT_EQ(VARIABLE_PITCH | FF_SWISS, description.lfPitchAndFamily);
        EXPECT_EQ(OUT_STROKE_PRECIS, description.lfOutPrecision);
        QXDeleteHFont(font);
    }
}

TEST(Fonts, TrueTypeAndBitmapFacesHaveTheirFlags)
{
    WineFont tahoma("tahoma.ttf"), courier("coure.fon");
    ASSERT_TRUE(tahoma.added && courier.added) << "Wine's fonts are missing from " << WineFonts;
    const int flag = GetFontEmbedingFlag("Tahoma");
    EXPECT_GE(flag, 0);
    EXPECT_LE(flag, 15);
    EXPECT_NE(0, GetFontType("Tahoma") & TMPF_TRUETYPE);

    // A bitmap font: not TrueType, so it can neither travel freely nor be embedded.
    EXPECT_EQ(-1, GetFontEmbedingFlag("Courier"));
    EXPECT_TRUE(IsFontReadOnly("Courier"));
    EXPECT_TRUE(IsFontTempOnly("Courier"));
    EXPECT_NE(0, GetFontType("Courier"));
    EXPECT_EQ(0, GetFontType("Courier") & TMPF_TRUETYPE);

    EXPECT_TRUE(IsFontInstall("Tahoma"));
    EXPECT_TRUE(IsFontInstall("Courier"));
    EXPECT_FALSE(IsFontInstall("No Such Family Qx"));
    EXPECT_FALSE(IsFontInstall(""));
}

TEST(Fonts, FamilyListIsSortedWithOneEntryAName)
{
    // Families come once for each character set they cover; the list keeps one entry a name.
    WineFont tahoma("tahoma.ttf"), courier("coure.fon");
    ASSERT_TRUE(tahoma.added && courier.added);
    ASSERT_GT(ScreenFamilies().count("Tahoma"), 1u);
    QXFLIST list;
    EXPECT_EQ(0, list.BuildFontList());
    ASSERT_GT(list.families.Items(), 1);
    std::map<std::string, int> listed;
    for (long i = 0; i < list.families.Items(); ++i) {
        QXFONT* font = static_cast<QXFONT*>(list.families.GetItem(i));
        if (i > 0) {
            QXFONT* previous = static_cast<QXFONT*>(list.families.GetItem(i - 1));
            ASSERT_LT(std::strcmp(previous->faceName, font->faceName), 0) << previous->faceName << " / " << font->faceName;
        }
        listed[font->faceName] = font->embedding;
    }
    ASSERT_EQ(1u, listed.count("Tahoma"));
    EXPECT_EQ(GetFontEmbedingFlag("Tahoma"), listed["Tahoma"]);
    ASSERT_EQ(1u, listed.count("Courier"));
    EXPECT_EQ(-1, listed["Courier"]);
    list.DestroyFontList();
    EXPECT_EQ(0, list.families.Items());
}

TEST(Fonts, NextFreeFontNames)
{
    struct Case {
        std::vector<const char*> present;
        const char* ttf;
        const char* fot;
    };
    const Case cases[] = {
        {{}, "FONT0000.ttf", "FONT0000.fot"},
        {{"FONT0000.ttf"}, "FONT0001.ttf", "FONT0001.fot"},
        {{"FONT0000.fot"}, "FONT0001.ttf", "FONT0001.fot"},
        {{"FONT0000.ttf", "FONT0001.fot"}, "FONT0002.ttf", "FONT0002.fot"},
        {{"FONT0001.ttf"}, "FONT0000.ttf", "FONT0000.fot"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        for (const char* name : c.present)
            dir.Write(name, "x");
        char ttf[QX_NAME_BUFFER] = "", fot[QX_NAME_BUFFER] = "";
        EXPECT_EQ(1, GetNewFontFileName(dir.Path().c_str(), ttf, sizeof ttf, fot, sizeof fot));
        EXPECT_EQ(dir / c.ttf, ttf);
        EXPECT_EQ(dir / c.fot, fot);
        QXSTRING ttfText, fotText;
        EXPECT_EQ(1, GetNewFontFileNameStr(dir.Path().c_str(), &ttfText, &fotText));
        EXPECT_EQ(dir / c.ttf, static_cast<const char*>(ttfText));
        EXPECT_EQ(dir / c.fot, static_cast<const char*>(fotText));
    }
    char buffer[QX_NAME_BUFFER];
    EXPECT_EQ(0, GetNewFontFileName("C:\\", nullptr, 10, buffer, sizeof buffer));
    EXPECT_EQ(0, GetNewFontFileName("C:\\", buffer, sizeof buffer, nullptr, 10));
}

TEST(Fonts, SavesTheFontFileOfAFace)
{
    ScratchDir dir;
    WineFont tahoma("tahoma.ttf");
    ASSERT_TRUE(tahoma.added);
    EXPECT_EQ(1, SaveFontAsFile((dir / "saved.ttf").c_str(), "Tahoma"));
    const std::string bytes = dir.Read("saved.ttf");
    ASSERT_GT(bytes.size(), 4096u * 2);  // more than one chunk
    EXPECT_TRUE(bytes == ReadWholeFile(tahoma.path)) << "saved " << bytes.size() << " bytes";
    EXPECT_EQ(0, SaveFontAsFile((dir / "no such folder\\saved.ttf").c_str(), "Tahoma"));
}

TEST(Fonts, InstallsAndRemovesAFontFile)
{
    struct Case {
        unsigned embedding;
        bool readOnly, tempOnly;
    };
    // Wine reports no embedding bits whatever the font file holds, so only an installable
    // font can be made here.
    const Case cases[] = {{0x0, false, false}};
    for (const Case& c : cases) {
        ScratchDir dir;
        const std::string file = TestFont(dir, c.embedding, 400);
        std::string fot, ttf;
        {
            InstalledFont installed(file);
            ASSERT_EQ(1, installed.result) << "embedding " << c.embedding;
            fot = installed.name;
            char windows[MAX_PATH];
            GetWindowsDirectoryA(windows, sizeof windows);
            const std::string folder = std::string(windows) + "\\SYSTEM\\FONT";
            ASSERT_EQ(0, _strnicmp(fot.c_str(), folder.c_str(), folder.size())) << fot;
            ASSERT_EQ(".fot", fot.substr(fot.size() - 4));
            ttf = fot.substr(0, fot.size() - 4) + ".ttf";
            EXPECT_TRUE(Exists(fot));
            EXPECT_EQ(FileSize(file), FileSize(ttf));  // the font file copied whole
            EXPECT_TRUE(IsFontInstall("Qxtest"));
            EXPECT_EQ(static_cast<int>(c.embedding), GetFontEmbedingFlag("Qxtest"));
            EXPECT_EQ(c.readOnly, IsFontReadOnly("Qxtest") != 0) << c.embedding;
            EXPECT_EQ(c.tempOnly, IsFontTempOnly("Qxtest") != 0) << c.embedding;
            EXPECT_EQ(1, RemoveFont(fot.c_str()));
        }
        EXPECT_FALSE(Exists(fot));
        EXPECT_FALSE(Exists(ttf));
        EXPECT_FALSE(IsFontInstall("Qxtest"));
    }
}

TEST(Fonts, FailedInstallLeavesNoFile)
{
    char name[QX_NAME_BUFFER] = "C:\\no such folder\\missing.ttf";
    char ttf[QX_NAME_BUFFER], fot[QX_NAME_BUFFER], windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string folder = std::string(windows) + "\\SYSTEM\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_EQ(1, GetNewFontFileName(folder.c_str(), ttf, sizeof ttf, fot, sizeof fot));
    EXPECT_EQ(0, InstallFont(name, sizeof name, 1));
    EXPECT_STREQ("C:\\no such folder\\missing.ttf", name);
    EXPECT_FALSE(Exists(ttf));
    EXPECT_FALSE(Exists(fot));
    EXPECT_EQ(0, RemoveFont((folder + "FONT9999.fot").c_str()));
}

TEST(Fonts, StylesOfASingleStyleFamilyAreCompleted)
{
    struct Case {
        unsigned weight;
        int count;
        int weights[4];
        char italic[4];
    };
    const Case cases[] = {
        {400, 4, {400, 400, 700, 700}, {0, 1, 0, 1}},
        {700, 2, {700, 700}, {0, 1}},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        InstalledFont installed(TestFont(dir, 0, c.weight));
        ASSERT_EQ(1, installed.result);
        QXFLIST list;
        std::strcpy(list.styleNames[QXFLIST::Regular], "Normal");
        std::strcpy(list.styleNames[QXFLIST::Italic], "Italique");
        std::strcpy(list.styleNames[QXFLIST::Bold], "Gras");
        std::strcpy(list.styleNames[QXFLIST::BoldItalic], "Gras italique");
        EXPECT_EQ(0, list.GetFontStyles("Qxtest"));
        ASSERT_EQ(c.count, list.styleCount) << "weight " << c.weight << ": first " << list.styles[0].weight;
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(c.weights[i], list.styles[i].weight) << "weight " << c.weight << " entry " << i;
            EXPECT_EQ(c.italic[i], list.styles[i].italic) << "weight " << c.weight << " entry " << i;
        }
        EXPECT_STREQ("Gras italique", list.styles[c.count - 1].name);
    }
    WineFont regular("tahoma.ttf"), bold("tahomabd.ttf");
    ASSERT_TRUE(regular.added && bold.added);
    QXFLIST tahoma;
    tahoma.GetFontStyles("Tahoma");  // two styles of its own: nothing added
    ASSERT_EQ(2, tahoma.styleCount);
    EXPECT_EQ(400 + 700, tahoma.styles[0].weight + tahoma.styles[1].weight);
}

TEST(Fonts, HiddenInstallStillInstallsAndRemoves)
{
    ScratchDir dir;
    std::string fot;
    {
        InstalledFont installed(TestFont(dir, 0, 400), 0);
        ASSERT_EQ(1, installed.result);
        fot = installed.name;
        EXPECT_TRUE(Exists(fot));
        EXPECT_EQ(1, RemoveFont(fot.c_str()));
    }
    EXPECT_FALSE(Exists(fot));
}

namespace {

constexpr UINT SwitchFace = WM_APP + 6;  // the test's cue to the caller's hook: pick another face

// What the caller's own hook saw of the font dialog.
struct ChooserSeen {
    const char* switchTo = nullptr;  // a face the user picks before OK, if any
    LPARAM dataAtInit = 0;
    bool sawOk = false;
    std::string description;
    std::string lastColourText;
    COLORREF lastColour = 0;
    bool lastColourSelected = false;
    int colourCount = 0;
};

UINT_PTR CALLBACK CallerHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static ChooserSeen* seen = nullptr;
    if (message == WM_INITDIALOG) {
        const CHOOSEFONTA* choice = reinterpret_cast<const CHOOSEFONTA*>(lParam);
        seen = reinterpret_cast<ChooserSeen*>(choice->lCustData);
        seen->dataAtInit = choice->lCustData;
    } else if (message == SwitchFace && seen) {
        HWND faces = GetDlgItem(dialog, cmb1);
        SendMessageA(faces, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(seen->switchTo));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 1;
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK && seen) {
        seen->sawOk = true;
        char text[256] = "";
        GetDlgItemTextA(dialog, stc6, text, sizeof text);
        seen->description = text;
        HWND box = GetDlgItem(dialog, cmb4);
        seen->colourCount = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        const LRESULT last = seen->colourCount - 1;
        SendMessageA(box, CB_GETLBTEXT, last, reinterpret_cast<LPARAM>(text));
        seen->lastColourText = text;
        seen->lastColour = static_cast<COLORREF>(SendMessageA(box, CB_GETITEMDATA, last, 0));
        seen->lastColourSelected = SendMessageA(box, CB_GETCURSEL, 0, 0) == last;
    }
    return 0;
}

}  // namespace

TEST(FontChooser, ExplainsEmbeddingAndOffersAnyColour)
{
    struct Case {
        const char* face;
        const char* switchTo;
        COLORREF colour;
        bool otherTakesColour;
        const char* description;
    };
    const char* freely = "Cette police peut être distribuée librement";
    const char* notTrueType = "Cette police n'est pas True Type et ne peut être intégrée au document.";
    const Case cases[] = {
        {"Tahoma", nullptr, RGB(1, 2, 3), true, freely},
        {"Tahoma", nullptr, RGB(255, 0, 0), false, freely},
        {"Courier", nullptr, RGB(1, 2, 3), true, notTrueType},
        {"Tahoma", "Courier", RGB(1, 2, 3), true, notTrueType},
        {"Courier", "Tahoma", RGB(1, 2, 3), true, freely},
    };
    WineFont tahoma("tahoma.ttf"), courier("coure.fon");
    ASSERT_TRUE(tahoma.added && courier.added);
    for (const Case& c : cases) {
        LOGFONTA font = {};
        font.lfHeight = -16;
        lstrcpynA(font.lfFaceName, c.face, LF_FACESIZE);
        ChooserSeen seen;
        seen.switchTo = c.switchTo;
        CHOOSEFONTA choice = {};
        choice.lStructSize = sizeof choice;
        choice.lpLogFont = &font;
        choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_ENABLETEMPLATE;
        choice.hInstance = GetModuleHandleA(nullptr);
        choice.lpTemplateName = "QXTESTFONTDIALOG";
        choice.rgbColors = c.colour;
        choice.lpfnHook = CallerHook;
        choice.lCustData = reinterpret_cast<LPARAM>(&seen);
        DialogAnswerer answerer([&](HWND dialog) {
            if (!c.switchTo)
                return IDOK;
            PostMessageA(dialog, SwitchFace, 0, 0);
            return 0;  // a command nobody handles: the hook ends the dialog
        });
        EXPECT_TRUE(QXChooseFont(&choice)) << c.face;
        EXPECT_EQ(reinterpret_cast<LPARAM>(&seen), seen.dataAtInit) << "the caller's hook sees its own data";
        EXPECT_EQ(reinterpret_cast<LPARAM>(&seen), choice.lCustData);
        EXPECT_EQ(CallerHook, choice.lpfnHook);
        EXPECT_NE(0u, choice.Flags & CF_ENABLEHOOK);
        ASSERT_TRUE(seen.sawOk) << c.face;
        EXPECT_EQ("Autre...", seen.lastColourText) << c.face;
        EXPECT_EQ(c.otherTakesColour, seen.lastColourSelected) << c.face;
        if (c.otherTakesColour) {
            EXPECT_EQ(c.colour, seen.lastColour);
            EXPECT_EQ(c.colour, choice.rgbColors);
        }
        EXPECT_EQ(c.description, seen.description) << c.face;
        EXPECT_STREQ(c.switchTo ? c.switchTo : c.face, font.lfFaceName);
        if (!c.switchTo) {
            EXPECT_EQ(-16, font.lfHeight) << c.face;  // a bitmap face picked instead has sizes of its own
        }
    }
}

namespace {

constexpr UINT PickOther = WM_APP + 5;  // the test's cue to the caller's hook: choose "Autre..."

UINT_PTR CALLBACK PickingHook(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == PickOther) {
        HWND box = GetDlgItem(dialog, cmb4);
        const LRESULT last = SendMessageA(box, CB_GETCOUNT, 0, 0) - 1;
        SendMessageA(box, CB_SETCURSEL, last, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_CLOSEUP), reinterpret_cast<LPARAM>(box));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 1;
    }
    return 0;
}

}  // namespace

TEST(FontChooser, OtherColourOpensTheColourDialogOnTheSharedCustomColours)
{
    WineFont tahoma("tahoma.ttf");
    ASSERT_TRUE(tahoma.added);
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = RGB(i, i, i);
    QXBASE_SetCustomColor(custom);

    LOGFONTA font = {};
    font.lfHeight = -16;
    lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
    CHOOSEFONTA choice = {};
    choice.lStructSize = sizeof choice;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    choice.rgbColors = RGB(1, 2, 3);
    choice.lpfnHook = PickingHook;
    int colourDialogs = 0;
    std::set<HWND> answered;  // a dialog is activated again whenever it regains the focus
    DialogAnswerer answerer([&](HWND dialog) {
        if (!answered.insert(dialog).second)
            return 0;  // a command nobody handles
        if (GetDlgItem(dialog, 706) && GetDlgItem(dialog, 712)) {  // the colour dialog
            ++colourDialogs;
            SetDlgItemInt(dialog, 706, 200, FALSE);                      // red
            SendDlgItemMessageA(dialog, 712, BM_CLICK, 0, 0);             // add to the custom colours
            return IDOK;
        }
        PostMessageA(dialog, PickOther, 0, 0);
        return 0;  // a command nobody handles: the hook ends the dialog
    });
    EXPECT_TRUE(QXChooseFont(&choice));
    EXPECT_EQ(1, colourDialogs);
    EXPECT_EQ(RGB(200, 2, 3), choice.rgbColors);
    COLORREF after[16];
    QXBASE_GetCustomColor(after);
    int changed = 0;
    for (int i = 0; i < 16; ++i)
        if (after[i] != custom[i]) {
            ++changed;
            EXPECT_EQ(RGB(200, 2, 3), after[i]) << i;
        }
    EXPECT_EQ(1, changed);
    const COLORREF zero[16] = {};
    QXBASE_SetCustomColor(zero);
}
