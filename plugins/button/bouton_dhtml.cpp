// The button in an exported page: one script line with its place, branch, tooltip, user
// string and the image of each of its looks.
#include "bouton.h"

#include "bouton_draw.h"
#include "branch.h"
#include "effects.h"
#include "exportnames.h"
#include "filefetch.h"
#include "kernel.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxsupport.h"
#include "scripttext.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int LastImageNumber = 9999;
enum LOOK { LOOK_RELEASED, LOOK_PRESSED, LOOK_OVER };

bool Write(QXFILE file, const char* text)
{
    return QXWriteString(file, text) == static_cast<long>(std::strlen(text));
}

bool HasExtension(const char* name, const char* extension)
{
    const size_t length = std::strlen(name), wanted = std::strlen(extension);
    return length >= wanted && lstrcmpiA(name + length - wanted, extension) == 0;
}

// The slot whose picture a look shows.
int LookImage(BOUTON& b, LOOK look)
{
    if (look == LOOK_OVER)
        return BOUTON_IMAGE_OVER;
    if (look == LOOK_PRESSED && b.style == BOUTON_STYLE_BITMAP && b.localCopies[BOUTON_IMAGE_PRESSED].length() == 0)
        return BOUTON_IMAGE_RELEASED;
    return look == LOOK_PRESSED ? BOUTON_IMAGE_PRESSED : BOUTON_IMAGE_RELEASED;
}

// A picture that the page can show as it is: nothing drawn over it, nothing changed in it.
bool UsableAsItIs(BOUTON& b, int image)
{
    const BUTBITMAP& p = b.Picture(image);
    const QXSTRING& file = b.localCopies[image];
    const bool whole = p.cropX == 0 && p.cropY == 0 && (p.cropWidth == 0 || p.cropWidth == p.width) &&
                       (p.cropHeight == 0 || p.cropHeight == p.height);
    const bool gif = HasExtension(file, ".gif");
    return b.style == BOUTON_STYLE_BITMAP && !b.label[0] && b.imageNames[BOUTON_IMAGE_MASK].length() == 0 &&
           file.length() > 0 && p.rotation == 0 && whole && !p.flipVertical && !p.flipHorizontal &&
           p.transparentEnable == p.ownTransparent && (!p.transparentEnable || gif);
}

void MakeFolders(const char* file)
{
    char folder[QX_NAME_BUFFER];
    lstrcpynA(folder, file, sizeof folder);
    for (char* p = folder; *p; ++p) {
        if ((*p == '\\' || *p == '/') && p > folder && p[-1] != ':') {
            const char kept = *p;
            *p = '\0';
            CreateDirectoryA(folder, nullptr);
            *p = kept;
        }
    }
}

// The published copy of a picture file; "" when it could not be made.
QXSTRING PublishFile(BOUTON& b, const QXSTRING& source)
{
    char name[QX_NAME_BUFFER];
    const bool keep = HasExtension(source, ".gif") || HasExtension(source, ".jpg");
    const int result = keep ? KernGetExportName(b.kernel, source, name) : KernGetExportName(b.kernel, source, ".jpg", name);
    if (result == QX_EXPORT_UNKNOWN)
        return QXSTRING();
    if (result == QX_EXPORT_COPY) {
        MakeFolders(name);
        if (keep) {
            CopyFileA(source, name, FALSE);
        } else {
            BMP picture;
            if (picture.Import(source) != 0 || picture.Export(name, BMP_FORMAT_JPEG, 24) != 0)
                return QXSTRING();
        }
    }
    return QXSTRING(name);
}

// The first free name for a drawn look.
QXSTRING DrawnImageName(BOUTON& b, int image, LOOK look)
{
    const QXSTRING& source = b.imageNames[image];
    char stem[QX_NAME_BUFFER];
    if (b.style == BOUTON_STYLE_BITMAP && source.length() > 0) {
        const char* slash = std::strrchr(source, '\\');
        lstrcpynA(stem, slash ? slash + 1 : static_cast<const char*>(source), sizeof stem);
        if (char* dot = std::strchr(stem, '.'))
            *dot = '\0';
    } else {
        std::strcpy(stem, look == LOOK_RELEASED ? "butup" : look == LOOK_PRESSED ? "butdn" : "butov");
    }
    char name[QX_NAME_BUFFER * 2];
    for (int number = 0; number <= LastImageNumber; ++number) {
        std::snprintf(name, sizeof name, "%simages\\%s%d.jpg", static_cast<const char*>(b.kernel->dhtmlDestPath), stem,
                      number);
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES)
            return QXSTRING(name);
    }
    return QXSTRING();
}

