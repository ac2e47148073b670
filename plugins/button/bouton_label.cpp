// The label of a button, placed by its alignment code and drawn in its text style, and the
// visited stamp.
#include "bouton_draw.h"

#include "accessors.h"
#include "bouton_font.h"
#include "branch.h"
#include "navigation.h"

#include <cstring>

namespace {

constexpr int Margin = 3;
// The label font of the dialog's small preview.
constexpr LONG DialogCopyFontHeight = -10;

// The part of the label shown in a state: before the separator when released, after it when
// pressed, the whole label without separator.
void StateText(const char* label, int state, const char*& text, int& length)
{
    const char* separator = std::strchr(label, BOUTON_LABEL_SEPARATOR);
    if (!separator) {
        text = label;
        length = static_cast<int>(std::strlen(label));
    } else if (state == BOUTON_LABEL_RELEASED) {
        text = label;
        length = static_cast<int>(separator - label);
    } else {
        text = separator + 1;
        length = static_cast<int>(std::strlen(text));
    }
}

// Left when the code says left, right when it says right, else centred.
int Horizontal(int code, int x, int width, int tw)
{
    switch (code) {
    case 1: case 5: case 7:
        return x + Margin;
    case 3: case 6: case 8:
        return x + width - tw - Margin;
    default:
        return x + (width - tw) / 2;
    }
}

int Vertical(int code, int y, int height, int th)
{
    switch (code) {
    case 2: case 5: case 6:
        return y + Margin;
    case 4: case 7: case 8:
        return y + height - th - Margin;
    default:
        return y + (height - th) / 2;
    }
}

}  // namespace

void DrawLabel(BOUTON& b, HDC dc, int state, int x, int y, int width, int height)
{
    if (!b.label[0] || b.textColour.flag || (state != BOUTON_LABEL_RELEASED && state != BOUTON_LABEL_PRESSED))
        return;
    LOGFONTA logical = b.font;
    if (b.dialogCopy)
        logical.lfHeight = DialogCopyFontHeight;
    ApplyEmbedding(logical);
    HFONT font = CreateFontIndirectA(&logical);
    HGDIOBJ previous = SelectObject(dc, font);
    const char* text = nullptr;
    int length = 0;
    StateText(b.label, state, text, length);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, length, &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int left = Horizontal(b.alignment, x, width, extent.cx);
    int top = Vertical(b.alignment, y, height, metrics.tmHeight);
    if (state == BOUTON_LABEL_PRESSED) {
        left += b.pressedDX;
        top += b.pressedDY;
    }
    SetBkMode(dc, TRANSPARENT);
    if (b.textStyle == BOUTON_TEXT_ENGRAVED || b.textStyle == BOUTON_TEXT_RAISED) {
        const int shift = b.textStyle == BOUTON_TEXT_ENGRAVED ? 1 : -1;
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutA(dc, left + shift, top + shift, text, length);
    }
    SetTextColor(dc, b.textColour.Rgb());
    TextOutA(dc, left, top, text, length);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(0, 0, 0));
    SelectObject(dc, previous);
    DeleteObject(font);
}

void DrawVisitedMark(BOUTON& b, HDC dc, int x, int y)
{
    BRANCH* first = b.GetBranch(0);
    if (first && first->visited && first->target.length() > 0 && KernIsInStack(b.kernel, first->target))
        KernDrawPost(b.kernel, dc, x, y);
}
