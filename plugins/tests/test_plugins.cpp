// The plug-in interface, the records of the page, image and sound objects, the keep-ratio
// rule and the drop of files.
#include "plugintest.h"

#include "image/image.h"
#include "image/image_fit.h"
#include "page/page.h"
#include "scratch_dir.h"
#include "sound/sound.h"

#include "qxfile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {


}  // namespace

TEST(PluginInterface, ToolCountsAndRecords)
{
    using COUNT = int (*)(int, int);
    using TOOL = void (*)(int, int, TOOLINFO*, int);
    struct Case { const char* module; const char* menu; const char* tooltip; const char* help; };
    for (const Case& c : {Case{"qxpict40.dll", "É&dition;&Ajouter;&Image", "Ajouter une image", "image.pag"},
                          Case{"qxaudio40.dll", "É&dition;&Ajouter;&Son", "Ajouter du son", "son.pag"}}) {
        SCOPED_TRACE(c.module);
        auto count = PluginExport<COUNT>(c.module, "GetNumberTools");
        auto tool = PluginExport<TOOL>(c.module, "GetTool");
        ASSERT_TRUE(count && tool);
        EXPECT_EQ(1, count(7, 2));
        EXPECT_EQ(0, count(7, 1));
        TOOLINFO info{};
        info.create = reinterpret_cast<TOOLCREATE>(0x5A5A);
        info.reserved1 = 0x5A5A;
        std::memset(info.menuPath, 'x', sizeof info.menuPath - 1);
        tool(0, 3, &info, 0);
        EXPECT_EQ(reinterpret_cast<TOOLCREATE>(0x5A5A), info.create);
        EXPECT_EQ(0x5A5Au, info.reserved1);
        EXPECT_EQ(std::string(sizeof info.menuPath - 1, 'x'), info.menuPath);
        tool(0, 2, &info, 0);
        EXPECT_NE(nullptr, reinterpret_cast<void*>(info.create));
        EXPECT_STREQ(c.menu, info.menuPath);
        EXPECT_STREQ(c.tooltip, info.tooltip);
        EXPECT_STREQ(c.help, (const char*)info.helpPage);
        EXPECT_NE(nullptr, info.bitmap1);
        EXPECT_EQ(0u, info.reserved1);
    }
    EXPECT_EQ(nullptr, PluginExport<COUNT>("qxsheet40.dll", "GetNumberTools"));
    EXPECT_NE(nullptr, PluginExport<COUNT>("qxsheet40.dll", "AllocObjet"));
}

