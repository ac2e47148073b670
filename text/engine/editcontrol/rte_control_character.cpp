// The character messages on the raised and lowered shift, the two style values of the second
// part and the style-sheet entries defined from a LOGFONT or a font-style record.
#include <cstring>

#include "rte_control_internal.h"
#include "rte_fonts.h"
#include "rte_style_names.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_undo.h"

namespace {

// The style's attribute units 1 to 32, bit i for unit i + 1.
constexpr int kAttributeUnits = 32;
// Units holding an amount rather than on or off: the shifts in points, small capitals in percent.
constexpr int kRaisedUnit = 13;
constexpr int kLoweredUnit = 14;
constexpr int kSmallCapsUnit = 18;
constexpr int16_t kShiftOn = 3;
constexpr int16_t kSmallCapsOn = 75;

int16_t* Units(RteCharStyle* style) { return &style->font; }

RteCharStyle RangeStyle(RteHandle doc)
{
    RteCharStyle style = {}, uniform = {};
    RteGetCharStyle(doc, nullptr, false, &style, &uniform);
    return style;
}

// Sets the units the step fills over the selection, as a restyle with undo and notification.
template <class Fill>
void SetUnits(RteControl* control, WPARAM redraw, Fill fill)
{
    RteCharStyle values = {}, mask = {};
    fill(values, mask);
    RteGuardedRestyle(control, [&] {
        RteSetCharStyle(control->document, nullptr, &values, &mask, redraw ? control->editRedraw : 0);
    });
    if (redraw)
        RteNotifyPending(control);
}

// The base of every style-sheet entry the control defines: the environment's background
// colour and hooks, all else from the caller.
RteCharStyle EntryBase(const RteCharStyle& given)
{
    const RteCharStyle& defaults = RteEnvironmentOf()->defaultStyle;
    RteCharStyle style = given;
    style.backColor = defaults.backColor;
    style.hooks = defaults.hooks;
    return style;
}

// With an id the entry is redefined (0); else the id of an equal entry or of a new one.
LRESULT DefineEntry(RteControl* control, int32_t id, const RteCharStyle& style, const RteFont& font)
{
    RteHandle doc = control->document;
    LRESULT result = 0;
    RteGuarded(control, [&] {
        if (id) {
            RteChangeNamedCharStyle(doc, id, &style, &font, 0);
            return;
        }
        RteCharStyle values = style;
        values.font = static_cast<int16_t>(RteFindOrAddFont(doc, &font));
        result = RteFindNamedCharStyle(doc, &values, nullptr);
        if (!result)
            result = RteAddNamedCharStyle(doc, &style, &font);
    });
    if (id)
        RteControlRedraw(control, false);
    return result;
}

}  // namespace

void RteControlRestyleUndo(RteControl* control)
{
    RteControlPrepareUndo(control, RTE_UNDO_RESTYLE, nullptr);
    RteNotifyChange(control);
}

void RteFontStyleToStyle(const RteFontStyleRecord& record, RteCharStyle* style, RteFont* font)
{
    *font = {};
    std::memcpy(font->name, record.fontName, strnlen(record.fontName, RTE_STYLE_NAME_CHARS));
    font->nameFlags = RTE_FONT_NAME_CSTRING;
    *style = {};
    style->pointSize = record.pointSize * 65536;
    int16_t* units = Units(style);
    for (int unit = 1; unit <= kAttributeUnits; ++unit)
        if (record.attributes & (1u << (unit - 1)))
            units[unit] = unit == kSmallCapsUnit ? kSmallCapsOn : unit == kRaisedUnit || unit == kLoweredUnit ? kShiftOn : 1;
    style->unit21 = record.unit21;
    style->textColor = record.textColor;
    *style = EntryBase(*style);
}

void RteStyleToFontStyle(const RteCharStyle& style, const RteFont& font, RteFontStyleRecord* record)
{
    *record = {};
    if (font.nameFlags & RTE_FONT_NAME_CSTRING) {
        std::memcpy(record->fontName, font.name, strnlen(font.name, RTE_STYLE_NAME_CHARS));
    } else {
        size_t length = static_cast<uint8_t>(font.name[0]);
        std::memcpy(record->fontName, font.name + 1, length < RTE_STYLE_NAME_CHARS ? length : RTE_STYLE_NAME_CHARS);
    }
    record->pointSize = (style.pointSize + 0x8000) >> 16;
    record->unit21 = style.unit21;
    RteCharStyle copy = style;
    const int16_t* units = Units(&copy);
    for (int unit = 1; unit <= kAttributeUnits; ++unit)
        if (units[unit])
            record->attributes |= 1u << (unit - 1);
    record->textColor = style.textColor;
}

LRESULT RteControlCharacterMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_SETSHIFT: {
        // Raised text is the negative amount, lowered text the positive one; one clears the other.
        auto amount = static_cast<int32_t>(lParam);
        SetUnits(control, wParam, [&](RteCharStyle& values, RteCharStyle& mask) {
            values.superscript = static_cast<int16_t>(amount < 0 ? -amount : 0);
            values.subscript = static_cast<int16_t>(amount < 0 ? 0 : amount);
            mask.superscript = mask.subscript = -1;
        });
        return 0;
    }
    case RTEM_GETSHIFT: {
        RteCharStyle style = RangeStyle(doc);
        return style.superscript ? -style.superscript : style.subscript;
    }
    case RTEM_SETSTYLEVALUEA:
    case RTEM_SETSTYLEVALUEB: {
        size_t which = message == RTEM_SETSTYLEVALUEA ? 0 : 1;
        SetUnits(control, wParam, [&](RteCharStyle& values, RteCharStyle& mask) {
            values.units12to13[which] = static_cast<int32_t>(lParam);
            mask.units12to13[which] = -1;
        });
        return 0;
    }
    case RTEM_GETSTYLEVALUEA:
        return RangeStyle(doc).units12to13[0];
    case RTEM_GETSTYLEVALUEB:
        return RangeStyle(doc).units12to13[1];
    case RTEM_DEFINESTYLE: {
        RteCharStyle style;
        RteFont font;
        RteLogFontToStyle(doc, reinterpret_cast<const LOGFONTA*>(lParam), &style, &font);
        return DefineEntry(control, static_cast<int32_t>(wParam), EntryBase(style), font);
    }
    case RTEM_DEFINESTYLEREC: {
        RteCharStyle style;
        RteFont font;
        RteFontStyleToStyle(*reinterpret_cast<const RteFontStyleRecord*>(lParam), &style, &font);
        return DefineEntry(control, static_cast<int32_t>(wParam), style, font);
    }
    case RTEM_APPLYSTYLE:
        RteGuarded(control, [&] {
            RteApplyNamedCharStyle(doc, nullptr, static_cast<int16_t>(LOWORD(lParam)), wParam ? control->editRedraw : 0);
        });
        if (wParam)
            RteControlRedraw(control, true);
        return 0;
    default:
        // 0x2612 does nothing.
        return RteControlStyleNameMessage(control, message, wParam, lParam);
    }
}
