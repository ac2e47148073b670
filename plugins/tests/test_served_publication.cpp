// A publication played from servers through the real internet library: its page on the HTTP
// server, the page's picture on the FTP server, a button to the next page on the HTTP server;
// and a picture the server does not have.
#include "pagehost.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "image/image.h"
#include "internet_servers.h"

#include <gtest/gtest.h>

namespace {

const COLORREF PageColour = RGB(10, 20, 200);
const COLORREF Orange = RGB(250, 140, 0);

// A branch to an address as it stands.
RecordLines BranchToAddress(const std::string& address)
{
    RecordLines branch = BranchTo("x");
    for (std::string& line : branch)
        if (line == ".\\x")
            line = address;
    return branch;
}

RecordLines ButtonTo(const std::string& address)
{
    return ObjectRecord("QXPUSH.DLL", 0, "suivant", BranchToAddress(address),
                        {"BOUTON {", "Suivant >>", "440 380 160 44", "2", "0",
                         "   18.000000,    0.000000,0,0,700,0,0,0,0,3,2,0,34,\"Arial\"", "0 0 0 0", "2", "0 0 0 0",
                         "192 192 192 0", "0 0 96 0", "NULL", "NULL", "NULL", "0", "0", "2.0", "-18", "NULL", "}"});
}

// The kernel of a page host with internet access through the library built beside the tests.
class ServedPublication : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(servers.Started());
        KernStart(1);
    }
    void TearDown() override
    {
        KernEnd();
        KernStart(0);
    }

    std::string Http(const std::string& name) const { return "HTTP://" + servers.HttpHost() + "/" + name; }
    std::string Ftp(const std::string& name) const { return "FTP://" + servers.FtpHost() + "/" + name; }

    // "Début" with the picture `picture` at (100, 50) and the button to "suite.pag"; "Suite" plain.
    void Serve(const std::string& picture)
    {
        servers.ServeHttp("debut.pag",
                          PageFile({ObjectRecord("QXSHEET.DLL", 2, "NULL", NoBranch(), PageBlock("Début", 10, 20, 200)),
                                    ObjectRecord("QXPICT.DLL", 0, "photo", NoBranch(),
                                                 {"IMAGE {", "100 50 40 20", picture, "0 0 0 0", "NULL", "0 255 0 255",
                                                  "0 0 0 0", "0 0 0 0", "}"}),
                                    ButtonTo(Http("suite.pag"))}));
        servers.ServeHttp("suite.pag",
                          PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("Suite", 0, 0, 0))}));
        servers.ServeFtp("photo.bmp", BmpFile(40, 20, [](int, int) { return Orange; }));
    }

    // Clicks the button and waits for the next page.
    bool FollowTheButton(PageHost& host)
    {
        OBJET* button = KernFindObjetEx(host, "suivant");
        if (!button || !button->window)
            return false;
        SendMessageA(button->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(button->window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        return PumpUntil([&] { return host.Shown() == "Suite"; }, 20000);
    }

    InternetServers& servers = SharedInternetServers();
};

TEST_F(ServedPublication, PageAndPictureComeFromTheServersAndTheButtonLeadsOn)
{
    Serve(Ftp("photo.bmp"));
    PageHost host;
    DialogAnswerer unattended;
    ASSERT_EQ(1, host.kernel->history.Push(Http("debut.pag").c_str(), nullptr, 0));
    EXPECT_EQ("Début", host.Shown());
    auto* image = static_cast<IMAGE*>(KernFindObjetEx(host, "photo"));
    ASSERT_NE(nullptr, image);
    ASSERT_TRUE(PumpUntil([&] { return image->picture != nullptr; }, 20000));
    const HBITMAP page = host.Render();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(Orange, PixelOf(page, 110, 60));
    EXPECT_EQ(Orange, PixelOf(page, 139, 69));
    EXPECT_EQ(PageColour, PixelOf(page, 150, 60));
    DeleteObject(page);
    // Only the kernel's own transfer dialog came up, for the pages it waited for.
    for (const ShownDialog& shown : unattended.Shown())
        EXPECT_EQ("Connexion Internet", shown.caption);
    EXPECT_TRUE(FollowTheButton(host));
    // The kernel asked for every name in small letters.
    const std::string log = servers.FtpLog();
    EXPECT_NE(std::string::npos, log.find("RETR photo.bmp")) << log;
}

TEST_F(ServedPublication, AMissingPictureIsToldWithItsAddressAndThePlayGoesOn)
{
    Serve(Ftp("absente.bmp"));
    PageHost host;
    DialogAnswerer answerer([&](HWND dialog) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        return std::string(caption) == "Téléchargement" ? IDCANCEL : IDOK;
    });
    ASSERT_EQ(1, host.kernel->history.Push(Http("debut.pag").c_str(), nullptr, 0));
    auto* image = static_cast<IMAGE*>(KernFindObjetEx(host, "photo"));
    ASSERT_NE(nullptr, image);
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (const ShownDialog& shown : answerer.Shown())
                if (shown.caption == "Téléchargement")
                    return true;
            return false;
        },
        20000));
    // The failure stops the picture taking part in drawing.
    ASSERT_TRUE(PumpUntil([&] { return image->loadedName.length() == 0; }, 20000));
    const ShownDialog* box = nullptr;
    for (const ShownDialog& shown : answerer.Shown())
        if (shown.caption == "Téléchargement")
            box = &shown;
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, box->text.find("absente.bmp")) << box->text;
    EXPECT_NE(std::string::npos, box->text.find(servers.FtpHost())) << box->text;
    EXPECT_EQ(nullptr, image->picture);
    const HBITMAP page = host.Render();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(PageColour, PixelOf(page, 110, 60));
    DeleteObject(page);
    EXPECT_TRUE(FollowTheButton(host));
}

}  // namespace
