// The text object's statement in an exported page.
#include "text_files.h"

#include "text_document.h"

int TEXTE::ExportToDHTML(QXFILE file, int& index)
{
    // A text not read yet is read for the export only.
    const bool lent = !ActiveDocument() && LendScratchDocument(this);
    // The scroll flag is the scroll bar's own test, which brings the bar up to date.
    const TEXTDHTMLLOOK look{transparent != 0, background, UpdateScrollBar()};
    WriteTextDHTML(this, ActiveDocument(), look, file, index);
    if (lent)
        DropScratchDocument(this);
    return 1;
}
