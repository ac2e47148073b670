// The typed paragraph, its looks and the ink of its words.
#include "typed_paragraph.h"

#include <algorithm>

const std::string kTypedParagraph =
    "Le rédacteur écrit ici à la main un paragraphe en français : gras puis gras, un mot penché, un mot rouge, et "
    "la suite coule d'une colonne à l'autre sans rien perdre de ce qu'elle dit, jusqu'à la seconde colonne où se "
    "trouve l'image ";

namespace {

constexpr uint32_t kBold = 0x1;
constexpr uint32_t kItalic = 0x2;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
// The edit redraw mode, as the typing host styles.
constexpr WPARAM kRedraw = 1;

// The words typed between two presses of a host key, each the first of its kind.
struct StyledWord {
    const char* word;
    TypedLook look;
};
constexpr StyledWord kStyledWords[] = {{"gras", {kBold, kBlack}}, {"penché", {kItalic, kBlack}}, {"rouge", {0, kRed}}};

void TypeChars(HWND control, const std::string& text)
{
    for (char c : text)
        SendMessageA(control, WM_CHAR, static_cast<uint8_t>(c), 1);
}

// The host's key around the word: a second press stops.
void PressHostKey(HWND control, const TypedLook& look, bool on)
{
    if (look.attributes)
        SendMessageA(control, RTEM_SETATTRIBUTES, kRedraw, static_cast<LPARAM>(look.attributes));
    else
        SendMessageA(control, RTEM_SETTEXTCOLOR, kRedraw, on ? look.colour : kBlack);
}

}  // namespace

TypedLook TypedLookAt(size_t offset)
{
    for (const StyledWord& styled : kStyledWords) {
        size_t start = kTypedParagraph.find(styled.word);
        if (offset >= start && offset < start + std::string(styled.word).size())
            return styled.look;
    }
    return {0, kBlack};
}

void TypeParagraph(HWND control)
{
    size_t typed = 0;
    for (const StyledWord& styled : kStyledWords) {
        size_t start = kTypedParagraph.find(styled.word);
        TypeChars(control, kTypedParagraph.substr(typed, start - typed));
        PressHostKey(control, styled.look, true);
        TypeChars(control, styled.word);
        PressHostKey(control, styled.look, false);
        typed = start + std::string(styled.word).size();
    }
    TypeChars(control, kTypedParagraph.substr(typed));
}

std::string LooksOtherThanTyped(HWND control)
{
    std::string differences;
    for (size_t i = 0; i < kTypedParagraph.size(); ++i) {
        int32_t range[2] = {static_cast<int32_t>(i), static_cast<int32_t>(i) + 1};
        SendMessageA(control, RTEM_SETSEL, 1, reinterpret_cast<LPARAM>(range));
        uint32_t uniform = 0;
        const auto attributes =
            static_cast<uint32_t>(SendMessageA(control, RTEM_GETATTRIBUTES, 0, reinterpret_cast<LPARAM>(&uniform)));
        const auto colour = static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0));
        const TypedLook typed = TypedLookAt(i);
        if ((attributes & (kBold | kItalic)) != typed.attributes || colour != typed.colour)
            differences += std::to_string(i) + " in \"" + kTypedParagraph.substr(i, 12) + "\": attributes " +
                           std::to_string(attributes) + ", colour " + std::to_string(colour) + "\n";
    }
    return differences;
}

RteRect TextRect(HWND control, int32_t offset, int32_t count)
{
    RteCaretRecord first{offset, {}, 0, 0}, last{offset + count, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&last));
    return RteRect{first.rect.top, first.rect.left, first.rect.bottom, last.rect.left};
}

Ink InkIn(const TestCanvas& canvas, const RteRect& rect)
{
    const int top = std::max(0, rect.top), bottom = std::min(canvas.Height(), rect.bottom);
    const int left = std::max(0, rect.left), right = std::min(canvas.Width(), rect.right);
    int inkTop = bottom, inkBottom = top, inkLeft = right, inkRight = left;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if ((canvas.Raw(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y + 1);
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x + 1);
            }
    Ink ink;
    if (inkTop >= inkBottom)
        return ink;
    ink.width = inkRight - inkLeft;
    ink.height = inkBottom - inkTop;
    for (int y = inkTop; y < inkBottom; ++y)
        for (int x = inkLeft; x < inkRight; ++x)
            ink.pixels.push_back(canvas.Raw(x, y) & 0xFFFFFF);
    return ink;
}
