// A text on a page shown at two extents: drawn larger, its lines break at the same words.
#include "accessors.h"
#include "dialog_answerer.h"
#include "texttest.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int Words = 40;

// Words that each carry a branch of their own (numbered from 1), in the object's markup.
std::string NumberedWords()
{
    std::string text;
    for (int i = 1; i <= Words; ++i)
        text += "#${ACTIVEAREAON(" + std::to_string(i) + ")}mot" + std::to_string(i) + "#${ACTIVEAREAOFF()} ";
    return text + "\n";
}

// The branch of the word under the point of the object window, 0 for none: the word the mouse
// hovers, as the text finds it.
int WordAt(TEXTE* text, int x, int y)
{
    text->messageActive = 0;
    text->hovered = nullptr;
    MSGL move{0, text->window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)};
    text->WindowsMessage(&move);
    const int word = text->messageActive && text->hovered ? text->hovered->branchId : 0;
    text->messageActive = 0;
    return word;
}

// The words that begin the lines: the words met going down the left edge.
std::vector<int> LineStarts(TEXTE* text)
{
    RECT client{};
    GetClientRect(text->window, &client);
    std::vector<int> starts;
    for (int y = 0; y < client.bottom; ++y) {
        const int word = WordAt(text, 2, y);
        if (word && (starts.empty() || starts.back() != word))
            starts.push_back(word);
    }
    return starts;
}

// The rectangle of these pixels as universe units, as a page laid out for every extent stores
// it.
std::string UniverseRect(KERNEL* kernel, int x, int y, int width, int height)
{
    char line[120];
    std::snprintf(line, sizeof line, "%.4f %.4f %.4f %.4f", KernS2Ux(kernel, x), KernS2Uy(kernel, y),
                  KernS2Ux(kernel, width) - KernS2Ux(kernel, 0), KernS2Uy(kernel, height) - KernS2Uy(kernel, 0));
    return line;
}

TEST(TextExtents, LinesBeginWithTheSameWordsAtTwiceTheExtent)
{
    PageHost host;
    KernSetAppExtent(host, 0, 0, 640, 480);
    host.pub.Write("mots.txt", NumberedWords());
    host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 0, 0, 0))}));
    std::vector<RecordLines> branches;
    RecordLines messages;
    for (int i = 1; i <= Words; ++i) {
        branches.push_back(TextBranch(host.Page("b.pag"), i, false));
        const RecordLines message = DefaultMessageLines();
        messages.insert(messages.end(), message.begin(), message.end());
    }
    // The page scales with the extent: its rectangles are universe units.
    RecordLines own = BoxBlock({host.Page("mots.txt")}, 240, 400, "255 255 255 0", messages);
    own[1] = UniverseRect(host, 10, 20, 240, 400);
    // The reference is where the text's 100th pixel stood when it was laid out.
    char reference[40];
    std::snprintf(reference, sizeof reference, "%.4f", KernS2Ux(host, 100));
    own[4] = reference;
    RecordLines page = {"PAGE {", "A", UniverseRect(host, 0, 0, 640, 480), "0", "0", "0 255 255 255", "}"};
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), page),
                                      ObjectRecord("QXTEXT.DLL", 0, "texte", BranchBlock(branches), own)}));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* text = static_cast<TEXTE*>(KernGetTopObjet(host)->GetChild(0));
    ASSERT_TRUE(text && text->window && text->document);
    ASSERT_EQ(240, text->w);
    const std::vector<int> small = LineStarts(text);
    ASSERT_GE(small.size(), 4u);
    ASSERT_LT(small.size(), static_cast<size_t>(Words) / 2) << "several words a line";
    EXPECT_EQ(1, small.front());

    KernSetAppExtent(host, 0, 0, 1280, 960);
    ASSERT_NEAR(480, text->w, 2);
    const std::vector<int> large = LineStarts(text);
    EXPECT_EQ(small, large);
}

}  // namespace
