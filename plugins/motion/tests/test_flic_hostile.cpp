// Damaged and hostile FLIC data: every chunk is clamped to the bytes held, every run to the
// picture, and nothing outside the frame bits is ever written.
#include <gtest/gtest.h>

#include "flic_chunks.h"
#include "flic_decoder.h"
#include "flic_qxfile.h"
#include "flic_reader.h"
#include "flictest.h"
#include "scratch_dir.h"

namespace {

using B = FlicBytesBuilder;

struct Pixel {
    int x, line;
    uint8_t value;
};

struct HostileFrame {
    const char* name;
    int width, height;
    std::vector<std::string> chunks;
    int declaredCount;                  // -1: the true count
    bool damaged;
    std::vector<Pixel> pixels;          // what must be there afterwards
};

std::string Literal(int width, int height, int first)
{
    B bytes;
    for (int i = 0; i < width * height; ++i)
        bytes.Byte(first + i);
    return bytes.Data();
}

const HostileFrame HOSTILE_FRAMES[] = {
    {"sub-chunk size past the frame keeps the bytes held", 4, 2,
     {SubChunk(FLIC_LITERAL, Literal(4, 1, 10), 0xFFFFFFF0)}, -1, true,
     {{0, 0, 10}, {3, 0, 13}, {0, 1, 0}}},
    {"sub-chunk smaller than its header ends the frame", 4, 2,
     {SubChunk(FLIC_LITERAL, "", 2), SubChunk(FLIC_BLACK, "")}, -1, true, {}},
    {"more sub-chunks announced than held", 4, 2,
     {SubChunk(FLIC_LITERAL, Literal(4, 2, 1))}, 9, true, {{0, 0, 1}, {3, 1, 8}}},
    {"unknown sub-chunk is stepped over by its size", 4, 2,
     {SubChunk(99, std::string(7, '\xFF')), SubChunk(FLIC_LITERAL, Literal(4, 2, 1))}, -1, false,
     {{0, 0, 1}, {3, 1, 8}}},
    {"literal cut short keeps whole lines only", 4, 3,
     {SubChunk(FLIC_LITERAL, Literal(4, 1, 20) + "\x01\x02")}, -1, true,
     {{3, 0, 23}, {0, 1, 0}}},
    {"byte run longer than the line stops at the line's end", 5, 2,
     {SubChunk(FLIC_BYTE_RUN, B().Byte(1).Byte(127).Byte(7).Byte(1).Byte(-2).Byte(8).Byte(9)
                                   .Byte(3).Byte(6).Data())}, -1, false,
     {{0, 0, 7}, {4, 0, 7}, {0, 1, 8}, {1, 1, 9}, {2, 1, 6}, {4, 1, 6}}},
    {"byte run copy past the line and the data", 3, 2,
     {SubChunk(FLIC_BYTE_RUN, B().Byte(1).Byte(-100).Byte(4).Byte(5).Byte(6).Byte(7).Data())}, -1, true,
     {{0, 0, 0}, {2, 0, 0}}},
    {"byte delta below the picture is dropped", 4, 2,
     {SubChunk(FLIC_DELTA_BYTE, B().Word(60000).Word(2).Byte(1).Byte(0).Byte(-4).Byte(9)
                                    .Byte(1).Byte(0).Byte(-4).Byte(9).Data())}, -1, false, {{0, 0, 0}, {0, 1, 0}}},
    {"byte delta packets past the line are clipped", 5, 2,
     {SubChunk(FLIC_DELTA_BYTE, B().Word(0).Word(1).Byte(2).Byte(3).Byte(4).Byte(1).Byte(2).Byte(3).Byte(4)
                                    .Byte(250).Byte(-100).Byte(5).Data())}, -1, false,
     {{2, 0, 0}, {3, 0, 1}, {4, 0, 2}, {0, 1, 0}}},
    {"byte delta announcing more lines than held", 4, 2,
     {SubChunk(FLIC_DELTA_BYTE, B().Word(0).Word(65535).Byte(1).Byte(0).Byte(-4).Byte(3).Data())}, -1, true,
     {{0, 0, 3}, {3, 0, 3}, {0, 1, 0}}},
    {"word delta skipping far below the picture", 4, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(1).Word(0xC000).Word(0xC000).Word(0xC000).Word(1).Byte(0)
                                    .Byte(-2).Byte(5).Byte(6).Data())}, -1, false,
     {{0, 0, 0}, {0, 1, 0}}},
    {"word delta repeat past the line is clipped", 5, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(1).Word(1).Byte(2).Byte(-128).Byte(5).Byte(6).Data())}, -1, false,
     {{1, 0, 0}, {2, 0, 5}, {3, 0, 6}, {4, 0, 5}, {0, 1, 0}}},
    {"word delta copy past the line is clipped", 3, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(1).Word(1).Byte(1).Byte(2).Byte(1).Byte(2).Byte(3).Byte(4).Data())},
     -1, false, {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {0, 1, 0}}},
    {"word delta last pixel of an odd width", 5, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(1).Word(0x8000 | 0x42).Word(0).Data())}, -1, false,
     {{4, 0, 0x42}, {3, 0, 0}, {0, 1, 0}}},
    {"word delta last pixel of a 321 pixel line", 321, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(1).Word(0xC000 | 0x3FFF).Word(0x8000 | 0x17).Word(0).Data())}, -1, false,
     {{320, 1, 0x17}, {319, 1, 0}, {320, 0, 0}}},
    {"word delta announcing more lines than held", 4, 2,
     {SubChunk(FLIC_DELTA_WORD, B().Word(65535).Word(0).Word(1).Data())}, -1, true, {}},
    {"black on an odd width", 3, 3,
     {SubChunk(FLIC_LITERAL, Literal(3, 3, 1)), SubChunk(FLIC_BLACK, "")}, -1, false,
     {{0, 0, 0}, {2, 2, 0}}},
};

