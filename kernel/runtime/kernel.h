// KERNEL: one presentation. The pages loaded for one host window, the history, the pending
// branch and its timers, bookmarks and slide show, the coordinate mapping, the authoring
// state and the callbacks through which the host takes part. Hosts and plug-ins read some
// members directly, so the members keep the order of the kernel's data model.
#pragma once

#include "qxkernel.h"
#include "history.h"
#include "filefind.h"
#include "nameset.h"
#include "qxwindowing.h"
#include "../authoring/undo.h"
#include "../authoring/selection.h"

#include <string>
#include <unordered_map>
#include <vector>

class RUBBER;
class DISTNODE_LIST;
class ENCLOSERS;
class FTP_PROCESS;

// The host's window and the kernel library's module instance; read directly by plug-ins.
struct QORVEXWINDOW {
    HWND window;
    HINSTANCE instance;
};

// The programs started by branches, bound to their kernel.
class QXCORE_API PROCESS_LIST : public LIST {
public:
    explicit PROCESS_LIST(KERNEL* kernel) : kernel(kernel) {}
    // Starts the program or opens the document the branch names (the branch stays the
    // caller's; a dependent program reads its return-code branches when it ends).
    void AddProcess(BRANCH& branch);
    KERNEL* kernel;
};

// Host callbacks; each receives the host data word given to the kernel at construction.
using KERNFILTERMSG = int (*)(MSGL* msg, void* host);         // 0 drops the message
using KERNFILTERBRANCH = int (*)(BRANCH* branch, void* host);  // 0 cancels the branch
using KERNEVENT = void (*)(void* host);                        // ObjetSelect, ObjetUnSelect, Save
using KERNEVENTADDOBJET = void (*)(void* host, KERNEL* kernel, OBJET* object);
using KERNEVENTUNDO = void (*)(void* host, int records);
using KERNEVENTSLIDESHOW = void (*)(void* host, int running);

constexpr int QX_SEEK_PATHS = 16;
// The property of the host window that holds its KERNEL*.
constexpr const char* QX_KERNEL_PROPERTY = "QXKERNEL";
// A host window that keeps its kernel in its window longs keeps it at this offset, its own
// pointer at 0; the kernel clears only this slot when it goes.
constexpr int QX_HOSTWL_KERNEL = 8;
constexpr int QX_CUSTOM_COLOURS = 16;
constexpr int QX_SELECTION_HANDLES = 4;

struct QXCORE_API KERNEL : public HUGELNODE {
    // The members at their initial values; the kernel's own branches, object and export-name
    // table are created here. The host window and everything tied to it come later.
    KERNEL();
    // Releases what the kernel owns, the loaded pages included.
    virtual ~KERNEL();

    int progOptions{};
    char version[4]{};             // "40"
    int mode{};                    // 0 presentation; QX_MODE_EDIT_BIT for the editing modes
    int noMode{};
    int autoBranch{};
    int appX{}, appY{}, appWidth{}, appHeight{};
    void* appPointer{};            // the host data word, handed back to every callback
    int cursorChosen{};
    int depProcessRunning{};
    HWND appTopWindow{};
    HCURSOR arrowCursor{}, handCursor{}, netArrowCursor{}, netHandCursor{}, netWaitCursor{};
    QXSTRING appTitle;
    QXSTRING appPath;              // ends with a backslash
    QXSTRING activeFilename;       // the page shown; the base of relative names
    QXSTRING dhtmlActivePage;
    QXSTRING scnPath;              // publication folder
    QXSTRING dhtmlDestPath;
    int branchState{};             // 0 none, 1 pending, 2 running, 3 in the host's filter
    int selLeft{}, selTop{}, selRight{}, selBottom{};
    int clickDelay{};
    BRANCH* pendingBranch{};       // not owned
    BRANCH* kernelBranch{};        // owned
    STACK history;
    VISITED_PAGES visited;
    KERNBOOKMARKS bookmarks;
    int slideLoop{};
    int slideDelay{};              // seconds
    int slideRunning{};
    int slideIndex{};
    BRANCH* sequenceBranch{};      // owned
    QORVEXWINDOW* appWindow{};     // owned
    LOADED_PAGES loadedPages;      // the last is the page shown
    OBJSEL_LIST selection;
    HUGELIST baseObjects;          // of BASEOBJ
    PROCESS_LIST processes;
    HUGELIST branchTimers;         // of BRANCHTIMER
    UNDO_LIST undo;
    WINDOWING windowing;
    OBJET* hovered{};
    HWND handles[QX_SELECTION_HANDLES]{};
    KERNFILTERMSG filterMsg{};
    KERNFILTERBRANCH filterBranch{};
    KERNEVENT eventObjetSelect{};
    KERNEVENT eventObjetUnSelect{};
    KERNEVENTADDOBJET eventAddObjet{};
    KERNEVENTUNDO eventUndo{};
    KERNEVENTSLIDESHOW eventSlideShow{};
    KERNEVENT eventSave{};
    HRGN clipRgn{};
    int gridX{}, gridY{};
    void* scnData{};               // its first two pointers receive the kernel and the branch
    void* scnDataNoCPP{};
    int seekNext{};
    int seekCount{};
    QXSTRING seekPaths[QX_SEEK_PATHS];
    RUBBER* rubber{};
    LIST gadgets;                  // of GADGET
    LIST lockedIds;
    OBJET* kernelObject{};         // owned
    LIST jobs;                     // of FTP_PROCESS
    QXSTRING bookmarkFile;
    int gridActive{}, gridVisible{};
    COLORREF gridColour{};
    NAME_SET missing;              // names already reported missing; emptied at each page
    RELOCFILE_LIST relocations;
    int undoSave{};                // an object is being written to an undo snapshot
    int templateSave{};            // a template is being written
    COLORREF customColours[QX_CUSTOM_COLOURS]{};
    HWND focusWindow{};
    int jobsKilled{};
    int drawEffects{};
    int autoSave{};
    int appIsEditor{};
    int rubberCapture{};
    QXSTRING helpSuffix;
    int curPageVersion{};          // packed version of the page being read, 0 for an old page
    int syncTransfer{};
    char* clipboardBlock{};        // owned, allocated with new[]
    qkrn_CREGISTRYINFOS* registry{}; // owned
    DISTNODE_LIST* distList{};
    int ownsDistList{};
    QXSTRING dhtmlHomePage;
    QXSTRING dhtmlBackground;
    COLORREF dhtmlBackColour{};
    QXSTRING cdromRoot;            // the CD-ROM path once known, "" before
    ENCLOSERS* enclosers{};        // while a broadcast runs, owned by it
    unsigned long treeChanges{};   // counts changes of object trees and object windows
    // The jobs of each object in the order of `jobs`: a page of thousands of pictures and
    // sounds asks for a file for each, and finding an object's job must not walk them all.
    std::unordered_map<const OBJET*, std::vector<FTP_PROCESS*>> jobsOfObject;
    // The jobs of each source (its name in capitals) in the order they were made: a finished
    // transfer tells the waiters of its source without comparing its name with every job.
    std::unordered_map<std::string, std::vector<FTP_PROCESS*>> jobsOfSource;
    unsigned long jobsMade{};      // the number of the last job made
};

