// Copying files and folder trees, keeping dates, and creating folders, on real files of a
// scratch folder.
#include "held_file.h"
#include "qxpath.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Bytes of every value, zeros included, so that a text-mode or short copy shows.
std::string Bytes(size_t n)
{
    std::string bytes;
    for (size_t i = 0; i < n; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    return bytes;
}

DWORD Attributes(const std::string& name) { return GetFileAttributesA(name.c_str()); }
bool IsFile(const std::string& name)
{
    const DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
bool IsFolder(const std::string& name)
{
    const DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Only a file nobody else holds can be locked.
bool NobodyHolds(const std::string& name) { return HeldFile(name, 0).Held(); }

FILETIME FromLocal(const SYSTEMTIME& local)
{
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    return utc;
}

SYSTEMTIME ToLocal(const FILETIME& utc)
{
    FILETIME localTime;
    SYSTEMTIME local;
    FileTimeToLocalFileTime(&utc, &localTime);
    FileTimeToSystemTime(&localTime, &local);
    return local;
}

WIN32_FILE_ATTRIBUTE_DATA Times(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data);
    return data;
}

std::string Show(const SYSTEMTIME& t)
{
    char text[32];
    wsprintfA(text, "%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace

TEST(FileCopy, CopiesEveryByte)
{
    for (size_t size : {0, 1, 1023, 1024, 1025, 2048, 5000}) {
        SCOPED_TRACE(size);
        ScratchDir scratch;
        const std::string bytes = Bytes(size);
        scratch.Write("source.bin", bytes);
        EXPECT_EQ(0, fcopy((scratch / "source.bin").c_str(), (scratch / "copy.bin").c_str()));
        EXPECT_TRUE(IsFile(scratch / "copy.bin"));
        EXPECT_EQ(bytes, scratch.Read("copy.bin"));
        EXPECT_TRUE(NobodyHolds(scratch / "source.bin"));
        EXPECT_TRUE(NobodyHolds(scratch / "copy.bin"));
    }
}

TEST(FileCopy, ReportsWhichSideFailed)
{
    ScratchDir scratch;
    scratch.Write("source.bin", Bytes(100));
    scratch.Write("existing.bin", "old contents");
    const std::string source = scratch / "source.bin";
    const std::string missing = scratch / "missing.bin";
    const std::string noFolder = scratch / R"(no\such\folder\copy.bin)";
    const std::string existing = scratch / "existing.bin";
    const std::string target = scratch / "copy.bin";
    const struct {
        const char* from;
        const char* to;
        int result;
    } cases[] = {
        {source.c_str(), existing.c_str(), 0},
        {missing.c_str(), target.c_str(), -2},
        {nullptr, target.c_str(), -2},
        {source.c_str(), noFolder.c_str(), -1},
        {source.c_str(), nullptr, -1},
        {source.c_str(), source.c_str(), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from ? c.from : "(null)") + " -> " + (c.to ? c.to : "(null)"));
        EXPECT_EQ(c.result, fcopy(c.from, c.to));
        EXPECT_TRUE(NobodyHolds(source)) << "the source was left open";
    }
    EXPECT_FALSE(IsFile(target)) << "a failed copy created its target";
    EXPECT_EQ(Bytes(100), scratch.Read("existing.bin"));
    EXPECT_EQ(Bytes(100), scratch.Read("source.bin")) << "copying a file onto itself lost it";
}

TEST(FileCopy, SameDateKeepsTheSourceTimeToTwoSeconds)
{
    ScratchDir scratch;
    scratch.Write("source.pag", "page");
    const std::string source = scratch / "source.pag";
    SYSTEMTIME old{};
    old.wYear = 2001;
    old.wMonth = 6;
    old.wDay = 15;
    old.wHour = 10;
    old.wMinute = 31;
    old.wSecond = 17;
    const FILETIME oldTime = FromLocal(old);
    {
        const HANDLE file = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &oldTime));
        CloseHandle(file);
    }

    ASSERT_EQ(0, fcopyWithSameDate(source.c_str(), (scratch / "kept.pag").c_str()));
    const WIN32_FILE_ATTRIBUTE_DATA kept = Times(scratch / "kept.pag");  // before reading moves the access time
    EXPECT_EQ("page", scratch.Read("kept.pag"));
    // DOS times count seconds in twos: 10:31:17 comes back as 10:31:16.
    EXPECT_EQ("2001-06-15 10:31:16", Show(ToLocal(kept.ftLastWriteTime)));
    EXPECT_EQ("2001-06-15 10:31:16", Show(ToLocal(kept.ftLastAccessTime)));

    ASSERT_EQ(0, fcopy(source.c_str(), (scratch / "plain.pag").c_str()));
    EXPECT_NE("2001-06-15 10:31:16", Show(ToLocal(Times(scratch / "plain.pag").ftLastWriteTime)))
        << "a plain copy should carry the time of copying";
}

TEST(FileCopy, SameDateResults)
{
    ScratchDir scratch;
    scratch.Write("source.pag", "page");
    const std::string source = scratch / "source.pag";
    EXPECT_EQ(-1, fcopyWithSameDate(nullptr, (scratch / "copy.pag").c_str()));
    EXPECT_EQ(-1, fcopyWithSameDate(source.c_str(), nullptr));
    EXPECT_EQ(-2, fcopyWithSameDate((scratch / "missing.pag").c_str(), (scratch / "copy.pag").c_str()));
    EXPECT_EQ(-1, fcopyWithSameDate(source.c_str(), (scratch / R"(none\copy.pag)").c_str()));
    EXPECT_FALSE(IsFile(scratch / "copy.pag"));
}

TEST(DirCopy, CopiesATree)
{
    ScratchDir scratch;
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"a.txt", "first file"},
        {R"(sub\b.bin)", Bytes(5000)},
        {R"(sub\deeper\c.txt)", "third"},
        {R"(sub\deeper\empty.dat)", ""},
    };
    for (const auto& file : files)
        scratch.Write(std::string("src\\") + file.name, file.bytes);
    ASSERT_TRUE(CreateDirectoryA((scratch / R"(src\empty)").c_str(), nullptr));

    const std::string target = scratch / "dst  ";  // trailing blanks and no backslash
    ASSERT_EQ(0, QXDirCopy((scratch / "src").c_str(), target.c_str()));
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        EXPECT_TRUE(IsFile(scratch / (std::string("dst\\") + file.name)));
        EXPECT_EQ(file.bytes, scratch.Read(std::string("dst\\") + file.name));
    }
    EXPECT_TRUE(IsFolder(scratch / R"(dst\empty)"));
    EXPECT_TRUE(NobodyHolds(scratch / R"(src\sub\b.bin)"));
}