// Draws the look into a bitmap of the button's size and saves it as JPEG.
QXSTRING DrawLookToFile(BOUTON& b, int image, LOOK look)
{
    const QXSTRING name = DrawnImageName(b, image, look);
    if (name.length() == 0)
        return name;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, b.w, b.h);
    HGDIOBJ previous = SelectObject(memory, canvas);
    if (look == LOOK_OVER)
        DrawOver(b, memory, 0, 0, b.w, b.h, true);
    else if (look == LOOK_PRESSED)
        DrawPressed(b, memory, 0, 0, b.w, b.h, true);
    else
        DrawReleased(b, memory, 0, 0, b.w, b.h, true);
    SelectObject(memory, previous);
    BMP picture;
    picture.NewFromBitmap(memory, canvas);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    KernAddExportName(b.kernel, name, name, false);
    MakeFolders(name);
    return picture.Export(name, BMP_FORMAT_JPEG, 24) == 0 ? name : QXSTRING();
}

// The look's image as a script argument: a quoted path relative to the page, or null.
QXSTRING LookReference(BOUTON& b, LOOK look)
{
    const int image = LookImage(b, look);
    const QXSTRING file = UsableAsItIs(b, image) ? PublishFile(b, b.localCopies[image]) : DrawLookToFile(b, image, look);
    if (file.length() == 0)
        return QXSTRING("null");
    char relative[QX_NAME_BUFFER];
    KernFileToRelatifPathHtml(b.kernel, file, relative);
    return QXSTRING("\"") + ScriptString(relative) + QXSTRING("\"");
}

// Every picture not at hand is fetched now, and the state message loads them.
void FetchPictures(BOUTON& b)
{
    for (int image = 0; image < BOUTON_IMAGES; ++image) {
        if (b.imageNames[image].length() == 0 || b.localCopies[image].length() > 0)
            continue;
        GETFILE_STRUCT request;
        KernGetFile(b.kernel, b.imageNames[image], QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
        b.localCopies[image] = request.localFile;
    }
    MSGL shown{static_cast<WORD>(b.kernel->mode), nullptr, KM_SHOWN, 0, 0};
    b.KernelMessage(&shown);
}

}  // namespace

int BOUTON::ExportToDHTML(QXFILE file, int& index)
{
    const POINT at = PagePosition(this);
    const QXSTRING name = DHTMLName(this, index++);
    char effect[64] = "null";
    KernEffectId2FonctionName(effectId, effect);
    QXSTRING line;
    line.Format("QXObjects[objindex++] = QXButton(\"%s\",%d,%d,%d,%d,%d,%s,", static_cast<const char*>(ScriptString(name)),
                static_cast<int>(at.x), static_cast<int>(at.y), w, h, static_cast<int>(showDelay * 1000), effect);
    bool ok = Write(file, line);
    ok = ok && GetBranch(0)->ExportToDHTML(file) && Write(file, ",");
    ok = ok && ExportTooltipToDHTML(file) && Write(file, ",");
    // The user string is script text of its own: written raw.
    ok = ok && Write(file, userString[0] ? userString : "null") && Write(file, ",");
    if (style == BOUTON_STYLE_BITMAP)
        FetchPictures(*this);
    ok = ok && Write(file, LookReference(*this, LOOK_RELEASED)) && Write(file, ",");
    if (style == BOUTON_STYLE_INVISIBLE)
        ok = ok && Write(file, "null,");
    else
        ok = ok && Write(file, LookReference(*this, LOOK_PRESSED)) && Write(file, ",");
    if (style == BOUTON_STYLE_BITMAP && imageNames[BOUTON_IMAGE_OVER].length() > 0)
        ok = ok && Write(file, LookReference(*this, LOOK_OVER));
    else
        ok = ok && Write(file, "null");
    ok = ok && Write(file, ");\r\n");
    return ok ? 1 : 0;
}
