// An animation's lines in an exported page and the files it publishes, and the thumbnails of
// media files: FLIC files drawn by the module's player, films through MCI or the media server.
#include "motion_pages.h"
#include "plugintest.h"

#include "accessors.h"
#include "dhtmlexport.h"
#include "dialog_answerer.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "qxbmp.h"
#include "qxfile.h"
#include "sample_files.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

// The page shown exported on its own into `site`; the page's HTML.
std::string ExportShownPage(PageHost& host, ScratchDir& site)
{
    ScratchDir app;
    app.Write("qxstage40.js", "// script\r\n");
    host.kernel->appPath = app.Path().c_str();
    EXPECT_EQ(1, KernSaveCurrentPageInDHTML(host, (site / "a.html").c_str()));
    return site.Read("a.html");
}

// The animation's own lines: from its branch list to the end of its constructor call.
std::string AnimationLines(const std::string& page, const char* constructor)
{
    const size_t call = page.find(constructor);
    const size_t start = page.rfind("branchlist = new Array();", call);
    if (call == std::string::npos || start == std::string::npos)
        return "";
    return page.substr(start, page.find(");\r\n", call) + 4 - start);
}

// A date long past given to a source, so that a copy dated now shows.
constexpr ULONGLONG OldDate = 126227808000000000ull;  // 2001-01-01

void Backdate(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME old{static_cast<DWORD>(OldDate), static_cast<DWORD>(OldDate >> 32)};
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
}

// Whether the copy bears the source's old date, to the two seconds that file dates keep.
bool KeptTheOldDate(const std::string& copy)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(copy.c_str(), GetFileExInfoStandard, &data);
    const ULONGLONG time =
        (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return time + 20000000 > OldDate && time < OldDate + 20000000;
}

}  // namespace

TEST(MotionExport, AFilmWithTwoBranchesAndNoNameWritesItsLines)
{
    PageHost host;
    DialogAnswerer answerer;  // films nothing plays are told of
    host.pub.Write("clip.mov", "not really a film");
    Backdate(host.Page("clip.mov"));
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("B", 0, 0, 0))}));
    FlcRecord film;
    film.media = ".\\clip.mov";
    film.loop = 1;
    film.bar = 1;
    film.loopCount = 3;
    film.fps = 12;
    film.w = 100;
    host.pub.Write("a.pag", AnimationPage({{"NULL", film}}, TwoBranches("b.pag", "b.pag")));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* flc = static_cast<FLC*>(KernGetTopObjet(host)->GetChild(0));
    ASSERT_TRUE(flc);
    flc->showDelay = 1.25;
    ScratchDir site("qxsite");
    const std::string lines = AnimationLines(ExportShownPage(host, site), "QXAnim(");
    EXPECT_EQ("branchlist = new Array();\r\n"
              "branchlist[0] = new QXBranch(\"0\",\"./b1.html\",null,0.0,null,null);\r\n"
              "branchlist[1] = new QXBranch(\"0\",\"./b1.html\",null,0.0,null,null);\r\n"
              "QXObjects[objindex++] = QXAnim(\"object1\",10,20,100,48,1250,null,branchlist,null,null,"
              "\"./clip1.mov\",true,3,false,true,12);\r\n",
              lines);
    // A QuickTime film is copied with its date.
    EXPECT_EQ("not really a film", site.Read("clip1.mov"));
    EXPECT_TRUE(KeptTheOldDate(site / "clip1.mov"));
}

TEST(MotionExport, NameAndUserStringAreWrittenAsScript)
{
    PageHost host;
    DialogAnswerer answerer;  // films nothing plays are told of
    host.pub.Write("clip.mov", "film");
    FlcRecord film;
    film.media = ".\\clip.mov";
    host.pub.Write("a.pag", AnimationPage({{"NULL", film}}));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* flc = static_cast<FLC*>(KernGetTopObjet(host)->GetChild(0));
    ASSERT_TRUE(flc);
    lstrcpyA(flc->GetUserID(), "a\"n\\im");
    flc->SetUserString("{speed:2}");
    ScratchDir site("qxsite");
    const std::string lines = AnimationLines(ExportShownPage(host, site), "QXAnim(");
    EXPECT_NE(std::string::npos, lines.find("QXAnim(\"a\\\"n\\\\im\",10,20,64,48,0,null,branchlist,null,{speed:2},"))
        << lines;
}

