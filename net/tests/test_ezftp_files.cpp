// Files and folders through the synchronous FTP interface, seen on the server's disk.
#include "ezftp_fixture.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool FolderOnServer(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA((NetServers().UploadRoot() + path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SyncFtpFiles : public SyncFtp {
protected:
    void SetUp() override
    {
        SyncFtp::SetUp();
        handle = LogOnAsWriter();
        ASSERT_NE(0, handle);
    }
    void TearDown() override
    {
        if (handle) {
            EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(handle));
        }
        SyncFtp::TearDown();
    }
    // The listing's names, sorted, through a buffer of `size` bytes.
    std::vector<std::string> List(const char* directory, int size = 4096)
    {
        std::vector<char> buffer(static_cast<size_t>(size) + 1, 0);
        EXPECT_EQ(EZFTP_OK, ez.EZFTPDirectoryList(handle, directory, buffer.data(), &size));
        std::vector<std::string> names = Names(buffer.data());
        std::sort(names.begin(), names.end());
        return names;
    }

    int handle = 0;
};

TEST_F(SyncFtpFiles, FixturesUploadByteForByte)
{
    for (const TransferFixture& fixture : TransferFixtures()) {
        local.Write(fixture.name, fixture.bytes);
        const std::string remote = std::string("sync_") + fixture.name;
        EXPECT_EQ(EZFTP_OK, ez.EZFTPFileUpload(handle, (local / fixture.name).c_str(), remote.c_str()));
        EXPECT_EQ(fixture.bytes, NetServers().ReadUpload(remote)) << fixture.name;
        BYTE exists = 0;
        EXPECT_EQ(EZFTP_OK, ez.EZFTPFileExists(handle, remote.c_str(), &exists));
        EXPECT_EQ(1, exists) << remote;
    }
    BYTE exists = 1;
    EXPECT_EQ(EZFTP_OK, ez.EZFTPFileExists(handle, "sync_none.bin", &exists));
    EXPECT_EQ(0, exists);
    EXPECT_EQ(EZFTP_TRANSFER_FAILED, ez.EZFTPFileUpload(handle, (local / "missing.bin").c_str(), "sync_missing.bin"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPFileUpload(handle, "", "x"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPFileUpload(handle, (local / std::string(260, 'l')).c_str(), "x"))
        << "a name too long for the request is refused, not cut";
}

TEST_F(SyncFtpFiles, ListingNamesFoldersWithASlashAndTheLastWordOfEachLine)
{
    NetServers().ServeUpload("listing\\a.txt", "a");
    NetServers().ServeUpload("listing\\with blank.txt", "b");
    NetServers().ServeUpload("listing\\sub\\inner.txt", "c");
    EXPECT_EQ((std::vector<std::string>{"a.txt", "blank.txt", "sub/"}), List("/listing"));
}

TEST_F(SyncFtpFiles, SmallBuffersDropWhatDoesNotFit)
{
    NetServers().ServeUpload("single\\only.txt", "o");
    ASSERT_TRUE(CreateDirectoryA((NetServers().UploadRoot() + "emptyfolder").c_str(), nullptr));
    const struct {
        const char* directory;
        int size;
        int result;
        std::string expected;  // the buffer's first bytes afterwards
    } cases[] = {
        {"/single", 2, EZFTP_BUFFER_TOO_SMALL, std::string("##", 2)},
        {"/single", 9, EZFTP_OK, std::string("##", 2)},  // "only.txt", its 0 and the last 0 need 10
        {"/single", 10, EZFTP_OK, std::string("only.txt\0\0", 10)},
        {"/emptyfolder", 64, EZFTP_OK, std::string("##", 2)},
    };
    for (const auto& c : cases) {
        std::string buffer(64, '#');
        int size = c.size;
        EXPECT_EQ(c.result, ez.EZFTPDirectoryList(handle, c.directory, buffer.data(), &size)) << c.size;
        EXPECT_EQ(c.expected, buffer.substr(0, c.expected.size())) << c.directory << " " << c.size;
    }
    int size = 64;
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPDirectoryList(handle, nullptr, nullptr, &size));
}

TEST_F(SyncFtpFiles, FoldersAreFoundMadeAndEntered)
{
    ASSERT_TRUE(CreateDirectoryA((NetServers().UploadRoot() + "mk").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((NetServers().UploadRoot() + "mk\\a").c_str(), nullptr));
    NetServers().ClearLogs();
    EXPECT_EQ(EZFTP_OK, ez.EZFTPDirectoryMakePath(handle, "/mk/a/b/c"));
    EXPECT_TRUE(FolderOnServer("mk\\a\\b\\c"));
    const std::string log = NetServers().FtpLog();
    EXPECT_NE(std::string::npos, log.find("MKD /mk/a/b\n"));
    EXPECT_NE(std::string::npos, log.find("MKD /mk/a/b/c"));
    EXPECT_EQ(std::string::npos, log.find("MKD /mk/a\n")) << log;

    const struct {
        const char* path;
        BYTE exists;
    } found[] = {{"/", 1}, {".", 1}, {"/mk", 1}, {"/mk/a/b", 1}, {"mk/a", 1}, {"/mk/z", 0}, {"/none/z", 0}};
    for (const auto& c : found) {
        BYTE exists = 2;
        EXPECT_EQ(EZFTP_OK, ez.EZFTPDirectoryExists(handle, c.path, &exists)) << c.path;
        EXPECT_EQ(c.exists, exists) << c.path;
    }
    BYTE exists = 2;
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPDirectoryExists(handle, "/mk/", &exists));
    EXPECT_EQ(0, exists);

    EXPECT_EQ(EZFTP_OK, ez.EZFTPDirectoryChangeCurrent(handle, "/mk/a"));
    EXPECT_EQ(EZFTP_OK, ez.EZFTPDirectoryMakePath(handle, "./here"));
    EXPECT_TRUE(FolderOnServer("mk\\a\\here"));
    EXPECT_EQ(EZFTP_REFUSED, ez.EZFTPDirectoryChangeCurrent(handle, "/none"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPDirectoryChangeCurrent(handle, ""));
}

TEST_F(SyncFtpFiles, MalformedPathsAreRefusedBeforeAnyRequest)
{
    NetServers().ClearLogs();
    for (const char* path : {"", "/a//b", "/a/b/", "/a/../b", "../a", "..", ".", "/a/.", "/"})
        EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPDirectoryMakePath(handle, path)) << path;
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPDirectoryMakePath(handle, nullptr));
    EXPECT_EQ("", NetServers().FtpLog());
}

}  // namespace