// The root of the page shown (the last loaded page), null when none.
QXCORE_EXPORT OBJET* KernGetTopObjet(KERNEL* kernel);
QXCORE_EXPORT HWND KernGetAppWindow(KERNEL* kernel);
QXCORE_EXPORT HINSTANCE KernGetInstance(KERNEL* kernel);
QXCORE_EXPORT const char* KernGetAppPath(KERNEL* kernel);
QXCORE_EXPORT const char* KernGetScnPath(KERNEL* kernel);
QXCORE_EXPORT const char* KernGetActiveFilename(KERNEL* kernel);
QXCORE_EXPORT const char* KernGetVersion(KERNEL* kernel);
QXCORE_EXPORT int KernGetMode(KERNEL* kernel);
QXCORE_EXPORT int KernGetCurPageVersion(KERNEL* kernel);
QXCORE_EXPORT void KernSetCurPageVersion(KERNEL* kernel, int version);
QXCORE_EXPORT void KernGetVersionString(char* out);
QXCORE_EXPORT unsigned long KernFormatVersionStringAsDWORD(const char* text);
QXCORE_EXPORT void KernSetAutoSave(KERNEL* kernel, int on);
QXCORE_EXPORT int KernGetAutoSave(KERNEL* kernel);
QXCORE_EXPORT int KernU2Sx(KERNEL* kernel, double u);
QXCORE_EXPORT int KernU2Sy(KERNEL* kernel, double u);
QXCORE_EXPORT double KernS2Ux(KERNEL* kernel, int s);
QXCORE_EXPORT double KernS2Uy(KERNEL* kernel, int s);

// The pages shown together: enables the page shown and, below it, the pages a modeless page
// lets the user reach; disables the others.
QXCORE_EXPORT void KernUpdateModeless(KERNEL* kernel, int unused);
// The host window's caption: the application title, with the page title in brackets.
QXCORE_EXPORT void KernChangeAppTitle(KERNEL* kernel, const char* pageTitle);
// Gives the focus to the next window with a tab stop among the window's descendants.
QXCORE_EXPORT void KernSetNextWindowFocus(KERNEL* kernel, HWND window);
// Gives the focus to the previous one, wrapping round to the last.
QXCORE_EXPORT void KernSetPrevWindowFocus(KERNEL* kernel, HWND window);
// Unloads the page shown: its transfers, timers, undo records and selection go with it.
QXCORE_EXPORT void KernClearTopLoaded(KERNEL* kernel);
// Unloads everything the kernel holds (pages, history, visited pages, transfers, timers,
// undo, selection, programs) and stops the branch sound; the kernel stays.
QXCORE_EXPORT void KernClearAllLoaded(KERNEL* kernel);

// The process: KernStart before the first kernel (withInternet 1 binds the internet
// library), KernEnd after the last.
QXCORE_EXPORT void KernStart(int withInternet);
QXCORE_EXPORT void KernEnd();
// A kernel for the host window; hostData comes back to every host callback. The registry
// record is made only when the key and the CD-ROM value name are both given.
QXCORE_EXPORT KERNEL* KernConstructeur(HWND host, void* hostData, const char* registryKey, const char* environment,
                                       const char* cdromValue);
QXCORE_EXPORT void KernDestructeur(KERNEL* kernel);
// The window procedure of object windows, and the host window's hook: non-zero when the
// kernel handled the message.
QXCORE_EXPORT LRESULT CALLBACK KernObjetCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
QXCORE_EXPORT LRESULT KernCommand(HWND host, UINT message, WPARAM wParam, LPARAM lParam);
// The kernel of a host window ("QXKERNEL"), null when none.
KERNEL* KernOfHost(HWND host);
