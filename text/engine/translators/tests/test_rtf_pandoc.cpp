// Real documents: RTF written by pandoc from Debian's documentation, read in and compared
// word by word with what unrtf finds in the same files.
#include <gtest/gtest.h>

#include <cctype>

#include "block_text.h"
#include "rtf_fixture.h"

namespace {

// Words of letters and digits, as both sides keep them.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (unsigned char c : text) {
        if (c < 0x80 && std::isalnum(c)) {
            word.push_back(static_cast<char>(c));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// unrtf's text output without its own header lines (those opening with "###"), its separator
// line and the names of the picture files it saves in place of each picture ("pict001.png").
bool IsPictureFileLine(const std::string& line)
{
    return line.size() > 7 && line.rfind("pict", 0) == 0 && std::isdigit(static_cast<unsigned char>(line[4])) &&
           line.find('.') != std::string::npos && line.find(' ') == std::string::npos;
}

std::string UnrtfBody(const std::string& output)
{
    std::string body;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(at, end - at);
        if (line.rfind("###", 0) != 0 && line.find_first_not_of("-\r") != std::string::npos &&
            !IsPictureFileLine(line))
            body += line + "\n";
        at = end + 1;
    }
    return body;
}

class PandocTest : public RtfTest, public testing::WithParamInterface<const char*> {};

TEST_P(PandocTest, WordsMatchUnrtf)
{
    std::string base = std::string(QX_TRANSLATOR_FIXTURES) + "/rtf/" + GetParam();
    std::string rtf = ReadFile(base + ".rtf");
    ASSERT_FALSE(rtf.empty());
    RteHandle doc = Import(rtf);
    EXPECT_EQ(result_, 0);
    std::vector<std::string> ours = Words(DocumentText(doc));
    std::vector<std::string> theirs = Words(UnrtfBody(ReadFile(base + ".unrtf.txt")));
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(ours.size(), theirs.size());
    size_t count = std::min(ours.size(), theirs.size());
    for (size_t i = 0; i < count; ++i) {
        ASSERT_EQ(ours[i], theirs[i]) << "word " << i;
    }
}

TEST_P(PandocTest, NoPictureDataReachesTheText)
{
    std::string rtf = ReadFile(std::string(QX_TRANSLATOR_FIXTURES) + "/rtf/" + GetParam() + ".rtf");
    std::string text = DocumentText(Import(rtf));
    EXPECT_EQ(text.find("89504e47"), std::string::npos);  // the PNG signature in hexadecimal
    EXPECT_EQ(text.find("pngblip"), std::string::npos);
    EXPECT_EQ(text.find("HYPERLINK"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PandocTest, testing::Values("pathlib", "readme", "license"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
