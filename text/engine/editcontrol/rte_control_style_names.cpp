// The style-name messages: named styles made from a name, a font-style record and a paragraph
// record, read back by index or for the selection, applied, found, renamed and deleted.
#include <cstring>
#include <string>

#include "rte_control_internal.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_styles.h"

namespace {

// The units the record does not carry (the tab spacing, the direction, ...) are the
// environment's defaults, as in every new paragraph.
RteParFormat FormatOfRecord(const RteParagraphRecord& record)
{
    RteParFormat format = RteEnvironmentOf()->defaultFormat;
    format.leftIndent = record.leftIndent;
    format.rightIndent = record.rightIndent;
    format.firstIndent = record.firstIndent;
    format.alignment = record.alignment;
    format.tabCount = static_cast<int16_t>(record.tabCount < 0 ? 0 : record.tabCount > RTE_MAX_TABS ? RTE_MAX_TABS
                                                                                                   : record.tabCount);
    std::memcpy(format.tabs, record.tabs, sizeof format.tabs);
    format.spaceAfter = record.spaceAfter;
    format.spaceBefore = record.spaceBefore;
    format.lineSpacing = record.lineSpacing;
    format.units2to6[0] = record.keepTogether;
    return format;
}

RteParagraphRecord RecordOfFormat(const RteParFormat& format)
{
    RteParagraphRecord record = {};
    record.leftIndent = format.leftIndent;
    record.rightIndent = format.rightIndent;
    record.firstIndent = format.firstIndent;
    record.alignment = format.alignment;
    record.tabCount = format.tabCount;
    std::memcpy(record.tabs, format.tabs, sizeof record.tabs);
    record.spaceAfter = static_cast<int16_t>(format.spaceAfter);
    record.spaceBefore = static_cast<int16_t>(format.spaceBefore);
    record.lineSpacing = static_cast<int16_t>(format.lineSpacing);
    record.keepTogether = format.units2to6[0];
    return record;
}

// A name of at most 63 characters, whatever the caller's 64 bytes hold.
std::string NameOf(const char* bytes) { return std::string(bytes, strnlen(bytes, RTE_STYLE_NAME_CHARS)); }

LRESULT NewStyleName(RteControl* control, const RteStyleNameRecord& record)
{
    RteCharStyle style;
    RteFont font;
    RteFontStyleToStyle(record.character, &style, &font);
    RteParFormat format = FormatOfRecord(record.paragraph);
    LRESULT index = 0;
    RteGuarded(control, [&] {
        index = RteNewStyleName(control->document, NameOf(record.name).c_str(), &style, &font, &format);
    });
    return index;
}

// The name and both parts of a named style; 0 without one.
LRESULT GetStyleName(RteControl* control, int32_t index, RteStyleNameRecord* out)
{
    RteHandle doc = control->document;
    RteStyleName name;
    if (index <= 0 || !RteGetStyleName(doc, index, &name))
        return 0;
    RteCharStyle style = {};
    RteFont font = {};
    RteParFormat format;
    RteClearParFormat(&format, 0);
    RteGetStyleNameStyles(doc, index, &style, &font, &format);
    *out = {};
    std::memcpy(out->name, name.name, sizeof out->name);
    RteStyleToFontStyle(style, font, &out->character);
    out->paragraph = RecordOfFormat(format);
    return index;
}

// The name of the selection's character style when the whole selection has one, else 0.
int32_t RangeStyleName(RteHandle doc)
{
    int32_t id = 0;
    RteCharStyle entry;
    if (!RteNamedCharStyleOfRange(doc, nullptr, &id) || id <= 0 || !RteGetNamedCharStyle(doc, id, &entry))
        return 0;
    return entry.nameIndex;
}

}  // namespace

LRESULT RteControlStyleNameMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_NEWSTYLENAME:
        return NewStyleName(control, *reinterpret_cast<const RteStyleNameRecord*>(lParam));
    case RTEM_GETSTYLENAME:
        return GetStyleName(control, static_cast<int32_t>(wParam), reinterpret_cast<RteStyleNameRecord*>(lParam));
    case RTEM_GETRANGESTYLENAME:
        return GetStyleName(control, RangeStyleName(doc), reinterpret_cast<RteStyleNameRecord*>(lParam));
    case RTEM_STYLENAMECOUNT:
        return RteStyleNameCount(doc);
    case RTEM_APPLYSTYLENAME:
        RteGuarded(control, [&] {
            RteApplyStyleNameIndex(doc, nullptr, static_cast<int32_t>(lParam), wParam ? control->editRedraw : 0);
        });
        if (wParam)
            RteControlRedraw(control, true);
        return 0;
    case RTEM_FINDSTYLENAME: {
        // Without a name: the name of the selection's style.
        if (!lParam)
            return RteFindStyleName(doc, nullptr);
        return RteFindStyleName(doc, NameOf(reinterpret_cast<const char*>(lParam)).c_str());
    }
    case RTEM_RENAMESTYLE:
        if (lParam)
            RteGuarded(control, [&] {
                RteRenameStyleName(doc, static_cast<int32_t>(wParam), NameOf(reinterpret_cast<const char*>(lParam)).c_str());
            });
        return 0;
    case RTEM_DELETESTYLENAME:
        RteGuarded(control, [&] { RteDeleteStyleName(doc, static_cast<int32_t>(wParam)); });
        return 0;
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
