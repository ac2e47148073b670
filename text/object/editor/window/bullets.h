// Bulleted paragraphs in the editor: a paragraph is bulleted when it starts with the bullet
// prefix of the text's bullet (the bullet character in its face, then a tab). The palette's
// bullet button puts or takes the bullets of the selected paragraphs; Enter continues a list
// or, in a paragraph that holds only its bullet, ends it.
#pragma once

#include "edit_session.h"

// Where an offset lies against its paragraph's bullet.
enum BULLETPLACE : int {
    BULLET_OUTSIDE = 0,  // not in a bulleted paragraph's prefix
    BULLET_FIRST = 1,    // before the bullet character
    BULLET_SECOND = 2,   // between the bullet and its tab
};
// The place of the offset; the paragraph's start when it is bulleted.
int BulletPlace(EDITSESSION* session, int32_t offset, int32_t* paragraphStart = nullptr);
// Whether the paragraph of the offset is bulleted; its bounds.
bool InBulletedParagraph(EDITSESSION* session, int32_t offset, int32_t* start, int32_t* end);

// The bullet button: the selected paragraphs lose their bullets when the first one has one,
// else every one of them gets one ("Mettre puce(s)"), each as one Undo group.
void ToggleBullets(EDITSESSION* session);
// Enter is about to be typed: in a bulleted paragraph holding only its bullet the bullet goes
// and true is answered (the Enter is not typed); in another bulleted paragraph the look of its
// text is kept and the new paragraph's bullet asked for (QX_EDIT_CONTINUE_BULLETS).
bool OnBulletedEnter(EDITSESSION* session);
// The new paragraph after Enter gets the bullet, one Undo group, the caret after it.
void ContinueBulletedList(EDITSESSION* session);
// The bullet button pressed when the selection's first paragraph is bulleted.
void ShowBulletState(EDITSESSION* session);
