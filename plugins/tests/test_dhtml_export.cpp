// A page of the real plug-ins exported on its own: the kernel's frame around their lines,
// and their media published beside the page once each, under names fit for FTP.
#include "pagehost.h"

#include "dhtmlexport.h"
#include "qxbmp.h"

#include <gtest/gtest.h>

namespace {

RecordLines SoundRecord(const std::string& name, const std::string& file)
{
    return ObjectRecord("QXAUDIO.DLL", 0, name, NoBranch(), {"SOUND {", "10 10 48 48", file, "0", "1", "}"});
}

}  // namespace

TEST(DhtmlPageExport, ThePluginsMediaArePublishedOnceBesideThePage)
{
    PageHost host;
    host.pub.Write("Ton Clair.wav", WavFile(100));
    // A JPEG picture shown unchanged is published as it is.
    host.pub.Write("pic.bmp", BmpFile(40, 30, [](int, int) { return RGB(255, 0, 0); }));
    BMP picture;
    ASSERT_EQ(0, picture.Import(host.Page("pic.bmp").c_str()));
    ASSERT_EQ(0, picture.Export(host.Page("Rouge.jpg").c_str(), BMP_FORMAT_JPEG, 24));
    host.pub.Write("a.pag",
                   PageFile({ObjectRecord("QXSHEET.DLL", 3, "page", NoBranch(), PageBlock("A", 1, 2, 3)),
                             SoundRecord("un", ".\\Ton Clair.wav"), SoundRecord("deux", ".\\Ton Clair.wav"),
                             ObjectRecord("QXPICT.DLL", 0, "image", NoBranch(),
                                          {"IMAGE {", "60 10 40 30", ".\\Rouge.jpg", "0 0 0 0", "NULL", "}"})}));
    ASSERT_EQ(1, host.Go("a.pag"));
    ScratchDir app;
    app.Write("qxstage40.js", "// script\r\n");
    host.kernel->appPath = app.Path().c_str();

    ScratchDir site("qxsite");
    ASSERT_EQ(1, KernSaveCurrentPageInDHTML(host, (site / "a.html").c_str()));

    const std::string page = site.Read("a.html");
    EXPECT_EQ(0u, page.find("<html>\r\n<body onload=\"QXObjectAnimate(QXObjects)\" bgcolor=\"#ffffff\">\r\n"))
        << page;
    EXPECT_NE(std::string::npos, page.find("\r\n<script src=\"./qxstage40.js\"></script>\r\n")) << page;
    const size_t first = page.find("QXObjects[objindex++] = QXPage(\"page\",");
    const size_t second = page.find("QXObjects[objindex++] = QXSound(\"un\",", first);
    const size_t third = page.find("QXObjects[objindex++] = QXSound(\"deux\",", second);
    const size_t fourth = page.find("QXObjects[objindex++] = QXImage(\"image\",", third);
    EXPECT_NE(std::string::npos, fourth) << page;
    EXPECT_NE(std::string::npos, page.find("\"./ton_clair1.wav\"", second)) << page;
    EXPECT_NE(std::string::npos, page.find("\"./ton_clair1.wav\"", third)) << page;
    EXPECT_NE(std::string::npos, page.find("\"./rouge1.jpg\"", fourth)) << page;
    const std::string tail = "}\r\n//" + std::string(93, '-') + "\r\n</script>\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(page.size() - tail.size(), page.rfind(tail)) << page;

    EXPECT_EQ((std::vector<std::string>{"a.html", "qxstage40.js", "rouge1.jpg", "ton_clair1.wav"}), FilesIn(site.Path()));
    EXPECT_EQ(host.pub.Read("Ton Clair.wav"), site.Read("ton_clair1.wav"));
    EXPECT_EQ(host.pub.Read("Rouge.jpg"), site.Read("rouge1.jpg"));
}
