// The chooser module's entry point and exports: the choice and the enumeration of the
// chosen template's files.
#include "chooser_dialog.h"

#include <new>
#include <string>
#include <vector>

#define QXTMPL_EXPORT extern "C" __declspec(dllexport)

namespace {

HINSTANCE thisModule = nullptr;

// What an enumeration handle points to.
struct TEMPLATE_FILES {
    std::vector<std::string> files;
    size_t next = 0;
};

// Hands the first chosen file back through the caller's folder buffer as well.
void WriteFirstFile(QXTMPL_BLOCK& block, const TEMPLATE_ITEM& chosen)
{
    if (block.folder && !chosen.files.empty())
        lstrcpynA(block.folder, chosen.files.front().c_str(), QXTMPL_NAME_SIZE);
}

int Choose(QXTMPL_BLOCK& block)
{
    block.answer = 0;
    block.files = nullptr;
    const std::vector<TEMPLATE_ITEM> templates =
        ListTemplates(LibraryRoot(thisModule), block.category ? block.category : "");
    const int chosen = RunChooserDialog(thisModule, block, templates);
    if (chosen == CHOSE_CANCELLED)
        block.answer = QXTMPL_CANCELLED;
    if (chosen < 0)
        return 0;
    const TEMPLATE_ITEM& item = templates[static_cast<size_t>(chosen)];
    block.files = new (std::nothrow) TEMPLATE_FILES{item.files};
    if (!block.files)
        return 0;
    WriteFirstFile(block, item);
    return 1;
}

}  // namespace

QXTMPL_EXPORT int WINAPI ChooseTemplate(QXTMPL_BLOCK* block)
{
    if (!block)
        return 0;
    try {
        return Choose(*block);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

QXTMPL_EXPORT int WINAPI GetNbTemplateFiles(void* files)
{
    return files ? static_cast<int>(static_cast<TEMPLATE_FILES*>(files)->files.size()) : 0;
}

QXTMPL_EXPORT int WINAPI GetNextTemplateFile(void* files, char* name, int size)
{
    auto* enumeration = static_cast<TEMPLATE_FILES*>(files);
    if (!enumeration || !name || size <= 0 || enumeration->next >= enumeration->files.size())
        return -1;
    lstrcpynA(name, enumeration->files[enumeration->next].c_str(), size);
    return static_cast<int>(enumeration->next++);
}

QXTMPL_EXPORT void WINAPI DisposeEnumFilesHandle(void* files) { delete static_cast<TEMPLATE_FILES*>(files); }

// The stand-in has no help program and needs nothing of the kernel: both are accepted so that
// callers find the names they bind.
QXTMPL_EXPORT void WINAPI SetHelpFile(const char*) {}
QXTMPL_EXPORT void WINAPI SetKernel(KERNEL*) {}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
