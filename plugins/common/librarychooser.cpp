// Binding the template chooser for one choice of a library file.
#include "librarychooser.h"

#include "authoring.h"
#include "kernel.h"
#include "qxpath.h"

QXSTRING ChooseLibraryFile(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile, const char* folder)
{
    QXSTRING chosen;
    ChooseLibraryFiles(kernel, owner, block, helpFile, &chosen, 1, folder);
    return chosen;
}

int ChooseLibraryFiles(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile, QXSTRING* files,
                       int most, const char* folder)
{
    for (int i = 0; i < most; ++i)
        files[i] = "";
    const HMODULE module = QxtmplLoad(KernGetVersion(kernel));
    if (!module)
        return 0;
    const QXTMPL_ENTRIES chooser(module);
    int found = 0;
    if (chooser.Complete()) {
        if (chooser.setKernel)
            chooser.setKernel(kernel);
        if (chooser.setHelpFile)
            chooser.setHelpFile(helpFile);
        char start[QXTMPL_NAME_SIZE] = "";
        if (folder) {
            lstrcpynA(start, folder, sizeof start);
        } else {
            FNSPLIT page(KernGetActiveFilename(kernel));
            lstrcpynA(start, page.drive + page.dir, sizeof start);
        }
        block.kernel = kernel;
        block.owner = owner;
        block.folder = start;
        if (chooser.choose(&block) && block.files) {
            found = chooser.count(block.files);
            for (int i = 0; found && i < most; ++i) {
                if (chooser.next(block.files, start, sizeof start) != -1)
                    files[i] = start;
            }
            // Given back whatever the enumeration answered: the handle is the chooser's to free.
            chooser.dispose(block.files);
        }
    }
    FreeLibrary(module);
    return found;
}

QXSTRING ChooseLibrarySoundFile(KERNEL* kernel, HWND owner, HINSTANCE hookModule, const char* hookTemplate)
{
    QXTMPL_BLOCK block{};
    block.category = QXTMPL_CATEGORY_SOUND;
    block.hookModule = hookModule;
    block.hookTemplate = hookTemplate;
    block.hookProc = KernSoundTemplateHook;
    block.flags = QXTMPL_FLAGS_SOUND;
    return ChooseLibraryFile(kernel, owner, block, "SONLIB.PAG");
}
