// What the system knows of one face: its embedding rights, its type, its file data.
#include "qxfonts.h"
#include "fontface.h"
#include "resource.h"
#include "qxsupport.h"

#include <cstdlib>

ScreenFont::ScreenFont(HFONT font) : dc_(GetDC(nullptr)), font_(font), old_(nullptr)
{
    if (dc_ && font_)
        old_ = SelectObject(dc_, font_);
}

ScreenFont::~ScreenFont()
{
    if (old_)
        SelectObject(dc_, old_);
    if (dc_)
        ReleaseDC(nullptr, dc_);
    if (font_)
        DeleteObject(font_);
}

int EmbeddingBitsOfSelectedFont(HDC dc)
{
    const UINT size = dc ? GetOutlineTextMetricsA(dc, 0, nullptr) : 0;
    if (size < sizeof(OUTLINETEXTMETRICA))
        return -1;
    // The record is followed by its name strings, which come in the same block.
    auto* metrics = static_cast<OUTLINETEXTMETRICA*>(QXCallocZero(size, 1));
    int bits = -1;
    if (metrics && GetOutlineTextMetricsA(dc, size, metrics) != 0)
        bits = metrics->otmfsType & 0xF;
    std::free(metrics);
    return bits;
}

HFONT CreateFaceFont(const char* faceName)
{
    if (!faceName)
        return nullptr;
    LOGFONTA description = {};
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfClipPrecision = CLIP_EMBEDDED;
    lstrcpynA(description.lfFaceName, faceName, LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

// Editable is tested first: such a font may travel even when it is also print-only.
int EmbeddingMessageId(int embedding)
{
    if (embedding == -1)
        return IDS_FONT_EMBED_NOT_TRUETYPE;
    if (embedding & 0x8)
        return IDS_FONT_EMBED_TEMPORARY;
    if (embedding & 0x4)
        return IDS_FONT_EMBED_READONLY;
    if (embedding & 0x2)
        return IDS_FONT_EMBED_LICENCE;
    return IDS_FONT_EMBED_FREE;
}

QXBASE_API HFONT QXCreateHFont(const char* faceName, int points)
{
    return CreateFontA(-MulDiv(points, 96, 72), 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, faceName);
}

QXBASE_API void QXDeleteHFont(HFONT font)
{
    if (font)
        DeleteObject(font);
}

QXBASE_API int IsEmbeddingOk(char*)
{
    HDC screen = GetDC(nullptr);
    const int bits = EmbeddingBitsOfSelectedFont(screen);
    if (screen)
        ReleaseDC(nullptr, screen);
    return bits;
}

QXBASE_API int GetFontEmbedingFlag(const char* faceName)
{
    HFONT font = CreateFaceFont(faceName);
    if (!font)
        return 0;
    ScreenFont selected(font);
    return EmbeddingBitsOfSelectedFont(selected.Dc());
}

QXBASE_API BOOL IsFontReadOnly(const char* faceName)
{
    const int flag = GetFontEmbedingFlag(faceName);
    return flag == -1 || ((flag & 0x2) && !(flag & 0x8));
}

QXBASE_API BOOL IsFontTempOnly(const char* faceName)
{
    const int flag = GetFontEmbedingFlag(faceName);
    return flag == -1 || ((flag & 0x8) && !(flag & 0x6));
}

namespace {

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 0;  // one is enough
}

}  // namespace

QXBASE_API BOOL IsFontInstall(const char* faceName)
{
    int count = 0;
    HDC screen = GetDC(nullptr);
    if (screen && faceName && *faceName) {
        EnumFontFamiliesA(screen, faceName, CountFamily, reinterpret_cast<LPARAM>(&count));
        ReleaseDC(nullptr, screen);
    }
    return count > 0;
}

QXBASE_API int GetFontType(const char* faceName)
{
    HFONT font = CreateFaceFont(faceName);
    if (!font)
        return 0;
    ScreenFont selected(font);
    TEXTMETRICA metrics = {};
    if (!GetTextMetricsA(selected.Dc(), &metrics))
        return 0;
    return metrics.tmPitchAndFamily;
}

QXBASE_API int SaveFontAsFile(const char* fileName, const char* faceName)
{
    if (!fileName)
        return 0;
    HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    ScreenFont selected(CreateFaceFont(faceName));
    // The size first: some systems refuse a chunk that runs past the end of the data.
    const DWORD total = GetFontData(selected.Dc(), 0, 0, nullptr, 0);
    char chunk[4096];
    for (DWORD offset = 0; total != GDI_ERROR && offset < total;) {
        const DWORD wanted = total - offset < sizeof chunk ? total - offset : sizeof chunk;
        const DWORD got = GetFontData(selected.Dc(), 0, offset, chunk, wanted);
        if (got == 0 || got == GDI_ERROR)
            break;
        DWORD written = 0;
        if (!WriteFile(file, chunk, got, &written, nullptr) || written != got)
            break;
        offset += got;
    }
    CloseHandle(file);
    return 1;
}
