// Bullets of the editor's paragraphs: put and taken by the palette's button, continued by Enter.
#include "bullets.h"

#include "editwindow_res.h"
#include "rte_edit_control.h"
#include "rte_editing.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_text_bounds.h"
#include "rte_undo.h"
#include "text_document.h"
#include "tools_window.h"

#include <cstring>

namespace {

constexpr int32_t PrefixLength = QX_BULLET_PREFIX_LENGTH;

const char* PrefixOf(EDITSESSION* session) { return session->copy->defaults.bullet.prefix; }

void ParagraphBounds(EDITSESSION* session, int32_t offset, int32_t* start, int32_t* end)
{
    *start = *end = offset;
    EngineDo([&] { RteParagraphBounds(session->document, offset, start, end); });
}

char CharAt(EDITSESSION* session, int32_t offset)
{
    char text[2] = {};
    RteTextRangeRecord record{offset, 1, text};
    SendMessageA(session->control, RTEM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&record));
    return text[0];
}

// The bullet prefix at the offset: inserted, freed of any branch, its bullet in the bullet's
// face; three steps of the open group.
void PutPrefix(EDITSESSION* session, int32_t at)
{
    const BULLETSTYLE& bullet = session->copy->defaults.bullet;
    const RteHandle doc = session->document;
    const int32_t span[2]{at, PrefixLength};
    if (TXTUNDO* step = AddUndoStep(&session->undo, RTE_UNDO_INSERT_SPAN, span, VERB_BULLETS_ON))
        step->paragraph = 1;
    EngineDo([&] {
        RteInsertText(doc, reinterpret_cast<const uint8_t*>(bullet.prefix), PrefixLength, at, RTE_KEYS_NONE, 0, 0);
    });
    const RteRange prefix{at, at + PrefixLength}, mark{at, at + 1};
    RteCharStyle plain{}, mask{};
    std::memset(&mask.value14, 0xFF, sizeof mask.value14);
    AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_ON);
    EngineDo([&] { RteSetCharStyle(doc, &prefix, &plain, &mask, 0); });
    AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_ON);
    EngineDo([&] { RteSetFontName(doc, bullet.face, &mark, 0); });
}

// Every paragraph the selection touches that has no bullet gets one; the selection stays on
// the same text.
void PutBullets(EDITSESSION* session)
{
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    BeginUndoGroup(&session->undo);
    for (int32_t at = start;;) {
        int32_t paragraph = 0, paragraphEnd = 0;
        ParagraphBounds(session, at, &paragraph, &paragraphEnd);
        if (!StartsWithBulletPrefix(session->control, paragraph, PrefixOf(session))) {
            PutPrefix(session, paragraph);
            paragraphEnd += PrefixLength;
            if (start > paragraph)
                start += PrefixLength;
            end += PrefixLength;
        }
        if (paragraphEnd >= end || paragraphEnd <= paragraph)
            break;
        at = paragraphEnd;
    }
    EndUndoGroup(&session->undo);
    SetEditSelection(session, start, end);
}

// Whether the selection's first paragraph is bulleted.
bool SelectionStartsBulleted(EDITSESSION* session)
{
    int32_t start = 0, end = 0, paragraph = 0, paragraphEnd = 0;
    GetEditSelection(session, &start, &end);
    return InBulletedParagraph(session, start, &paragraph, &paragraphEnd);
}

}  // namespace

int BulletPlace(EDITSESSION* session, int32_t offset, int32_t* paragraphStart)
{
    int32_t start = 0, end = 0;
    if (!InBulletedParagraph(session, offset, &start, &end) || offset >= start + PrefixLength)
        return BULLET_OUTSIDE;
    if (paragraphStart)
        *paragraphStart = start;
    return offset == start ? BULLET_FIRST : BULLET_SECOND;
}

bool InBulletedParagraph(EDITSESSION* session, int32_t offset, int32_t* start, int32_t* end)
{
    if (!session->document)
        return false;
    ParagraphBounds(session, offset, start, end);
    return StartsWithBulletPrefix(session->control, *start, PrefixOf(session));
}

void ToggleBullets(EDITSESSION* session)
{
    if (SelectionStartsBulleted(session))
        RemoveBullets(&session->undo, PrefixOf(session));
    else
        PutBullets(session);
    InvalidateRect(session->control, nullptr, TRUE);
    MarkModified(session);
}

bool OnBulletedEnter(EDITSESSION* session)
{
    int32_t start = 0, end = 0, paragraph = 0, paragraphEnd = 0;
    GetEditSelection(session, &start, &end);
    if (!InBulletedParagraph(session, start, &paragraph, &paragraphEnd))
        return false;
    int32_t textEnd = paragraphEnd;
    if (textEnd > paragraph + PrefixLength && CharAt(session, textEnd - 1) == RTE_CHAR_PARAGRAPH)
        --textEnd;
    if (textEnd <= paragraph + PrefixLength) {
        // Enter on a bullet alone ends the list: the bullet goes, no paragraph is added.
        SetEditSelection(session, paragraph + PrefixLength, paragraph + PrefixLength);
        RemoveBullets(&session->undo, PrefixOf(session));
        MarkModified(session);
        PostMessageA(session->frame, QX_EDIT_REFRESH, 0, 0);
        return true;
    }
    const RteRange text{paragraph + PrefixLength, paragraph + PrefixLength + 1};
    EngineDo([&] {
        RteGetCharStyle(session->document, &text, false, &session->bulletStyle, &session->bulletStyleMask);
    });
    session->bulletStylePending = 1;
    PostMessageA(session->frame, QX_EDIT_CONTINUE_BULLETS, 0, 0);
    return false;
}

void ContinueBulletedList(EDITSESSION* session)
{
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    BeginUndoGroup(&session->undo);
    PutPrefix(session, start);
    const int32_t after = start + PrefixLength;
    SetEditSelection(session, after, after);
    if (session->bulletStylePending) {
        // The new paragraph's text looks as the text of the paragraph Enter split.
        const RteRange caret{after, after};
        AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_BULLETS_ON);
        EngineDo([&] {
            RteSetCharStyle(session->document, &caret, &session->bulletStyle, &session->bulletStyleMask, 0);
        });
        session->bulletStylePending = 0;
    }
    EndUndoGroup(&session->undo);
    MarkModified(session);
    InvalidateRect(session->control, nullptr, TRUE);
    RefreshTools(session);
}

void ShowBulletState(EDITSESSION* session)
{
    CheckDlgButton(session->tools, CMD_BULLET, SelectionStartsBulleted(session) ? BST_CHECKED : BST_UNCHECKED);
}
