// Geometry of plug-in objects and the small pieces their records and exports share.
#include "objgeometry.h"

#include "branch.h"
#include "filefind.h"
#include "kernel.h"
#include "scripttext.h"
#include "paths.h"
#include "qxfile.h"
#include "qxpath.h"

#include <cstring>
#include <string>

void UnitsFromPixels(OBJET* object)
{
    KERNEL* kernel = object->GetKernel();
    object->ux = KernS2Ux(kernel, object->x);
    object->uy = KernS2Uy(kernel, object->y);
    object->uw = KernS2Ux(kernel, object->w) - KernS2Ux(kernel, 0);
    object->uh = KernS2Uy(kernel, object->h) - KernS2Uy(kernel, 0);
}

void PixelsFromUnits(OBJET* object)
{
    KERNEL* kernel = object->GetKernel();
    object->x = KernU2Sx(kernel, object->ux);
    object->y = KernU2Sy(kernel, object->uy);
    object->w = KernU2Sx(kernel, object->uw) - KernU2Sx(kernel, 0);
    object->h = KernU2Sy(kernel, object->uh) - KernU2Sy(kernel, 0);
}

bool ReadGeometry(QXFILE file, OBJET* object, int universe)
{
    double a = 0, b = 0, c = 0, d = 0;
    if (!Load4Double(file, &a, &b, &c, &d))
        return false;
    if (universe) {
        object->ux = a;
        object->uy = b;
        object->uw = c;
        object->uh = d;
        PixelsFromUnits(object);
    } else {
        object->x = static_cast<int>(a);
        object->y = static_cast<int>(b);
        object->w = static_cast<int>(c);
        object->h = static_cast<int>(d);
        UnitsFromPixels(object);
    }
    return true;
}

void WriteGeometry(RECORDWRITER& out, const OBJET* object, int universe)
{
    if (universe)
        out.Format(QX_GEOMETRY_FORMAT, object->ux, object->uy, object->uw, object->uh);
    else
        out.Format(QX_GEOMETRY_FORMAT, double(object->x), double(object->y), double(object->w), double(object->h));
}

void FollowMoveOrSize(OBJET* object, const MSGL* msg)
{
    if (msg->message == WM_MOVE) {
        object->x = static_cast<short>(LOWORD(msg->lParam));
        object->y = static_cast<short>(HIWORD(msg->lParam));
    } else {
        object->w = LOWORD(msg->lParam);
        object->h = HIWORD(msg->lParam);
    }
    if (object->selected)
        UnitsFromPixels(object);
}

POINT PagePosition(const OBJET* object)
{
    POINT at{0, 0};
    for (const OBJET* o = object; o; o = o->GetParent()) {
        at.x += o->x;
        at.y += o->y;
    }
    return at;
}

QXSTRING DHTMLName(OBJET* object, int index)
{
    if (object->GetUserID()[0])
        return QXSTRING(object->GetUserID());
    QXSTRING name;
    name.Format("object%d", index);
    return name;
}

void ArmBranchTimerAfterDelayedShow(OBJET* object)
{
    BRANCH* branch = object->GetBranch(0);
    if (object->window && object->showDelay != 0.0 && !object->delayPending && !object->delayTimer && branch &&
        branch->delay != 0.0)
        KernAddBranchTimer(object->GetKernel(), branch);
}

QXSTRING DHTMLFileName(KERNEL* kernel, const char* exportedName)
{
    char relative[QX_NAME_BUFFER];
    KernFileToRelatifPathHtml(kernel, exportedName, relative);
    return ScriptString(relative);
}

POINT DroppedPlace(OBJET* top, const POINT* drop, int width, int height)
{
    POINT at = drop ? *drop : POINT{0, 0};
    RECT client{};
    if (top && top->window) {
        ScreenToClient(top->window, &at);
        GetClientRect(top->window, &client);
    }
    at.x -= width / 2;
    at.y -= height / 2;
    if (at.x < client.left)
        at.x = client.left;
    if (at.y < client.top)
        at.y = client.top;
    if (at.x > client.right)
        at.x = client.right - 10;
    if (at.y > client.bottom)
        at.y = client.bottom - 10;
    return at;
}

namespace {

// A name with neither drive, root nor protocol ("mot.txt", "media\a.wav"), as authors write
// by hand: left as it is, the finder would put it on the publication's drive in whatever
// folder is current there, and stop the page on a box saying that the file is missing.
bool IsBareRelativeName(const char* name)
{
    return GetFileLocation(name, nullptr, 0, nullptr, 0) == QX_LOCATION_LOCAL && name[0] != '\\' &&
           name[0] != '/' && name[0] != '.' && !std::strchr(name, ':');
}

}  // namespace

void ReadRecordFileName(KERNEL* kernel, const char* line, QXSTRING& name)
{
    if (IsNullText(line)) {
        name = "";
        return;
    }
    // A bare name lies beside the page, as one written ".\name" does; without a page to stand
    // beside (a record read alone), it stays as written.
    const bool besidePage =
        IsBareRelativeName(line) && KernFileToAbsolutePathStr(kernel, (std::string(".\\") + line).c_str(), &name);
    if (!besidePage)
        KernFileToAbsolutePathStr(kernel, line, &name);
    if (KernGetCurPageVersion(kernel) == 0)
        KernFindFileOldStr(kernel, &name, 1, 1);
    KernFindFileStr(kernel, &name, 1);
}

void WriteRecordFileName(RECORDWRITER& out, KERNEL* kernel, const char* name)
{
    char relative[QX_NAME_BUFFER] = "";
    if (name && *name)
        KernFileToRelatifPath(kernel, name, relative);
    out.Text(relative);
}
