// The text object's Modify(): its editor on a copy of the object.
#pragma once

class TEXTE;

// 1 when the author confirmed and the object took the edited copy; 0 when nothing changed
// (cancelled, or a text with read-only fonts, refused with a message).
int ModifyText(TEXTE* text);
