// Text output: runs with their background, raised or lowered, small capitals, underlines of
// every kind, the tab leader and the marks of the invisibles.
#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "rte_blink.h"
#include "rte_document_internal.h"
#include "rte_gdi_case.h"
#include "rte_gdi_misc.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_run_helpers.h"
#include "rte_run_hooks.h"

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

// Where the word lines go. Word segments are found in text order; under a run read from the
// right each line is mirrored within the run, so that it stays under its word as drawn.
struct WordLineTarget {
    HDC dc;
    HPEN pen;
    bool fromTheRight;
    int32_t left;   // the run's first pixel
    int32_t right;  // and its last
};

void DrawWordLine(void* context, int32_t x0, int32_t x1, int32_t y)
{
    auto* target = static_cast<WordLineTarget*>(context);
    int32_t mirror = target->left + target->right;
    if (target->fromTheRight)
        DrawLine(target->dc, mirror - x1, mirror - x0, y, target->pen);
    else
        DrawLine(target->dc, x0, x1, y, target->pen);
}

// The underlines of a run: the word kind only under its word segments.
void DrawUnderlines(HDC dc, RteHandle handle, const RteDocument* doc, const RteCharStyle& style, const RteDrawRun& run,
                    bool fromTheRight, int32_t baseline, const std::vector<int32_t>& positions, COLORREF colour)
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
        WordLineTarget target{dc, pen, fromTheRight, run.x, run.x + run.width - 1};
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

// A right-to-left font on a system that reads from left to right: the engine itself puts the
// run's first character at its right edge, as measuring a placed run says.
bool ReadsFromTheRight(RteDocument* doc, const RteFont& font)
{
    return (font.values[RTE_FONT_CHARSET] & RTE_SCRIPT_RIGHT_TO_LEFT) && RteDirectionSign(doc->env) == 1;
}

// A stretch of the run drawn by one call: its characters in one font, within one sub-run.
struct DrawnPiece {
    const char* text;  // as drawn (case changed), in text order
    int32_t start;     // in the run
    int32_t count;
    bool small;
};

// The run's stretches, left to right as they appear: the case pieces cut where the sub-runs
// end, in text order, or from the last to the first for a run read from the right.
std::vector<DrawnPiece> DrawnPieces(const std::vector<RteCasePiece>& casePieces, const std::vector<int32_t>& edges,
                                    bool fromTheRight)
{
    std::vector<DrawnPiece> pieces;
    for (const RteCasePiece& piece : casePieces) {
        auto pieceEnd = piece.start + static_cast<int32_t>(piece.text.size());
        for (int32_t from = piece.start; from < pieceEnd;) {
            int32_t to = std::min(pieceEnd, *std::upper_bound(edges.begin(), edges.end(), from));
            pieces.push_back({piece.text.data() + (from - piece.start), from, to - from, piece.small});
            from = to;
        }
    }
    if (fromTheRight)
        std::reverse(pieces.begin(), pieces.end());
    return pieces;
}

// One stretch where the whole run puts it: from the run's left edge, or, read from the right,
// mirrored within the run, its characters from the last to the first, each in its own width.
void DrawPiece(HDC dc, const RteDrawRun& run, int32_t baseline, const std::vector<int32_t>& widths,
               const DrawnPiece& piece, bool fromTheRight)
{
    auto first = widths.begin() + piece.start;
    auto last = first + piece.count;
    if (!fromTheRight) {
        ExtTextOutA(dc, std::accumulate(widths.begin(), first, run.x), baseline, 0, nullptr, piece.text, piece.count,
                    &*first);
        return;
    }
    std::string mirrored(piece.text, piece.count);
    std::reverse(mirrored.begin(), mirrored.end());
    std::vector<INT> advances(std::make_reverse_iterator(last), std::make_reverse_iterator(first));
    ExtTextOutA(dc, std::accumulate(last, widths.begin() + run.count, run.x), baseline, 0, nullptr, mirrored.data(),
                piece.count, advances.data());
}

// Where the run's sub-runs end, as indexes into the run, the last its count: each is drawn
// on its own.
std::vector<int32_t> SubRunEdges(RteHandle handle, const RteCharStyle& style, const RteDrawRun& run)
{
    std::vector<int32_t> edges;
    int32_t start = run.blockStart + run.offset;
    for (int32_t at = start; at < start + run.count;) {
        at = RteSubRunEnd(handle, &style, at, start + run.count);
        edges.push_back(at - start);
    }
    return edges;
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
    RteCharStyle normalStyle = *style;
    HFONT normal = RteMakeFont(handle, &normalStyle, &font);
    HFONT small = style->smallCaps ? RteSmallCapsFont(handle, *style, font) : normal;
    bool fromTheRight = ReadsFromTheRight(doc.get(), font);
    // The drawn pieces point into the case pieces' text.
    std::vector<RteCasePiece> casePieces = RteCasePieces(*style, run.text, run.count);
    for (const DrawnPiece& piece : DrawnPieces(casePieces, SubRunEdges(handle, *style, run), fromTheRight)) {
        SelectObject(dc, piece.small ? small : normal);
        DrawPiece(dc, run, baseline, widths, piece, fromTheRight);
    }
    std::vector<int32_t> positions{0};
    int32_t x = run.x;
    for (int32_t i = 0; i < run.count; ++i) {
        x += widths[i];
        positions.push_back(x - run.x);
    }
    if (run.flags & RTE_RUN_SOFT_HYPHEN_END) {
        const RteCountedGlyph& hyphen = RteGdiOf(doc->env)->glyphs[1];
        TextOutA(dc, x, baseline, reinterpret_cast<const char*>(hyphen.bytes), 1);
    }
    run.width = x - run.x;
    DrawUnderlines(dc, handle, doc.get(), *style, run, fromTheRight, baseline, positions, text);
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

intptr_t RteDrawTabLeader(RteHandle handle, RteParFormat*, intptr_t mode, intptr_t request, intptr_t)
{
    if (mode != RTE_PAR_DRAW_TAB_LEADER)
        return 0;
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
