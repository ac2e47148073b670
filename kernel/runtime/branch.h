// BRANCH: what happens when an object is activated (go to a page, start a program, call a
// user function, run a built-in action, play a sound, after an optional delay), with the
// return-code branches of a dependent program. Saved inside its object's record, in the old
// eleven-line form or the current "BR [" tree; also given a flat clipboard form and the form
// the DHTML export writes.
#pragma once

#include "qxkernel.h"
#include "gadget.h"

// Kinds of branch.
constexpr int QX_BRANCH_ORDINARY = 0;
constexpr int QX_BRANCH_DEFAULT_FORWARD = -1;
constexpr int QX_BRANCH_DEFAULT_BACK = -2;

// Execution modes of a started program.
constexpr int QX_EXEC_DEPENDENT = 0;
constexpr int QX_EXEC_INDEPENDENT = 1;

// The text before a built-in action's label or number in a target.
constexpr const char* QX_GADGET_PREFIX = "GADGET: ";

struct BRANCHGADGETCLIPBOARD;

class QXCORE_API BRANCH : public HUGELNODE {
public:
    explicit BRANCH(KERNEL* kernel = nullptr);
    virtual ~BRANCH();

    void SetFilename(const char* name);
    void GetFilename(char* buffer, int size) const;  // at most size characters copied

    // Deep copies: gadget bound again by name, return-code branches copied anew. CopyBranch
    // keeps this branch's slide-show mark, operator= copies it.
    void CopyBranch(const BRANCH* source);
    BRANCH& operator=(const BRANCH& source);
    void CopyBranchClipboard(const BRANCHGADGETCLIPBOARD* flat);

    int IsBranchingSomewhere() const;

    // The file forms; the loads return 1 on success and 0 on a missing or unreadable line.
    int Save(QXFILE file) const;
    int SaveEx(QXFILE file) const;
    int Load(QXFILE file, int oldPage);
    int LoadEx(QXFILE file, int oldPage);
    int ExportToDHTML(QXFILE file) const;

    BRANCH* GetCodeBranch(int index) { return static_cast<BRANCH*>(codeBranches.GetItem(index)); }

    // Members in the order of the branch record.
    KERNEL* kernel;
    QXSTRING target;       // page, program, document, address; "GADGET: label" for an action
    QXSTRING secondText;   // a program's parameters or a document's verb
    int windowState;       // SW_ value of a started program's window
    int execMode;          // QX_EXEC_INDEPENDENT or QX_EXEC_DEPENDENT
    double delay;          // seconds, 0 at once
    int visited;           // the object shows that the branch has been visited
    QXSTRING dll;
    QXSTRING function;
    QXSTRING sound;
    int pluginMark;        // 0 for branches the user made
    QXSTRING parameter;    // handed to the user function; script text in DHTML
    HWND source;           // window of the object that requests the branch; not saved
    GADGET* gadget;        // owned, or null
    BYTE slideShowMark;
    int defaultCode;       // the default among return-code branches
    unsigned int code;     // the exit code that selects this branch
    int kind;              // QX_BRANCH_ORDINARY, _DEFAULT_FORWARD, _DEFAULT_BACK
    HUGELIST codeBranches; // return-code branches, of BRANCH

private:
    void CopyCommon(const BRANCH& source);
    int LoadEx(QXFILE file, int oldPage, int depth);
};

// The flat form the branch editor keeps on its own clipboard: no return-code branches.
struct QXCORE_API BRANCHGADGETCLIPBOARD {
    void CopyBranch(const BRANCH* branch);  // texts cut to their fields

    char target[500];
    char secondText[500];
    int windowState;
    int execMode;
    double delay;
    int visited;
    char dll[500];
    char function[50];
    char sound[500];
    int pluginMark;
    char parameter[512];
    GADGET gadget;  // id 0: none
    int defaultCode;
    unsigned int code;
    int kind;
};

// The branch clipboard record that travels between processes (the text object's clipboard
// block carries one per branch): 2,840 bytes of fixed little-endian fields, the branch number at
// byte 2076, no pointer or handle, so that 32-bit and 64-bit builds read each other's records.
// Texts are cut to their fields and always end with a zero, whatever the record holds.
constexpr int QX_BRANCH_CLIP_RECORD_SIZE = 2840;
constexpr int QX_BRANCH_CLIP_RECORD_ID = 2076;
QXCORE_EXPORT void KernWriteBranchClipRecord(const BRANCH* branch, BYTE* record);
// The branch rebuilt from the record as from the flat form: no return-code branches; the
// action is the branch's kernel's action of the record's number (none when it has no such one).
QXCORE_EXPORT void KernReadBranchClipRecord(const BYTE* record, BRANCH* branch);

// Deepest nesting of return-code branches a file may hold.
constexpr int QX_MAX_BRANCH_DEPTH = 256;

// A branch armed to be requested after its delay (timer on the window of the page shown).
class QXCORE_API BRANCHTIMER : public HUGELNODE {
public:
    explicit BRANCHTIMER(BRANCH* branch);
    virtual ~BRANCHTIMER();  // kills the timer when armed and removes its window pointer

    BRANCH* branch;  // not owned
    HWND window;
    UINT_PTR id;     // 0 when not armed
};

QXCORE_EXPORT void CALLBACK BranchTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
// Arms the timer of a timed branch on the window of the page shown.
QXCORE_EXPORT void KernAddBranchTimer(KERNEL* kernel, BRANCH* branch);
QXCORE_EXPORT void KernClearBranchTimer(KERNEL* kernel);
// Requests a branch: it becomes pending and runs on the next message of the page window.
QXCORE_EXPORT int KernSetBranch(KERNEL* kernel, BRANCH* branch);
// 1 when one of the object's branches leads anywhere.
QXCORE_EXPORT int ObjectHaveBranch(KERNEL* kernel, OBJET* object, void* unused);
// The first of the object's branches of that kind, passing over `except`; null when none.
QXCORE_EXPORT BRANCH* KernBranchOfKind(OBJET* object, int kind, const BRANCH* except = nullptr);
// The same on the page shown, its objects walked from the top, first child to last.
QXCORE_EXPORT BRANCH* KernPageBranchOfKind(KERNEL* kernel, int kind, const BRANCH* except = nullptr);
// Warns when no object of the page shown has a branch that leads anywhere.
QXCORE_EXPORT void KernAlertNoBranch(KERNEL* kernel);
