// Navigation keys of the editor and the bullet prefixes they never stop in.
#include "bullet_navigation.h"

#include "bullets.h"
#include "edit_frame.h"
#include "rte_document.h"
#include "rte_selection.h"
#include "text_document.h"

#include <algorithm>

namespace {

// Home and End: the line's or, with Ctrl, the text's ends; Shift extends.
void MoveToEnd(EDITSESSION* session, WPARAM key, bool ctrl, bool shift)
{
    const int32_t code = key == VK_HOME ? (ctrl ? RTE_MOVE_TEXT_START : RTE_MOVE_LINE_START)
                                        : (ctrl ? RTE_MOVE_TEXT_END : RTE_MOVE_LINE_END);
    EngineDo([&] { RteMoveSelection(session->document, code | (shift ? RTE_MOVE_EXTEND : 0), true); });
    session->direction = shift ? (key == VK_HOME ? -1 : 1) : 0;
}

void MoveByWord(EDITSESSION* session, WPARAM key, bool shift)
{
    const int32_t code = key == VK_LEFT ? RTE_MOVE_PREVIOUS_WORD : RTE_MOVE_NEXT_WORD;
    EngineDo([&] { RteMoveSelection(session->document, code | (shift ? RTE_MOVE_EXTEND : 0), true); });
    session->direction = shift ? (key == VK_LEFT ? -1 : 1) : 0;
}

// Shift with Left or Right: the selection's moving end by one character, within the text. The
// direction tells the moving end; a caret moves the way of the key.
void ExtendByCharacter(EDITSESSION* session, WPARAM key)
{
    int32_t start = 0, end = 0, length = 0;
    GetEditSelection(session, &start, &end);
    EngineDo([&] { length = RteTextLength(session->document); });
    const int step = key == VK_LEFT ? -1 : 1;
    const bool startMoves = start == end ? step < 0 : session->direction < 0;
    const int32_t anchor = startMoves ? end : start;
    const int32_t moved = std::clamp((startMoves ? start : end) + step, 0, length);
    SetEditSelection(session, std::min(anchor, moved), std::max(anchor, moved));
    session->direction = moved == anchor ? 0 : moved < anchor ? -1 : 1;
}

}  // namespace

LRESULT NavigateByKey(EDITSESSION* session, WNDPROC own, HWND control, WPARAM key, LPARAM lParam, bool ctrl,
                      bool shift)
{
    LRESULT result = 0;
    const bool sideways = key == VK_LEFT || key == VK_RIGHT;
    if (key == VK_HOME || key == VK_END)
        MoveToEnd(session, key, ctrl, shift);
    else if (sideways && ctrl)
        MoveByWord(session, key, shift);
    else if (sideways && shift)
        ExtendByCharacter(session, key);
    else
        result = CallWindowProcA(own, control, WM_KEYDOWN, key, lParam);
    KeepOutOfBulletPrefix(session, key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : 0);
    ShowCaret(session);
    return result;
}

void KeepOutOfBulletPrefix(EDITSESSION* session, int move)
{
    int32_t start = 0, end = 0, paragraph = 0;
    GetEditSelection(session, &start, &end);
    if (start == end) {
        if (!BulletPlace(session, start, &paragraph))
            return;
        const int32_t to = move < 0 && paragraph > 0 ? paragraph - 1 : paragraph + QX_BULLET_PREFIX_LENGTH;
        SetEditSelection(session, to, to);
        return;
    }
    int32_t widenedStart = start, widenedEnd = end;
    if (BulletPlace(session, start, &paragraph) == BULLET_SECOND)
        widenedStart = paragraph;
    if (BulletPlace(session, end, &paragraph) == BULLET_SECOND)
        widenedEnd = paragraph + QX_BULLET_PREFIX_LENGTH;
    if (widenedStart != start || widenedEnd != end)
        SetEditSelection(session, widenedStart, widenedEnd);
}
