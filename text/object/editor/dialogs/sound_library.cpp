// The sound library through the template chooser, as the other plug-ins reach it.
#include "sound_library.h"

#include "authoring.h"
#include "dialog_support.h"
#include "librarychooser.h"

int ChooseLibrarySound(HWND owner, KERNEL* kernel, char* file)
{
    if (!kernel || !file)
        return 0;
    QXTMPL_BLOCK block{};
    block.category = QXTMPL_CATEGORY_SOUND;
    block.hookModule = DialogsModule();
    block.hookTemplate = "D_PLAYSOUND";
    block.hookProc = KernSoundTemplateHook;
    block.flags = QXTMPL_FLAGS_SOUND;
    const QXSTRING chosen = ChooseLibraryFile(kernel, owner, block, "TXTLIB.PAG");
    if (!chosen.length())
        return 0;
    lstrcpynA(file, chosen, QX_SOUND_NAME_SIZE);
    return 1;
}
