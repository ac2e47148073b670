// Texts with words on a page the kernel shows: the text read into the document of the object's
// window, and its coloured words drawn in their colour.
#include "texttest.h"

#include "dialog_answerer.h"

#include <gtest/gtest.h>

namespace {

// A text in a box of 400 x 200 pixels at (10, 20), its own block holding this body.
TEXTE* ShownText(PageHost& host, const RecordLines& body) { return ShownText(host, "texte", BoxBlock(body, 400, 200)); }

// How many pixels of the object's window, painted as the kernel asks it, are pure enough red.
int RedPixelsOfWindow(TEXTE* text)
{
    return CountPixels(*PaintedText(text), [](uint32_t p) { return Near(p, 255, 0, 0); });
}

struct ShownBody {
    const char* name;
    // The body of the text's block, given the host whose folder holds the page.
    RecordLines (*body)(PageHost& host);
};

const ShownBody ShownBodies[] = {
    {"Inline", [](PageHost&) { return InlineBody(RedWordRtf); }},
    {"RtfFileBesideThePage",
     [](PageHost& host) {
         host.pub.Write("mot.rtf", RedWordRtf);
         return RecordLines{host.Page("mot.rtf")};
     }},
    // A name written by hand, without ".\\": the file beside the page, found without a word.
    {"BareNameBesideThePage",
     [](PageHost& host) {
         host.pub.Write("mot.rtf", RedWordRtf);
         return RecordLines{"mot.rtf"};
     }},
};

void PrintTo(const ShownBody& body, std::ostream* out) { *out << body.name; }

class TextShown : public testing::TestWithParam<ShownBody> {};

TEST_P(TextShown, ReadsItsTextIntoTheDocumentAndDrawsTheRedWordRed)
{
    PageHost host;
    DialogAnswerer answer;
    TEXTE* text = ShownText(host, GetParam().body(host));
    for (const ShownDialog& box : answer.Shown())
        ADD_FAILURE() << "box shown: " << box.caption << ": " << box.text;
    ASSERT_NE(nullptr, text);
    ASSERT_NE(nullptr, text->window);
    ASSERT_NE(nullptr, text->document);
    const std::string copied = CopiedText(text);
    EXPECT_NE(std::string::npos, copied.find("Un mot ROUGE ici.")) << copied;
    EXPECT_GT(RedPixelsOfWindow(text), 200);
}

INSTANTIATE_TEST_SUITE_P(Bodies, TextShown, testing::ValuesIn(ShownBodies),
                         [](const testing::TestParamInfo<ShownBody>& info) { return std::string(info.param.name); });

}  // namespace
