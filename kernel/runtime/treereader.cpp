// Reading object trees: each record names the plug-in that makes its object; the plug-in is
// bound at run time by name, from the application's folder only, and its AllocObjet makes
// the object, which reads the rest of its record. Without a usable plug-in a stand-in keeps
// the record.
#include "pagefiles.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "objet.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxutil.h"
#include "recordio.h"
#include "standin.h"
#include "../authoring/paths.h"

#include <cstring>
#include <map>
#include <string>

namespace {

using ALLOCOBJET = OBJET* (*)(KERNEL* kernel);

// The start of a record is found by its first 24 characters.
constexpr int RecordStartChars = 24;

bool FindRecordStart(QXFILE file)
{
    char line[RecordStartChars + 1];
    while (QXGetLine(file, line, sizeof line)) {
        if (lstrcmpiA(QXlrtrim(line), "OBJET {") == 0)
            return true;
    }
    return false;
}

void AlertModuleNotLoaded(KERNEL* kernel, const char* module, DWORD error)
{
    QXSTRING text;
    text.Format(static_cast<const char*>(KernString(IDS_MODULE_NOT_LOADED)), module, static_cast<long>(error));
    Alert(KernGetAppWindow(kernel), KernString(IDS_FILE_ERROR), text);
}

// The plug-in named by a module line: whatever folder or address the line gives, only its
// file name counts, versioned and looked for in the application's folder, so that a page
// never makes the kernel run code from elsewhere. False for a line that names no module.
bool ModuleFile(KERNEL* kernel, const char* line, QXSTRING* file)
{
    QXSTRING absolute;
    KernFileToAbsolutePathStr(kernel, line, &absolute);
    QXSTRING name;
    QXSTRING extension;
    QXGeneralfnsplitStr(absolute, nullptr, nullptr, &name, &extension);
    if (lstrcmpiA(extension, ".DLL") != 0)
        return false;
    file->Format("%s%s%s.DLL", KernGetAppPath(kernel), static_cast<const char*>(name), KernGetVersion(kernel));
    return true;
}

// The object made by the plug-in, which has read its record; null when none was made
// (*refused tells whether the read must stop).
OBJET* MadeByPlugin(KERNEL* kernel, QXFILE file, int& universe, HMODULE module, const char* moduleFile,
                    bool* refused)
{
    const auto alloc = reinterpret_cast<ALLOCOBJET>(reinterpret_cast<void*>(GetProcAddress(module, "AllocObjet")));
    if (!alloc) {
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_NO_ALLOCOBJET, moduleFile);
        FreeLibrary(module);
        return nullptr;
    }
    OBJET* object = alloc(kernel);
    if (!object) {
        KernAlert(KernGetAppWindow(kernel), IDS_MEMORY_CAPTION, IDS_MEMORY);
        FreeLibrary(module);
        *refused = true;
        return nullptr;
    }
    // The object holds the reference that loading took; KillObjet gives it back.
    if (!object->module)
        object->module = module;
    object->Load(file, universe);
    return object;
}

// The plug-ins bound while one tree is read. Each object holds a reference on its plug-in;
// binding one by its file name looks for the file and goes through the loader for every
// object, which dominates a page of thousands of objects. The read keeps one reference on
// each plug-in it bound, so that the handle it remembers stays that plug-in's, and every
// further object of it takes its reference from the handle.
class BOUND_PLUGINS {
public:
    BOUND_PLUGINS() = default;
    BOUND_PLUGINS(const BOUND_PLUGINS&) = delete;
    BOUND_PLUGINS& operator=(const BOUND_PLUGINS&) = delete;
    ~BOUND_PLUGINS()
    {
        for (const auto& [file, module] : bound_)
            FreeLibrary(module);
    }

    // A new reference on the plug-in of that file, null (the error alerted) when it cannot be
    // loaded, null without alert when there is no such file.
    HMODULE Take(KERNEL* kernel, const char* file)
    {
        const auto known = bound_.find(file);
        HMODULE module = nullptr;
        if (known != bound_.end() &&
            GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(known->second),
                               &module))
            return module;
        if (!DoFileExist(file))
            return nullptr;
        module = LoadLibraryA(file);
        if (!module) {
            AlertModuleNotLoaded(kernel, file, GetLastError());
            return nullptr;
        }
        if (known == bound_.end()) {
            if (const HMODULE kept = LoadLibraryA(file))
                bound_.emplace(file, kept);
        }
        return module;
    }

private:
    std::map<std::string, HMODULE> bound_;
};

OBJET* ReadTree(KERNEL* kernel, QXFILE file, int universe, int withChildren, int depth, BOUND_PLUGINS& plugins)
{
    // A crafted file could nest records until the stack runs out.
    if (depth > QX_MAX_TREE_DEPTH) {
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_UNKNOWN_FORMAT);
        return nullptr;
    }
    if (!FindRecordStart(file))
        return nullptr;
    char moduleLine[QX_RECORD_LINE];
    if (!ReadRecordLine(file, moduleLine)) {
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_UNKNOWN_FORMAT);
        return nullptr;
    }
    char trimmed[QX_RECORD_LINE];
    lstrcpynA(trimmed, moduleLine, sizeof trimmed);
    QXlrtrim(trimmed);

    // A blank module line is what a plain object writes: it reads back as a plain object.
    HMODULE module = nullptr;
    QXSTRING moduleFile;
    if (*trimmed) {
        if (!ModuleFile(kernel, trimmed, &moduleFile)) {
            KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_UNKNOWN_FORMAT);
            return nullptr;
        }
        module = plugins.Take(kernel, moduleFile);
    }
    int children;
    if (!Load1Int(file, &children)) {
        KernAlert(KernGetAppWindow(kernel), IDS_FILE_ERROR, IDS_NO_CHILD_COUNT);
        if (module)
            FreeLibrary(module);
        return nullptr;
    }
    OBJET* object = nullptr;
    if (module) {
        bool refused = false;
        object = MadeByPlugin(kernel, file, universe, module, moduleFile, &refused);
        if (refused)
            return nullptr;
    }
    if (!object) {
        auto* standIn = new STANDIN_OBJET(kernel, moduleLine);
        if (!standIn)
            return nullptr;
        // A record not kept whole would be saved short: the page is not taken.
        if (!standIn->Capture(file)) {
            KillObjet(standIn);
            return nullptr;
        }
        object = standIn;
    }
    if (!withChildren)
        return object;
    for (int i = 0; i < children; ++i) {
        OBJET* child = ReadTree(kernel, file, universe, 1, depth + 1, plugins);
        if (!child) {
            if (!object->GetParent())
                KillObjet(object);
            return nullptr;
        }
        object->AddChild(child);
    }
    return object;
}

}  // namespace

OBJET* KernLoadTree(KERNEL* kernel, QXFILE file, int universe, int withChildren)
{
    if (!kernel || !file)
        return nullptr;
    BOUND_PLUGINS plugins;
    return ReadTree(kernel, file, universe, withChildren, 0, plugins);
}
