// FLIC files decoded frame by frame against the pictures make_flics.py encoded into them.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "flic_qxfile.h"
#include "flic_reader.h"
#include "flictest.h"
#include "scratch_dir.h"

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Rewinds, then steps through every frame, the ring frame and one more, comparing each
// picture and palette with what the script encoded.
void ExpectFramesAsEncoded(const std::string& file, const std::string& path, bool streamed)
{
    FlicReader reader;
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile(path.c_str()))) << file;
    EXPECT_EQ(streamed, reader.IsStreaming()) << file;
    GuardedFrame frame(reader.Header().width, reader.Header().height);
    const std::vector<ShownFrame> rows = ShownIn(file);
    ASSERT_FALSE(rows.empty()) << file;
    for (size_t step = 0; step < rows.size(); ++step) {
        const int counter = step == 0 ? reader.Rewind(frame.Canvas()) : reader.NextFrame(frame.Canvas());
        SCOPED_TRACE(file + " step " + std::to_string(step));
        EXPECT_EQ(rows[step].counter, counter);
        EXPECT_EQ(rows[step].pixels, frame.PixelHash());
        EXPECT_EQ(rows[step].palette, PaletteHash(reader.Palette()));
        EXPECT_FALSE(reader.LastFrame().damaged);
        EXPECT_TRUE(frame.Untouched());
    }
}

class FixtureFrames : public testing::TestWithParam<const char*> {};

TEST_P(FixtureFrames, HeldInMemoryShowTheEncodedPictures)
{
    ExpectFramesAsEncoded(GetParam(), FlicFixture(GetParam()), false);
}

TEST_P(FixtureFrames, StreamedShowTheEncodedPictures)
{
    // Bytes after the ring frame are never read: they only push the file past the memory limit.
    ScratchDir scratch("flic");
    scratch.Write(GetParam(), FileBytes(FlicFixture(GetParam())) + std::string(FLIC_MEMORY_LIMIT, '\0'));
    ExpectFramesAsEncoded(GetParam(), scratch / GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(Files, FixtureFrames, testing::Values("ramp.flc", "prefixed.flc", "dots.fli"));

TEST(FlicReader, HoldsFilesUpToTheLimitInMemoryAndStreamsLongerOnes)
{
    const std::string bytes = FileBytes(FlicFixture("ramp.flc"));
    ScratchDir scratch("flic");
    const struct {
        uint64_t length;
        bool streamed;
    } cases[] = {{FLIC_MEMORY_LIMIT, false}, {FLIC_MEMORY_LIMIT + 1, true}};
    for (const auto& c : cases) {
        scratch.Write("limit.flc", bytes + std::string(c.length - bytes.size(), '\0'));
        FlicReader reader;
        ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile((scratch / "limit.flc").c_str())));
        EXPECT_EQ(c.streamed, reader.IsStreaming()) << c.length;
    }
}

TEST(FlicReader, CountsLoopsAtTheRingFrame)
{
    FlicReader reader;
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile(FlicFixture("ramp.flc").c_str())));
    GuardedFrame frame(13, 7);
    reader.Rewind(frame.Canvas());
    const int frames = reader.Header().frames;
    for (int k = 1; k <= frames; ++k)
        EXPECT_EQ(k, reader.NextFrame(frame.Canvas()));
    EXPECT_EQ(0, reader.Loops());
    EXPECT_EQ(1, reader.NextFrame(frame.Canvas()));
    EXPECT_EQ(1, reader.Loops());
    EXPECT_EQ(0, reader.Rewind(frame.Canvas()));
    EXPECT_EQ(0, reader.Loops());
    EXPECT_EQ(0, reader.Counter());
}

TEST(FlicReader, GoesForwardAndStepsBackToAFrame)
{
    FlicReader reader;
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile(FlicFixture("ramp.flc").c_str())));
    GuardedFrame frame(13, 7);
    reader.Rewind(frame.Canvas());
    const std::vector<ShownFrame> rows = ShownIn("ramp.flc");
    std::vector<int> steps;
    const FlicReader::StepHook record = [&steps](int counter) { steps.push_back(counter); };

    EXPECT_EQ(4, reader.GoToFrame(4, frame.Canvas(), record));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), steps);
    EXPECT_EQ(rows[4].pixels, frame.PixelHash());
    EXPECT_EQ(rows[4].palette, PaletteHash(reader.Palette()));

    steps.clear();
    EXPECT_EQ(2, reader.StepBackToFrame(2, frame.Canvas(), record));
    EXPECT_EQ((std::vector<int>{1, 2}), steps);
    EXPECT_EQ(rows[2].pixels, frame.PixelHash());
    EXPECT_EQ(rows[2].palette, PaletteHash(reader.Palette()));

    steps.clear();
    EXPECT_EQ(1, reader.GoToFrame(1, frame.Canvas(), record));       // below the counter: back
    EXPECT_EQ((std::vector<int>{1}), steps);
    EXPECT_EQ(rows[1].pixels, frame.PixelHash());

    // The frame count itself, a frame past it and the current frame change nothing.
    steps.clear();
    for (int target : {6, 7, 1, -1}) {
        EXPECT_EQ(1, reader.GoToFrame(target, frame.Canvas(), record)) << target;
        EXPECT_EQ(1, reader.StepBackToFrame(target, frame.Canvas(), record)) << target;
    }
    EXPECT_TRUE(steps.empty());
}

