// The file cache on a real folder: opening it, naming copies, their statuses and holders,
// trimming to the limit and cleaning the folder up.
#include "cachesizes.h"
#include "qxcache.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr long KiB = 1024;
constexpr long MiB = 1024 * KiB;
// The limit with which the kernel opens its cache.
constexpr long KernelLimit = 0xF00000;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteBytes(const std::string& path, long bytes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const std::string block(static_cast<size_t>(bytes), 'x');
    DWORD written = 0;
    WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, static_cast<DWORD>(bytes)) << path;
}

std::string Source(int i) { return "HTTP://server/media/file" + std::to_string(i) + ".gif"; }

class FileCacheTest : public testing::Test {
protected:
    std::string Folder() const { return dir_ / "CACHE"; }

    void Open(long limit) { ASSERT_EQ(cache_.InitCache(Folder().c_str(), limit), 1); }

    // The temporary file of the source and the status the cache gave with it.
    std::string Tmp(const std::string& source, int* status = nullptr)
    {
        QXSTRING tmp;
        const int result = cache_.GetTmpName(source.c_str(), &tmp);
        if (status)
            *status = result;
        return static_cast<const char*>(tmp);
    }

    // What the kernel does for a remote file: name it, start the transfer, receive the bytes
    // and mark the copy complete.
    std::string Fetch(const std::string& source, long bytes)
    {
        const std::string tmp = Tmp(source);
        EXPECT_EQ(cache_.SetFileStatus(source.c_str(), QX_CACHE_UNDER_WAY), 1) << source;
        WriteBytes(tmp, bytes);
        EXPECT_EQ(cache_.SetFileStatus(source.c_str(), QX_CACHE_COMPLETE), 1) << source;
        return tmp;
    }

    // Which of the sources 0..count-1 are still listed.
    std::vector<int> Listed(int count)
    {
        std::vector<int> listed;
        for (int i = 0; i < count; ++i)
            if (cache_.GetFileStatus(Source(i).c_str()) != 0)
                listed.push_back(i);
        return listed;
    }

    ScratchDir dir_;
    FILECACHE cache_;
};

// ---- Opening ----

struct InitCase {
    const char* name;
    const char* folder;  // inside the scratch folder unless it is an address
    bool scratch;
    long limit;
    int result;
    const char* stored;  // the folder kept, inside the scratch folder ("" for none)
};

const InitCase initCases[] = {
    {"plain folder", "CACHE", true, KernelLimit, 1, "CACHE"},
    {"trailing backslash dropped", "CACHE\\", true, KernelLimit, 1, "CACHE"},
    {"missing folders made", "app\\data\\CACHE", true, 0, 1, "app\\data\\CACHE"},
    {"negative limit", "CACHE", true, -5, 1, "CACHE"},
    {"ftp address", "FTP://server/cache", false, KernelLimit, 0, ""},
    {"http address", "HTTP://server/cache", false, KernelLimit, 0, ""},
    {"unc name", "\\\\server\\share\\cache", false, KernelLimit, 0, ""},
    {"empty name", "", false, KernelLimit, 0, ""},
};

void PrintTo(const InitCase& c, std::ostream* os) { *os << c.name; }

class FileCacheInit : public FileCacheTest, public testing::WithParamInterface<InitCase> {};

