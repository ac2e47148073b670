// Binding the template chooser for one choice of a library file.
#include "librarychooser.h"

#include "kernel.h"
#include "qxpath.h"

QXSTRING ChooseLibraryFile(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile)
{
    QXSTRING chosen;
    ChooseLibraryFiles(kernel, owner, block, helpFile, &chosen, 1);
    return chosen;
}

int ChooseLibraryFiles(KERNEL* kernel, HWND owner, QXTMPL_BLOCK block, const char* helpFile, QXSTRING* files,
                       int most)
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
        char folder[QXTMPL_NAME_SIZE] = "";
        FNSPLIT page(KernGetActiveFilename(kernel));
        lstrcpynA(folder, page.drive + page.dir, sizeof folder);
        block.kernel = kernel;
        block.owner = owner;
        block.folder = folder;
        if (chooser.choose(&block) && block.files) {
            found = chooser.count(block.files);
            for (int i = 0; found && i < most; ++i) {
                if (chooser.next(block.files, folder, sizeof folder) != -1)
                    files[i] = folder;
            }
            // Given back whatever the enumeration answered: the handle is the chooser's to free.
            chooser.dispose(block.files);
        }
    }
    FreeLibrary(module);
    return found;
}
