// The engine work of the text object that does not depend on its window: engine calls under
// the engine's error frame, documents made for a rectangle, files imported as the probe
// chooses, and the texts made from a dropped file or rewritten by Traduction.
#pragma once

#include "texte.h"

#include <functional>

// Runs engine work under the engine's error frame; false when the engine raised an error.
bool EngineDo(const std::function<void()>& work);
// A document laid out in the rectangle (client coordinates of the window, or of no window);
// its owner slot holds the object. Null when the engine could not make it.
RteHandle NewTextDocument(TEXTE* owner, HWND window, const RECT& view, const RECT& wrap);
// The format a file is read in: by the engine's probe, then by its name.
int TextFormatOf(const char* path);
// Imports the whole file at the end of the document in its format; the format, or
// TEXTFORMAT_NONE when the file cannot be read. A TQX file's trailer goes into the object.
int ImportTextFile(TEXTE* text, RteHandle doc, const char* path);
// Gives the whole text no background: what an import leaves is drawn on the object's own
// background, the text colours kept.
void ClearTextBackground(RteHandle doc);
// Reads a dropped file and keeps it as the object's own TQX file in the cache folder; false
// when it does not import.
bool TakeDroppedFile(TEXTE* text, const char* path);
// Replaces the whole text of a saved text file by `replacement` and writes it back.
bool ReplaceTextOfFile(TEXTE* text, const char* file, const char* replacement);
// Without a document: reads the text file into a document of no window lent to the object;
// true when it made one, which DropScratchDocument disposes of afterwards.
bool LendScratchDocument(TEXTE* text);
void DropScratchDocument(TEXTE* text);
