// Temporary names of text files, moving them into place, the export formats and the filters
// of the file choosers.
#include "text_files_fixture.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "qxpath.h"
#include "text_files.h"
#include "text_files_res.h"

namespace {

bool IsTempName(const std::string& name)
{
    if (name.size() != 12 || name.compare(0, 4, "~tqx") != 0 || name.compare(8, 4, ".tqx") != 0)
        return false;
    for (size_t i = 4; i < 8; ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// The NUL-separated pairs of a filter string.
std::vector<std::string> FilterParts(const char* filter)
{
    std::vector<std::string> parts;
    for (const char* p = filter; *p; p += std::strlen(p) + 1)
        parts.emplace_back(p);
    return parts;
}

std::vector<std::string> FilterString(UINT id)
{
    // The string's own length tells where it ends: it holds NULs.
    char text[300];
    std::memset(text, 0, sizeof text);
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text - 1);
    EXPECT_GT(length, 0) << id;
    return FilterParts(text);
}

}  // namespace

using TextTempName = TextFilesTest;

TEST_F(TextTempName, IsMadeInTheFolderOfThePathAndCreated)
{
    QXSTRING first((dir_ / "page.pag").c_str());
    ASSERT_EQ(1, MakeTextTempName(nullptr, &first));
    QXSTRING second((dir_ / "page.pag").c_str());
    ASSERT_EQ(1, MakeTextTempName(nullptr, &second));
    FNSPLIT a(first);
    FNSPLIT b(second);
    EXPECT_EQ(dir_.Path(), std::string(a.drive) + std::string(a.dir));
    EXPECT_TRUE(IsTempName(std::string(a.name) + std::string(a.ext))) << static_cast<const char*>(first);
    EXPECT_TRUE(IsTempName(std::string(b.name) + std::string(b.ext))) << static_cast<const char*>(second);
    EXPECT_NE(std::string(first), std::string(second));
    EXPECT_TRUE(DoFileExist(first));
    EXPECT_TRUE(DoFileExist(second));
}

TEST_F(TextTempName, LeavesThePathWhenNoNameCanBeMade)
{
    // A file where the folder should be.
    dir_.Write("file", "");
    const std::string absent = dir_ / "file\\page.pag";
    QXSTRING path(absent.c_str());
    EXPECT_EQ(0, MakeTextTempName(nullptr, &path));
    EXPECT_EQ(absent, std::string(path));
}

using TextMove = TextFilesTest;

TEST_F(TextMove, MovesAFile)
{
    dir_.Write("a.tqx", "texte");
    EXPECT_EQ(1, MoveTextFile((dir_ / "a.tqx").c_str(), (dir_ / "b.tqx").c_str()));
    EXPECT_FALSE(DoFileExist((dir_ / "a.tqx").c_str()));
    EXPECT_EQ("texte", dir_.Read("b.tqx"));
}

TEST_F(TextMove, AFailedMoveLeavesBothFiles)
{
    dir_.Write("a.tqx", "nouveau");
    dir_.Write("b.tqx", "ancien");
    const std::string a = dir_ / "a.tqx";
    const std::string b = dir_ / "b.tqx";
    const std::string absent = dir_ / "absent\\b.tqx";
    const std::string c = dir_ / "c.tqx";
    const std::string d = dir_ / "d.tqx";
    struct Case {
        const char* what;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"onto an existing file", a.c_str(), b.c_str()},
        {"into a missing folder", a.c_str(), absent.c_str()},
        {"from a missing file", c.c_str(), d.c_str()},
        {"no source", nullptr, b.c_str()},
        {"empty source", "", b.c_str()},
        {"no target", a.c_str(), nullptr},
        {"empty target", a.c_str(), ""},
    };
    for (const Case& move : cases)
        EXPECT_EQ(0, MoveTextFile(move.from, move.to)) << move.what;
    EXPECT_EQ("nouveau", dir_.Read("a.tqx"));
    EXPECT_EQ("ancien", dir_.Read("b.tqx"));
    EXPECT_FALSE(DoFileExist(d.c_str()));
}

TEST(TextExportFormats, FilterIndexesGiveTheirExtensions)
{
    struct Case {
        int index;
        const char* extension;
        TEXTEXPORTWRITER writer;
    };
    const Case cases[] = {
        {1, ".htm", TEXTEXPORTWRITER::Html},      {2, ".rtf", TEXTEXPORTWRITER::Rtf},
        {3, ".txt", TEXTEXPORTWRITER::PlainText}, {4, ".tqx", TEXTEXPORTWRITER::Tqx},
        {0, ".rtf", TEXTEXPORTWRITER::Rtf},       {5, ".rtf", TEXTEXPORTWRITER::Rtf},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.extension, TextExportFormat(c.index).extension) << c.index;
        EXPECT_EQ(c.writer, TextExportFormat(c.index).writer) << c.index;
    }
}

TEST(TextExportFormats, TheSaveFilterListsTheFormatsInOrder)
{
    EXPECT_EQ((std::vector<std::string>{"HTML(*.HTM)", "*.HTM", "RTF(*.RTF)", "*.RTF", "TXT(*.TXT)", "*.TXT",
                                        "TQX(*.TQX)", "*.TQX"}),
              FilterParts(kTextExportFilter));
    // Each pattern names the files of its default extension.
    for (const TEXTEXPORTFORMAT& format : kTextExportFormats)
        EXPECT_EQ(0, lstrcmpiA(format.pattern + 1, format.extension)) << format.pattern;
}

TEST(TextExportFormats, ANameWithoutExtensionGetsTheFiltersOne)
{
    struct Case {
        const char* name;
        int index;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\textes\\lettre", 2, "C:\\textes\\lettre.rtf"},
        {"C:\\textes\\lettre", 1, "C:\\textes\\lettre.htm"},
        {"C:\\textes\\lettre", 3, "C:\\textes\\lettre.txt"},
        {"C:\\textes\\lettre", 4, "C:\\textes\\lettre.tqx"},
        {"C:\\textes\\lettre", 9, "C:\\textes\\lettre.rtf"},
        {"C:\\textes\\lettre.doc", 3, "C:\\textes\\lettre.doc"},
        {"C:\\tex.tes\\lettre", 3, "C:\\tex.tes\\lettre.txt"},
    };
    for (const Case& c : cases) {
        char name[MAX_PATH];
        std::strcpy(name, c.name);
        EXPECT_EQ(1, AddExportExtension(name, sizeof name, c.index)) << c.name;
        EXPECT_STREQ(c.expected, name);
    }
    char tight[9] = "C:\\lettr";
    EXPECT_EQ(0, AddExportExtension(tight, sizeof tight, 2));
    EXPECT_STREQ("C:\\lettr", tight);
}

TEST(TextChooserFilters, AreThePairsOfTheStringTable)
{
    EXPECT_EQ((std::vector<std::string>{"HTML (*.HTM,*.HTML)", "*.HTML;*.HTM", "RTF(*.RTF)", "*.RTF", "TXT(*.TXT)",
                                        "*.TXT", "TQX(*.TQX)", "*.TQX", "Tous les fichiers(*.*)", "*.*"}),
              FilterString(IDS_TEXTFILE_IMPORT_FILTER));
    EXPECT_EQ((std::vector<std::string>{"RTF(*.RTF)", "*.RTF", "TXT(*.TXT)", "*.TXT", "TQX(*.TQX)", "*.TQX",
                                        "Tous les fichiers(*.*)", "*.*"}),
              FilterString(IDS_TEXTFILE_DISPLAY_FILTER));
}
