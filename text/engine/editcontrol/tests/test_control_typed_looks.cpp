// The paragraph of the on-screen test typed into two framed columns with the typing host's
// keys, without a screen: every character keeps the look it was typed in, and every word typed
// plain is drawn as the same word of the paragraph given as plain text ("dit" among them, whose
// d, i and t the plain face itself draws with stems of two pixels at this size).
#include <utility>

#include "control_fixture.h"
#include "typed_paragraph.h"

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 150;

// The ink of each word of the paragraph that was typed plain, in text order.
std::vector<std::pair<std::string, Ink>> PlainWordInks(HWND control, const TestCanvas& picture)
{
    std::vector<std::pair<std::string, Ink>> inks;
    // The paragraph's words are cut by single blanks, and it ends with one.
    for (size_t start = 0, end; (end = kTypedParagraph.find(' ', start)) != std::string::npos; start = end + 1) {
        bool plain = true;
        for (size_t i = start; i < end; ++i)
            plain = plain && TypedLookAt(i).attributes == 0 && TypedLookAt(i).colour == RGB(0, 0, 0);
        if (plain)
            inks.emplace_back(kTypedParagraph.substr(start, end - start),
                              InkIn(picture, TextRect(control, static_cast<int32_t>(start),
                                                      static_cast<int32_t>(end - start))));
    }
    return inks;
}

TEST_F(ControlTest, TypedWordsKeepTheirLooksAndPlainWordsAreDrawnPlain)
{
    SetWindowPos(parent_, nullptr, 0, 0, kWidth + 40, kHeight + 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    auto columns = [&] {
        HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, kWidth, kHeight);
        FrameTwoColumnsWithRule(control);
        UpdateWindow(control);
        return control;
    };
    HWND typed = columns();
    SendMessageA(typed, WM_SETFOCUS, 0, 0);
    TypeParagraph(typed);
    ASSERT_EQ(Text(typed), kTypedParagraph);
    EXPECT_EQ(LooksOtherThanTyped(typed), "");
    SendMessageA(typed, EM_SETSEL, 0, 0);
    SendMessageA(typed, WM_KILLFOCUS, 0, 0);
    TestCanvas typedPicture(kWidth, kHeight);
    Snapshot(typed, typedPicture);
    const auto typedInks = PlainWordInks(typed, typedPicture);
    // The comparison tells a bold word from its plain copy.
    const size_t second = kTypedParagraph.find("gras") + 1;
    EXPECT_NE(InkIn(typedPicture, TextRect(typed, static_cast<int32_t>(kTypedParagraph.find("gras")), 4)),
              InkIn(typedPicture, TextRect(typed, static_cast<int32_t>(kTypedParagraph.find("gras", second)), 4)));
    DestroyWindow(typed);

    HWND plain = columns();
    SendMessageA(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kTypedParagraph.c_str()));
    SendMessageA(plain, EM_SETSEL, 0, 0);
    TestCanvas plainPicture(kWidth, kHeight);
    Snapshot(plain, plainPicture);
    const auto plainInks = PlainWordInks(plain, plainPicture);

    ASSERT_EQ(typedInks.size(), plainInks.size());
    EXPECT_GT(typedInks.size(), 30u);
    bool dit = false;
    for (size_t i = 0; i < typedInks.size(); ++i) {
        const auto& [word, ink] = typedInks[i];
        dit = dit || word == "dit,";
        EXPECT_GT(ink.width, 0) << word << ": drawn";
        EXPECT_TRUE(ink == plainInks[i].second) << word << " is drawn otherwise than plain: " << ink.width << "x"
                                                << ink.height << " against " << plainInks[i].second.width << "x"
                                                << plainInks[i].second.height;
    }
    EXPECT_TRUE(dit);
}

}  // namespace