void PrintTo(const HostileFrame& c, std::ostream* out)
{
    *out << c.name;
}

class HostileFrames : public testing::TestWithParam<HostileFrame> {};

TEST_P(HostileFrames, DecodeWithinThePicture)
{
    const HostileFrame& c = GetParam();
    std::string body;
    for (const std::string& chunk : c.chunks)
        body += chunk;
    GuardedFrame frame(c.width, c.height);
    FlicPalette palette{};
    const uint16_t count = static_cast<uint16_t>(c.declaredCount < 0 ? c.chunks.size() : c.declaredCount);
    const FlicFrameResult result = DecodeFlicFrame(reinterpret_cast<const uint8_t*>(body.data()), body.size(),
                                                   count, frame.Canvas(), palette);
    EXPECT_EQ(c.damaged, result.damaged);
    EXPECT_TRUE(frame.Untouched());
    for (const Pixel& pixel : c.pixels)
        EXPECT_EQ(pixel.value, frame.At(pixel.x, pixel.line)) << "at " << pixel.x << ", " << pixel.line;
}

INSTANTIATE_TEST_SUITE_P(Chunks, HostileFrames, testing::ValuesIn(HOSTILE_FRAMES),
                         [](const testing::TestParamInfo<HostileFrame>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

FlicFrameResult DecodeColours(int type, const std::string& data, FlicPalette& palette)
{
    GuardedFrame frame(2, 2);
    const std::string body = SubChunk(type, data);
    return DecodeFlicFrame(reinterpret_cast<const uint8_t*>(body.data()), body.size(), 1, frame.Canvas(), palette);
}

TEST(FlicColours, CountZeroSetsAllEntries)
{
    FlicPalette palette{};
    B data;
    data.Word(1).Byte(0).Byte(0);
    for (int i = 0; i < 256; ++i)
        data.Byte(i).Byte(255 - i).Byte(i / 2);
    const FlicFrameResult result = DecodeColours(FLIC_COLOUR_256, data.Data(), palette);
    EXPECT_TRUE(result.paletteChanged);
    EXPECT_FALSE(result.damaged);
    for (int i : {0, 1, 128, 255}) {
        EXPECT_EQ(i, palette[i].red) << i;
        EXPECT_EQ(255 - i, palette[i].green) << i;
        EXPECT_EQ(i / 2, palette[i].blue) << i;
        EXPECT_EQ(0, palette[i].reserved) << i;
    }
}

TEST(FlicColours, SixtyFourLevelsAreScaledByFour)
{
    FlicPalette palette{};
    DecodeColours(FLIC_COLOUR_64, B().Word(1).Byte(5).Byte(1).Byte(63).Byte(1).Byte(0).Data(), palette);
    EXPECT_EQ(252, palette[5].red);
    EXPECT_EQ(4, palette[5].green);
    EXPECT_EQ(0, palette[5].blue);
}

TEST(FlicColours, EntriesPastTheLastAreDropped)
{
    FlicPalette palette{};
    B data;
    data.Word(2).Byte(250).Byte(10);
    for (int i = 0; i < 10; ++i)
        data.Byte(100 + i).Byte(0).Byte(0);
    data.Byte(255).Byte(0);                 // a second packet skipping far past the table
    for (int i = 0; i < 256; ++i)
        data.Byte(1).Byte(1).Byte(1);
    const FlicFrameResult result = DecodeColours(FLIC_COLOUR_256, data.Data(), palette);
    EXPECT_FALSE(result.damaged);
    EXPECT_EQ(100, palette[250].red);
    EXPECT_EQ(105, palette[255].red);
    EXPECT_EQ(0, palette[0].red);
}

TEST(FlicColours, PacketsAnnouncedButMissingMarkTheFrameDamaged)
{
    FlicPalette palette{};
    const FlicFrameResult result = DecodeColours(FLIC_COLOUR_256, B().Word(0xFFFF).Byte(0).Byte(2).Byte(9).Data(), palette);
    EXPECT_TRUE(result.damaged);
    EXPECT_EQ(9, palette[0].red);
}

// Files whose frames lie about their sizes, read through the whole reader.
class HostileFiles : public testing::Test {
protected:
    // Opens the bytes as a file and decodes the first frame into a 4 x 2 frame.
    void Open(const std::string& bytes)
    {
        scratch_.Write("hostile.flc", bytes);
        ASSERT_EQ(FLIC_OPENED, reader_.Open(OpenFlicFile((scratch_ / "hostile.flc").c_str())));
        reader_.Rewind(frame_.Canvas());
    }

    ScratchDir scratch_{"flic"};
    FlicReader reader_;
    GuardedFrame frame_{4, 2};
};

const std::string PICTURE_A = SubChunk(FLIC_LITERAL, Literal(4, 2, 1));
const std::string PICTURE_B = SubChunk(FLIC_LITERAL, Literal(4, 2, 101));

TEST_F(HostileFiles, AbsurdFrameSizeIsClampedToTheFile)
{
    Open(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}, 0xFFFFFFFF), FrameChunk({PICTURE_B})}));
    EXPECT_TRUE(reader_.LastFrame().damaged);
    EXPECT_EQ(1, frame_.At(0, 0));
    EXPECT_EQ(8, frame_.At(3, 1));
    // The next frame lies past the end: nothing is read, nothing drawn.
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_TRUE(reader_.LastFrame().damaged);
    EXPECT_EQ(1, frame_.At(0, 0));
    EXPECT_TRUE(frame_.Untouched());
}

