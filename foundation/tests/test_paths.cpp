// Paths and file names: classification, splitting and joining, relative and absolute names,
// names completed with the current directory, checks, FTP-safe names, names shortened for
// display, temporary names and drives, on real files of a scratch folder.
#include "qxpath.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

std::string Show(const char* text) { return text ? "\"" + std::string(text) + "\"" : "(null)"; }

std::string Str(const QXSTRING& text) { return static_cast<const char*>(text); }

// A buffer of QX_NAME_BUFFER bytes filled with a marker, so that a missing terminator or a
// write that should not have happened shows.
struct NameBuffer {
    NameBuffer() { std::memset(bytes, 'X', sizeof bytes); }
    operator char*() { return bytes; }
    std::string Text() const { return std::string(bytes, strnlen(bytes, sizeof bytes)); }
    char bytes[QX_NAME_BUFFER];
};

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

// ---- Classification ----

TEST(PathLocation, ClassifiesAndCutsAddresses)
{
    struct Case {
        const char* name;
        int kind;
        const char* host;
        const char* path;
    } cases[] = {
        {nullptr, QX_LOCATION_NONE, "", ""},
        {"HTTP://host/dir/a.htm", QX_LOCATION_HTTP, "host", "dir/a.htm"},
        {"http://host/", QX_LOCATION_HTTP, "host", ""},
        {"ftp://server", QX_LOCATION_FTP, "server", ""},
        {"Ftp://server/pub/a.jpg", QX_LOCATION_FTP, "server", "pub/a.jpg"},
        {R"(\\server\share\a.pag)", QX_LOCATION_UNC, "", ""},
        {R"(C:\pub\a.pag)", QX_LOCATION_LOCAL, "", ""},
        {"http:/host/a.htm", QX_LOCATION_LOCAL, "", ""},
        {"", QX_LOCATION_LOCAL, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.name));
        QXSTRING host("old"), path("old");
        EXPECT_EQ(c.kind, GetFileLocationStr(c.name, &host, &path));
        EXPECT_EQ(c.host, Str(host));
        EXPECT_EQ(c.path, Str(path));

        NameBuffer hostBuffer, pathBuffer;
        EXPECT_EQ(c.kind, GetFileLocation(c.name, hostBuffer, QX_NAME_BUFFER, pathBuffer, QX_NAME_BUFFER));
        EXPECT_EQ(c.host, hostBuffer.Text());
        EXPECT_EQ(c.path, pathBuffer.Text());
        EXPECT_EQ(c.kind, GetFileLocation(c.name, nullptr, 0, nullptr, 0));
    }
}

TEST(PathLocation, CutPartsAreAlwaysTerminated)
{
    NameBuffer host, path;
    EXPECT_EQ(QX_LOCATION_HTTP, GetFileLocation("http://longhostname/dir/page.htm", host, 5, path, 4));
    EXPECT_EQ("long", host.Text());
    EXPECT_EQ("dir", path.Text());
    EXPECT_EQ('X', host.bytes[5]) << "wrote past the given size";
}

// ---- Splitting and joining ----

TEST(PathSplit, SplitsIntoDriveDirectoryNameAndExtension)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
        int flags;
    } cases[] = {
        {R"(C:\pub\a.b.pag)", "C:", R"(\pub\)", "a.b", ".pag", 30},
        {R"(pages\*.pag)", "", R"(pages\)", "*", ".pag", 15},
        {R"(\\server\share\dir\file.txt)", R"(\\server\share)", R"(\dir\)", "file", ".txt", 30},
        {R"(\\server\share\file.txt)", R"(\\server\share)", R"(\)", "file", ".txt", 30},
        {R"(C:\pub\)", "C:", R"(\pub\)", "", "", 24},
        {"C:a.pag", "C:", "", "a", ".pag", 22},
        {"a.pag", "", "", "a", ".pag", 6},
        {"dir/sub/name", "", "dir/sub/", "name", "", 12},
        {R"(p?ges\a.pag)", "", R"(p?ges\)", "a", ".pag", 15},
        {"", "", "", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.path));
        QXSTRING drive, dir, name, ext;
        EXPECT_EQ(c.flags, QXfnsplitStr(c.path, &drive, &dir, &name, &ext));
        EXPECT_EQ(c.drive, Str(drive));
        EXPECT_EQ(c.dir, Str(dir));
        EXPECT_EQ(c.name, Str(name));
        EXPECT_EQ(c.ext, Str(ext));

        NameBuffer driveBuffer, dirBuffer, nameBuffer, extBuffer;
        EXPECT_EQ(c.flags, QXfnsplit(c.path, driveBuffer, dirBuffer, nameBuffer, extBuffer));
        EXPECT_EQ(c.drive, driveBuffer.Text());
        EXPECT_EQ(c.dir, dirBuffer.Text());
        EXPECT_EQ(c.name, nameBuffer.Text());
        EXPECT_EQ(c.ext, extBuffer.Text());

        FNSPLIT parts;
        EXPECT_EQ(c.flags, parts.split(c.path));
        EXPECT_EQ(c.name, Str(FNSPLIT(c.path).name));
    }
}

