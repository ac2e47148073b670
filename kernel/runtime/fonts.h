// Fonts carried by pages: the FONTS record that an object lists for each face it needs, the
// font store beside the publication ("fonts\" with its index "fonts.mgr") where saving puts
// the font files, and the process-wide list of the fonts installed from pages.
#pragma once

#include "qxkernel.h"

// Embedding permission bits of a TrueType face; -1 when unknown.
constexpr int QX_EMBED_RESTRICTED = 2;
constexpr int QX_EMBED_PREVIEW_PRINT = 4;
constexpr int QX_EMBED_EDITABLE = 8;

class QXCORE_API FONTS : public HUGELNODE {
public:
    FONTS();  // empty name, file "NULL", flags -1

    int Load(QXFILE file);        // 1, or 0 when the name or the file line is missing
    int Save(QXFILE file) const;  // 1, or 0 when a line could not be written
    void SetLogName(const char* name);  // null changes nothing
    void SetDosName(const char* name);  // null or empty stores "NULL"

    QXSTRING logName;  // the face name
    QXSTRING dosName;  // the font file; relative to the page in files
    int flags;
};

// Fonts without two entries of the same face (compared without regard to case).
class QXCORE_API FONTS_LIST : public HUGELIST {
public:
    // 1 when appended; 0 for null or a face already listed (the caller then deletes it).
    int AddFont(FONTS* font);
    FONTS* Find(const char* face);
    FONTS* GetFont(int index) { return static_cast<FONTS*>(GetItem(index)); }
};

// The font store file that holds the face, made when needed, beside the last loaded page:
// 1 with the full path in out (size bytes), or 0.
QXCORE_EXPORT int KernGetFontDosName(KERNEL* kernel, const char* face, char* out, int size);
QXCORE_EXPORT int KernGetFontDosNameStr(KERNEL* kernel, const char* face, QXSTRING* out);
// Installs the font of a record read from a page for the rest of the process; 1 when it did.
QXCORE_EXPORT int KernInstallFont(KERNEL* kernel, FONTS* font);
// For a face installed from a page: whether it is read-only; 0 for any other face.
QXCORE_EXPORT int KernIsFontReadOnly(const char* face);
// The flags recorded for a face installed from a page, else those of the installed face.
QXCORE_EXPORT int KernGetFontEmbedingFlag(const char* face);
QXCORE_EXPORT int KernIsInKernFontList(const char* face);
// Removes every font installed from pages, the last first (when the last kernel goes).
QXCORE_EXPORT void KernRemovePageFonts();
