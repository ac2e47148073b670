// The FTP directory view's work without a window: listing lines, the name filter, the orders
// of the columns and of the saved-address rows, the parent folder and the dialog's result.
#include "browse_sort.h"
#include "ftp_listing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const FTP_TYPE_WORDS Words{"Dossier", "Fichier"};

FTP_LISTING_ENTRY Entry(const char* name, long size, bool folder, const char* type = "", const char* modified = "")
{
    FTP_LISTING_ENTRY entry;
    entry.name = name;
    entry.size = size;
    entry.folder = folder;
    entry.type = type;
    entry.modified = modified;
    return entry;
}

}  // namespace

TEST(FtpListing, LinesGiveTheirEntries)
{
    struct Case {
        const char* line;
        bool listed;
        const char* name;
        long size;
        bool folder;
        const char* modified;
        const char* type;
    };
    const Case cases[] = {
        {"drwxr-xr-x 2 user group 512 Jan 12 10:30 pub", true, "pub", -1, true, "Jan 12 10:30 ", "Dossier"},
        {"-rw-r--r-- 1 user group 1536 Feb 3 2001 a.txt", true, "a.txt", 1536, false, "Feb 3 2001 ", "Fichier txt"},
        {"lrwxrwxrwx 1 user group 1 Mar 4 09:00 x -> y", true, "x", 1, false, "Mar 4 09:00 ", "Fichier"},
        // As the test server writes them: blanks padding the columns.
        {"-rw-r--r--   1 owner    group          12 Dec 11 05:10 b.htm", true, "b.htm", 12, false,
         "Dec 11 05:10 ", "Fichier htm"},
        {"drwxr-xr-x   2 owner    group        4096 Dec 11 05:10 my folder", true, "my folder", -1, true,
         "Dec 11 05:10 ", "Dossier"},
        {"-rw-r--r-- 1 u g 7 Jan 1 2000 dir/sub/c.gif", true, "c.gif", 7, false, "Jan 1 2000 ", "Fichier gif"},
        {"readme.txt 300", true, "readme.txt", 300, false, "", "Fichier txt"},
        {"images <DIR>", true, "images", -1, true, "", "Dossier"},
        {"drwxr-xr-x 2 user group 512 Jan 12 10:30 .", false, "", 0, false, "", ""},
        {"drwxr-xr-x 2 user group 512 Jan 12 10:30 ..", false, "", 0, false, "", ""},
        {". <DIR>", false, "", 0, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FTP_LISTING_ENTRY entry;
        ASSERT_EQ(c.listed, ParseListingLine(c.line, Words, entry));
        if (!c.listed)
            continue;
        EXPECT_EQ(c.name, entry.name);
        EXPECT_EQ(c.size, entry.size);
        EXPECT_EQ(c.folder, entry.folder);
        EXPECT_EQ(c.modified, entry.modified);
        EXPECT_EQ(c.type, entry.type);
    }
}

TEST(FtpListing, ALineOverFiveHundredCharactersNamesNothing)
{
    FTP_LISTING_ENTRY entry;
    const std::string atLimit = "-rw-r--r-- 1 u g 5 Jan 1 2000 " + std::string(470, 'n');
    ASSERT_EQ(500u, atLimit.size());
    EXPECT_TRUE(ParseListingLine(atLimit, Words, entry));
    EXPECT_EQ(470u, entry.name.size());
    EXPECT_FALSE(ParseListingLine(atLimit + "n", Words, entry));
}

TEST(FtpListing, AListingEndsAtAnEmptyLineOrAPieceWithoutLineFeed)
{
    struct Case {
        const char* text;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"a.txt 1\r\nb.txt 2\r\n", {"a.txt", "b.txt"}},
        {"a.txt 1\n\nb.txt 2\n", {"a.txt"}},
        {"a.txt 1\nb.txt 2", {"a.txt"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> names;
        for (const FTP_LISTING_ENTRY& entry : ParseListing(c.text, Words))
            names.push_back(entry.name);
        EXPECT_EQ(c.names, names);
    }
}

TEST(FtpListing, FilterPassesMatchingNamesAndEveryFolder)
{
    struct Case {
        const char* filter;
        const char* name;
        bool folder;
        bool passes;
    };
    const Case cases[] = {
        {"*.txt;*.htm", "A.TXT", false, true},    {"*.txt;*.htm", "page.htm", false, true},
        {"*.txt;*.htm", "a.gif", false, false},   {"*.txt;*.htm", "a.txt.bak", false, true},
        {"*.txt;*.htm", "images", true, true},    {"*.*", "anything", false, true},
        {"a?c.txt", "abc.txt", false, true},      {"a?c.txt", "ac.txt", false, false},
        {"*.txt", "txt", false, false},            {"b*", "abc", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " " + c.name);
        EXPECT_EQ(c.passes, PassesFilter(c.filter, c.name, c.folder));
    }
}

TEST(FtpListing, SortKeysOrderTheEntries)
{
    const FTP_LISTING_ENTRY folder = Entry("Zeta", -1, true, "Dossier", "Jan 1 2000 ");
    const FTP_LISTING_ENTRY small = Entry("alpha.txt", 10, false, "Fichier txt", "Mar 1 2000 ");
    const FTP_LISTING_ENTRY big = Entry("Beta.gif", 5000, false, "Fichier gif", "Feb 1 2000 ");
    struct Case {
        int key;
        const FTP_LISTING_ENTRY& first;
        const FTP_LISTING_ENTRY& second;
    };
    const Case cases[] = {
        {0, folder, small}, {0, small, big},   {1, big, small},   {1, small, folder}, {2, folder, small},
        {2, small, big},    {3, big, small},   {4, folder, big},  {4, big, small},    {5, small, big},
        {6, big, small},    {6, big, folder},  {7, small, big},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_LT(CompareListingEntries(c.first, c.second, c.key), 0) << c.first.name << " before " << c.second.name;
        EXPECT_GT(CompareListingEntries(c.second, c.first, c.key), 0);
    }
    EXPECT_EQ(0, CompareListingEntries(small, big, 8));
}

TEST(FtpListing, ColumnClicksSortAscendingThenDescending)
{
    struct Case {
        int code;
        int lastKey;
        int key;
    };
    const Case cases[] = {
        {0, 5, 0}, {7, 0, 7}, {30, 0, 1}, {30, 1, 0}, {30, 4, 0}, {31, 2, 3}, {31, 3, 2}, {33, 6, 7}, {34, 0, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.key, NextSortKey(c.code, c.lastKey)) << c.code << " after " << c.lastKey;
}

TEST(FtpListing, SizesShowInWholeKilobytes)
{
    const std::pair<long, const char*> cases[] = {{0, "1Ko"}, {500, "1Ko"}, {1536, "1Ko"}, {2048, "2Ko"},
                                                  {1048576, "1024Ko"}};
    for (const auto& [size, text] : cases)
        EXPECT_EQ(text, SizeColumnText(size, "Ko")) << size;
}

TEST(FtpListing, ParentFolders)
{
    struct Case {
        const char* dir;
        bool has;
        const char* parent;
    };
    const Case cases[] = {{"/pub/dir", true, "/pub"}, {"/pub", true, "/"}, {"/", false, ""}, {"pub", false, ""}};
    for (const Case& c : cases) {
        std::string parent;
        EXPECT_EQ(c.has, ParentDirectory(c.dir, parent)) << c.dir;
        EXPECT_EQ(c.parent, parent) << c.dir;
    }
}

class FtpResult : public testing::Test {
protected:
    int Build(const char* text, int fileSize = sizeof file, int titleSize = sizeof title)
    {
        std::memset(file, 'x', sizeof file);
        std::memset(title, 0, sizeof title);
        return BuildFtpResult("ftp://h/pub", text, [](const std::string& name) { return name != "gone.txt"; }, file,
                              fileSize, title, titleSize);
    }
    std::string Bytes(size_t count) const { return std::string(file, count); }

    char file[64];
    char title[16];
};

TEST_F(FtpResult, OneNameGivesTheFileAddress)
{
    ASSERT_EQ(0, Build("a.txt"));
    EXPECT_EQ(std::string("ftp://h/pub/a.txt\0\0", 19), Bytes(19));
    EXPECT_STREQ("a.txt", title);
    ASSERT_EQ(0, Build("\"b.txt\""));
    EXPECT_STREQ("ftp://h/pub/b.txt", file);
}

TEST_F(FtpResult, SeveralNamesGiveTheFolderThenEachName)
{
    ASSERT_EQ(0, Build("\"a.txt\" \"b.txt\""));
    EXPECT_EQ(std::string("ftp://h/pub\0a.txt\0b.txt\0\0", 25), Bytes(25));
    EXPECT_STREQ("a.txt", title);
}

TEST_F(FtpResult, AMissingNameIsLeftInTheBuffer)
{
    EXPECT_EQ(FTPVIEW_MISSING_FILE, Build("\"a.txt\" \"gone.txt\""));
    EXPECT_STREQ("gone.txt", file);
}

TEST_F(FtpResult, WhatDoesNotFitAnswersTooLong)
{
    struct Case {
        const char* text;
        int fileSize;
    };
    // The typed text, the folder's address, a name appended, the path, the final zero.
    const Case cases[] = {{"abcdefghijklmnop", 15}, {"a", 11}, {"\"a.txt\" \"b.txt\"", 20},
                          {"a.txt", 17}, {"\"a.txt\" \"b.txt\"", 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FTPVIEW_TOO_LONG, Build(c.text, c.fileSize));
        EXPECT_EQ('x', file[c.fileSize]) << "nothing written past the buffer";
    }
    EXPECT_EQ(0, Build("\"a.txt\" \"b.txt\"", 25));
}

TEST_F(FtpResult, ALongFirstNameLeavesTheTitleEmpty)
{
    ASSERT_EQ(0, Build("abcdefghijklmnop.txt"));
    EXPECT_STREQ("", title);
}