TEST(PathSplit, NullAndOverlongNamesGiveNothing)
{
    QXSTRING drive("old"), name("old");
    EXPECT_EQ(0, QXfnsplitStr(nullptr, &drive, nullptr, &name, nullptr));
    EXPECT_EQ("", Str(drive));
    EXPECT_EQ("", Str(name));

    const std::string overlong = R"(C:\)" + std::string(QX_NAME_BUFFER, 'a') + ".pag";
    NameBuffer nameBuffer;
    EXPECT_EQ(0, QXfnsplit(overlong.c_str(), nullptr, nullptr, nameBuffer, nullptr));
    EXPECT_EQ("", nameBuffer.Text());

    FNSPLIT empty;
    EXPECT_EQ("", Str(empty.drive));
    EXPECT_EQ("", Str(empty.ext));
}

TEST(PathSplit, SplitsAddresses)
{
    struct Case {
        const char* url;
        const char* protocol;
        const char* host;
        const char* dir;
        const char* name;
        const char* ext;
        int flags;
        const char* generalDrive;
    } cases[] = {
        {"http://host/dir/a.htm", "HTTP://", "host", "/dir/", "a", ".htm", 14, "HTTP://host"},
        {"FTP://server/a.b.jpg", "FTP://", "server", "/", "a.b", ".jpg", 14, "FTP://server"},
        {"ftp://server", "FTP://", "server", "/", "", "", 8, "FTP://server"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        QXSTRING protocol, host, dir, name, ext;
        EXPECT_EQ(c.flags, QXurlsplitStr(c.url, &protocol, &host, &dir, &name, &ext));
        EXPECT_EQ(c.protocol, Str(protocol));
        EXPECT_EQ(c.host, Str(host));
        EXPECT_EQ(c.dir, Str(dir));
        EXPECT_EQ(c.name, Str(name));
        EXPECT_EQ(c.ext, Str(ext));

        NameBuffer protocolBuffer, hostBuffer, dirBuffer;
        EXPECT_EQ(c.flags, QXurlsplit(c.url, protocolBuffer, hostBuffer, dirBuffer, nullptr, nullptr));
        EXPECT_EQ(c.protocol, protocolBuffer.Text());
        EXPECT_EQ(c.host, hostBuffer.Text());
        EXPECT_EQ(c.dir, dirBuffer.Text());

        QXSTRING drive, generalDir;
        EXPECT_EQ(c.flags | QX_SPLIT_DRIVE, QXGeneralfnsplitStr(c.url, &drive, &generalDir, nullptr, nullptr));
        EXPECT_EQ(c.generalDrive, Str(drive));
        EXPECT_EQ(c.dir, Str(generalDir));
        NameBuffer driveBuffer;
        EXPECT_EQ(c.flags | QX_SPLIT_DRIVE, QXGeneralfnsplit(c.url, driveBuffer, nullptr, nullptr, nullptr));
        EXPECT_EQ(c.generalDrive, driveBuffer.Text());
    }
}

TEST(PathSplit, OtherNamesKeepTheProtocolAndSplitAsPaths)
{
    QXSTRING protocol("unchanged");
    QXurlsplitStr(R"(C:\pub\a.pag)", &protocol, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ("unchanged", Str(protocol));

    QXSTRING drive, dir;
    EXPECT_EQ(30, QXGeneralfnsplitStr(R"(C:\pub\a.pag)", &drive, &dir, nullptr, nullptr));
    EXPECT_EQ("C:", Str(drive));
    EXPECT_EQ(R"(\pub\)", Str(dir));
}

TEST(PathMerge, JoinsTheGivenParts)
{
    struct Case {
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
        const char* merged;
    } cases[] = {
        {"C:", R"(\pub\)", "a", ".pag", R"(C:\pub\a.pag)"},
        {nullptr, R"(pages\)", "p1", nullptr, R"(pages\p1)"},
        {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.merged);
        QXSTRING merged("old");
        EXPECT_EQ(1, QXfnmergeStr(&merged, c.drive, c.dir, c.name, c.ext));
        EXPECT_EQ(c.merged, Str(merged));
        NameBuffer buffer;
        EXPECT_EQ(1, QXfnmerge(buffer, c.drive, c.dir, c.name, c.ext));
        EXPECT_EQ(c.merged, buffer.Text());
    }
}

TEST(PathMerge, RefusesResultsThatDoNotFitTheBuffer)
{
    const std::string dir = R"(C:\)" + std::string(QX_NAME_BUFFER - 12, 'd') + "\\";  // 492 characters
    NameBuffer buffer;
    EXPECT_EQ(1, QXfnmerge(buffer, nullptr, dir.c_str(), "abc", ".pag")) << "499 characters fit";
    EXPECT_EQ(dir + "abc.pag", buffer.Text());
    EXPECT_EQ(0, QXfnmerge(buffer, nullptr, dir.c_str(), "abcd", ".pag")) << "500 characters do not";
    EXPECT_EQ("", buffer.Text());
}

// ---- Relative and absolute names ----

struct NameCase {
    const char* base;
    const char* name;
    const char* out;
    int result;
};

TEST(PathRelative, MakesNamesRelativeToAFolder)
{
    const NameCase cases[] = {
        {R"(C:\pub\)", R"(C:\pub\pages\p1.pag)", R"(.\pages\p1.pag)", 1},
        {R"(C:\pub\)", R"(D:\x.pag)", R"(D:\x.pag)", 0},
        {R"(C:\pub\pages\)", R"(C:\pub\media\a.wav)", R"(..\media\a.wav)", 1},
        {R"(C:\pub\pages\)", R"(C:\pub\pag.pag)", R"(..\pag.pag)", 1},
        {R"(C:\a\b\c\)", R"(C:\a\x\y.pag)", R"(..\..\x\y.pag)", 1},
        {R"(c:\PUB\pages\)", R"(C:\pub\Pages\x.pag)", R"(.\x.pag)", 1},
        {R"(C:\pub)", R"(C:\public\x.pag)", R"(..\public\x.pag)", 1},
        {R"(\\server\share\pub\pages\)", R"(\\server\share\pub\media\a.wav)", R"(..\media\a.wav)", 1},
        {R"(\\server\share\pub\)", R"(\\other\share\a.wav)", R"(\\other\share\a.wav)", 0},
        {"ftp://host/pub/pages/", "ftp://host/pub/media/a.wav", R"(..\media\a.wav)", 1},
        {"http://host/pub/", "HTTP://host/pub/pages/a.htm", R"(.\pages\a.htm)", 1},
        {"http://host/pub/", "http://other/pub/a.htm", "http://other/pub/a.htm", 0},
        {nullptr, R"(C:\a.pag)", R"(C:\a.pag)", 0},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(Show(c.base) + " " + c.name);
        QXSTRING out;
        EXPECT_EQ(c.result, QXFileToRelatifPathStr(c.base, c.name, &out));
        EXPECT_EQ(c.out, Str(out));
        NameBuffer buffer;
        EXPECT_EQ(c.result, QXFileToRelatifPath(c.base, c.name, buffer));
        EXPECT_EQ(c.out, buffer.Text());
    }
}

TEST(PathRelative, SecondFormKeepsNamesOutsideTheFolder)
{
    const NameCase cases[] = {
        {R"(C:\pub\)", R"(C:\pub\pages\p1.pag)", R"(.\pages\p1.pag)", 1},
        {R"(C:\pub\pages\)", R"(C:\pub\media\a.wav)", R"(C:\pub\media\a.wav)", 0},
        {R"(C:\pub\)", R"(D:\x.pag)", R"(D:\x.pag)", 0},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " " + c.name);
        QXSTRING out;
        EXPECT_EQ(c.result, QXFileToRelatifPathStr2(c.base, c.name, &out));
        EXPECT_EQ(c.out, Str(out));
        NameBuffer buffer;
        EXPECT_EQ(c.result, QXFileToRelatifPath2(c.base, c.name, buffer));
        EXPECT_EQ(c.out, buffer.Text());
    }
}

TEST(PathRelative, RootFormOnlyTouchesNamesUnderTheRoot)
{
    struct Case {
        const char* root;
        const char* file;
        const char* out;
        int result;
    } cases[] = {
        {R"(c:\PUB)", R"(C:\pub\media\a.wav)", R"(..\media\a.wav)", 1},
        {R"(D:\)", R"(C:\pub\media\a.wav)", R"(C:\pub\media\a.wav)", 0},
        {nullptr, R"(C:\pub\media\a.wav)", R"(C:\pub\media\a.wav)", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.root));
        QXSTRING out;
        EXPECT_EQ(c.result, QXFileToRelatifPathRootStr(c.root, R"(C:\pub\pages\)", c.file, &out));
        EXPECT_EQ(c.out, Str(out));
        NameBuffer buffer;
        EXPECT_EQ(c.result, QXFileToRelatifPathRoot(c.root, R"(C:\pub\pages\)", c.file, buffer));
        EXPECT_EQ(c.out, buffer.Text());
    }
}

