// The template chooser "QXTMPL40.DLL" as its callers see it: the parameter block of
// ChooseTemplate, the entry points bound by name, the chooser's list control and the
// registered messages that a caller's hook dialog exchanges with it.
//
// The block keeps the callers' order of twelve words, each widened to a pointer-sized slot
// so that windows, instances, texts and procedures survive in a 64-bit process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

struct KERNEL;

// Module file name, formatted with the kernel version ("40").
constexpr const char* QXTMPL_MODULE_FORMAT = "QXTMPL%s.DLL";

constexpr const char* QXTMPL_CHOOSETEMPLATE_EXPORT = "ChooseTemplate";
constexpr const char* QXTMPL_GETNBTEMPLATEFILES_EXPORT = "GetNbTemplateFiles";
constexpr const char* QXTMPL_GETNEXTTEMPLATEFILE_EXPORT = "GetNextTemplateFile";
constexpr const char* QXTMPL_DISPOSEENUMFILESHANDLE_EXPORT = "DisposeEnumFilesHandle";
constexpr const char* QXTMPL_SETHELPFILE_EXPORT = "SetHelpFile";  // optional
constexpr const char* QXTMPL_SETKERNEL_EXPORT = "SetKernel";      // optional

// Where the templates lie: the folder named by this environment variable, else the folder
// "TEMPLATES" beside the chooser's module. Each category is a subfolder; each template in it is
// a file (one file) or a folder (its files in name order, e.g. a button's four pictures).
constexpr const char* QXTMPL_LIBRARY_VARIABLE = "QXTMPL_LIBRARY";
constexpr const char* QXTMPL_LIBRARY_FOLDER = "TEMPLATES";

// Size of the name buffers: GetNextTemplateFile's and the block's folder buffer.
constexpr int QXTMPL_NAME_SIZE = 500;

// Categories the callers name; each is a subfolder of the template library.
constexpr const char* QXTMPL_CATEGORY_PAGE = "Page";
constexpr const char* QXTMPL_CATEGORY_BUTTON = "Button";
constexpr const char* QXTMPL_CATEGORY_SOUND = "Sound";
constexpr const char* QXTMPL_CATEGORY_ANIMATION = "Animation";

// Flag words the callers pass; the chooser accepts any value.
constexpr intptr_t QXTMPL_FLAGS_BUTTON = 33;
constexpr intptr_t QXTMPL_FLAGS_PAGE = 43;
constexpr intptr_t QXTMPL_FLAGS_ANIMATION = 43;
constexpr intptr_t QXTMPL_FLAGS_SOUND = 59;

// The block's answer when the user cancelled.
constexpr intptr_t QXTMPL_CANCELLED = 2;

// Handed to ChooseTemplate, zero-filled first by the caller.
struct QXTMPL_BLOCK {
    KERNEL* kernel;
    HWND owner;                // owner of the chooser's dialog
    const char* category;      // QXTMPL_CATEGORY_...
    char* folder;              // null, or QXTMPL_NAME_SIZE bytes: in, a folder of the caller;
                               // out, the first file of the chosen template
    HINSTANCE hookModule;      // module holding the hook dialog template
    const char* hookTemplate;  // child dialog template shown inside the chooser, or null
    LPARAM hookData;           // lParam of the hook dialog's WM_INITDIALOG
    DLGPROC hookProc;          // the hook dialog's procedure
    intptr_t reserved1;        // 0
    intptr_t flags;            // QXTMPL_FLAGS_...
    intptr_t answer;           // out: QXTMPL_CANCELLED when the user cancelled, else 0
    void* files;               // out: the enumeration handle of the chosen template's files
};
static_assert(sizeof(QXTMPL_BLOCK) == 12 * sizeof(void*));

// ChooseTemplate(block): runs the chooser modal on block->owner. Non-zero when the user
// confirmed a template (block->files then holds an enumeration handle over its files, to be
// given back with DisposeEnumFilesHandle); 0 when cancelled (answer QXTMPL_CANCELLED) or when
// the user confirmed the first entry, "no template" (answer 0, no handle).
using QXTMPL_CHOOSETEMPLATE = int(WINAPI*)(QXTMPL_BLOCK* block);
// Number of files of the handle (0 for a null handle).
using QXTMPL_GETNBTEMPLATEFILES = int(WINAPI*)(void* files);
// Copies the next file's full name (cut to size - 1 characters) and answers its position from
// 0; -1 when no file is left.
using QXTMPL_GETNEXTTEMPLATEFILE = int(WINAPI*)(void* files, char* name, int size);
using QXTMPL_DISPOSEENUMFILESHANDLE = void(WINAPI*)(void* files);
// Name of the help page of the library the caller opens ("PAGELIB.PAG", "SONLIB.PAG", ...).
using QXTMPL_SETHELPFILE = void(WINAPI*)(const char* helpFile);
using QXTMPL_SETKERNEL = void(WINAPI*)(KERNEL* kernel);