TEST_F(HostileFiles, TruncatedFileDecodesWhatIsHeld)
{
    std::string bytes = FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}), FrameChunk({PICTURE_A})});
    bytes.resize(FLIC_HEADER_SIZE + 16 + 6 + 5);
    Open(bytes);
    EXPECT_TRUE(reader_.LastFrame().damaged);
    EXPECT_EQ(4, frame_.At(3, 0));
    EXPECT_EQ(0, frame_.At(0, 1));
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_TRUE(frame_.Untouched());
}

TEST_F(HostileFiles, ChunksOtherThanFramesAreSteppedOverWhole)
{
    const std::string other = B().Long(16 + 40).Word(0x1234).Word(0).Repeat(0, 8).Repeat(0xF1, 40).Data();
    Open(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}) + other, FrameChunk({PICTURE_B}),
                                             FrameChunk({PICTURE_A})}));
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(101, frame_.At(0, 0));
    EXPECT_EQ(108, frame_.At(3, 1));
}

TEST_F(HostileFiles, FirstFrameOffsetInsideTheHeaderMeansRightAfterIt)
{
    std::string bytes = FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_B}), FrameChunk({PICTURE_B})});
    bytes.replace(80, 4, std::string(4, '\0'));
    Open(bytes);
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(101, frame_.At(0, 0));
}