TEST(PathAbsolute, ResolvesDotNamesAgainstAFolder)
{
    const NameCase cases[] = {
        {R"(C:\pub\pages\)", R"(..\media\a.wav)", R"(C:\pub\media\a.wav)", 1},
        {R"(C:\pub\pages\)", R"(..\..\a.wav)", R"(C:\a.wav)", 1},
        {R"(C:\pub\)", R"(..\..\..\a.wav)", R"(..\..\..\a.wav)", 0},
        {R"(C:\pub\)", R"(..\..\a.wav)", R"(..\..\a.wav)", 0},
        {R"(C:\pub\)", R"(.\pages\p1.pag)", R"(C:\pub\pages\p1.pag)", 1},
        {R"(C:\pub)", R"(.\p1.pag)", R"(C:\pub\p1.pag)", 1},
        {R"(C:\pub\)", R"(pages\p1.pag)", R"(pages\p1.pag)", 0},
        {R"(C:\pub\)", ".", ".", 0},
        {R"(C:\pub\)", ".hidden", ".hidden", 0},
        {R"(\\server\share\pub\)", R"(..\media\a.wav)", R"(\\server\share\media\a.wav)", 1},
        {R"(\\server\share\pub\)", R"(..\..\a.wav)", R"(..\..\a.wav)", 0},
        {"http://host/pub/pages/", R"(..\media\a.htm)", "http://host/pub/media/a.htm", 1},
        {"http://host/pub/", "../../a.htm", "../../a.htm", 0},
        {"ftp://host/pub/", "./pages/a.jpg", "ftp://host/pub/pages/a.jpg", 1},
        {nullptr, R"(.\a.pag)", R"(.\a.pag)", 0},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(Show(c.base) + " " + c.name);
        QXSTRING out;
        EXPECT_EQ(c.result, QXFileToAbsolutePathStr(c.base, c.name, &out));
        EXPECT_EQ(c.out, Str(out));
        NameBuffer buffer;
        EXPECT_EQ(c.result, QXFileToAbsolutePath(c.base, c.name, buffer));
        EXPECT_EQ(c.out, buffer.Text());
    }
}

