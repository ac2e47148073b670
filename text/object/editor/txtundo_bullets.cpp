// "Enlever puce(s)": the bullet and its tab taken off the start of every bulleted paragraph the
// selection touches, as one Undo group of four steps a paragraph.
#include <cstring>

#include "rte_edit_control.h"
#include "rte_editing.h"
#include "rte_selection.h"
#include "rte_style_units.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_text_bounds.h"
#include "rte_undo.h"
#include "txtundo.h"

namespace {

constexpr int32_t PrefixLength = QX_BULLET_PREFIX_LENGTH;

// The bullet and its tab take the look of the text after them, then go; the paragraph loses
// the indents that hung its text after the bullet.
void RemovePrefix(EDITORUNDO* undo, RteHandle doc, int32_t start)
{
    const RteRange prefix{start, start + PrefixLength};
    const RteRange after{start + PrefixLength, start + PrefixLength + 1};
    RteCharStyle style, mask;
    RteGetCharStyle(doc, &after, false, &style, &mask);
    char face[LF_FACESIZE * 2] = "";
    RteSetSelection(doc, after.start, after.end, 0, 0);
    RteGetFontName(doc, face);
    RteSetSelection(doc, prefix.start, prefix.end, 0, 0);

    AddUndoStep(undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_OFF);
    RteSetCharStyle(doc, &prefix, &style, &mask, 0);
    AddUndoStep(undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_OFF);
    RteSetFontName(doc, face, &prefix, 0);
    AddUndoStep(undo, RTE_UNDO_CUT, &prefix, VERB_BULLETS_OFF);
    RteDeleteRange(doc, &prefix, 0);

    RteSetSelection(doc, start, start, 0, 0);
    RteParFormat format, changed;
    RteClearParFormat(&format, 0);
    RteClearParFormat(&changed, 0);
    changed.leftIndent = changed.rightIndent = changed.firstIndent = -1;
    AddUndoStep(undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_OFF);
    RteSetParFormat(doc, nullptr, &format, &changed, 0);
}

// An end of the selection moved back over the prefixes taken off before it.
int32_t Shifted(int32_t offset, int32_t prefixStart)
{
    if (offset >= prefixStart + PrefixLength)
        return offset - PrefixLength;
    return offset > prefixStart ? prefixStart : offset;
}

}  // namespace

bool StartsWithBulletPrefix(HWND control, int32_t start, const char* prefix)
{
    char text[PrefixLength + 1] = {};
    RteTextRangeRecord record{start, PrefixLength, text};
    SendMessageA(control, RTEM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&record));
    return std::strncmp(text, prefix, PrefixLength) == 0;
}

int RemoveBullets(EDITORUNDO* undo, const char* bulletPrefix)
{
    RteHandle doc = undo && undo->editControl && bulletPrefix
                        ? reinterpret_cast<RteHandle>(SendMessageA(undo->editControl, RTEM_GETDOC, 0, 0))
                        : nullptr;
    if (!doc)
        return 0;
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    int removed = 0;
    BeginUndoGroup(undo);
    for (int32_t at = start;;) {
        int32_t paragraph = 0, paragraphEnd = 0;
        RteParagraphBounds(doc, at, &paragraph, &paragraphEnd);
        if (StartsWithBulletPrefix(undo->editControl, paragraph, bulletPrefix)) {
            RemovePrefix(undo, doc, paragraph);
            start = Shifted(start, paragraph);
            end = Shifted(end, paragraph);
            paragraphEnd -= PrefixLength;
            ++removed;
        }
        // The paragraph's end moved back with its prefix: compared with its own start, not
        // with where the walk came in, which may lie after the prefix taken off.
        if (paragraphEnd >= end || paragraphEnd <= paragraph)
            break;
        at = paragraphEnd;
    }
    EndUndoGroup(undo);
    RteSetSelection(doc, start, end, 0, 1);
    InvalidateRect(undo->editControl, nullptr, TRUE);
    return removed;
}
