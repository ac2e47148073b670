// The connection thread lent to one job at a time: requests from the job's thread, events
// delivered on the connection thread.
#include "connection_thread.h"
#include "net_servers.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RecordingFtpReceiver : public qnet_CFtpReceiver {
public:
    int OnDirectoryLine(const char*) override { return 1; }
    int OnEndTransfer() override
    {
        ++ends;
        return 1;
    }
    int OnError(int, const char*) override
    {
        ++errors;
        return 1;
    }
    int OnNotice(int, const char*) override { return 1; }
    int OnStartTransfer() override { return 1; }
    int OnData(long, const char* block, unsigned short length) override
    {
        deliveredOn = GetCurrentThreadId();
        data.append(block, length);
        return 1;
    }
    std::string data;
    DWORD deliveredOn = 0;
    int ends = 0;
    int errors = 0;
};

TEST(ConnectionThread, LentToOneJobAtATime)
{
    qnet_CConnectionThread* thread = qnet_CConnectionThread::Acquire();
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(nullptr, qnet_CConnectionThread::Acquire());
    thread->Release();
    EXPECT_EQ(thread, qnet_CConnectionThread::Acquire());
    thread->Release();
    qnet_CConnectionThread::Shutdown();
}

TEST(ConnectionThread, FtpDownloadDrivenFromTheJobThreadWithEventsOnTheConnectionThread)
{
    ASSERT_TRUE(NetServers().Started());
    const TransferFixture fixture = TransferFixtures()[1];
    NetServers().ServeFtp(fixture.name, fixture.bytes);
    qnet_CConnectionThread* thread = qnet_CConnectionThread::Acquire();
    ASSERT_NE(nullptr, thread);
    RecordingFtpReceiver receiver;
    const qnet_CFtpInterface* ftp = thread->CreateFtpInterface(&receiver);
    EXPECT_THROW(thread->CreateHttpInterface(nullptr), int) << "one interface a job";
    EXPECT_EQ(0, ftp->SetRemoteHost(NetServers().FtpHost().c_str()));
    EXPECT_EQ(0, ftp->SetUser("anonymous"));
    EXPECT_EQ(0, ftp->SetPassword("guest@"));
    EXPECT_EQ(0, ftp->SetPassive(1));
    EXPECT_EQ(0, ftp->SetRemoteFile(fixture.name));
    ASSERT_EQ(0, ftp->SetAction(FTP_LOGON));
    EXPECT_EQ(0, ftp->SetTransferMode(FTP_IMAGE));
    EXPECT_EQ(0, ftp->SetAction(FTP_DOWNLOAD));
    EXPECT_EQ(0, ftp->SetAction(FTP_LOGOFF));
    EXPECT_EQ(fixture.bytes, receiver.data);
    EXPECT_EQ(thread->ThreadId(), receiver.deliveredOn);
    EXPECT_NE(GetCurrentThreadId(), receiver.deliveredOn);
    EXPECT_EQ(1, receiver.ends);
    // A failing action answers the component's error number.
    ftp->SetRemoteFile("missing.bin");
    EXPECT_EQ(0, ftp->SetAction(FTP_LOGON));
    EXPECT_EQ(IPWORKS_REFUSED, ftp->SetAction(FTP_DOWNLOAD));
    EXPECT_EQ(1, receiver.errors);
    thread->Release();
    // The next job gets an interface of its own.
    ASSERT_EQ(thread, qnet_CConnectionThread::Acquire());
    EXPECT_NE(nullptr, thread->CreateHttpInterface(nullptr));
    thread->Release();
    qnet_CConnectionThread::Shutdown();
}

}  // namespace