TEST(PathAbsolute, RelativeNamesResolveBackToTheOriginal)
{
    const struct {
        const char* base;
        const char* file;
    } pairs[] = {
        {R"(C:\pub\)", R"(C:\pub\pages\p1.pag)"},
        {R"(C:\pub\pages\deep\)", R"(C:\pub\media\a.wav)"},
        {R"(\\server\share\pub\pages\)", R"(\\server\share\pub\media\a.wav)"},
        {"ftp://host/pub/pages/", "ftp://host/pub/media/a.jpg"},
        {"http://host/pub/pages/", "http://host/pub/pages/sub/a.htm"},
        {"http://host/pub/pages/", "http://host/other/a.htm"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(std::string(pair.base) + " " + pair.file);
        NameBuffer relative, absolute;
        ASSERT_EQ(1, QXFileToRelatifPath(pair.base, pair.file, relative));
        EXPECT_EQ(1, QXFileToAbsolutePath(pair.base, relative, absolute));
        EXPECT_EQ(pair.file, absolute.Text()) << "relative form " << relative.Text();
    }
}

TEST(PathAbsolute, BufferFormRefusesResultsThatDoNotFit)
{
    const std::string base = R"(C:\)" + std::string(QX_NAME_BUFFER - 20, 'b') + "\\";
    NameBuffer out;
    EXPECT_EQ(0, QXFileToAbsolutePath(base.c_str(), R"(.\a-name-long-enough.pag)", out));
    EXPECT_EQ("", out.Text());
    QXSTRING whole;
    EXPECT_EQ(1, QXFileToAbsolutePathStr(base.c_str(), R"(.\a-name-long-enough.pag)", &whole));
    EXPECT_EQ(base + "a-name-long-enough.pag", Str(whole));
}

// ---- Names completed with the current directory ----

class PathFQName : public testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        ASSERT_TRUE(SetCurrentDirectoryA(scratch_.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(previous_); }

    ScratchDir scratch_;
    char previous_[MAX_PATH] = "";
};

TEST_F(PathFQName, PutsTheCurrentDirectoryBeforeIncompleteNames)
{
    const std::string here = scratch_.Path();
    const struct {
        const char* name;
        std::string full;
        int result;
    } cases[] = {
        {"a.pag", here + "a.pag", 1},
        {R"(pages\a.pag)", here + R"(pages\a.pag)", 1},
        {R"(\pub\a.pag)", here.substr(0, 2) + R"(\pub\a.pag)", 1},  // rooted: the drive only
        {R"(C:\x\a.pag)", R"(C:\x\a.pag)", 1},
        {R"(\\server\share\a.pag)", R"(\\server\share\a.pag)", 1},
        {"http://host/a.htm", "http://host/a.htm", 1},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QXSTRING name(c.name);
        EXPECT_EQ(c.result, MakeFQNameStr(&name));
        EXPECT_EQ(c.full, Str(name));
        NameBuffer buffer;
        std::strcpy(buffer, c.name);
        EXPECT_EQ(c.result, MakeFQName(buffer));
        EXPECT_EQ(c.full, buffer.Text());
    }
    EXPECT_EQ(0, MakeFQNameStr(nullptr));
    EXPECT_EQ(0, MakeFQName(nullptr));
}

TEST_F(PathFQName, BufferFormLeavesANameThatWouldNotFit)
{
    const std::string name = std::string(QX_NAME_BUFFER - 1 - scratch_.Path().size() + 1, 'n');
    NameBuffer buffer;
    std::strcpy(buffer, name.c_str());
    EXPECT_EQ(0, MakeFQName(buffer));
    EXPECT_EQ(name, buffer.Text());
    std::strcpy(buffer, name.substr(1).c_str());
    EXPECT_EQ(1, MakeFQName(buffer)) << "499 characters fit";
    EXPECT_EQ(scratch_.Path() + name.substr(1), buffer.Text());
}

// ---- Checks ----

TEST(PathNameCheck, FileNameCharacters)
{
    struct Case {
        const char* name;
        int valid;
    } cases[] = {
        {R"(C:\pub\a.pag)", 1},
        {"a.pag", 1},
        {R"(pages\p 1.pag)", 1},
        {R"("C:\pub\a b.pag"  )", 1},
        {R"(\\server\share\dir\a.pag)", 1},
        {R"(C:\pub\a.pa|)", 0},
        {R"(C:\pub\a.pa?)", 0},
        {R"(C:\pub\a?.pag)", 0},
        {R"(C:\pub\name*)", 0},
        {R"(C:\pub\name|)", 0},
        {R"(C:\pub\?.pag)", 0},
        {R"(C:\p<b\a.pag)", 0},
        {R"(C:\pu"\a.pag)", 0},
        {"C:a.pag", 0},
        {R"(1:\a.pag)", 0},
        {R"(\\server\a.pag)", 0},
        {R"(\\ser|ver\share\a.pag)", 0},
        {"C:/pub/a.pag", 0},
        {"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.name));
        EXPECT_EQ(c.valid, QXValidateFileNameChar(c.name));
    }
}

TEST(PathNameCheck, AddressCharacters)
{
    struct Case {
        const char* url;
        int valid;
    } cases[] = {
        {"http://host/dir/a.htm", 1},
        {"FTP://host/a.jpg", 1},
        {"http://host/dir/sub/", 1},
        {"http://host/dir/a.ht|", 0},
        {"http://host/dir/a.ht?", 0},
        {"http://host/a*.htm", 0},
        {"http://host/di|/a.htm", 0},
        {"http://hos|/a.htm", 0},
        {"http://|host/a.htm", 0},
        {"http:///a.htm", 0},
        {R"(C:\pub\a.htm)", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.url));
        EXPECT_EQ(c.valid, QXValidateUrlChar(c.url));
    }
}

TEST(PathNameCheck, SingleCharacters)
{
    for (char c : std::string("\\/:*?\"<>|"))
        EXPECT_EQ(0, QXIsValidFileChar(c)) << c;
    EXPECT_EQ(0, QXIsValidFileChar(0));
    for (char c : std::string("aZ09 ._-~!é"))
        EXPECT_EQ(1, QXIsValidFileChar(c)) << c;
}

TEST(PathNameCheck, ValidatesExistingFilesAndAddresses)
{
    ScratchDir scratch;
    scratch.Write("page.pag", "x");
    const std::string existing = scratch / "page.pag";
    const std::string wildcard = scratch / "*.pag";
    const std::string missing = scratch / "missing.pag";
    const struct {
        const char* name;
        int valid;
        const char* ext;
    } cases[] = {
        {existing.c_str(), 1, ".pag"},
        {missing.c_str(), 0, ".pag"},
        {wildcard.c_str(), 0, ".pag"},
        {"http://host/dir/a.htm", 1, ".htm"},
        {"http://host/a.asp?x", 0, ".asp?x"},
        {"", 0, ""},
        {nullptr, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.name));
        QXSTRING ext("old");
        EXPECT_EQ(c.valid, ValidateFileNameStr(c.name, &ext));
        EXPECT_EQ(c.ext, Str(ext));
        NameBuffer buffer;
        EXPECT_EQ(c.valid, ValidateFileName(c.name, buffer, QX_NAME_BUFFER));
        EXPECT_EQ(c.ext, buffer.Text());
    }
    NameBuffer shortExt;
    EXPECT_EQ(1, ValidateFileName(existing.c_str(), shortExt, 3));
    EXPECT_EQ(".p", shortExt.Text());
}