// The chooser module of kernel version `version` ("40"), loaded for one choice; a missing
// module is a normal case for the callers, never a reason for a system box. Null when absent.
inline HMODULE QxtmplLoad(const char* version)
{
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, QXTMPL_MODULE_FORMAT, version);
    const UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    const HMODULE module = LoadLibraryA(name);
    SetErrorMode(previousMode);
    return module;
}

// The entry points of a loaded chooser module, bound by name; the first four are required.
struct QXTMPL_ENTRIES {
    explicit QXTMPL_ENTRIES(HMODULE module) : module(module) {}

    template <class Function>
    Function Bind(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    bool Complete() const { return choose && count && next && dispose; }

    HMODULE module;
    QXTMPL_CHOOSETEMPLATE choose = Bind<QXTMPL_CHOOSETEMPLATE>(QXTMPL_CHOOSETEMPLATE_EXPORT);
    QXTMPL_GETNBTEMPLATEFILES count = Bind<QXTMPL_GETNBTEMPLATEFILES>(QXTMPL_GETNBTEMPLATEFILES_EXPORT);
    QXTMPL_GETNEXTTEMPLATEFILE next = Bind<QXTMPL_GETNEXTTEMPLATEFILE>(QXTMPL_GETNEXTTEMPLATEFILE_EXPORT);
    QXTMPL_DISPOSEENUMFILESHANDLE dispose = Bind<QXTMPL_DISPOSEENUMFILESHANDLE>(QXTMPL_DISPOSEENUMFILESHANDLE_EXPORT);
    QXTMPL_SETHELPFILE setHelpFile = Bind<QXTMPL_SETHELPFILE>(QXTMPL_SETHELPFILE_EXPORT);  // optional
    QXTMPL_SETKERNEL setKernel = Bind<QXTMPL_SETKERNEL>(QXTMPL_SETKERNEL_EXPORT);           // optional
};

// The chooser's list of templates: entry 0 is "no template", the library's templates follow.
constexpr int QXTMPL_LIST_ID = 5001;

// Registered messages (RegisterWindowMessageA). The three questions are answered by the
// chooser's dialog (the hook dialog's parent) and by the hook dialog itself, which forwards
// them: wParam is the size of the buffer in lParam; the answer is the length written, 0 when
// no template is selected.
constexpr const char* QXTMPL_GETNAME_MSG = "choosetemplate_GetNameMSG";
constexpr const char* QXTMPL_GETDESCRIPTION_MSG = "choosetemplate_GetDescriptionMSG";
constexpr const char* QXTMPL_GETFILE_MSG = "choosetemplate_GetFileMSG";  // first file of the template
// Sent to the hook dialog when the selection of the list changes: wParam is the index now
// selected (-1 for none), lParam the chooser's dialog.
constexpr const char* QXTMPL_ITEMCHANGED_MSG = "choosetemplate_ItemChangedMSG";

// On OK and Cancel the chooser first sends the same WM_COMMAND (IDOK, IDCANCEL) to the hook
// dialog. A hook that refuses OK sets DWLP_MSGRESULT to non-zero and the chooser stays open.

// Selects the entry shown as `name` in the chooser (as a user's click would, with the hook
// told); false when the list has no such entry. For tests that answer the chooser.
inline bool QxtmplSelectTemplate(HWND chooser, const char* name)
{
    const HWND list = GetDlgItem(chooser, QXTMPL_LIST_ID);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name));
    if (index == LB_ERR)
        return false;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(QXTMPL_LIST_ID, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

// True for the chooser's dialog (a dialog answerer sees every dialog of the thread).
inline bool QxtmplIsChooser(HWND dialog) { return GetDlgItem(dialog, QXTMPL_LIST_ID) != nullptr; }

// The caller's hook dialog inside the chooser, known by two of its controls; null when none.
inline HWND QxtmplHookHolding(HWND chooser, int first, int second)
{
    for (HWND child = GetWindow(chooser, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, first) && GetDlgItem(child, second))
            return child;
    return nullptr;
}
