// The "PAGE {" block of a page file.
#include "page.h"

#include "filefind.h"
#include "kernel.h"
#include "objgeometry.h"
#include "pageres.h"
#include "paths.h"
#include "qxfile.h"
#include "qxutil.h"

#include <cstdio>
#include <cstring>

namespace {

void AlertBadRecord(OBJET* page)
{
    QXSTRING caption, text;
    caption.LoadResource(page->GetHDLL(), IDS_FILE_ERROR);
    text.LoadResource(page->GetHDLL(), IDS_BAD_PAGE_RECORD);
    Alert(KernGetAppWindow(page->GetKernel()), caption, text);
}

bool IsBlockEnd(const char* line) { return std::strcmp(line, "}") == 0; }

}  // namespace

int PAGE::Load(QXFILE file, int& universe)
{
    newPage = 0;
    const int oldPage = KernGetCurPageVersion(kernel) == 0;
    if (!OBJET::Load(file, universe))
        return 0;
    char line[QX_RECORD_LINE];
    int unused = 0, flags = 0;
    double a = 0, b = 0, c = 0, d = 0;
    if (!ReadTrimmedLine(file, line, sizeof line) || lstrcmpiA(line, "PAGE {") != 0 ||
        !ReadTrimmedLine(file, line, sizeof line)) {
        AlertBadRecord(this);
        return 0;
    }
    // A title longer than its field is cut rather than written past it.
    lstrcpynA(title, IsNullText(line) ? "" : line, sizeof title);
    if (!Load4Double(file, &a, &b, &c, &d) || !Load1Int(file, &unused) || !Load1Int(file, &frameType) ||
        !Load4Int(file, &flags, &red, &green, &blue)) {
        AlertBadRecord(this);
        return 0;
    }
    closeOnLeave = (flags & QX_PAGE_CLOSE) ? 1 : 0;
    sizeDep = (flags & QX_PAGE_SIZEDEP) ? 1 : 0;
    modeless = (flags & QX_PAGE_MODELESS) ? 1 : 0;
    // Kept as saved: a page without fill stays without fill (and keeps its colour) when read.
    noFill = (flags & QX_PAGE_NOFILL) ? 1 : 0;
    if (sizeDep) {
        // A page laid out in pixels hands its children pixel coordinates.
        universe = 0;
        x = static_cast<int>(a);
        y = static_cast<int>(b);
        w = static_cast<int>(c);
        h = static_cast<int>(d);
        UnitsFromPixels(this);
    } else {
        ux = a;
        uy = b;
        uw = c;
        uh = d;
        PixelsFromUnits(this);
    }

    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsBlockEnd(line))
        return 1;
    if (!IsNullText(line)) {
        KernFileToAbsolutePathStr(kernel, line, &procDll);
        if (oldPage)
            KernFindFileOldStr(kernel, &procDll, 1, 1);
        KernFindFileStr(kernel, &procDll, 1);
    }
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsBlockEnd(line))
        return 1;
    if (!IsNullText(line))
        lstrcpynA(procFunction, line, sizeof procFunction);
    // Later versions may add lines.
    while (ReadTrimmedLine(file, line, sizeof line)) {
        if (IsBlockEnd(line))
            return 1;
    }
    return 0;
}

int PAGE::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    RECORDWRITER out(file);
    out.Line("PAGE {");
    out.Text(title);
    if (sizeDep) {
        out.Format(QX_GEOMETRY_FORMAT, double(x), double(y), double(w), double(h));
        universe = 0;
    } else {
        out.Format(QX_GEOMETRY_FORMAT, ux, uy, uw, uh);
    }
    out.Int(0);
    out.Int(frameType);
    const int flags = (closeOnLeave ? QX_PAGE_CLOSE : 0) | (sizeDep ? QX_PAGE_SIZEDEP : 0) |
                      (modeless ? QX_PAGE_MODELESS : 0) | (noFill ? QX_PAGE_NOFILL : 0);
    out.Format("%-8d%-8d%-8d%-56d", flags, red, green, blue);
    char relative[QX_NAME_BUFFER] = "";
    if (procDll.length())
        KernFileToRelatifPath(kernel, procDll, relative);
    out.Text(relative);
    out.Text(procFunction);
    out.Line("}");
    return out.Ok() ? 1 : 0;
}