TEST(MotionExport, ASeriesCopiesGifAndConvertsOtherPictures)
{
    PageHost host;
    DialogAnswerer answerer;  // films nothing plays are told of
    host.pub.Write("one.bmp", BmpFile(8, 6, [](int, int) { return RGB(255, 0, 0); }));
    BMP picture;
    ASSERT_EQ(0, picture.Import(host.Page("one.bmp").c_str()));
    ASSERT_EQ(0, picture.Export(host.Page("Deux.GIF").c_str(), BMP_FORMAT_GIF, 8));
    Backdate(host.Page("Deux.GIF"));
    FlcRecord series;
    series.files = {".\\Deux.GIF", ".\\one.bmp"};
    series.fps = 5;
    host.pub.Write("a.pag", AnimationPage({{"serie", series}}));
    ASSERT_EQ(1, host.Go("a.pag"));
    ScratchDir site("qxsite");
    const std::string lines = AnimationLines(ExportShownPage(host, site), "QXIAnim(");
    EXPECT_EQ("branchlist = new Array();\r\n"
              "branchlist[0] = null;\r\n"
              "branchlist[1] = null;\r\n"
              "imagelist = new Array();\r\n"
              "imagelist[0]=\"./deux1.gif\";\r\n"
              "imagelist[1]=\"./one1.jpg\";\r\n"
              "QXObjects[objindex++] = QXIAnim(\"serie\",10,20,64,48,0,null,branchlist,null,null,imagelist,"
              "false,1,false,false,5);\r\n",
              lines);
    EXPECT_EQ(host.pub.Read("Deux.GIF"), site.Read("deux1.gif"));
    EXPECT_TRUE(KeptTheOldDate(site / "deux1.gif"));
    BMP converted;
    ASSERT_EQ(0, converted.Import((site / "one1.jpg").c_str()));
    int w = 0, h = 0;
    converted.GetWH(w, h);
    EXPECT_EQ(8, w);
    EXPECT_EQ(6, h);
    EXPECT_EQ(0, site.Read("one1.jpg").rfind("\xFF\xD8", 0)) << "a JPEG file";
}

// A series without pictures writes nothing; a file that cannot be had answers 0.
TEST(MotionExport, EmptySeriesAndMissingFiles)
{
    struct Case { RecordLines files; const char* media; int answer; };
    for (const Case& c : {Case{{"NULL"}, "NULL", 1}, Case{{".\\missing.bmp"}, "NULL", 0},
                          Case{{}, ".\\missing.avi", 0}}) {
        SCOPED_TRACE(c.media);
        PageHost host;
        DialogAnswerer answerer;
        FlcRecord record;
        record.files = c.files;
        record.media = c.media;
        host.pub.Write("a.pag", AnimationPage({{"manque", record}}));
        ASSERT_EQ(1, host.Go("a.pag"));
        ScratchDir out;
        QXFILE file = QXopen((out / "lines.js").c_str(), 1);
        int index = 2;
        EXPECT_EQ(c.answer, KernGetTopObjet(host)->GetChild(0)->ExportToDHTML(file, index));
        QXclose(file);
        if (c.answer) {
            EXPECT_EQ("", out.Read("lines.js"));
        }
    }
}

TEST(MotionExport, AFilmTheMediaServerOpensIsSavedByIt)
{
    ASSERT_EQ(0u, RunMediaServer("/REGSERVER"));
    ComApartment apartment;
    const std::string bytes = FilmBytes("real-g1.avi");
    ASSERT_FALSE(bytes.empty());
    PageHost host;
    DialogAnswerer answerer;  // films nothing plays are told of
    host.pub.Write("g1.avi", bytes);
    FlcRecord film;
    film.media = ".\\g1.avi";
    host.pub.Write("a.pag", AnimationPage({{"film", film}}));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* flc = static_cast<FLC*>(KernGetTopObjet(host)->GetChild(0));
    if (!flc->media)
        GTEST_SKIP() << "the media server did not answer";
    ScratchDir site("qxsite");
    const std::string lines = AnimationLines(ExportShownPage(host, site), "QXAnim(");
    EXPECT_NE(std::string::npos, lines.find(",\"./g11.avi\",false,1,false,false,0);\r\n")) << lines;
    EXPECT_EQ(bytes, site.Read("g11.avi"));
}