TEST(PathNameCheck, FilesAndEmptyFolders)
{
    ScratchDir scratch;
    EXPECT_EQ(1, QXIsDirectoryEmpty(scratch.Path().c_str()));
    const std::string withoutBackslash = scratch.Path().substr(0, scratch.Path().size() - 1);
    EXPECT_EQ(1, QXIsDirectoryEmpty(withoutBackslash.c_str()));
    EXPECT_EQ(0, QXIsDirectoryEmpty((scratch / "missing").c_str()));
    EXPECT_EQ(0, QXIsDirectoryEmpty(nullptr));

    scratch.Write("sub\\a.txt", "a");
    EXPECT_EQ(0, QXIsDirectoryEmpty(scratch.Path().c_str()));
    EXPECT_EQ(0, QXIsDirectoryEmpty((scratch / "sub").c_str()));

    EXPECT_EQ(1, DoFileExist((scratch / "sub\\a.txt").c_str()));
    EXPECT_EQ(0, DoFileExist((scratch / "sub\\*.txt").c_str())) << "a pattern names no file";
    EXPECT_EQ(0, DoFileExist((scratch / "sub\\?.txt").c_str()));
    EXPECT_EQ(1, DoFileExist((scratch / "sub").c_str()));
    EXPECT_EQ(0, DoFileExist((scratch / "sub\\b.txt").c_str()));
    EXPECT_EQ(0, DoFileExist(nullptr));
    EXPECT_EQ(0, DoFileExist(""));
}

