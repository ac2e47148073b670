// Real files named by texts of shown pages, each read in the format the engine's probe (then
// the name) chooses: RTF written by pandoc, a licence text, a page of a package's HTML
// documentation, the object's own TQX file and the bare record stream; and what an import
// leaves of the text's colours and the interval its tabs step at.
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// The object's own file (record stream and settings trailer) as an inline text's save holds it.
std::string TqxOfSavedText()
{
    PageHost host;
    TEXTE* text = ShownText(host, "texte", BoxBlock(InlineBody(RedWordRtf), 400, 200));
    if (!text)
        return "";
    const std::vector<std::string> lines = SplitLines(SaveText(text));
    auto form = std::find(lines.begin(), lines.end(), "TXTINLINE 2[");
    std::string bytes;
    for (auto line = form == lines.end() ? form : form + 2; line < lines.end() && *line != "]"; ++line)
        for (size_t at = 0; at + 1 < line->size(); at += 2)
            bytes += static_cast<char>(std::stoi(line->substr(at, 2), nullptr, 16));
    return bytes;
}

// The settings trailer that ends the object's own file.
constexpr size_t TrailerBytes = 200;

struct ImportedFile {
    const char* name;
    const char* file;                                   // as named in the publication
    std::string (*bytes)();                             // its content, at test time
    int format;                                         // the translator chosen
    const char* words;                                  // found in the text read
};

const ImportedFile ImportedFiles[] = {
    {"PandocRtf", "licence.rtf", [] { return FileBytes(QX_RTF_FIXTURES "/license.rtf"); }, TEXTFORMAT_RTF,
     "Version 2.0, January 2004"},
    // Plain text goes through the object's markup translator.
    {"LicenceText", "licence.txt", [] { return FileBytes("/usr/share/common-licenses/Apache-2.0"); },
     TEXTFORMAT_QXTEXT, "TERMS AND CONDITIONS FOR USE, REPRODUCTION, AND DISTRIBUTION"},
    {"DocumentationPage", "libffi.html", [] { return FileBytes("/usr/share/doc/libffi8/html/Introduction.html"); },
     TEXTFORMAT_HTML, "What is libffi?"},
    {"ObjectsOwnFile", "texte.tqx", TqxOfSavedText, TEXTFORMAT_NATIVE, "Un mot ROUGE ici."},
    {"RecordStream", "texte.rtd",
     [] {
         const std::string tqx = TqxOfSavedText();
         return tqx.size() > TrailerBytes ? tqx.substr(0, tqx.size() - TrailerBytes) : "";
     },
     TEXTFORMAT_NATIVE, "Un mot ROUGE ici."},
};

void PrintTo(const ImportedFile& file, std::ostream* out) { *out << file.name; }

class TextImport : public testing::TestWithParam<ImportedFile> {};

TEST_P(TextImport, ReadsTheFileInTheFormatTheProbeChooses)
{
    const ImportedFile& c = GetParam();
    const std::string bytes = c.bytes();
    ASSERT_GT(bytes.size(), 100u);
    PageHost host;
    host.pub.Write(c.file, bytes);
    TEXTE* text = ShownText(host, "texte", BoxBlock({host.Page(c.file)}, 400, 200));
    ASSERT_TRUE(text && text->document);
    EXPECT_EQ(c.format, text->format);
    const std::string copied = CopiedText(text);
    EXPECT_NE(std::string::npos, copied.find(c.words)) << copied.substr(0, 300);
}

INSTANTIATE_TEST_SUITE_P(Files, TextImport, testing::ValuesIn(ImportedFiles),
                         [](const testing::TestParamInfo<ImportedFile>& info) { return std::string(info.param.name); });

TEST(TextImportColours, TheTextLosesItsBackgroundAndKeepsItsColours)
{
    PageHost host;
    // Large red words on green, in the object's markup; the object's own background is yellow.
    host.pub.Write("couleurs.txt", "#${FONT(1056,0,0,0,700,0,0,0,0,3,2,1,34,\"Arial\")}#${BACKMODE(2)}"
                                   "#${BACKCOLOR(0,255,0)}#${FORECOLOR(255,0,0)}ROUGE SUR VERT\n");
    TEXTE* text = ShownText(host, "texte", BoxBlock({host.Page("couleurs.txt")}, 400, 200, "255 255 0 0"));
    ASSERT_TRUE(text && text->document);
    const auto picture = PaintedText(text);
    EXPECT_GT(CountPixels(*picture, [](uint32_t p) { return Near(p, 255, 0, 0); }), 500);
    EXPECT_EQ(0, CountPixels(*picture, [](uint32_t p) { return Near(p, 0, 255, 0); }));
    EXPECT_GT(CountPixels(*picture, [](uint32_t p) { return p == 0xFFFF00; }), 400 * 200 / 2);
}

// A plain text carries no tab interval: its tabs step at the default one, 25 pixels, not a
// pixel at a time.
TEST(TextImportTabs, APlainTextsTabStepsAtTheDefaultInterval)
{
    PageHost host;
    host.pub.Write("tab.txt", "a\tb\n");
    TEXTE* text = ShownText(host, "texte", BoxBlock({host.Page("tab.txt")}, 400, 200));
    ASSERT_TRUE(text && text->document);
    const auto picture = PaintedText(text);
    // The columns with ink, in runs: the first is the "a", the next the "b".
    std::vector<int> starts;
    bool inInk = false;
    for (int x = 0; x < picture->Width(); ++x) {
        bool ink = false;
        for (int y = 0; y < picture->Height() && !ink; ++y)
            ink = (picture->Raw(x, y) & 0xFF) < 0x80;
        if (ink && !inInk)
            starts.push_back(x);
        inInk = ink;
    }
    ASSERT_EQ(2u, starts.size());
    EXPECT_NEAR(25, starts[1] - starts[0], 2);
}

}  // namespace
