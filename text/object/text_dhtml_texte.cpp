// The text object's statement in an exported page.
#include "text_files.h"

#include "texte.h"

int TEXTE::ExportToDHTML(QXFILE file, int& index)
{
    if (!ActiveDocument())
        LoadText();
    // The scroll flag is the scroll bar's own test, which brings the bar up to date.
    const TEXTDHTMLLOOK look{transparent != 0, background, UpdateScrollBar()};
    WriteTextDHTML(this, ActiveDocument(), look, file, index);
    return 1;
}
