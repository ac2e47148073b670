// SOUND: construction, copying and the "SOUND {" block of a page file.
#include "sound.h"

#include "branch.h"
#include "filefind.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxmedia.h"
#include "qxutil.h"
#include "soundres.h"

#include <cstdlib>
#include <cstring>

SOUND::SOUND(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetInvisibility(1);
    SetDLLName("QXAUDIO.DLL");
    LoadStringA(module, IDS_SOUND_OBJECT_NAME, objetName, sizeof objetName);
    AddBranch(new BRANCH(kernel));
}

SOUND::~SOUND()
{
    if (window) {
        SetWindowLongPtrA(window, 0, 0);
        SetWindowTextA(window, "");
        KernRemoveWindow(kernel, window);
        window = nullptr;
    }
    delete media;
    media = nullptr;
    CloseDevice();
    ReleaseDevice();
}

OBJET& SOUND::operator=(const OBJET& other)
{
    OBJET::operator=(other);
    if (const auto* sound = dynamic_cast<const SOUND*>(&other); sound && sound != this) {
        fileName = sound->fileName;
        loop = sound->loop;
        iterations = sound->iterations;
    }
    return *this;
}

namespace {

int AlertBadRecord(OBJET* sound)
{
    QXSTRING caption, text;
    caption.LoadResource(sound->GetHDLL(), IDS_FILE_ERROR);
    text.LoadResource(sound->GetHDLL(), IDS_BAD_SOUND_RECORD);
    Alert(KernGetAppWindow(sound->GetKernel()), caption, text);
    return 0;
}

}  // namespace

int SOUND::Load(QXFILE file, int& universe)
{
    if (!OBJET::Load(file, universe))
        return 0;
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line) || lstrcmpiA(line, "SOUND {") != 0)
        return 0;
    if (!ReadGeometry(file, this, universe) || !ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (IsNullText(line)) {
        fileName = "";
    } else {
        KernFileToAbsolutePathStr(kernel, line, &fileName);
        if (KernGetCurPageVersion(kernel) == 0)
            KernFindFileOldStr(kernel, &fileName, 1, 1);
        KernFindFileStr(kernel, &fileName, 1);
    }
    if (!ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (std::strcmp(line, "}") == 0)
        return 1;
    loop = std::atoi(line);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (std::strcmp(line, "}") == 0)
        return 1;
    iterations = std::atoi(line);
    // Later versions may add lines.
    while (ReadTrimmedLine(file, line, sizeof line)) {
        if (std::strcmp(line, "}") == 0)
            return 1;
    }
    return 0;
}

int SOUND::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    RECORDWRITER out(file);
    out.Line("SOUND {");
    WriteGeometry(out, this, universe);
    char relative[QX_NAME_BUFFER] = "";
    if (fileName.length())
        KernFileToRelatifPath(kernel, fileName, relative);
    out.Text(relative);
    out.Int(loop);
    out.Int(iterations);
    out.Line("}");
    return out.Ok() ? 1 : 0;
}
