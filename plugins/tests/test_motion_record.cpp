// The animation object's record read and written byte for byte, its older forms and its
// errors; its properties, tool record and drops.
#include "plugintest.h"

#include "branch.h"
#include "dialog_answerer.h"
#include "filefetch.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr const char* MOTION = "qxmotion40.dll";

std::string Block(const std::vector<std::string>& lines) { return Lines(lines); }

// The saved text from the plug-in's own block on.
std::string OwnBlock(const std::string& saved) { return saved.substr(saved.find("FLC {")); }

FLC* Read(KERNEL* kernel, const std::vector<std::string>& own, int* result)
{
    return static_cast<FLC*>(LoadRecord(MOTION, kernel, Lines(With(CommonBlock(), own)), 0, result));
}

const std::string GEOMETRY = "5.00      6.00      70.00     80.00                                             ";
const std::string FLAGS_A = "1       1       0       3                                                       ";
const std::string FLAGS_B = "1       12      0       1                                                       ";

}  // namespace

TEST(MotionRecord, ReadAndWrittenByteForByte)
{
    Kernel k;
    const struct Case {
        const char* what;
        std::vector<std::string> block;
    } cases[] = {
        {"media and sound", {"FLC {", GEOMETRY, "anim.flc", "tone.wav", FLAGS_A, FLAGS_B, "NULL", "}"}},
        {"sound track", {"FLC {", GEOMETRY, "NULL", "NULL", FLAGS_A, FLAGS_B, "NULL", "SOUNDTRACK [", "0", "a.wav",
                         "12", "b.wav", "]", "}"}},
        {"image list", {"FLC {", GEOMETRY, "FILES {", "p1.bmp", "p2.gif", "}", "NULL", FLAGS_A, FLAGS_B, "NULL", "}"}},
        {"empty image list", {"FLC {", GEOMETRY, "FILES {", "}", "NULL", FLAGS_A, FLAGS_B, "NULL", "}"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int result = 0;
        FLC* flc = Read(k.kernel, c.block, &result);
        ASSERT_EQ(1, result);
        EXPECT_EQ(Block(c.block), OwnBlock(SaveRecord(flc, 0)));
        delete flc;
    }
}

TEST(MotionRecord, FieldsAndTheirEdges)
{
    Kernel k;
    int result = 0;
    FLC* flc = Read(k.kernel, {"flc {", "0 0 10 10", "FILES {", "NULL", "a.bmp", "}", "NULL", "1 0 1 4",
                               "0 25 1 1", "NULL", "} "}, &result);
    ASSERT_EQ(1, result);
    EXPECT_EQ(1, flc->series);
    ASSERT_TRUE(flc->anim);
    EXPECT_EQ(1, flc->anim->Count());
    EXPECT_TRUE(flc->anim->Loop());
    EXPECT_EQ(4, flc->loopCount);
    EXPECT_EQ(25, flc->framesPerSecond);
    // Stretching leaves nothing to centre.
    EXPECT_EQ(1, flc->stretch);
    EXPECT_EQ(0, flc->centre);
    delete flc;

    flc = Read(k.kernel, {"FLC {", "0 0 10 10", "NULL", "NULL", "0 0 1 1", "0 0 1 0", "NULL", "future", "}"}, &result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, flc->centre);
    EXPECT_EQ(0, flc->series);
    delete flc;
}

TEST(MotionRecord, AnOlderRecordsSoundBecomesTheTrackAtFrameZero)
{
    Kernel k;
    int result = 0;
    FLC* flc = Read(k.kernel, {"FLC {", GEOMETRY, "anim.flc", "tone.wav", FLAGS_A, FLAGS_B, "}"}, &result);
    ASSERT_EQ(1, result);
    ASSERT_EQ(1u, flc->soundTrack.size());
    EXPECT_EQ(0, flc->soundTrack[0].frame);
    EXPECT_EQ(0, flc->soundName.length());
    EXPECT_NE(std::string::npos, OwnBlock(SaveRecord(flc, 0)).find("NULL\r\nSOUNDTRACK [\r\n0\r\n"));
    delete flc;
}

TEST(MotionRecord, ASoundTrackReplacesTheSingleSoundOnSave)
{
    Kernel k;
    int result = 0;
    FLC* flc = Read(k.kernel, {"FLC {", GEOMETRY, "NULL", "NULL", FLAGS_A, FLAGS_B, "NULL", "SOUNDTRACK [", "3",
                               "a.wav", "]", "}"},
                    &result);
    ASSERT_EQ(1, result);
    flc->soundName = "other.wav";
    const std::string saved = OwnBlock(SaveRecord(flc, 0));
    EXPECT_EQ(0u, saved.find("FLC {\r\n" + GEOMETRY + "\r\nNULL\r\nNULL\r\n")) << saved;
    delete flc;
}

TEST(MotionRecord, DamagedRecordsFailWithTheirBox)
{
    Kernel k;
    const struct Case {
        const char* what;
        std::vector<std::string> block;
        bool box;
    } cases[] = {
        {"wrong opener", {"ANIM {", GEOMETRY, "}"}, true},
        {"short geometry", {"FLC {", "1 2 3", "NULL", "NULL", FLAGS_A, FLAGS_B, "NULL", "}"}, true},
        {"short flags", {"FLC {", GEOMETRY, "NULL", "NULL", "1 1", FLAGS_B, "NULL", "}"}, true},
        {"list cut", {"FLC {", GEOMETRY, "FILES {", "a.bmp"}, true},
        {"cut inside the track", {"FLC {", GEOMETRY, "NULL", "NULL", FLAGS_A, FLAGS_B, "NULL", "SOUNDTRACK [", "3"},
         false},
        {"no end", {"FLC {", GEOMETRY, "NULL", "NULL", FLAGS_A, FLAGS_B, "NULL", "more"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogAnswerer answerer;
        int result = 1;
        delete Read(k.kernel, c.block, &result);
        EXPECT_EQ(0, result);
        ASSERT_EQ(c.box ? 1u : 0u, answerer.Shown().size());
        if (c.box) {
            EXPECT_EQ("Erreur de fichier", answerer.Shown()[0].caption);
            EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find("Mauvais paramètres pour l'animation."));
        }
    }
}

TEST(MotionObject, DefaultsAndBranches)
{
    Kernel k;
    auto* flc = static_cast<FLC*>(AllocFrom(MOTION, k.kernel));
    ASSERT_TRUE(flc);
    EXPECT_STREQ("QXMOTION.DLL", flc->GetDLLName());
    EXPECT_STREQ("Animation/Vidéo", flc->GetObjetName());
    EXPECT_EQ(1, flc->autoPlay);
    EXPECT_EQ(1, flc->loopCount);
    EXPECT_EQ(1, flc->stretch);
    EXPECT_EQ(0, flc->loop + flc->controlBarFlag + flc->centre + flc->replaySound + flc->kind);
    ASSERT_EQ(2, flc->GetBranchItems());
    EXPECT_EQ(0, flc->GetBranch(0)->pluginMark);
    EXPECT_EQ(1, flc->GetBranch(1)->pluginMark);
    delete flc;
}

TEST(MotionObject, Properties)
{
    Kernel k;
    auto* flc = static_cast<FLC*>(AllocFrom(MOTION, k.kernel));
    EXPECT_EQ(1, flc->SetProperties(1000, "C:\\Anims\\Ramp.flc"));
    flc->mediaLocal = "kept";
    // The same name in other letters changes nothing.
    EXPECT_EQ(1, flc->SetProperties(1000, "c:\\anims\\RAMP.FLC"));
    EXPECT_STREQ("kept", flc->mediaLocal);
    EXPECT_STREQ("C:\\Anims\\Ramp.flc", flc->mediaName);
    EXPECT_EQ(0, flc->SetProperties(1000, nullptr));
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(1, flc->GetProperties(1000, 5, buffer));
    EXPECT_STREQ("C:\\A", buffer);
    EXPECT_EQ('x', buffer[5]);
    EXPECT_EQ(0, flc->GetProperties(1000, 5, nullptr));
    EXPECT_EQ(0, flc->SetProperties(1234, "x"));
    EXPECT_EQ(0, flc->GetProperties(1234, 5, buffer));
    // Nothing to play yet.
    for (long command : {1010L, 1011L, 1012L, 1013L, 1014L})
        EXPECT_EQ(0, flc->SetProperties(command, "")) << command;
    delete flc;
}

TEST(MotionObject, ToolRecordForObjectsOnly)
{
    using COUNT = int (*)(int, int);
    using TOOL = void (*)(int, int, TOOLINFO*, int);
    auto count = PluginExport<COUNT>(MOTION, "GetNumberTools");
    auto tool = PluginExport<TOOL>(MOTION, "GetTool");
    ASSERT_TRUE(count && tool && PluginExport<void*>(MOTION, "AddAnm"));
    EXPECT_EQ(1, count(0, 2));
    EXPECT_EQ(0, count(0, 1));
    TOOLINFO record{};
    tool(0, 1, &record, 0);
    EXPECT_EQ(nullptr, record.create);
    tool(0, 2, &record, 0);
    EXPECT_NE(nullptr, record.create);
    EXPECT_STREQ("É&dition;&Ajouter;&Animation/Vidéo", record.menuPath);
    EXPECT_STREQ("Ajouter une animation/vidéo", record.tooltip);
    EXPECT_STREQ("anim.pag", record.helpPage);
    EXPECT_NE(nullptr, record.bitmap1);
}

TEST(MotionObject, DropsAcceptWholeSuffixesAndStayOnThePage)
{
    // The dropped names do not exist: the file search and the media warning are answered.
    DialogAnswerer answerer(IDCANCEL);
    PageHost host;
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("A", 0, 0, 0))}));
    ASSERT_EQ(1, host.Go("a.pag"));
    using DROP = int (*)(KERNEL*, const char*, POINT*);
    auto drop = PluginExport<DROP>(MOTION, "FileDropped");
    ASSERT_TRUE(drop);
    OBJET* root = KernGetTopObjet(host);
    const struct Case { const char* name; int accepted; } cases[] = {
        {"x.flc", 1}, {"x.FLI", 1}, {"x.mpeg", 1}, {"x.Avi", 1}, {"x.swf", 1},
        {"x.c", 0}, {"x.mp", 0}, {"x.li", 0}, {"x.wav", 0}, {"flc", 0}, {"x.", 0},
    };
    for (const Case& c : cases) {
        POINT at{100, 100};
        ClientToScreen(root->window, &at);
        const int before = root->GetChildItems();
        EXPECT_EQ(c.accepted, drop(host, c.name, &at)) << c.name;
        EXPECT_EQ(before + c.accepted, root->GetChildItems()) << c.name;
    }
    auto* first = static_cast<FLC*>(root->GetChild(0));
    EXPECT_NE(nullptr, std::strstr(first->mediaName, "x.flc"));
    EXPECT_EQ(0, first->x);
    EXPECT_EQ(0, first->y);
    EXPECT_EQ(320, first->w);
    EXPECT_EQ(320, first->h);
    POINT edge{630, 470};
    ClientToScreen(root->window, &edge);
    drop(host, "far.avi", &edge);
    auto* last = static_cast<FLC*>(root->GetChild(root->GetChildItems() - 1));
    EXPECT_EQ(630 - 160, last->x);
    EXPECT_EQ(470 - 160, last->y);
    EXPECT_EQ(0, drop(nullptr, "x.flc", &edge));
    EXPECT_EQ(0, drop(host, "", &edge));
}

TEST(MotionObject, SnapshotFilesAreNumberedHeldAndStaleOnesRemoved)
{
    PageHost host;
    const std::string cache = KernGetCachePath(host);
    ASSERT_FALSE(cache.empty());
    // Left behind by a program that ended without removing it.
    const std::string stale = cache + "\\flc-0007.$$$";
    CloseHandle(CreateFileA(stale.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    auto* first = static_cast<FLC*>(AllocFrom(MOTION, host));
    auto* second = static_cast<FLC*>(AllocFrom(MOTION, host));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(stale.c_str()));
    EXPECT_STREQ((cache + "\\flc-0000.$$$").c_str(), first->snapshot.Name());
    EXPECT_STREQ((cache + "\\flc-0001.$$$").c_str(), second->snapshot.Name());
    // Held: nobody else's clean-up removes it.
    EXPECT_FALSE(DeleteFileA(first->snapshot.Name()));
    const std::string firstName = static_cast<const char*>(first->snapshot.Name());
    delete first;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(firstName.c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(second->snapshot.Name()));
    delete second;
}
