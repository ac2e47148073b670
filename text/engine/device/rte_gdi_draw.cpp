// Text output: runs with their background, raised or lowered, small capitals, underlines of
// every kind, the tab leader and the marks of the invisibles.
#include <algorithm>
#include <vector>

#include "rte_blink.h"
#include "rte_document_internal.h"
#include "rte_gdi_case.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_run_helpers.h"

using namespace rte_document;

namespace {

constexpr RteColor kUnsetColour = {0xFFFF, 0xFFFF, 0xFFFF};

// Underline kinds, as drawn.
constexpr uint32_t kDouble = 0x1;
constexpr uint32_t kDotted = 0x2;
constexpr uint32_t kWords = 0x4;
constexpr uint32_t kPlain = 0x8;
constexpr uint32_t kOverline = 0x10;

COLORREF ColourRef(const RteColor& colour, COLORREF flag)
{
    return RGB(colour.red >> 8, colour.green >> 8, colour.blue >> 8) | flag;
}

bool SameColour(const RteColor& a, const RteColor& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Where drawing goes: the port the port hook made current, or the document's own.
RteGdiPort* DrawingPort(RteDocument* doc)
{
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    return gdi->current ? gdi->current : RteGdiPortOf(&doc->port);
}

uint32_t UnderlineKinds(const RteCharStyle& style)
{
    return (style.doubleUnderline ? kDouble : 0) | (style.dottedUnderline ? kDotted : 0) |
           (style.wordUnderline ? kWords : 0) | (style.underline ? kPlain : 0) | (style.unit19 ? kOverline : 0);
}

void DrawLine(HDC dc, int32_t x0, int32_t x1, int32_t y, HPEN pen)
{
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y, nullptr);
    LineTo(dc, x1 + 1, y);
    SelectObject(dc, old);
}

void DrawWordLine(void* context, int32_t x0, int32_t x1, int32_t y)
{
    auto* target = static_cast<std::pair<HDC, HPEN>*>(context);
    DrawLine(target->first, x0, x1, y, target->second);
}

// The underlines of a run: the word kind only under its word segments.
void DrawUnderlines(HDC dc, RteHandle handle, const RteDocument* doc, const RteCharStyle& style, const RteDrawRun& run,
                    int32_t baseline, const std::vector<int32_t>& positions, COLORREF colour)
{
    uint32_t kinds = UnderlineKinds(style);
    if (!kinds || run.width <= 0)
        return;
    int32_t scale = doc->scaling.factor ? std::max(1, ((doc->scaling.factor >> 16) & 0xFFFF) /
                                                          std::max(1, doc->scaling.factor & 0xFFFF))
                                        : 1;
    HPEN pen = CreatePen(kinds & kDotted ? PS_DOT : PS_SOLID, scale, colour);
    int32_t y = baseline + 1;
    if (kinds & kWords) {
        RteStyleWalk walker;
        RteStyleWalkBegin(handle, run.blockStart + run.offset, &walker, false);
        std::pair<HDC, HPEN> target{dc, pen};
        RteDrawWordLines(handle, &walker, run.text - run.offset, run.blockStart, run.offset, run.count,
                         positions.data(), run.x, y, DrawWordLine, &target);
        RteStyleWalkEnd(handle, false);
    }
    if (kinds & (kPlain | kDouble | kDotted))
        DrawLine(dc, run.x, run.x + run.width - 1, y, pen);
    if (kinds & kDouble)
        DrawLine(dc, run.x, run.x + run.width - 1, y + 2 * scale, pen);
    if (kinds & kOverline) {
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        DrawLine(dc, run.x, run.x + run.width - 1, baseline - metrics.tmAscent - 1, pen);
    }
    DeleteObject(pen);
}

// The box of a boxed run: its top and bottom across the run, its sides where the box starts
// and ends.
void DrawBox(HDC dc, const RteDrawRun& run, int32_t baseline, COLORREF colour)
{
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int32_t top = baseline - metrics.tmAscent;
    int32_t bottom = baseline + metrics.tmDescent - 1;
    int32_t right = run.x + run.width - 1;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    DrawLine(dc, run.x, right, top, pen);
    DrawLine(dc, run.x, right, bottom, pen);
    HGDIOBJ old = SelectObject(dc, pen);
    if (!(run.flags & RTE_RUN_BOX_FROM_BEFORE)) {
        MoveToEx(dc, run.x, top, nullptr);
        LineTo(dc, run.x, bottom + 1);
    }
    if (!(run.flags & RTE_RUN_BOX_INTO_AFTER)) {
        MoveToEx(dc, right, top, nullptr);
        LineTo(dc, right, bottom + 1);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

constexpr intptr_t kBlankNotControl = RTE_CLASS_BLANK | RTE_CLASS_CONTROL;

// The display glyph that marks a line's end (0 for none).
int32_t EndingGlyph(int32_t ending)
{
    switch (ending) {
    case RTE_LINE_ENDS_PARAGRAPH:
        return 3;
    case RTE_LINE_ENDS_SOFT_BREAK:
        return 4;
    case RTE_LINE_ENDS_PAGE:
        return 5;
    case RTE_LINE_ENDS_TEXT:
        return 6;
    case RTE_LINE_ENDS_CONTAINER:
        return 8;
    default:
        return 0;
    }
}

}  // namespace

intptr_t RteDrawText(RteHandle handle, RteCharStyle* style, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto& run = *reinterpret_cast<RteDrawRun*>(request);
    run.width = 0;
    DocLock doc(handle);
    if (style->hidden && (doc->flags & RTE_DOC_HIDDEN_TEXT))
        return 0;
    RteGdiPort* port = DrawingPort(doc.get());
    HDC dc = RtePortGetDC(port);
    RteFont font = ElementOf<RteFont>(doc->fonts, style->font < 0 ? 0 : style->font);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    COLORREF text = ColourRef(style->textColor, port->colourFlag);
    SetTextColor(dc, text);
    bool opaque = !SameColour(style->backColor, kUnsetColour);
    if (opaque) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColourRef(style->backColor, port->colourFlag));
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    int32_t baseline = run.baseline - style->superscript + style->subscript;
    std::vector<int32_t> widths(run.count + 1);
    RteRunWidths(dc, handle, *style, font, run.text, run.count, run.justify, widths.data());
    HFONT normal = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    HFONT small = style->smallCaps ? RteSmallCapsFont(handle, *style, font) : normal;
    std::vector<int32_t> positions{0};
    int32_t x = run.x;
    for (const RteCasePiece& piece : RteCasePieces(*style, run.text, run.count)) {
        SelectObject(dc, piece.small ? small : normal);
        auto length = static_cast<int32_t>(piece.text.size());
        ExtTextOutA(dc, x, baseline, 0, nullptr, piece.text.data(), length,
                    reinterpret_cast<const INT*>(widths.data() + piece.start));
        for (int32_t i = 0; i < length; ++i) {
            x += widths[piece.start + i];
            positions.push_back(x - run.x);
        }
    }
    if (run.flags & RTE_RUN_SOFT_HYPHEN_END) {
        const RteCountedGlyph& hyphen = RteGdiOf(doc->env)->glyphs[1];
        TextOutA(dc, x, baseline, reinterpret_cast<const char*>(hyphen.bytes), 1);
    }
    run.width = x - run.x;
    DrawUnderlines(dc, handle, doc.get(), *style, run, baseline, positions, text);
    if (style->units23to34[RTE_STYLE_BOX_UNIT] && run.width > 0)
        DrawBox(dc, run, baseline, text);
    if (style->units23to34[RTE_STYLE_BLINK_UNIT])
        RteDrawBlink(doc->env, dc, RECT{run.x, run.line.top, x, run.line.bottom});
    if (style->hidden) {
        HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
        DrawLine(dc, run.x, x - 1, baseline - style->ascent / 3, grey);
        DeleteObject(grey);
    }
    SetBkColor(dc, ColourRef(port->background, port->colourFlag));
    SelectObject(dc, oldFont);
    RtePortReleaseDC(port);
    return run.width;
}

intptr_t RteDrawTabLeader(RteHandle handle, RteParFormat*, intptr_t request, intptr_t, intptr_t)
{
    auto& r = *reinterpret_cast<RteTabLeader*>(request);
    if (!r.leader || r.right <= r.left)
        return 0;
    DocLock doc(handle);
    RteGdiPort* port = DrawingPort(doc.get());
    HDC dc = RtePortGetDC(port);
    RteFont font = ElementOf<RteFont>(doc->fonts, r.style->font < 0 ? 0 : r.style->font);
    HGDIOBJ old = SelectObject(dc, RteMakeFont(handle, r.style, &font));
    const std::string four(4, static_cast<char>(r.leader));
    int32_t average = std::max(1, RteDcTextWidth(dc, four.data(), 4) / 4);
    int32_t gap = r.right - r.left;
    auto n = gap / average + 2;
    std::string copies;
    do {
        copies.assign(n--, static_cast<char>(r.leader));
    } while (n >= 0 && RteDcTextWidth(dc, copies.data(), static_cast<int32_t>(copies.size())) > gap);
    int32_t width = RteDcTextWidth(dc, copies.data(), static_cast<int32_t>(copies.size()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourRef(r.style->textColor, port->colourFlag));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    TextOutA(dc, r.right - width, r.baseline, copies.data(), static_cast<int32_t>(copies.size()));
    if (r.style->underline) {
        HPEN pen = CreatePen(PS_SOLID, 1, ColourRef(r.style->textColor, port->colourFlag));
        DrawLine(dc, r.left, r.right - 1, r.baseline + 1, pen);
        DeleteObject(pen);
    }
    SelectObject(dc, old);
    RtePortReleaseDC(port);
    return width;
}

intptr_t RteDrawInvisibles(RteHandle handle, intptr_t request, intptr_t, intptr_t, intptr_t, intptr_t)
{
    auto& r = *reinterpret_cast<RteInvisibles*>(request);
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    RteGdiPort* port = DrawingPort(doc.get());
    HDC dc = RtePortGetDC(port);
    RteFont font = ElementOf<RteFont>(doc->fonts, r.style->font < 0 ? 0 : r.style->font);
    // The marks are characters of the ANSI code page: a double-byte font would show others.
    if (RteDoubleByteCodePage(font.values[RTE_FONT_CHARSET]))
        font = doc->env->defaultFont;
    RteCharStyle markStyle = *r.style;
    HGDIOBJ old = SelectObject(dc, RteMakeFont(handle, &markStyle, &font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourRef(r.style->textColor, port->colourFlag));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    const RteCountedGlyph& blank = gdi->glyphs[9];
    for (int32_t i = 0; i < r.count && blank.bytes[0]; ++i) {
        // A blank that is no control character.
        if (r.style->hooks.charInfo(handle, r.style, reinterpret_cast<intptr_t>(r.text + i), 1, kBlankNotControl, i) !=
            RTE_CLASS_BLANK)
            continue;
        // The mark is centred on the blank it stands for.
        int32_t markWidth = RteDcTextWidth(dc, reinterpret_cast<const char*>(blank.bytes), 1);
        int32_t centre = r.left + (r.positions[i] + r.positions[i + 1]) / 2;
        TextOutA(dc, centre - markWidth / 2, r.baseline, reinterpret_cast<const char*>(blank.bytes), 1);
    }
    int32_t glyph = EndingGlyph(r.ending);
    if (glyph) {
        const RteCountedGlyph& mark = gdi->glyphs[glyph];
        TextOutA(dc, r.left + r.positions[r.count], r.baseline, reinterpret_cast<const char*>(mark.bytes), 1);
    }
    SelectObject(dc, old);
    RtePortReleaseDC(port);
    return 0;
}