TEST(PathFtpName, MakesNamesSafeForFtp)
{
    ASSERT_EQ('\xC9', "É"[0]) << "literals must be stored in the ANSI code page";
    struct Case {
        const char* name;
        const char* safe;
        int alreadySafe;
    } cases[] = {
        {"Été 2000.JPG", "ete_2000.jpg", 0},
        {R"(Pages\A.PAG)", R"(pages\a.pag)", 1},
        {"ftp://host/a.jpg", "ftp://host/a.jpg", 1},
        {"çÇàÏÔüÿÝ", "ccaiouyy", 0},
        {"a#b-c~d", "a_b_c_d", 0},
        {"", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.safe);
        NameBuffer buffer;
        std::strcpy(buffer, c.name);
        EXPECT_EQ(c.alreadySafe, QXIsValidateNameForFTP(c.name));
        EXPECT_EQ(1, QXValidateNameForFTP(buffer));
        EXPECT_EQ(c.safe, buffer.Text());
    }
    EXPECT_EQ(0, QXValidateNameForFTP(nullptr));
    EXPECT_EQ(0, QXIsValidateNameForFTP(nullptr));
}

TEST(PathStrip, DoubleBackslashesBecomeOne)
{
    struct Case {
        const char* name;
        const char* stripped;
        int length;
    } cases[] = {
        {R"(C:\\pub\\a.pag)", R"(C:\pub\a.pag)", 12},
        {R"(\\server\\share\a)", R"(\\server\share\a)", 16},
        {R"(\\\server)", R"(\\server)", 8},
        {R"(C:\a\\\\b)", R"(C:\a\\b)", 7},
        {"plain", "plain", 5},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NameBuffer buffer;
        std::strcpy(buffer, c.name);
        EXPECT_EQ(c.length, StripDoubleBackslash(buffer));
        EXPECT_EQ(c.stripped, buffer.Text());
        QXSTRING name(c.name);
        EXPECT_EQ(c.length, StripDoubleBackslashStr(&name));
        EXPECT_EQ(c.stripped, Str(name));
    }
    EXPECT_EQ(0, StripDoubleBackslash(nullptr));
}

