// The image's line in an exported page's script, and the picture it publishes.
#include "image.h"

#include "branch.h"
#include "effects.h"
#include "exportnames.h"
#include "kernel.h"
#include "objgeometry.h"
#include "qxpath.h"
#include "recordio.h"
#include "scripttext.h"

#include <cstring>

namespace {

bool HasExtension(const char* name, const char* extension)
{
    const char* dot = std::strrchr(name, '.');
    return dot && lstrcmpiA(dot, extension) == 0;
}

}  // namespace

int IMAGE::ExportToDHTML(QXFILE file, int& index)
{
    const QXSTRING name = DHTMLName(this, index);
    char published[QX_NAME_BUFFER] = "";
    const bool unchanged = rotation == 0 && !flipVertical && !flipHorizontal && crop[0] == 0 && crop[1] == 0 &&
                           crop[2] == fileWidth && crop[3] == fileHeight && transparent == fileTransparent &&
                           (!transparent || HasExtension(fileName, ".gif"));
    if (unchanged && (HasExtension(fileName, ".gif") || HasExtension(fileName, ".jpg"))) {
        const int result = KernGetExportName(kernel, fileName, published);
        if (result != QX_EXPORT_UNKNOWN && result != QX_EXPORT_DONE) {
            QXCreateFilePath(published);
            fcopyWithSameDate(localPath.length() ? localPath : fileName, published);
        }
    } else if (unchanged) {
        const int result = KernGetExportName(kernel, fileName, ".jpg", published);
        if (result != QX_EXPORT_UNKNOWN && result != QX_EXPORT_DONE && picture) {
            QXCreateFilePath(published);
            picture->Export(published, BMP_FORMAT_JPEG, 2);
        }
    } else if (picture && w > 0 && h > 0) {
        for (int number = 0; number < 10000; ++number) {
            QXSTRING candidate;
            candidate.Format("%simages\\%s%d.jpg", (const char*)kernel->dhtmlDestPath, (const char*)name, number);
            if (GetFileAttributesA(candidate) == INVALID_FILE_ATTRIBUTES) {
                lstrcpynA(published, candidate, sizeof published);
                break;
            }
        }
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(memory, bitmap);
        Paint(picture, memory, 0, 0, true);
        SelectObject(memory, old);
        BMP shot;
        if (published[0] && shot.NewFromBitmap(memory, bitmap)) {
            QXCreateFilePath(published);
            shot.Export(published, BMP_FORMAT_JPEG, 2);
            KernAddExportName(kernel, fileName, published, false);
        }
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    const POINT at = PagePosition(this);
    char effect[QX_NAME_BUFFER] = "null";
    KernEffectId2FonctionName(effectId, effect);
    RECORDWRITER out(file);
    QXSTRING text;
    text.Format("QXObjects[objindex++] = QXImage(\"%s\",%d,%d,%d,%d,%d,%s,", (const char*)ScriptString(name),
                static_cast<int>(at.x), static_cast<int>(at.y), w, h, static_cast<int>(showDelay * 1000), effect);
    out.Bytes(text, static_cast<size_t>(text.length()));
    if (!GetBranch(0) || !GetBranch(0)->ExportToDHTML(file))
        out.Fail();
    out.Bytes(",", 1);
    if (!ExportTooltipToDHTML(file))
        out.Fail();
    // The user string is script on purpose: it is written as it is.
    text.Format(",%s,\"%s\");\r\n", userString[0] ? userString : "null",
                published[0] ? (const char*)DHTMLFileName(kernel, published) : "");
    out.Bytes(text, static_cast<size_t>(text.length()));
    return out.Ok() ? 1 : 0;
}
