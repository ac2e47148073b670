// The "IMAGE {" block of a page file, in its three forms: the oldest ends after the effect
// module line, the next after any of the optional lines 6 to 8.
#include "image.h"

#include "effects.h"
#include "filefind.h"
#include "imageres.h"
#include "kernel.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxutil.h"

#include <cstdio>
#include <cstring>

namespace {

int AlertBadRecord(OBJET* image)
{
    QXSTRING caption, text;
    caption.LoadResource(image->GetHDLL(), IDS_FILE_ERROR);
    text.LoadResource(image->GetHDLL(), IDS_BAD_IMAGE_RECORD);
    Alert(KernGetAppWindow(image->GetKernel()), caption, text);
    return 0;
}

// Four integers on the next line; false (the line consumed) when it does not hold them.
bool ReadFourInts(QXFILE file, int values[4], bool* atEnd)
{
    char line[QX_RECORD_LINE];
    *atEnd = !ReadTrimmedLine(file, line, sizeof line);
    return !*atEnd && std::sscanf(line, "%d %d %d %d", &values[0], &values[1], &values[2], &values[3]) == 4;
}

}  // namespace

int IMAGE::Load(QXFILE file, int& universe)
{
    const int oldPage = KernGetCurPageVersion(kernel) == 0;
    if (!OBJET::Load(file, universe))
        return 0;
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line) || lstrcmpiA(line, "IMAGE {") != 0)
        return 0;
    if (!ReadGeometry(file, this, universe) || !ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (IsNullText(line)) {
        fileName = "";
        SetInvisibility(1);
    } else {
        KernFileToAbsolutePathStr(kernel, line, &fileName);
        if (oldPage)
            KernFindFileOldStr(kernel, &fileName, 1, 1);
        KernFindFileStr(kernel, &fileName, 1);
    }
    loadedName = fileName;
    int effectNumber = 0, unused = 0;
    if (!Load4Int(file, &effectNumber, &keepRatio, &rotation, &unused) || !ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (std::strcmp(line, "}") == 0)
        return 1;
    if (!IsNullText(line))
        effectId = KernDllId2EffectId(line, effectNumber);

    int values[4]{};
    bool atEnd = false;
    if (!ReadFourInts(file, values, &atEnd))
        return atEnd ? 0 : 1;
    transparent = values[0] ? 1 : 0;
    transparentColour = RGB(values[1], values[2], values[3]);
    if (!ReadFourInts(file, crop, &atEnd))
        return atEnd ? 0 : 1;
    if (!ReadFourInts(file, values, &atEnd))
        return atEnd ? 0 : 1;
    flipVertical = values[0] ? 1 : 0;
    flipHorizontal = values[1] ? 1 : 0;
    // Later versions may add lines.
    while (ReadTrimmedLine(file, line, sizeof line)) {
        if (std::strcmp(line, "}") == 0)
            return 1;
    }
    return 0;
}

int IMAGE::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    RECORDWRITER out(file);
    out.Line("IMAGE {");
    WriteGeometry(out, this, universe);
    char relative[QX_NAME_BUFFER] = "";
    if (fileName.length())
        KernFileToRelatifPath(kernel, fileName, relative);
    out.Text(relative);
    out.Format("%-8d%-8d%-8d%-8d", 0, keepRatio, rotation, 0);
    out.Line("NULL");
    out.Format("%-8d%-8d%-8d%-8d", transparent ? 1 : 0, GetRValue(transparentColour), GetGValue(transparentColour),
               GetBValue(transparentColour));
    out.Format("%-8d%-8d%-8d%-8d", crop[0], crop[1], crop[2], crop[3]);
    out.Format("%-8d%-8d%-8d%-8d", flipVertical ? 1 : 0, flipHorizontal ? 1 : 0, 0, 0);
    out.Line("}");
    return out.Ok() ? 1 : 0;
}