TEST(PathTruncate, ShortensNamesForDisplay)
{
    struct Case {
        const char* name;
        int max;
        const char* shown;
        int result;
    } cases[] = {
        {R"(C:\a\very\long\path\file.pag)", 20, R"(C:\...\path\file.pag)", 1},
        {R"(C:\a\very\long\path\file.pag)", 40, R"(C:\a\very\long\path\file.pag)", 0},
        {R"(C:\a.pag   )", 8, R"(C:\a.pag)", 0},
        {R"(C:\abcdefghijklmnopqrstuvwxyz.pag)", 20, R"(C:\...qrstuvwxyz.pag)", 1},
        {"http://host/a/very/long/dir/page.htm", 25, "HTTP://.../dir/page.htm", 1},
        {R"(\\server\share\a\b\c.pag)", 12, R"(\\server\...)", 1},
        {nullptr, 10, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.name));
        QXSTRING shown("old");
        EXPECT_EQ(c.result, QXTruncateFileNameStr(c.name, &shown, c.max));
        EXPECT_EQ(c.shown, Str(shown));
        NameBuffer buffer;
        EXPECT_EQ(c.result, QXTruncateFileName(c.name, buffer, c.max));
        EXPECT_EQ(c.shown, buffer.Text());
    }
}

// ---- Temporary names ----

TEST(PathTempName, MaskWithoutWildcardsNamesThatFileOnly)
{
    ScratchDir scratch;
    QXSTRING name("unchanged");
    EXPECT_EQ(1, QXCreateTempFileNameStr(scratch.Path().c_str(), "fixed.tmp", &name, 0));
    EXPECT_EQ(scratch / "fixed.tmp", Str(name));
    EXPECT_FALSE(Exists(scratch / "fixed.tmp")) << "created without the create flag";

    scratch.Write("fixed.tmp", "");
    name = "unchanged";
    EXPECT_EQ(0, QXCreateTempFileNameStr(scratch.Path().c_str(), "fixed.tmp", &name, 0));
    EXPECT_EQ("unchanged", Str(name));
}

TEST(PathTempName, DefaultMaskGivesFourRandomCharacters)
{
    ScratchDir scratch;
    QXSTRING name;
    ASSERT_EQ(1, QXCreateTempFileNameStr(scratch.Path().c_str(), nullptr, &name, 0));
    const std::string made = Str(name);
    ASSERT_EQ(scratch.Path().size() + 8, made.size()) << made;
    EXPECT_EQ(scratch.Path(), made.substr(0, scratch.Path().size()));
    EXPECT_EQ(".TMP", made.substr(made.size() - 4));
    for (char c : made.substr(scratch.Path().size(), 4))
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) << made;
    EXPECT_FALSE(Exists(made));
}

TEST(PathTempName, DefaultFolderIsTheTemporaryFolder)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    QXSTRING name;
    ASSERT_EQ(1, QXCreateTempFileNameStr(nullptr, "qx??????.tmp", &name, 0));
    EXPECT_EQ(std::string(temp), Str(name).substr(0, std::strlen(temp)));
    EXPECT_EQ(std::strlen(temp) + 12, static_cast<size_t>(name.length()));
}