TEST_P(FileCacheInit, OpensOnlyLocalFoldersWithTheirMarker)
{
    const InitCase& c = GetParam();
    const std::string folder = c.scratch ? dir_ / c.folder : c.folder;
    EXPECT_EQ(cache_.InitCache(folder.c_str(), c.limit), c.result);
    const std::string stored = *c.stored ? dir_ / c.stored : "";
    EXPECT_EQ(std::string(cache_.GetCacheDir()), stored);
    if (c.result) {
        EXPECT_TRUE(Exists(stored + "\\~.~")) << stored;
    }
    // Only an open cache names copies.
    QXSTRING tmp;
    EXPECT_EQ(cache_.GetTmpName(Source(0).c_str(), &tmp) != 0, c.result == 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, FileCacheInit, testing::ValuesIn(initCases),
                         [](const testing::TestParamInfo<InitCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST_F(FileCacheTest, NullFolderFails)
{
    EXPECT_EQ(cache_.InitCache(nullptr, KernelLimit), 0);
    EXPECT_EQ(cache_.GetCacheDir(nullptr, 0), 0);
}

TEST_F(FileCacheTest, SecondInitKeepsTheFirstFolder)
{
    Open(KernelLimit);
    EXPECT_EQ(cache_.InitCache((dir_ / "OTHER").c_str(), MiB), 1);
    EXPECT_EQ(std::string(cache_.GetCacheDir()), Folder());
    EXPECT_FALSE(Exists(dir_ / "OTHER"));
}

TEST_F(FileCacheTest, CacheDirIntoABuffer)
{
    char buffer[MAX_PATH];
    EXPECT_EQ(cache_.GetCacheDir(buffer, sizeof buffer), 0);  // not open yet
    Open(KernelLimit);
    EXPECT_EQ(cache_.GetCacheDir(buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer), Folder());
    // A cut folder would name another folder: refused.
    EXPECT_EQ(cache_.GetCacheDir(buffer, static_cast<int>(Folder().size())), 0);
}

// ---- The limit ----

struct LimitCase {
    long requested;
    unsigned long long freeBytes;
    long expected;
};

TEST(FileCacheLimit, FollowsTheRequestAndTheFreeSpaceOfTheDrive)
{
    const unsigned long long GiB = 1ull << 30;
    const LimitCase cases[] = {
        {KernelLimit, 100 * GiB, KernelLimit},
        {KernelLimit, 4 * GiB, KernelLimit},                  // cut to 32 bits: 0
        {KernelLimit, 4 * GiB + 1 * MiB, KernelLimit},        // cut to 32 bits: 1 MiB
        {KernelLimit, 8 * GiB + 512 * KiB, KernelLimit},      // cut to 32 bits: 512 KiB
        {KernelLimit, 5 * MiB, 5 * MiB},
        {KernelLimit, 0, 0},                                  // free space unreadable
        {0, 100 * GiB, 1 * MiB},
        {-1, 100 * GiB, 1 * MiB},
        {0, 300 * KiB, 300 * KiB},
    };
    for (const LimitCase& c : cases)
        EXPECT_EQ(CacheLimit(c.requested, c.freeBytes), c.expected)
            << "requested " << c.requested << ", free " << c.freeBytes;
}

struct TrimCase {
    const char* name;
    long limit;
    long copyBytes;
    int copies;
    std::vector<int> listed;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }

class FileCacheTrim : public FileCacheTest, public testing::WithParamInterface<TrimCase> {};

// Copies are trimmed oldest first once their total exceeds the limit, down to below it.
TEST_P(FileCacheTrim, KeepsCompleteCopiesWithinTheLimit)
{
    const TrimCase& c = GetParam();
    Open(c.limit);
    for (int i = 0; i < c.copies; ++i)
        Fetch(Source(i), c.copyBytes);
    EXPECT_EQ(Listed(c.copies), c.listed);
}

const TrimCase trimCases[] = {
    {"KernelLimitReached", KernelLimit, 1 * MiB, 15, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {"KernelLimitExceeded", KernelLimit, 1 * MiB, 16, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {"DefaultLimitReached", 0, 512 * KiB, 2, {0, 1}},
    {"DefaultLimitExceeded", 0, 512 * KiB, 3, {2}},
    {"NegativeLimitExceeded", -1, 400 * KiB, 4, {2, 3}},
};

INSTANTIATE_TEST_SUITE_P(Limits, FileCacheTrim, testing::ValuesIn(trimCases),
                         [](const testing::TestParamInfo<TrimCase>& info) { return info.param.name; });

TEST_F(FileCacheTest, TrimmingSkipsHeldCopiesAndDeletesTheTrimmedFiles)
{
    Open(0);  // 1 MiB
    const std::string oldest = Fetch(Source(0), 400 * KiB);
    const std::string held = Tmp(Source(1));
    ASSERT_EQ(cache_.IncreaseFileCount(Source(1).c_str()), 1);
    Fetch(Source(1), 400 * KiB);
    const std::string third = Fetch(Source(2), 400 * KiB);  // 1200 KiB: the oldest goes
    EXPECT_EQ(Listed(3), (std::vector<int>{1, 2}));
    EXPECT_FALSE(Exists(oldest));
    Fetch(Source(3), 400 * KiB);  // 1200 KiB again: the held one stays, the next oldest goes
    EXPECT_EQ(Listed(4), (std::vector<int>{1, 3}));
    EXPECT_FALSE(Exists(third));
    EXPECT_TRUE(Exists(held));
}

TEST_F(FileCacheTest, ReleasedCompleteCopyGoesOnlyWhenTheCacheIsFull)
{
    Open(0);  // 1 MiB
    for (int i = 0; i < 2; ++i) {
        Tmp(Source(i));
        ASSERT_EQ(cache_.IncreaseFileCount(Source(i).c_str()), 1);
        Fetch(Source(i), 600 * KiB);
    }
    // 1200 KiB, all held: nothing could be trimmed.
    EXPECT_EQ(Listed(2), (std::vector<int>{0, 1}));
    EXPECT_EQ(cache_.DecreaseFileCount(Source(0).c_str()), 1);  // over the limit: removed
    EXPECT_EQ(cache_.DecreaseFileCount(Source(1).c_str()), 1);  // 600 KiB left: kept
    EXPECT_EQ(Listed(2), (std::vector<int>{1}));
    EXPECT_EQ(cache_.GetFileStatus(Source(1).c_str()), QX_CACHE_COMPLETE);
}

// ---- Names and statuses ----

TEST_F(FileCacheTest, StatusesFollowTheTransfer)
{
    Open(KernelLimit);
    const std::string source = "HTTP://server/images/logo.gif";
    struct Step {
        int set;       // status given to SetFileStatus, -1 for none
        int setResult;
        int expected;  // what GetTmpName and GetFileStatus answer afterwards
    };
    const Step steps[] = {
        {-1, 0, QX_CACHE_NEW},
        {QX_CACHE_NEW, 1, QX_CACHE_NEW},
        {QX_CACHE_UNDER_WAY, 1, QX_CACHE_UNDER_WAY},
        {-1, 0, QX_CACHE_UNDER_WAY},
        {0, 0, QX_CACHE_UNDER_WAY},  // not a status
        {4, 0, QX_CACHE_UNDER_WAY},
        {QX_CACHE_COMPLETE, 1, QX_CACHE_COMPLETE},
        {QX_CACHE_COMPLETE, 1, QX_CACHE_COMPLETE},
    };
    const std::string first = Tmp(source);
    for (const Step& step : steps) {
        if (step.set >= 0) {
            EXPECT_EQ(cache_.SetFileStatus(source.c_str(), step.set), step.setResult) << step.set;
        }
        int status = 0;
        EXPECT_EQ(Tmp(source, &status), first);
        EXPECT_EQ(status, step.expected);
        EXPECT_EQ(cache_.GetFileStatus(source.c_str()), step.expected);
    }
    // The copy lies in the cache folder and keeps the source's extension.
    EXPECT_EQ(first.rfind(Folder() + "\\", 0), 0u) << first;
    EXPECT_EQ(first.size(), Folder().size() + 1 + 4 + 4) << first;
    EXPECT_EQ(first.substr(first.size() - 4), ".gif") << first;
    EXPECT_TRUE(Exists(first));
}

TEST_F(FileCacheTest, ExtensionsComeFromTheSourceKind)
{
    Open(KernelLimit);
    const struct {
        const char* source;
        const char* extension;
    } cases[] = {
        {"HTTP://www.server.com/page", ""},  // the host's dots do not count
        {"FTP://ftp.server.com/pub/intro.pag", ".pag"},
        {"C:\\publication\\sound.wav", ".wav"},
        {"\\\\server\\share\\movie.avi", ".avi"},
        {"notes", ""},
    };
    for (const auto& c : cases) {
        const std::string tmp = Tmp(c.source);
        ASSERT_GT(tmp.size(), Folder().size()) << c.source;
        const std::string name = tmp.substr(Folder().size() + 1);
        EXPECT_EQ(name.size(), 4 + std::string(c.extension).size()) << c.source << " -> " << tmp;
        EXPECT_EQ(name.substr(4), c.extension) << c.source << " -> " << tmp;
    }
}

TEST_F(FileCacheTest, SourcesDifferingInCaseShareOneCopy)
{
    Open(KernelLimit);
    const std::string listed = Tmp("HTTP://Server/Images/Logo.GIF");
    ASSERT_EQ(cache_.SetFileStatus("http://server/images/logo.gif", QX_CACHE_UNDER_WAY), 1);
    for (const char* variant : {"http://server/images/logo.gif", "HTTP://SERVER/IMAGES/LOGO.GIF",
                                "hTtP://sErVeR/iMaGeS/lOgO.gIf"}) {
        int status = 0;
        EXPECT_EQ(Tmp(variant, &status), listed) << variant;
        EXPECT_EQ(status, QX_CACHE_UNDER_WAY) << variant;
    }
    EXPECT_NE(Tmp("HTTP://Server/Images/Logo2.GIF"), listed);
}

TEST_F(FileCacheTest, CopyDeletedBehindTheCachesBackIsNamedAnew)
{
    Open(KernelLimit);
    const std::string first = Fetch(Source(0), 10);
    ASSERT_TRUE(DeleteFileA(first.c_str()));
    int status = 0;
    const std::string second = Tmp(Source(0), &status);
    EXPECT_EQ(status, QX_CACHE_NEW);
    EXPECT_NE(second, first);
    EXPECT_TRUE(Exists(second));
}

TEST_F(FileCacheTest, BufferFormAnswersTwoForAnyNamedCopy)
{
    Open(KernelLimit);
    const std::string tmp = Fetch(Source(0), 10);
    char buffer[MAX_PATH];
    EXPECT_EQ(cache_.GetTmpName(Source(0).c_str(), buffer, sizeof buffer), QX_CACHE_NEW);
    EXPECT_EQ(std::string(buffer), tmp);
    // A cut name would name another file: refused, with the buffer emptied.
    EXPECT_EQ(cache_.GetTmpName(Source(0).c_str(), buffer, static_cast<int>(tmp.size())), 0);
    EXPECT_EQ(std::string(buffer), "");
}

TEST_F(FileCacheTest, UnknownSourcesAndClosedCachesAnswerZero)
{
    FILECACHE closed;
    Open(KernelLimit);
    const char* unknown = "HTTP://server/unknown.gif";
    EXPECT_EQ(cache_.GetFileStatus(unknown), 0);
    EXPECT_EQ(cache_.SetFileStatus(unknown, QX_CACHE_COMPLETE), 0);
    EXPECT_EQ(cache_.IncreaseFileCount(unknown), 0);
    EXPECT_EQ(cache_.DecreaseFileCount(unknown), 0);
    EXPECT_EQ(cache_.DropFailedFile(unknown), 0);
    EXPECT_EQ(cache_.GetTmpName(nullptr, static_cast<QXSTRING*>(nullptr)), 0);
    QXSTRING tmp("left over");
    EXPECT_EQ(cache_.GetTmpName(nullptr, &tmp), 0);
    EXPECT_EQ(std::string(tmp), "");
    EXPECT_EQ(closed.GetTmpName(unknown, &tmp), 0);
    EXPECT_EQ(closed.CloseCache(), 0);
    EXPECT_EQ(std::string(closed.GetCacheDir()), "");
}

TEST_F(FileCacheTest, DeleteFileNameDeletesNothing)
{
    Open(KernelLimit);
    const std::string tmp = Fetch(Source(0), 10);
    EXPECT_EQ(cache_.DeleteFileName(tmp.c_str()), 1);
    EXPECT_EQ(cache_.DeleteFileName(""), 0);
    EXPECT_EQ(cache_.DeleteFileName(nullptr), 0);
    EXPECT_TRUE(Exists(tmp));
    EXPECT_EQ(cache_.GetFileStatus(Source(0).c_str()), QX_CACHE_COMPLETE);
}

// ---- Holders of a copy under way ----

// Two objects wait for the same remote file; one of them goes away before it arrives.
TEST_F(FileCacheTest, OtherHolderStillReceivesItsFile)
{
    Open(KernelLimit);
    const std::string source = Source(0);
    const std::string tmp = Tmp(source);
    ASSERT_EQ(cache_.IncreaseFileCount(source.c_str()), 1);
    ASSERT_EQ(cache_.IncreaseFileCount(source.c_str()), 1);
    ASSERT_EQ(cache_.SetFileStatus(source.c_str(), QX_CACHE_UNDER_WAY), 1);

    EXPECT_EQ(cache_.DecreaseFileCount(source.c_str()), 1);
    EXPECT_EQ(cache_.GetFileStatus(source.c_str()), QX_CACHE_UNDER_WAY);
    ASSERT_TRUE(Exists(tmp));

    // The transfer ends: the remaining holder finds the complete copy.
    WriteBytes(tmp, 1234);
    ASSERT_EQ(cache_.SetFileStatus(source.c_str(), QX_CACHE_COMPLETE), 1);
    int status = 0;
    EXPECT_EQ(Tmp(source, &status), tmp);
    EXPECT_EQ(status, QX_CACHE_COMPLETE);
    EXPECT_EQ(dir_.Read(tmp.substr(dir_.Path().size())).size(), 1234u);
}

struct ReleaseCase {
    const char* name;
    int status;   // of the copy when its holders let go
    int holders;
    int releases;
    bool listed;  // afterwards
};

void PrintTo(const ReleaseCase& c, std::ostream* os) { *os << c.name; }

class FileCacheRelease : public FileCacheTest, public testing::WithParamInterface<ReleaseCase> {};

TEST_P(FileCacheRelease, IncompleteCopyGoesWithItsLastHolder)
{
    const ReleaseCase& c = GetParam();
    Open(KernelLimit);
    const std::string source = Source(0);
    const std::string tmp = Tmp(source);
    for (int i = 0; i < c.holders; ++i)
        ASSERT_EQ(cache_.IncreaseFileCount(source.c_str()), 1);
    ASSERT_EQ(cache_.SetFileStatus(source.c_str(), c.status), 1);
    for (int i = 0; i < c.releases; ++i)
        EXPECT_EQ(cache_.DecreaseFileCount(source.c_str()), 1);
    EXPECT_EQ(cache_.GetFileStatus(source.c_str()) != 0, c.listed);
    EXPECT_EQ(Exists(tmp), c.listed) << tmp;
}

const ReleaseCase releaseCases[] = {
    {"NewWithoutHolders", QX_CACHE_NEW, 0, 1, false},
    {"NewOneOfTwoHoldersGone", QX_CACHE_NEW, 2, 1, true},
    {"NewBothHoldersGone", QX_CACHE_NEW, 2, 2, false},
    {"UnderWayOneOfThreeHoldersGone", QX_CACHE_UNDER_WAY, 3, 1, true},
    {"UnderWayTwoOfThreeHoldersGone", QX_CACHE_UNDER_WAY, 3, 2, true},
    {"UnderWayAllHoldersGone", QX_CACHE_UNDER_WAY, 3, 3, false},
    {"CompleteUnderTheLimit", QX_CACHE_COMPLETE, 1, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Holders, FileCacheRelease, testing::ValuesIn(releaseCases),
                         [](const testing::TestParamInfo<ReleaseCase>& info) { return info.param.name; });

TEST_F(FileCacheTest, FailedTransferDropsTheCopyWhateverItsHolders)
{
    Open(KernelLimit);
    const std::string failed = Tmp(Source(0));
    ASSERT_EQ(cache_.IncreaseFileCount(Source(0).c_str()), 1);
    ASSERT_EQ(cache_.IncreaseFileCount(Source(0).c_str()), 1);
    ASSERT_EQ(cache_.SetFileStatus(Source(0).c_str(), QX_CACHE_UNDER_WAY), 1);
    EXPECT_EQ(cache_.DropFailedFile(Source(0).c_str()), 1);
    EXPECT_EQ(cache_.GetFileStatus(Source(0).c_str()), 0);
    EXPECT_FALSE(Exists(failed));
    // The next request fetches it anew.
    int status = 0;
    Tmp(Source(0), &status);
    EXPECT_EQ(status, QX_CACHE_NEW);

    // A complete copy is not a failed one: its holders keep it.
    const std::string complete = Fetch(Source(1), 10);
    EXPECT_EQ(cache_.DropFailedFile(Source(1).c_str()), 0);
    EXPECT_TRUE(Exists(complete));
}

// ---- The folder ----

TEST_F(FileCacheTest, CloseCacheLeavesOnlyTheUsersFiles)
{
    Open(KernelLimit);
    const std::string copy = Fetch(Source(0), 10);
    const std::string pending = Tmp(Source(1));
    for (const char* name : {"page.$$$", "TMP0001.tmp", "tmpwork.dat", "text.TQX", "notes.txt", "photo.gif"})
        dir_.Write("CACHE\\" + std::string(name), "kept?");
    ASSERT_TRUE(Exists(Folder() + "\\~.~"));

    EXPECT_EQ(cache_.CloseCache(), 1);
    for (const std::string& gone : {copy, pending, Folder() + "\\~.~", Folder() + "\\page.$$$",
                                    Folder() + "\\TMP0001.tmp", Folder() + "\\tmpwork.dat",
                                    Folder() + "\\text.TQX"})
        EXPECT_FALSE(Exists(gone)) << gone;
    for (const char* kept : {"notes.txt", "photo.gif"})
        EXPECT_TRUE(Exists(Folder() + "\\" + kept)) << kept;
    EXPECT_EQ(cache_.GetFileStatus(Source(0).c_str()), 0);

    // Still open: a later open answers at once, and copies are named again.
    EXPECT_EQ(std::string(cache_.GetCacheDir()), Folder());
    EXPECT_EQ(cache_.InitCache((dir_ / "OTHER").c_str(), MiB), 1);
    int status = 0;
    EXPECT_NE(Tmp(Source(0), &status), "");
    EXPECT_EQ(status, QX_CACHE_NEW);
}

// Two programs with their caches in one folder: the first to close takes only its own copies
// away; the temporary files and the marker go with the last.
TEST_F(FileCacheTest, ASharedFolderKeepsTheOtherCachesFilesUntilTheLastCloses)
{
    Open(KernelLimit);
    FILECACHE other;
    ASSERT_EQ(other.InitCache(Folder().c_str(), KernelLimit), 1);
    const std::string mine = Fetch(Source(0), 10);
    QXSTRING theirs;
    ASSERT_EQ(other.GetTmpName(Source(1).c_str(), &theirs), QX_CACHE_NEW);
    dir_.Write("CACHE\\TMP0001.tmp", "a transfer of the other program");

    EXPECT_EQ(cache_.CloseCache(), 1);
    EXPECT_FALSE(Exists(mine));
    for (const std::string& kept : {std::string(theirs), Folder() + "\\TMP0001.tmp", Folder() + "\\~.~"})
        EXPECT_TRUE(Exists(kept)) << kept;

    EXPECT_EQ(other.CloseCache(), 1);
    for (const std::string& gone : {std::string(theirs), Folder() + "\\TMP0001.tmp", Folder() + "\\~.~"})
        EXPECT_FALSE(Exists(gone)) << gone;

    // Opened again, the cache holds the folder again.
    EXPECT_EQ(cache_.InitCache(Folder().c_str(), KernelLimit), 1);
    ASSERT_EQ(other.InitCache(Folder().c_str(), KernelLimit), 1);
    dir_.Write("CACHE\\page.$$$", "x");
    EXPECT_EQ(other.CloseCache(), 1);
    EXPECT_TRUE(Exists(Folder() + "\\page.$$$"));
    EXPECT_EQ(cache_.CloseCache(), 1);
    EXPECT_FALSE(Exists(Folder() + "\\page.$$$"));
}

TEST_F(FileCacheTest, DestroyedCacheDeletesItsCopiesButNotItsMarker)
{
    std::string copy;
    {
        FILECACHE cache;
        ASSERT_EQ(cache.InitCache(Folder().c_str(), KernelLimit), 1);
        QXSTRING tmp;
        ASSERT_EQ(cache.GetTmpName(Source(0).c_str(), &tmp), QX_CACHE_NEW);
        copy = static_cast<const char*>(tmp);
        ASSERT_TRUE(Exists(copy));
    }
    EXPECT_FALSE(Exists(copy));
    EXPECT_TRUE(Exists(Folder() + "\\~.~"));
}

}  // namespace
