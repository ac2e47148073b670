// Text files of the object: the TQX file (the engine's record stream of the document and the
// trailer), its unique temporary names, and moving it.
#pragma once

#include "texte.h"

// Writes the document (the edit control's for an editing copy) as a TQX file; 1, or 0 when the
// file cannot be created or written.
int WriteTextFile(TEXTE* text, const char* path);
// Replaces the path by a new unique name "~tqx????.tqx" in its drive and folder, the file made.
void MakeTextTempName(TEXTE* text, QXSTRING* path);
// Renames a file; 0 when either name is missing or the move fails.
int MoveTextFile(const char* from, const char* to);