TEST(FlicReader, AnswersMinusOneWithoutAFile)
{
    FlicReader reader;
    GuardedFrame frame(4, 4);
    EXPECT_EQ(-1, reader.Rewind(frame.Canvas()));
    EXPECT_EQ(-1, reader.NextFrame(frame.Canvas()));
    EXPECT_EQ(-1, reader.GoToFrame(1, frame.Canvas()));
    EXPECT_EQ(-1, reader.StepBackToFrame(0, frame.Canvas()));
    EXPECT_EQ(GuardedFrame(4, 4).PixelHash(), frame.PixelHash());
    EXPECT_TRUE(frame.Untouched());
}

TEST(FlicReader, ConvertsSpeedsToFrameRates)
{
    FlicReader fli;
    ASSERT_EQ(FLIC_OPENED, fli.Open(OpenFlicFile(FlicFixture("dots.fli").c_str())));
    EXPECT_EQ(71u, fli.Speed());            // 5 ticks of 1/70 s
    EXPECT_EQ(14, fli.GetFrameRate());

    FlicReader flc;
    ASSERT_EQ(FLIC_OPENED, flc.Open(OpenFlicFile(FlicFixture("ramp.flc").c_str())));
    EXPECT_EQ(40u, flc.Speed());
    const struct {
        int asked;
        int previous;
        uint32_t speed;
    } cases[] = {
        {30, 25, 33},       // 1000 / 30 truncated
        {0, 30, 33},        // no rate: unchanged
        {-5, 30, 33},
        {3, 30, 333},
        {2000, 3, 1},       // below a millisecond: 1 ms
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.previous, flc.SetFrameRate(c.asked)) << c.asked;
        EXPECT_EQ(c.speed, flc.Speed()) << c.asked;
    }
    EXPECT_EQ(1000, flc.GetFrameRate());
}

TEST(FlicReader, RoundsTheRateHalfUpAndTakesSpeedZeroForOne)
{
    const struct {
        uint32_t speed;
        int rate;
    } cases[] = {{0, 1000}, {1, 1000}, {3, 333}, {80, 13}, {400, 3}, {2001, 0}};
    ScratchDir scratch("flic");
    for (const auto& c : cases) {
        scratch.Write("speed.flc", FlicFile(FLIC_MAGIC_FLC, 2, 2, c.speed, {FrameChunk({}), FrameChunk({})}));
        FlicReader reader;
        ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile((scratch / "speed.flc").c_str())));
        EXPECT_EQ(c.rate, reader.GetFrameRate()) << c.speed;
    }
}

TEST(FlicReader, ReportsWhyAFileCannotBeOpened)
{
    ScratchDir scratch("flic");
    scratch.Write("text.flc", std::string("Ceci n'est pas une animation, mais un texte assez long pour un en-tete.\r\n") +
                                  std::string(100, 'x'));
    scratch.Write("short.flc", std::string(100, '\0'));
    scratch.Write("empty-picture.flc", FlicFile(FLIC_MAGIC_FLC, 0, 10, 40, {FrameChunk({})}));
    scratch.Write("huge-picture.flc", FlicFile(FLIC_MAGIC_FLI, 60000, 60000, 40, {FrameChunk({})}));
    const struct {
        const char* name;
        int result;
    } cases[] = {
        {"missing.flc", FLIC_OPEN_FAILED},
        {"short.flc", FLIC_BAD_HEADER},
        {"text.flc", FLIC_BAD_MAGIC},
        {"empty-picture.flc", FLIC_BAD_HEADER},
        {"huge-picture.flc", FLIC_BAD_HEADER},
    };
    for (const auto& c : cases) {
        FlicReader reader;
        EXPECT_EQ(c.result, reader.Open(OpenFlicFile((scratch / c.name).c_str()))) << c.name;
        EXPECT_FALSE(reader.IsOpen()) << c.name;
    }
}

TEST(FlicReader, ClosesThePreviousFileOnOpenAndOnClose)
{
    FlicReader reader;
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile(FlicFixture("ramp.flc").c_str())));
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile(FlicFixture("dots.fli").c_str())));
    EXPECT_EQ(FLIC_MAGIC_FLI, reader.Header().magic);
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(0, reader.Header().width);
    EXPECT_EQ(0, reader.Counter());
    // The file is no longer held: it can be replaced.
    ScratchDir scratch("flic");
    scratch.Write("again.flc", FileBytes(FlicFixture("ramp.flc")));
    ASSERT_EQ(FLIC_OPENED, reader.Open(OpenFlicFile((scratch / "again.flc").c_str())));
    reader.Close();
    EXPECT_TRUE(DeleteFileA((scratch / "again.flc").c_str()));
}

}  // namespace