TEST(KeepRatio, FitsCentred)
{
    struct Case { int w, h, pw, ph; RECT expected; };
    const Case cases[] = {
        {100, 100, 50, 50, {10, 20, 110, 120}},   // same shape: the whole rectangle
        {100, 100, 200, 100, {10, 45, 110, 95}},  // wide picture: width fills
        {100, 100, 100, 200, {35, 20, 85, 120}},  // tall picture: height fills
        {101, 50, 3, 1, {10, 28, 111, 61}},       // integer height 33, offset 17/2 = 8
        {7, 10, 1, 3, {12, 20, 15, 30}},          // width 10/3 = 3, offset (7-3)/2 = 2
    };
    for (const Case& c : cases) {
        const RECT r = FitKeepingRatio(10, 20, c.w, c.h, c.pw, c.ph);
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.w << "x" << c.h << " picture " << c.pw << "x" << c.ph << ": "
                                                << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(PageRecord, NoFillSurvivesAndPixelsTurnChildrenToPixels)
{
    Kernel k;
    int result = 0;
    int universe = 1;
    ScratchDir dir;
    dir.Write("p.txt", Lines(With(CommonBlock(), {"PAGE {", "Titre", "12 34 640 480", "0", "2",
                                                   "10 10 20 30", "}"})));
    OBJET* object = AllocFrom("qxsheet40.dll", k.kernel);
    QXFILE file = QXopen((dir / "p.txt").c_str(), 0);
    result = object->Load(file, universe);
    QXclose(file);
    auto* page = static_cast<PAGE*>(object);
    ASSERT_EQ(1, result);
    EXPECT_EQ(0, universe);
    EXPECT_STREQ("Titre", page->title);
    EXPECT_EQ(12, page->x);
    EXPECT_EQ(480, page->h);
    EXPECT_EQ(1, page->noFill);
    EXPECT_EQ(RGB(10, 20, 30), RGB(page->red, page->green, page->blue));
    EXPECT_EQ(1, page->sizeDep);
    EXPECT_EQ(0, page->procDll.length());
    const std::string saved = SaveRecord(page, 1);
    EXPECT_NE(std::string::npos, saved.find("10      10      20      30      ")) << saved;
    delete object;
}

TEST(PageRecord, LongTitleIsCutAndProperty1000NeedsRoom)
{
    Kernel k;
    int result = 0;
    OBJET* object = LoadRecord("qxsheet40.dll", k.kernel,
                               Lines(With(CommonBlock(), {"PAGE {", std::string(120, 'T'), "0 0 10 10", "0", "0",
                                                          "0 1 2 3", "NULL", "NULL", "}"})),
                               1, &result);
    auto* page = static_cast<PAGE*>(object);
    ASSERT_EQ(1, result);
    EXPECT_EQ(49u, std::strlen(page->title));
    char small[8];
    EXPECT_EQ(0, page->GetProperties(1000, sizeof small, small));
    char text[32];
    EXPECT_EQ(1, page->SetProperties(1000, "00007ff612345678"));
    ASSERT_EQ(1, page->GetProperties(1000, sizeof text, text));
    EXPECT_EQ(0x7ff612345678ull, std::strtoull(text, nullptr, 16)) << text;
    page->procHook = nullptr;
    delete object;
}

TEST(ImageRecord, OldestFormAndRoundTrip)
{
    Kernel k;
    int result = 0;
    OBJET* object = LoadRecord("qxpict40.dll", k.kernel,
                               Lines(With(CommonBlock(), {"IMAGE {", "5 6 70 80", "NULL", "0 1 90 0", "NULL", "}"})), 0,
                               &result);
    auto* image = static_cast<IMAGE*>(object);
    ASSERT_EQ(1, result);
    EXPECT_EQ(1, image->keepRatio);
    EXPECT_EQ(90, image->rotation);
    EXPECT_EQ(0, image->crop[2]);
    EXPECT_EQ(0, image->transparent);
    EXPECT_EQ(70, image->w);
    image->transparent = 1;
    image->transparentColour = RGB(1, 2, 3);
    image->crop[2] = 9;
    image->flipHorizontal = 1;
    const std::string saved = SaveRecord(image, 0);
    OBJET* again = LoadRecord("qxpict40.dll", k.kernel, saved.substr(saved.find("NULL")), 0, &result);
    delete again;
    EXPECT_NE(std::string::npos, saved.find("IMAGE {\r\n5.00      6.00      70.00     80.00")) << saved;
    EXPECT_NE(std::string::npos, saved.find("1       1       2       3       \r\n0       0       9       0")) << saved;
    EXPECT_NE(std::string::npos, saved.find("0       1       0       0       \r\n}")) << saved;
    delete object;
}

TEST(SoundRecord, DefaultsWithoutLoopLinesAndExtraLines)
{
    Kernel k;
    struct Case { std::vector<std::string> block; int loop, iterations; };
    const Case cases[] = {
        {{"sound {", "0 0 48 48", "NULL", "}"}, 0, 1},
        {{"SOUND {", "0 0 48 48", "NULL", "1", "3", "future", "}"}, 1, 3},
    };
    for (const Case& c : cases) {
        int result = 0;
        OBJET* object = LoadRecord("qxaudio40.dll", k.kernel, Lines(With(CommonBlock(), c.block)), 0, &result);
        auto* sound = static_cast<SOUND*>(object);
        EXPECT_EQ(1, result);
        EXPECT_EQ(c.loop, sound->loop);
        EXPECT_EQ(c.iterations, sound->iterations);
        const std::string saved = SaveRecord(sound, 0);
        EXPECT_NE(std::string::npos, saved.find("NULL\r\n" + std::to_string(c.loop) + "\r\n" +
                                                std::to_string(c.iterations) + "\r\n}\r\n"))
            << saved;
        delete object;
    }
}

TEST(Drop, AcceptsAndRefusesBySuffix)
{
    Kernel k;
    using DROP = int (*)(KERNEL*, const char*, POINT*);
    auto imageDrop = PluginExport<DROP>("qxpict40.dll", "FileDropped");
    auto soundDrop = PluginExport<DROP>("qxaudio40.dll", "FileDropped");
    ASSERT_TRUE(imageDrop && soundDrop);
    POINT at{0, 0};
    // No page loaded: refused whatever the file.
    EXPECT_EQ(0, soundDrop(k.kernel, "a.wav", &at));
    EXPECT_EQ(0, imageDrop(k.kernel, "a.qxi", &at));
    EXPECT_EQ(0, soundDrop(nullptr, "a.wav", &at));
    EXPECT_EQ(0, soundDrop(k.kernel, "", &at));
}
