// Display lines of the control's text for the edit messages that count and copy lines, and the
// text-and-selection messages on words, paragraphs, the caret and whole documents.
#include <algorithm>
#include <cstring>
#include <vector>

#include "rte_clipboard.h"
#include "rte_control_internal.h"
#include "rte_laid_out_lines.h"
#include "rte_pages.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "rte_text_bounds.h"
#include "rte_transfer.h"
#include "rte_typed.h"

int32_t RteControlCopyText(RteControl* control, int32_t offset, int32_t count, char* out);

namespace {

std::vector<RteLaidOutLine> Lines(RteControl* control)
{
    std::vector<RteLaidOutLine> lines;
    RteGuarded(control, [&] { lines = RteLaidOutLines(control->document); });
    return lines;
}

// The number of the line holding the offset (the last line for the text's end).
int32_t LineOf(const std::vector<RteLaidOutLine>& lines, int32_t offset)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (offset < lines[i].end)
            return static_cast<int32_t>(i);
    return lines.empty() ? 0 : static_cast<int32_t>(lines.size()) - 1;
}

int32_t SelectionStart(RteHandle doc)
{
    int32_t start, end;
    RteGetSelection(doc, &start, &end);
    return start;
}

void SetCaret(RteControl* control, int32_t code, int32_t offset)
{
    RteHandle doc = control->document;
    int32_t start = SelectionStart(doc);
    RteSetSelection(doc, start, start, 0, 1);
    switch (code) {
    case 0:
        RteSetSelection(doc, offset, offset, 0, 1);
        break;
    case 1:
        start += offset == -1 ? 0 : offset;
        RteSetSelection(doc, start, start, 0, 1);
        break;
    case 2: case 3: case 4: case 5:
        RteMoveSelection(doc, code - 2, true);
        break;
    case 6:
    case 7: {
        RtePoint point{code == 6 ? control->view.top + 2 : control->view.bottom - 2, control->view.left};
        int32_t at = RteOffsetAtPoint(doc, &point, nullptr);
        RteSetSelection(doc, at, at, 0, 1);
        break;
    }
    default:
        break;
    }
}

LRESULT InsertDocument(RteControl* control, WPARAM redraw, RteHandle source, int16_t styleMode)
{
    RteGuarded(control, [&] {
        RteInsertDocument(control->document, source, -1, styleMode, redraw ? control->editRedraw : 0);
    });
    if (redraw) {
        RteClampScroll(control->document, control->scrollRedraw);
        RteUpdateScrollBars(control, true);
        RteNotifyPending(control);
    }
    RteNotifyChange(control);
    return 0;
}

}  // namespace

LRESULT RteControlLineMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case EM_GETLINECOUNT:
        return std::max<size_t>(Lines(control).size(), 1);
    case EM_LINEINDEX: {
        std::vector<RteLaidOutLine> lines = Lines(control);
        int32_t line = static_cast<int32_t>(wParam) < 0 ? LineOf(lines, SelectionStart(doc)) : static_cast<int32_t>(wParam);
        return line < static_cast<int32_t>(lines.size()) ? lines[static_cast<size_t>(line)].start : -1;
    }
    case EM_LINELENGTH: {
        std::vector<RteLaidOutLine> lines = Lines(control);
        if (lines.empty())
            return 0;
        const RteLaidOutLine& line = lines[static_cast<size_t>(LineOf(lines, static_cast<int32_t>(wParam)))];
        return line.end - line.start;
    }
    case EM_LINEFROMCHAR: {
        auto offset = static_cast<int32_t>(wParam);
        return LineOf(Lines(control), offset < 0 ? SelectionStart(doc) : offset);
    }
    case EM_GETLINE: {
        std::vector<RteLaidOutLine> lines = Lines(control);
        if (wParam >= lines.size())
            return 0;
        char* buffer = reinterpret_cast<char*>(lParam);
        uint16_t room;
        std::memcpy(&room, buffer, sizeof room);
        const RteLaidOutLine& line = lines[wParam];
        return RteControlCopyText(control, line.start, std::min<int32_t>(room, line.end - line.start), buffer);
    }
    default:
        return 0;
    }
}

