// Publishing through the synchronous interface with the user in the loop: the error form
// comes up on the opening thread for each failed attempt.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "ezftp_fixture.h"
#include "form_ids.h"

#include <gtest/gtest.h>

namespace {

class Publishing : public SyncFtp {
protected:
    void SetUp() override
    {
        SyncFtp::SetUp();
        ASSERT_EQ(1, ez.QXNetOpen());
    }
    void TearDown() override
    {
        if (ez.QXNetOpen)
            ez.QXNetClose();
        SyncFtp::TearDown();
    }
    int Open(const char* directory, const char* password = "secret")
    {
        return ez.FTPOpenConnection(NetServers().FtpHost().c_str(), directory, "writer", password);
    }
    bool OnServer(const std::string& path) const
    {
        return GetFileAttributesA((NetServers().UploadRoot() + path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(Publishing, AnEmptyFolderGivesTheHandleRightAfterTheLogon)
{
    const int handle = Open("");
    EXPECT_EQ(1, handle);
    const std::string log = NetServers().FtpLog();
    EXPECT_EQ(std::string::npos, log.find("LIST")) << log;
    EXPECT_EQ(std::string::npos, log.find("CWD")) << log;
    ez.FTPCloseConnection(handle);
    EXPECT_EQ(EZFTP_BAD_HANDLE, ez.EZFTPAbort(handle));
}

TEST_F(Publishing, TheFolderIsMadeAndEnteredThenFilesGoInto)
{
    const int handle = Open("pub/site/");
    ASSERT_GT(handle, 0);
    EXPECT_TRUE(OnServer("pub\\site"));
    local.Write("page.pag", "PAGE");
    EXPECT_EQ(EZFTP_OK, ez.FTPCopy(handle, (local / "page.pag").c_str(), "page.pag"));
    EXPECT_EQ("PAGE", NetServers().ReadUpload("pub\\site\\page.pag"));
    EXPECT_EQ(EZFTP_OK, ez.FTPCopy(handle, (local / "page.pag").c_str(), "media/img/page.pag"));
    EXPECT_EQ("PAGE", NetServers().ReadUpload("pub\\site\\media\\img\\page.pag"));
    ez.FTPCloseConnection(handle);
}

TEST_F(Publishing, NullArgumentsAreRefused)
{
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.FTPOpenConnection(nullptr, "", "writer", "secret"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.FTPOpenConnection("h", "", nullptr, "secret"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.FTPCopy(1, nullptr, "x"));
    EXPECT_EQ(EZFTP_BAD_ARGUMENT, ez.FTPCopy(1, "x", nullptr));
}

// The target is a folder on the server, so the upload is refused until it goes.
class RefusedUpload : public Publishing {
protected:
    void SetUp() override
    {
        Publishing::SetUp();
        folder = testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA((NetServers().UploadRoot() + folder).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((NetServers().UploadRoot() + folder + "\\target.bin").c_str(), nullptr));
        local.Write("target.bin", "TARGET");
        handle = Open("");
        ASSERT_GT(handle, 0);
    }
    void TearDown() override
    {
        ez.FTPCloseConnection(handle);
        Publishing::TearDown();
    }
    int Copy() { return ez.FTPCopy(handle, (local / "target.bin").c_str(), (folder + "/target.bin").c_str()); }
    std::string folder;
    int handle = 0;
};

TEST_F(RefusedUpload, CancelGivesTheUploadsCode)
{
    std::string message, file, caption;
    bool networkButton = true;
    DialogAnswerer answerer([&](HWND form) {
        caption = WindowText(form);
        message = ItemText(form, IDC_ERROR_MESSAGE);
        file = ItemText(form, IDC_ERROR_FILE);
        networkButton = IsWindowEnabled(GetDlgItem(form, IDC_ERROR_NETWORK)) != FALSE;
        return IDCANCEL;
    });
    EXPECT_EQ(EZFTP_TRANSFER_FAILED, Copy());
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur Réseau", caption);
    EXPECT_EQ("Une erreur est survenue lors du téléchargement du fichier suivant :", message);
    EXPECT_EQ(local / "target.bin", file);
    EXPECT_FALSE(networkButton) << "only a connection error offers the network settings";
}

TEST_F(RefusedUpload, RetryOnceTheCauseIsGoneUploads)
{
    DialogAnswerer answerer([&](HWND) {
        RemoveDirectoryA((NetServers().UploadRoot() + folder + "\\target.bin").c_str());
        return IDRETRY;
    });
    EXPECT_EQ(EZFTP_OK, Copy());
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("TARGET", NetServers().ReadUpload(folder + "\\target.bin"));
}

TEST_F(Publishing, AFailedConnectionIsRetriedWithANewLogon)
{
    std::string message;
    bool networkButton = false;
    int shown = 0;
    DialogAnswerer answerer([&](HWND form) {
        message = ItemText(form, IDC_ERROR_MESSAGE);
        networkButton = IsWindowEnabled(GetDlgItem(form, IDC_ERROR_NETWORK)) != FALSE;
        NetServers().Up("ftp");
        return ++shown == 1 ? IDRETRY : IDCANCEL;
    });
    NetServers().Down("ftp");
    const int handle = Open("");
    EXPECT_EQ(1, shown);
    EXPECT_EQ(1, handle);
    EXPECT_EQ("Une erreur est survenue pendant la connection au serveur suivant :", message);
    EXPECT_TRUE(networkButton);
    ez.FTPCloseConnection(handle);
    EXPECT_EQ(EZFTP_LOGON_FAILED, Open("", "wrong")) << "cancelled at once";
    EXPECT_EQ(2, shown);
}

}  // namespace
