// The text object's plain-text copy on the clipboard.
#include "texte.h"

void TEXTE::CopyToClipboard(char*)
{
    // No plain-text copy yet: the kernel's own object format stands alone on the clipboard.
}