TEST_F(HostileFiles, FrameSizesOfAHeaderOrLessAreEmptyFrames)
{
    Open(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}), FrameChunk({}, 4), FrameChunk({PICTURE_B}),
                                             FrameChunk({PICTURE_A})}));
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(1, frame_.At(0, 0));
    EXPECT_EQ(2, reader_.NextFrame(frame_.Canvas()));
    EXPECT_EQ(101, frame_.At(0, 0));
}

TEST_F(HostileFiles, StreamedFrameLargerThanTheBlockIsRefused)
{
    const std::string big = SubChunk(99, std::string(static_cast<size_t>(FLIC_MEMORY_LIMIT), '\0'));
    Open(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}), FrameChunk({PICTURE_B, big}),
                                             FrameChunk({PICTURE_B}), FrameChunk({PICTURE_A})}));
    ASSERT_TRUE(reader_.IsStreaming());
    EXPECT_EQ(1, frame_.At(0, 0));
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_TRUE(reader_.LastFrame().damaged);
    EXPECT_EQ(1, frame_.At(0, 0));
    EXPECT_EQ(2, reader_.NextFrame(frame_.Canvas()));
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(101, frame_.At(0, 0));
}

// Files of writers that end with the last frame: the frame count in the header is every frame.
std::string WithoutRingFrame(std::string bytes, int frames)
{
    bytes[6] = static_cast<char>(frames);
    bytes[7] = 0;
    return bytes;
}

TEST_F(HostileFiles, WithoutARingFrameEveryLoopStartsFromTheFirstPicture)
{
    const std::string delta = SubChunk(FLIC_DELTA_BYTE, B().Word(0).Word(1).Byte(1).Byte(0).Byte(1).Byte(77).Data());
    Open(WithoutRingFrame(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}), FrameChunk({delta}),
                                                              FrameChunk({PICTURE_B})}), 3));
    for (int loop = 0; loop < 3; ++loop) {
        SCOPED_TRACE("loop " + std::to_string(loop));
        EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
        EXPECT_EQ(77, frame_.At(0, 0));
        EXPECT_EQ(2, frame_.At(1, 0));
        EXPECT_EQ(2, reader_.NextFrame(frame_.Canvas()));
        EXPECT_EQ(101, frame_.At(0, 0));
        EXPECT_EQ(3, reader_.NextFrame(frame_.Canvas()));
        EXPECT_FALSE(reader_.LastFrame().damaged);
        EXPECT_EQ(1, frame_.At(0, 0));
        EXPECT_EQ(8, frame_.At(3, 1));
        EXPECT_EQ(loop, reader_.Loops());
    }
}

TEST_F(HostileFiles, LastFrameOnePadByteShortOfItsSizeIsWhole)
{
    const std::string padded = SubChunk(FLIC_LITERAL, Literal(4, 2, 101) + std::string(1, '\0'));
    std::string bytes = WithoutRingFrame(FlicFile(FLIC_MAGIC_FLC, 4, 2, 40, {FrameChunk({PICTURE_A}),
                                                                             FrameChunk({padded})}), 2);
    bytes.pop_back();
    Open(bytes);
    EXPECT_EQ(1, reader_.NextFrame(frame_.Canvas()));
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(101, frame_.At(0, 0));
    EXPECT_EQ(108, frame_.At(3, 1));
    EXPECT_EQ(2, reader_.NextFrame(frame_.Canvas()));
    EXPECT_FALSE(reader_.LastFrame().damaged);
    EXPECT_EQ(1, frame_.At(0, 0));
    // Two bytes short is a cut file.
    bytes.pop_back();
    reader_.Close();
    Open(bytes);
    reader_.NextFrame(frame_.Canvas());
    EXPECT_TRUE(reader_.LastFrame().damaged);
}

}  // namespace
