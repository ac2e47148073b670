// The fonts installed from pages: kept for the rest of the process, removed again when the
// last kernel goes.
#include "fonts.h"

#include "filefetch.h"
#include "qxfonts.h"
#include "qxpath.h"

namespace {

FONTS_LIST& Installed()
{
    static FONTS_LIST installed;
    return installed;
}

}  // namespace

int KernInstallFont(KERNEL* kernel, FONTS* font)
{
    // Every object of a page lists the fonts of its hover text: a face that a page already
    // installed is not installed again for each of them (its file is fetched and added to
    // the system's fonts once). A stored face need not be the family the system reports for
    // its file, so asking the system alone would not tell.
    if (!font || Installed().Find(font->logName) || IsFontInstall(font->logName))
        return 0;
    GETFILE_STRUCT request;
    KernGetFile(kernel, font->dosName, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    if (request.localFile.length() == 0 || !DoFileExist(request.localFile))
        return 0;
    const int flags = font->flags;
    if (flags == -1)
        return 0;
    int visible;
    if (!(flags & (QX_EMBED_RESTRICTED | QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE)))
        visible = 1;
    else if (flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE))
        visible = 0;  // read-only: shown and printed, not offered to other programs
    else
        return 0;
    QXSTRING installedFile = request.localFile;
    if (!InstallFontStr(&installedFile, visible))
        return 0;
    FONTS* record = new FONTS;
    if (!record)
        return 1;
    record->SetLogName(font->logName);
    record->SetDosName(installedFile);
    record->flags = flags;
    if (!Installed().AddFont(record))
        delete record;
    return 1;
}

int KernIsFontReadOnly(const char* face)
{
    return Installed().Find(face) && IsFontReadOnly(face) ? 1 : 0;
}

int KernGetFontEmbedingFlag(const char* face)
{
    const FONTS* font = Installed().Find(face);
    return font ? font->flags : GetFontEmbedingFlag(face);
}

int KernIsInKernFontList(const char* face) { return Installed().Find(face) ? 1 : 0; }

void KernRemovePageFonts()
{
    FONTS_LIST& installed = Installed();
    for (int i = installed.Items() - 1; i >= 0; --i)
        RemoveFont(installed.GetFont(i)->dosName);
    installed.Clear();
}
