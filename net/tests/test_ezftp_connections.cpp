// The synchronous FTP interface's connections: handles, their table, logon failures and
// destroying a connection while others use it.
#include "ezftp_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace {

// A file large enough that an upload is still running when the server has its first bytes.
std::string WriteLargeFile(const ScratchDir& local, const std::string& name)
{
    const std::string path = local / name;
    std::ofstream file(path, std::ios::binary);
    const std::string block(1 << 20, 'q');
    for (int i = 0; i < 128; ++i)
        file.write(block.data(), static_cast<std::streamsize>(block.size()));
    return path;
}

// What the server holds of an uploaded file so far; 0 when nothing.
DWORD UploadedBytes(const std::string& remoteName)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA((NetServers().UploadRoot() + remoteName).c_str(), GetFileExInfoStandard, &data))
        return 0;
    return data.nFileSizeLow;
}

// Waits until the server has started writing the uploaded file.
void WaitForUploadStart(const std::string& remoteName)
{
    while (UploadedBytes(remoteName) == 0)
        Sleep(5);
}

TEST_F(SyncFtp, HandlesAreOddNumbersAndAFreedOneIsReused)
{
    const int first = LogOnAsWriter();
    const int second = LogOnAsWriter();
    EXPECT_EQ(1, first);
    EXPECT_EQ(3, second);
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(first));
    EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPLogoff(first));
    const int third = LogOnAsWriter();
    EXPECT_EQ(1, third);
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(second));
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(third));
}

TEST_F(SyncFtp, TheSeventeenthConnectionGrowsTheTable)
{
    std::vector<int> handles;
    for (int i = 0; i < 17; ++i)
        handles.push_back(LogOnAsWriter());
    EXPECT_EQ(33, handles.back());
    BYTE exists = 0;
    EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPDirectoryExists(35, "/", &exists)) << "slot 17 is empty";
    for (int handle : handles)
        EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(handle));
}

TEST_F(SyncFtp, NoHandleButALiveOneIsTaken)
{
    const int handle = LogOnAsWriter();
    BYTE exists = 0;
    for (int bad : {0, 2, -1, 31, 1001}) {
        EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPDirectoryExists(bad, "/", &exists)) << bad;
        EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPFileDelete(bad, "x")) << bad;
        EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPAbort(bad)) << bad;
    }
    EXPECT_EQ(EZFTP_NOT_IMPLEMENTED, ez.EZFTPFileDelete(handle, "x"));
    EXPECT_EQ(EZFTP_NOT_IMPLEMENTED, ez.EZFTPFileDownload(handle, "x", "y"));
    EXPECT_EQ(EZFTP_NOT_IMPLEMENTED, ez.EZFTPFileRename(handle, "x", "y"));
    EXPECT_EQ(EZFTP_NOT_IMPLEMENTED, ez.EZFTPDirectoryRemove(handle, "x"));
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(handle));
}

TEST_F(SyncFtp, ARefusedLogonLeavesNoConnection)
{
    const FTP_NETWORK_CONFIG config = Direct();
    int handle = 99;
    EXPECT_EQ(EZFTP_LOGON_FAILED, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "writer", "wrong", &config));
    EXPECT_EQ(0, handle);
    NetServers().Down("ftp");
    EXPECT_EQ(EZFTP_LOGON_FAILED, ez.EZFTPLogon(&handle, NetServers().FtpHost().c_str(), "writer", "secret", &config));
    NetServers().Up("ftp");
    EXPECT_EQ(0, handle);
    EXPECT_EQ(1, LogOnAsWriter()) << "the refused connections' slot is free again";
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(1));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.EZFTPLogon(nullptr, "h", "u", "p", &config));
}

// The log off waits for the running upload, which ends whole.
TEST_F(SyncFtp, DestroyingWaitsForTheRunningRequest)
{
    const std::string source = WriteLargeFile(local, "whole.bin");
    const int handle = LogOnAsWriter();
    int uploaded = 0;
    std::thread upload([&] { uploaded = ez.EZFTPFileUpload(handle, source.c_str(), "whole.bin"); });
    WaitForUploadStart("whole.bin");
    ez.EZFTPLogoff(handle);
    upload.join();
    EXPECT_EQ(EZFTP_OK, uploaded);
    EXPECT_EQ(128u << 20, UploadedBytes("whole.bin"));
    EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPAbort(handle));
}

// Both destroys end while an upload holds the connection: the second finds no worker or no
// connection left.
TEST_F(SyncFtp, TwoDestroysAtOnceBothEnd)
{
    const std::string source = WriteLargeFile(local, "twice.bin");
    const int handle = LogOnAsWriter();
    std::thread upload([&] { ez.EZFTPFileUpload(handle, source.c_str(), "twice.bin"); });
    WaitForUploadStart("twice.bin");
    int results[2] = {};
    std::thread first([&] { results[0] = ez.EZFTPLogoff(handle); });
    std::thread second([&] { results[1] = ez.EZFTPLogoff(handle); });
    first.join();
    second.join();
    upload.join();
    for (int result : results)
        EXPECT_TRUE(result == EZFTP_OK || result == EZFTP_REFUSED || result == EZFTP_NO_WORKER ||
                    result == EZFTP_BAD_HANDLE)
            << result;
    EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPAbort(handle));
}

TEST_F(SyncFtp, AbortEndsALargeUpload)
{
    const std::string source = WriteLargeFile(local, "aborted.bin");
    const int handle = LogOnAsWriter();
    int uploaded = 0;
    std::thread upload([&] { uploaded = ez.EZFTPFileUpload(handle, source.c_str(), "aborted.bin"); });
    WaitForUploadStart("aborted.bin");
    EXPECT_EQ(EZFTP_OK, ez.EZFTPAbort(handle));
    upload.join();
    EXPECT_EQ(EZFTP_TRANSFER_FAILED, uploaded);
    EXPECT_LT(UploadedBytes("aborted.bin"), 128u << 20);
    EXPECT_EQ(EZFTP_OK, ez.EZFTPAbort(handle)) << "an idle connection takes an abort as done";
    EXPECT_EQ(EZFTP_OK, ez.EZFTPLogoff(handle));
}

}  // namespace
