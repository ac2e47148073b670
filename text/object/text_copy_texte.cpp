// The text object's plain text added to the kernel's object copy.
#include "text_files.h"

#include "filefetch.h"
#include "text_document.h"

void TEXTE::CopyToClipboard(char*)
{
    // A text not read yet is read for the copy only.
    const bool lent = !ActiveDocument() && LendScratchDocument(this);
    CopyTextToClipboard(ActiveDocument(), KernGetCachePath(GetKernel()));
    if (lent)
        DropScratchDocument(this);
}
