// KernChooseSoundTemplate: the outside template chooser, loaded for one choice only.
#include "soundchooser.h"

#include "authoring.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "qxtmpl_api.h"

#include <cstring>

namespace {

// The folder (drive and directory) of the page shown, where the chooser starts.
void StartFolder(KERNEL* kernel, char* file)
{
    lstrcpynA(file, KernGetActiveFilename(kernel), QXTMPL_NAME_SIZE);
    char* slash = std::strrchr(file, '\\');
    if (slash)
        slash[1] = '\0';
    else
        file[0] = '\0';
}

int Choose(const QXTMPL_ENTRIES& chooser, HWND owner, KERNEL* kernel, char* result)
{
    if (chooser.setKernel)
        chooser.setKernel(kernel);
    if (chooser.setHelpFile)
        chooser.setHelpFile("SONLIB.PAG");
    char file[QXTMPL_NAME_SIZE];
    StartFolder(kernel, file);
    QXTMPL_BLOCK block{};
    block.kernel = kernel;
    block.owner = owner;
    block.category = QXTMPL_CATEGORY_SOUND;
    block.folder = file;
    block.hookModule = KernProcess().module;
    block.hookTemplate = "D_PLAYSOUND";
    block.hookProc = KernSoundTemplateHook;
    block.flags = QXTMPL_FLAGS_SOUND;
    if (!chooser.choose(&block))
        return 0;
    const bool chosen = chooser.count(block.files) != 0 && chooser.next(block.files, file, QXTMPL_NAME_SIZE) != -1;
    // The enumeration is given back whether or not it held a file.
    chooser.dispose(block.files);
    if (!chosen)
        return 0;
    lstrcpynA(result, file, QXTMPL_NAME_SIZE);
    return 1;
}

}  // namespace

int KernChooseSoundTemplate(HWND owner, KERNEL* kernel, char* result)
{
    if (!result || !kernel)
        return 0;
    const HMODULE module = QxtmplLoad(KernGetVersion(kernel));
    if (!module)
        return 0;
    const QXTMPL_ENTRIES chooser(module);
    const int chosen = chooser.Complete() ? Choose(chooser, owner, kernel, result) : 0;
    FreeLibrary(module);
    return chosen;
}