LRESULT RteControlTextMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    switch (message) {
    case RTEM_COPYTEXT: {
        HGLOBAL block = nullptr;
        RteGuarded(control, [&] {
            RteHandle bytes = RteCopyRangeText(doc, reinterpret_cast<const RteRange*>(lParam), static_cast<int16_t>(wParam));
            int32_t count = bytes ? RteCount(bytes) : 0;
            block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count) + 1);
            if (!block) {
                if (bytes)
                    RteFree(bytes);
                RteRaise(RteControlContext(), RTE_ERR_NO_MEMORY, nullptr);
            }
            char* text = static_cast<char*>(GlobalLock(block));
            if (count)
                std::memcpy(text, RteLocked<char>(bytes).get(), static_cast<size_t>(count));
            text[count] = 0;
            GlobalUnlock(block);
            if (bytes)
                RteFree(bytes);
        });
        return reinterpret_cast<LRESULT>(block);
    }
    case RTEM_CANPASTE:
        if (control->notifyFlags & RTEN_FLAG_PASTEDATA)
            if (LRESULT answer = RteNotify(control, RTEN_PASTEDATA, 0))
                return answer;
        return RteClipboardHas(RteControlClipboardFormat()) ? 1 : 0;
    case RTEM_SETCARET:
        RteGuarded(control, [&] { SetCaret(control, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)); });
        return 0;
    case RTEM_PARLINECOUNT:
        return RteParagraphLineCount(doc);
    case RTEM_PARLINEAT:
        return RteParagraphNumberAt(doc, static_cast<int32_t>(lParam), LOWORD(wParam) != 0);
    case RTEM_PARLINESTART: {
        int32_t start = 0, end = 0;
        RteParagraphLineRange(doc, static_cast<int32_t>(lParam), &start, &end);
        return start;
    }
    case RTEM_WORDBOUNDS:
    case RTEM_PARBOUNDS: {
        auto* record = reinterpret_cast<int32_t*>(lParam);
        RteGuarded(control, [&] {
            if (message == RTEM_WORDBOUNDS)
                RteWordBounds(doc, record[0], &record[1], &record[2], (wParam & 1) != 0, (wParam & 2) != 0);
            else
                RteParagraphBounds(doc, record[0], &record[1], &record[2]);
        });
        return 0;
    }
    case RTEM_COPYDOC: {
        RteHandle copy = nullptr;
        RteGuarded(control, [&] { copy = RteCopyRange(doc, reinterpret_cast<const RteRange*>(lParam)); });
        return reinterpret_cast<LRESULT>(copy);
    }
    case RTEM_INSERTDOC:
    case RTEM_INSERTDOCSTYLED:
        return InsertDocument(control, wParam, reinterpret_cast<RteHandle>(lParam), 0);
    case RTEM_INSERTDOCPLAIN:
        return InsertDocument(control, wParam, reinterpret_cast<RteHandle>(lParam), 1);
    case RTEM_DESTROYDOC:
        RteGuarded(control, [&] { RteDocDestroy(reinterpret_cast<RteHandle>(lParam)); });
        return 0;
    case RTEM_CARETRIGHT:
    case RTEM_CARETLEFT: {
        int32_t start, end;
        RteGetSelection(doc, &start, &end);
        int32_t to = std::clamp(end + (message == RTEM_CARETRIGHT ? 1 : -1), 0, RteTextLength(doc));
        RteGuarded(control, [&] { RteSetSelection(doc, to, to, 0, wParam ? 1 : 0); });
        return 0;
    }
    default:
        return RteControlTextQueryMessage(control, message, wParam, lParam);
    }
}