namespace {

using GENERATETHUMBNAIL = int (*)(const char*, const char*, int, int);

GENERATETHUMBNAIL Thumbnail() { return PluginExport<GENERATETHUMBNAIL>("qxmotion40.dll", "GenerateThumbnail"); }

struct Picture {
    int width = 0, height = 0, bits = 0;
    std::vector<COLORREF> pixels;
    std::set<COLORREF> Colours() const { return {pixels.begin(), pixels.end()}; }
};

// The written image as the imaging layer reads it back.
Picture ReadPicture(const std::string& path)
{
    Picture picture;
    BMP image;
    if (image.Import(path.c_str()) != 0)
        return picture;
    image.GetWH(picture.width, picture.height);
    // As the file says: read back, the pixels are widened.
    const std::string bytes = ReadWholeFile(path);
    if (bytes.size() > 30)
        picture.bits = static_cast<unsigned char>(bytes[28]) | static_cast<unsigned char>(bytes[29]) << 8;
    const HBITMAP bitmap = image.CreateHBITMAP();
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(PixelOf(bitmap, x, y));
    DeleteObject(bitmap);
    return picture;
}

}  // namespace

// Through MCI (no COM on this thread) or through the media server.
class FilmThumbnails : public ::testing::TestWithParam<bool> {};

TEST_P(FilmThumbnails, AFilmsFirstPictureAtTheSizeAskedIn8Bits)
{
    std::optional<ComApartment> apartment;
    if (GetParam()) {
        ASSERT_EQ(0u, RunMediaServer("/REGSERVER"));
        apartment.emplace();
    }
    ScratchDir dir;
    for (const char* film : {"real-g1.avi", "real-inertie.avi"}) {
        SCOPED_TRACE(film);
        const std::string bytes = FilmBytes(film);
        ASSERT_FALSE(bytes.empty());
        dir.Write(film, bytes);
        ASSERT_EQ(1, Thumbnail()((dir / film).c_str(), (dir / "thumb.bmp").c_str(), 80, 60));
        const Picture picture = ReadPicture(dir / "thumb.bmp");
        EXPECT_EQ(80, picture.width);
        EXPECT_EQ(60, picture.height);
        EXPECT_EQ(8, picture.bits);
        EXPECT_LT(3u, picture.Colours().size());
    }
}

INSTANTIATE_TEST_SUITE_P(MotionThumbnail, FilmThumbnails, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "Mci"; });

TEST(MotionThumbnail, AFlicShowsItsFirstFrame)
{
    // The first frame as a page shows it, the animation not started, at the file's size.
    PageHost host;
    DialogAnswerer answerer;  // films nothing plays are told of
    host.pub.Write("ramp.flc", FlicBytes("ramp.flc"));
    FlcRecord record;
    record.media = ".\\ramp.flc";
    record.w = 13;
    record.h = 7;
    host.pub.Write("a.pag", AnimationPage({{"ramp", record}}));
    ASSERT_EQ(1, host.Go("a.pag"));
    ASSERT_EQ(1, Thumbnail()(host.Page("ramp.flc").c_str(), host.Page("thumb.bmp").c_str(), 13, 7));
    const Picture picture = ReadPicture(host.Page("thumb.bmp"));
    ASSERT_EQ(13, picture.width);
    ASSERT_EQ(7, picture.height);
    EXPECT_EQ(8, picture.bits);
    const HBITMAP shown = host.Render();
    int differing = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            differing += PixelOf(shown, 10 + x, 20 + y) != picture.pixels[static_cast<size_t>(y * 13 + x)];
    DeleteObject(shown);
    EXPECT_EQ(0, differing);
    EXPECT_LT(10u, picture.Colours().size());
}

TEST(MotionThumbnail, AFileNothingOpensGivesAnUnpaintedPicture)
{
    ScratchDir dir;
    dir.Write("nothing.avi", "not a film at all");
    ASSERT_EQ(1, Thumbnail()((dir / "nothing.avi").c_str(), (dir / "thumb.bmp").c_str(), 32, 24));
    const Picture picture = ReadPicture(dir / "thumb.bmp");
    EXPECT_EQ(32, picture.width);
    EXPECT_EQ(24, picture.height);
    EXPECT_EQ(1u, picture.Colours().size());
}

TEST(MotionThumbnail, NoNameOrAnUnwritableImageAnswersZero)
{
    ScratchDir dir;
    dir.Write("ramp.flc", FlicBytes("ramp.flc"));
    EXPECT_EQ(0, Thumbnail()((dir / "ramp.flc").c_str(), nullptr, 32, 24));
    EXPECT_EQ(0, Thumbnail()(nullptr, (dir / "thumb.bmp").c_str(), 32, 24));
    EXPECT_EQ(0, Thumbnail()((dir / "ramp.flc").c_str(), (dir / "no-such-folder\\thumb.bmp").c_str(), 32, 24));
    EXPECT_EQ(std::vector<std::string>{"ramp.flc"}, FilesIn(dir.Path()));
}
