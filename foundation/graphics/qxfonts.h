// Font services: the screen's font families with their embedding rights, the styles of one
// family, the font chooser that explains those rights and offers any colour, saving a face as
// a file, and installing a font file under a fresh name in the system folder and removing it.
#pragma once

#include "qxbase.h"
#include "qxlist.h"
#include "qxstring.h"

#include <commdlg.h>

// A font family of the screen.
class QXBASE_API QXFONT : public LNODE {
public:
    // Face names compared byte by byte, case counting.
    int operator<=(const LNODE& other) const override;
    int operator>=(const LNODE& other) const override;

    char faceName[LF_FACESIZE];
    int embedding;  // the embedding bits, -1 when the font is not TrueType
    int charSet;
};

class QXBASE_API FLIST : public LIST {
public:
    FLIST& operator+=(QXFONT* font);  // appends
    FLIST& operator-=(QXFONT* font);  // unlinks; the font is the caller's again
};

// The family list and the style table of one family, as the text object's font box uses them.
class QXBASE_API QXFLIST {
public:
    struct STYLE {
        int weight;
        char italic;
        char name[35];
    };
    static constexpr int MaxStyles = 6;
    enum { Regular, Italic, Bold, BoldItalic };

    // Every family of the screen, sorted by face name, one entry a name (the TrueType one
    // when a name is enumerated twice). Returns 0.
    int BuildFontList();
    // The styles of one family; a family with a single style is completed with the styles
    // that the system synthesises from it. Returns 0.
    int GetFontStyles(const char* faceName);
    void DestroyFontList();
    // The embedding bits of the font the description gives, -1 when it is not TrueType.
    int IsEmbeddingOk(LOGFONTA* font);

    static int CALLBACK FontFamilyEnumProc(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM list);
    static int CALLBACK FontEnumProc(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM list);

    char styleNames[4][16] = {};  // the caller's names: regular, italic, bold, bold italic
    FLIST families;
    int styleCount = 0;
    STYLE styles[MaxStyles] = {};
};

// A font of `points` points at a fixed 96 dpi, ANSI, variable pitch in the Swiss family.
QXBASE_API HFONT QXCreateHFont(const char* faceName, int points);
QXBASE_API void QXDeleteHFont(HFONT font);

// The embedding bits of the font selected in the screen's device context, or -1; the
// argument is not used.
QXBASE_API int IsEmbeddingOk(char* unused);
// The embedding bits of the face, -1 when it is not TrueType, 0 when no font can be made.
QXBASE_API int GetFontEmbedingFlag(const char* faceName);
QXBASE_API BOOL IsFontReadOnly(const char* faceName);
QXBASE_API BOOL IsFontTempOnly(const char* faceName);
// True when the screen enumerates at least one font of the family.
QXBASE_API BOOL IsFontInstall(const char* faceName);
// The pitch-and-family byte of the font made for the face, 0 when none can be made.
QXBASE_API int GetFontType(const char* faceName);
// Writes the whole font file of the face; 1, or 0 when the file cannot be created.
QXBASE_API int SaveFontAsFile(const char* fileName, const char* faceName);

// The first n for which both "<folder>FONTnnnn.ttf" and "<folder>FONTnnnn.fot" are free;
// 1, or 0 when a buffer is null (or too small).
QXBASE_API int GetNewFontFileName(const char* folder, char* ttfName, int ttfSize, char* fotName, int fotSize);
QXBASE_API int GetNewFontFileNameStr(const char* folder, QXSTRING* ttfName, QXSTRING* fotName);
// Copies the font file into the system folder under a fresh name and adds it to the system's
// fonts (hidden from other programs unless `visible`). On success the name becomes the .fot
// file that RemoveFont takes; 1, else 0 with no new file left behind.
QXBASE_API int InstallFont(char* fileName, int size, int visible);
QXBASE_API int InstallFontStr(QXSTRING* fileName, int visible);
// Removes the font added from the .fot file and deletes it and its .ttf; 1, else 0.
QXBASE_API int RemoveFont(const char* fotName);

// The system font dialog, with each face's embedding rights shown below the sample and an
// "Autre..." colour entry that opens the colour dialog; the dialog's result.
QXBASE_API BOOL QXChooseFont(CHOOSEFONTA* choice);
