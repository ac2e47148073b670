// Texts with words on a page the kernel shows: the text read into the document of the object's
// window, and its coloured words drawn in their colour.
#include "texttest.h"

#include "dialog_answerer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A large sentence whose one word is red.
const std::string RedWordRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                               "\\f0\\fs48 Un mot \\cf1 ROUGE\\cf0  ici.\\par}";

std::string Hex(const std::string& bytes)
{
    std::string hex;
    for (unsigned char c : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", c);
        hex += digits;
    }
    return hex;
}

// The "TXTINLINE 2[" body of these bytes.
RecordLines InlineBody(const std::string& bytes)
{
    RecordLines body = {"TXTINLINE 2[", std::to_string(bytes.size())};
    for (size_t at = 0; at < bytes.size(); at += 16)
        body.push_back(Hex(bytes.substr(at, 16)));
    body.push_back("]");
    return body;
}

// A text in a box of 400 x 200 pixels at (10, 20), its own block holding this body.
TEXTE* ShownText(PageHost& host, const RecordLines& body)
{
    RecordLines own = {"TEXTE {", "10 20 400 200"};
    own.insert(own.end(), body.begin(), body.end());
    own.insert(own.end(), {"0 0 0 0", "100", "255 255 255 0", "}"});
    return ShownText(host, "texte", own);
}

// The object's window painted, as the kernel asks it, into a 32-bit DIB of its client size:
// how many of its pixels are pure enough red.
int RedPixelsOfWindow(TEXTE* text)
{
    RECT client{};
    GetClientRect(text->window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib)
        return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    MSGL paint{0, text->window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0};
    text->WindowsMessage(&paint);
    GdiFlush();
    int red = 0;
    const auto* pixel = static_cast<const uint32_t*>(bits);
    for (long i = 0; i < static_cast<long>(client.right) * client.bottom; ++i) {
        const uint32_t p = pixel[i];
        if ((p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 60 && (p & 0xFF) < 60)
            ++red;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return red;
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
