// The text object in an exported DHTML page.
#include "texte.h"

int TEXTE::ExportToDHTML(QXFILE, int&)
{
    // The text is not exported yet: the page goes on without it.
    return 1;
}