TEST(PathTempName, CreateFlagCreatesTheFileAndItsFolders)
{
    ScratchDir scratch;
    const std::string folder = scratch / "new\\deeper";
    NameBuffer name;
    ASSERT_EQ(1, QXCreateTempFileName(folder.c_str(), "t??.dat", name, QX_NAME_BUFFER, 1));
    EXPECT_EQ(folder + "\\", name.Text().substr(0, folder.size() + 1));
    EXPECT_TRUE(Exists(name.Text()));
    EXPECT_EQ("", scratch.Read(name.Text().substr(scratch.Path().size())));
}

TEST(PathTempName, Refusals)
{
    ScratchDir scratch;
    // Every name the mask "?.x" can give exists.
    for (char c : std::string("0123456789abcdefghijklmnopqrstuvwxyz"))
        scratch.Write(std::string(1, c) + ".x", "");
    QXSTRING name("unchanged");
    EXPECT_EQ(0, QXCreateTempFileNameStr(scratch.Path().c_str(), "?.x", &name, 0));
    EXPECT_EQ(0, QXCreateTempFileNameStr(scratch.Path().c_str(), "a*?.tmp", &name, 0));
    EXPECT_EQ(0, QXCreateTempFileNameStr(R"(C:\a|b\)", nullptr, &name, 0));
    EXPECT_EQ("unchanged", Str(name));

    // Too small a buffer fails before anything is created.
    char small[8] = "old";
    const std::string folder = scratch / "smallbuffer";
    EXPECT_EQ(0, QXCreateTempFileName(folder.c_str(), "a?.tmp", small, sizeof small, 1));
    EXPECT_STREQ("old", small);
    EXPECT_FALSE(Exists(folder));
}

TEST(PathTempName, RandomCharactersAreDigitsAndLowerCaseLetters)
{
    std::set<char> seen;
    for (int i = 0; i < 2000; ++i) {
        const char c = QXGenerateAlphaNumChar();
        ASSERT_TRUE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) << static_cast<int>(c);
        seen.insert(c);
    }
    EXPECT_EQ(36u, seen.size());
}

// ---- Drives ----

TEST(PathDrive, DriveTypesAndLabels)
{
    EXPECT_EQ(2, QXGetDriveType(2)) << "C: is a fixed drive";
    EXPECT_EQ(0, QXGetDriveType(-1));
    EXPECT_EQ(0, QXGetDriveType(26));
    char label[64];
    EXPECT_EQ(0, QXGetVolumeLabel(2, nullptr, sizeof label));
    EXPECT_EQ(0, QXGetVolumeLabel(2, label, -1));
    EXPECT_NE(0, QXGetVolumeLabel(2, label, sizeof label));
}

TEST(PathDrive, FreeSpaceIsNotCutTo32Bits)
{
    ULARGE_INTEGER available, total, systemFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &systemFree));
    const unsigned long long reported = DiskFreeSpace(R"(C:\pub\a.pag)");
    EXPECT_GT(reported, 0u);
    // Other processes write meanwhile: allow 256 MiB of drift, far below the 4 GiB a wrap loses.
    const unsigned long long drift = 256ull << 20;
    EXPECT_LT(reported > systemFree.QuadPart ? reported - systemFree.QuadPart : systemFree.QuadPart - reported, drift)
        << "reported " << reported << ", system " << systemFree.QuadPart;
    EXPECT_EQ(0u, DiskFreeSpace(nullptr));
    EXPECT_EQ(0u, DiskFreeSpace(R"(Q:\nothing)")) << "no such drive";
}

TEST(PathDrive, VersionFollowsTheSystem)
{
    const DWORD raw = GetVersion();
    const int major = LOBYTE(LOWORD(raw));
    const int minor = HIBYTE(LOWORD(raw));
    const int expected = major > 3 ? 4 : minor <= 51 ? 3 : 0;
    const char* expectedText = expected == 4 ? "Windows NT (New GUI)"
                               : expected == 3 ? "Windows NT (Orig GUI)"
                                               : "Unknown";
    unsigned long reportedRaw = 1;
    int reportedMajor = -1, reportedMinor = -1;
    const char* text = nullptr;
    EXPECT_EQ(expected, TrueGetVersion(&reportedRaw, &reportedMajor, &reportedMinor, &text));
    EXPECT_STREQ(expectedText, text);
    EXPECT_EQ(expected ? raw : 0, reportedRaw);
    EXPECT_EQ(expected ? major : 0, reportedMajor);
    EXPECT_EQ(expected ? minor : 0, reportedMinor);
    EXPECT_EQ(expected, TrueGetVersion(nullptr, nullptr, nullptr, nullptr));
}
