// The sample publication's text page: its text object names a file of command markup beside
// the page, with several fonts, a red word, a link with its hover message, and more text than
// its box holds.
#include "texttest.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "fonts.h"
#include "kerntree.h"
#include "pagefiles.h"
#include "sample_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

namespace {

// Where the text object lies on the page.
constexpr RECT TextBox{40, 40, 420, 340};

class SampleTextPage : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"texte.pag", "texte.txt", "galerie.pag", "fin.pag", "bouton_haut.bmp", "bouton_bas.bmp"})
            host.pub.Write(name, ReadWholeFile(SampleFile(name)));
        // The publication window's extent in the player, on which the reference width of the
        // text depends.
        KernSetAppExtent(host, 0, 0, 640, 480);
    }

    // The text of the page shown.
    TEXTE* ShownText()
    {
        if (host.Go("texte.pag") != 1)
            return nullptr;
        OBJET* page = KernGetTopObjet(host);
        OBJET* first = page && page->GetChildItems() > 0 ? page->GetChild(0) : nullptr;
        return first && std::string(first->GetDLLName()) == "QXTEXT.DLL" ? static_cast<TEXTE*>(first) : nullptr;
    }

    PageHost host;
    DialogAnswerer answer;
};

// The text's own block of a page: from "TEXTE {" to its "}".
std::string TextBlockOf(const std::string& page)
{
    const size_t start = page.find("TEXTE {\r\n");
    const size_t end = page.find("\r\n}\r\n", start);
    return start == std::string::npos || end == std::string::npos ? "" : page.substr(start, end + 5 - start);
}

// The pixels of the page shown that are pure enough red, inside `area`.
int RedPixels(const PageHost& host, const RECT& area)
{
    SIZE size{};
    const std::vector<uint32_t> pixels = host.RenderedPixels(size);
    if (pixels.empty())
        return -1;
    int red = 0;
    for (int y = area.top; y < area.bottom && y < size.cy; ++y)
        for (int x = area.left; x < area.right && x < size.cx; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * size.cx + x];
            red += (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 60 && (p & 0xFF) < 60;
        }
    return red;
}

TEST_F(SampleTextPage, ItsTextBlockIsWrittenBackByteForByteAndItsTextFileStaysAsItWas)
{
    ASSERT_NE(nullptr, ShownText());
    ASSERT_EQ(1, KernSaveAs(host, host.Page("copie.pag").c_str()));
    const std::string block = TextBlockOf(ReadWholeFile(SampleFile("texte.pag")));
    EXPECT_NE("", block);
    EXPECT_EQ(block, TextBlockOf(host.pub.Read("copie.pag")));
    EXPECT_EQ(ReadWholeFile(SampleFile("texte.txt")), host.pub.Read("texte.txt"));
    EXPECT_TRUE(answer.Shown().empty());
}

TEST_F(SampleTextPage, ShowsItsTextInThreeFontsWithARedWordAndAScrollBar)
{
    TEXTE* text = ShownText();
    ASSERT_NE(nullptr, text);
    const std::string copied = CopiedText(text);
    for (const char* words : {"Le texte dans Vistrelle", "comme ce mot rouge.", "posez la souris sur la galerie",
                              "Fin du texte"})
        EXPECT_NE(std::string::npos, copied.find(words)) << words << " in " << copied;
    FONTS_LIST fonts;
    text->GetFonts(&fonts);
    std::set<std::string> faces;
    for (int i = 0; i < fonts.Items(); ++i)
        faces.insert(static_cast<const char*>(fonts.GetFont(i)->logName));
    EXPECT_EQ((std::set<std::string>{"Liberation Mono", "Liberation Sans", "Liberation Serif"}), faces);
    // More text than the box holds: the scroll bar stands at its right edge.
    ASSERT_NE(nullptr, text->scrollBar);
    // (The host's own window is never shown: the bar's style says whether it shows.)
    EXPECT_TRUE(GetWindowLongA(text->scrollBar, GWL_STYLE) & WS_VISIBLE);
    RECT bar{}, box{};
    GetWindowRect(text->scrollBar, &bar);
    GetWindowRect(text->window, &box);
    EXPECT_EQ(box.right, bar.right);
    EXPECT_GT(RedPixels(host, TextBox), 40);
    EXPECT_TRUE(answer.Shown().empty());
}

TEST_F(SampleTextPage, TheMouseOnTheLinkShowsItsMessage)
{
    TEXTE* text = ShownText();
    ASSERT_NE(nullptr, text);
    POINT at = SampleTextLink;
    MapWindowPoints(GetParent(text->window), text->window, &at, 1);
    MSGL move{0, text->window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y)};
    text->WindowsMessage(&move);
    ASSERT_TRUE(text->messageActive);
    ASSERT_NE(nullptr, text->hovered);
    EXPECT_STREQ("Voir les images de la galerie", text->hovered->text);
    EXPECT_TRUE(text->hovered->displayed);
    EXPECT_TRUE(IsWindowVisible(FindWindowA("MsgWind", nullptr)));
}

}  // namespace
