// The window class "EXTXTQXFLST" of font-list previews (a face drawn in its font and colours),
// kept with the style names of the font list.
#pragma once

class QXFLIST;

// Registers the class at its first use and loads the style names "Normal", "Italique",
// "Gras" and "Gras italique" into the list, in that order; 0 when the class cannot be
// registered. Each successful call is balanced by UnregisterFontListClass.
int RegisterFontListClass(QXFLIST* list);
// Drops a user; the last unregisters the class.
void UnregisterFontListClass();