TEST(DirCopy, Results)
{
    ScratchDir scratch;
    scratch.Write(R"(src\a.txt)", "a");
    scratch.Write(R"(src\sub\b.txt)", "b");
    const std::string source = scratch / "src\\";
    EXPECT_EQ(-1, QXDirCopy(source.c_str(), nullptr));
    EXPECT_EQ(-2, QXDirCopy(nullptr, (scratch / "dst").c_str()));
    const std::string overlong = scratch.Path() + std::string(QX_NAME_BUFFER, 'd');
    EXPECT_EQ(-3, QXDirCopy(source.c_str(), overlong.c_str()));

    // A source file that cannot be opened stops the walk with fcopy's result.
    HeldFile locked(scratch / R"(src\sub\b.txt)", 0);
    ASSERT_TRUE(locked.Held());
    EXPECT_EQ(-2, QXDirCopy(source.c_str(), (scratch / "dst").c_str()));

    ASSERT_TRUE(CreateDirectoryA((scratch / "nothing").c_str(), nullptr));
    EXPECT_EQ(0, QXDirCopy((scratch / "nothing").c_str(), (scratch / R"(made\here)").c_str()));
    EXPECT_TRUE(IsFolder(scratch / R"(made\here)")) << "an empty tree still makes its target";
}

TEST(CreatePath, MakesEveryFolderAlongAFileName)
{
    ScratchDir scratch;
    EXPECT_EQ(1, QXCreateFilePath((scratch / R"(a\b\c\file.txt)").c_str()));
    EXPECT_TRUE(IsFolder(scratch / R"(a\b\c)"));
    EXPECT_FALSE(IsFile(scratch / R"(a\b\c\file.txt)")) << "only folders are made";

    EXPECT_EQ(1, QXCreateFilePath((scratch / R"(x\y\)").c_str()));
    EXPECT_TRUE(IsFolder(scratch / R"(x\y)"));

    EXPECT_EQ(1, QXCreateFilePath((scratch / R"(a\b\again.txt)").c_str())) << "existing folders are fine";
    EXPECT_EQ(0, QXCreateFilePath(nullptr));
    const std::string overlong = scratch.Path() + std::string(QX_NAME_BUFFER, 'o') + "\\f.txt";
    EXPECT_EQ(0, QXCreateFilePath(overlong.c_str()));
}

TEST(CreatePath, CreateDirectoryAlsoCreatesTheNamedFile)
{
    ScratchDir scratch;
    EXPECT_EQ(1, QXCreateDirectory((scratch / R"(d1\d2\f.dat)").c_str()));
    EXPECT_TRUE(IsFile(scratch / R"(d1\d2\f.dat)"));
    EXPECT_EQ("", scratch.Read(R"(d1\d2\f.dat)"));

    EXPECT_EQ(0, QXCreateDirectory((scratch / R"(e1\e2\)").c_str())) << "no file can be named by a folder";
    EXPECT_TRUE(IsFolder(scratch / R"(e1\e2)"));
    EXPECT_EQ(0, QXCreateDirectory(nullptr));
}
