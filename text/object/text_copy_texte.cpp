// The text object's plain text added to the kernel's object copy.
#include "text_files.h"

#include "filefetch.h"
#include "texte.h"

void TEXTE::CopyToClipboard(char*)
{
    if (!ActiveDocument())
        LoadText();
    CopyTextToClipboard(ActiveDocument(), KernGetCachePath(GetKernel()));
}
