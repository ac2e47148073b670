// FONTS records and lists, and the fonts an object needs for its hover message.
#include "fonts.h"

#include "objet.h"
#include "qxfile.h"
#include "recordio.h"

FONTS::FONTS() : dosName("NULL"), flags(-1) {}

int FONTS::Load(QXFILE file)
{
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    logName = line;
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    dosName = line;
    Load1Int(file, &flags);
    return 1;
}

int FONTS::Save(QXFILE file) const
{
    RECORDWRITER out(file);
    out.Line(logName);
    out.Line(dosName);
    out.Int(flags);
    return out.Ok() ? 1 : 0;
}

void FONTS::SetLogName(const char* name)
{
    if (name)
        logName = name;
}

void FONTS::SetDosName(const char* name) { dosName = name && *name ? name : "NULL"; }

FONTS* FONTS_LIST::Find(const char* face)
{
    for (int i = 0; i < Items(); ++i) {
        FONTS* font = GetFont(i);
        if (lstrcmpiA(font->logName, face ? face : "") == 0)
            return font;
    }
    return nullptr;
}

int FONTS_LIST::AddFont(FONTS* font)
{
    if (!font || Find(font->logName))
        return 0;
    AddTail(font);
    return 1;
}

void OBJET::GetFonts(FONTS_LIST* list)
{
    if (!list || !message || (message->text.length() == 0 && message->title.length() == 0))
        return;
    const int flags = KernGetFontEmbedingFlag(message->font.lfFaceName);
    const bool restricted =
        (flags & QX_EMBED_RESTRICTED) && !(flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE));
    if (flags == -1 || restricted)
        return;
    FONTS* font = new FONTS;
    if (!font)
        return;
    font->SetLogName(message->font.lfFaceName);
    font->flags = flags;
    if (!list->AddFont(font))
        delete font;
}
