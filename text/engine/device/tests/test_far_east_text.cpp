// Far-East text from the manual pages (cut by far_east/make_far_east_text.sh), measured with real
// fonts and broken into lines of 200 pixels by the engine's hooks.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "device_fixture.h"
#include "line_placer.h"
#include "rte_far_east.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "test_canvas.h"

namespace {

constexpr RteRect kColumn{0, 10, 3000, 210};

struct Sample {
    const char* file;
    const char* font;
    int32_t charset;
};

std::vector<std::string> Paragraphs(const char* file)
{
    std::ifstream in(std::string(QX_FAR_EAST_DIR) + "/" + file, std::ios::binary);
    std::vector<std::string> paragraphs;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            paragraphs.push_back(line);
    }
    return paragraphs;
}

// Where each character starts.
std::vector<bool> CharStarts(const std::string& text, UINT codePage)
{
    std::vector<bool> starts(text.size() + 1, false);
    for (size_t i = 0; i < text.size();) {
        starts[i] = true;
        i += IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

intptr_t ClassAt(const std::string& text, size_t at, int32_t charset, const std::vector<bool>& starts)
{
    size_t length = at + 1 < starts.size() && !starts[at + 1] ? 2 : 1;
    return RteFarEastClass(reinterpret_cast<const uint8_t*>(text.data()) + at, static_cast<int32_t>(length), charset, 0);
}

class FarEastTextTest : public DeviceTest, public testing::WithParamInterface<Sample> {};

TEST_P(FarEastTextTest, LinesOf200PixelsFollowTheRules)
{
    const Sample& sample = GetParam();
    std::vector<std::string> paragraphs = Paragraphs(sample.file);
    ASSERT_GE(paragraphs.size(), 3u) << sample.file;
    UINT codePage = RteDoubleByteCodePage(sample.charset);
    int betweenIdeographs = 0;
    for (const std::string& text : paragraphs) {
        RteHandle doc = MakeDocument(text, sample.font, 12, sample.charset);
        TestCanvas canvas(kColumn.right + 20, kColumn.bottom);
        RteSetPortDC(doc, canvas.Dc());
        LinePlacer placer(doc, kColumn);
        const std::vector<PlacedLine>& lines = placer.Place();
        placer.Draw(false);
        std::vector<bool> starts = CharStarts(text, codePage);
        std::string rejoined;
        int32_t expectedStart = 0;
        for (const PlacedLine& line : lines) {
            SCOPED_TRACE(testing::Message() << sample.file << " line at " << line.start);
            ASSERT_LE(line.rect.bottom, kColumn.bottom) << "the paragraph is longer than the canvas";
            while (expectedStart < line.start && text[expectedStart] == ' ')
                rejoined += text[expectedStart++];
            EXPECT_EQ(line.start, expectedStart) << "the lines rejoin to the text";
            rejoined += text.substr(line.start, line.end - line.start);
            expectedStart = line.end;
            ASSERT_TRUE(starts[line.start] && starts[line.end]) << "a character was split";
            int characters = 0;
            size_t last = line.start;
            for (int32_t i = line.start; i < line.end; ++i) {
                if (starts[i]) {
                    ++characters;
                    last = i;
                }
            }
            if (characters >= 2) {
                EXPECT_LE(line.pieces.back().piece.rect.right, kColumn.right) << "the line fits";
                EXPECT_EQ(ClassAt(text, line.start, sample.charset, starts) & RTE_BREAK_NO_BEGIN, 0)
                    << "begins with a character that may not begin a line";
                EXPECT_EQ(ClassAt(text, last, sample.charset, starts) & RTE_BREAK_NO_END, 0)
                    << "ends with a character that may not end a line";
            }
            bool leadBefore = line.end >= 2 && !starts[line.end - 1];
            bool leadAfter = line.end + 1 < static_cast<int32_t>(text.size()) && !starts[line.end + 1];
            betweenIdeographs += leadBefore && leadAfter ? 1 : 0;
            int ink = 0;
            for (int y = line.rect.top; y < line.rect.bottom; ++y) {
                for (int x = kColumn.left; x < kColumn.right; ++x)
                    ink += canvas.Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
            }
            EXPECT_GT(ink, 0) << "the line draws ink";
        }
        EXPECT_EQ(rejoined, text.substr(0, rejoined.size()));
        EXPECT_EQ(rejoined.size(), text.size());
        EXPECT_GE(lines.size(), 2u);
        RteDocDestroy(doc);
    }
    EXPECT_GT(betweenIdeographs, 0) << "lines end between two ideographs, not only at blanks";
}

INSTANTIATE_TEST_SUITE_P(ManualPages, FarEastTextTest,
                         testing::Values(Sample{"ja_shift_jis.txt", "IPAGothic", 128},
                                         Sample{"zh_gb2312.txt", "WenQuanYi Zen Hei", 134},
                                         Sample{"zh_big5.txt", "WenQuanYi Zen Hei", 136}));

}  // namespace
