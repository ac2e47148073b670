// The directory chooser, the table of fixed drives and the recursive file search.
#pragma once

#include "qxbase.h"
#include "qxstring.h"

#include <commdlg.h>

// A directory chooser made from the Explorer-style save-file dialog: the list shows folders
// only, the file-name and file-type controls are hidden, and an edit shows the current folder.
// The texts come from the string table of the given module (ids 300 to 305).
class QXBASE_API CQX_SELECTDIR_DLG {
public:
    explicit CQX_SELECTDIR_DLG(HINSTANCE module);
    ~CQX_SELECTDIR_DLG();
    CQX_SELECTDIR_DLG(const CQX_SELECTDIR_DLG&) = delete;
    CQX_SELECTDIR_DLG& operator=(const CQX_SELECTDIR_DLG&) = delete;

    // Runs the chooser modal on the owner, starting in `folder`; when the user confirms,
    // `folder` receives the chosen folder ending with '\' (cut to size-1 characters).
    // Non-zero when a folder was chosen.
    int GetSaveDirName(HWND owner, char* folder, int size);

    // The dialog's hook, and the procedures of the subclassed OK button and dialog.
    static UINT_PTR CALLBACK GetSaveDirNameProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK IDOKSubClassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OpenSaveSubClassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

private:
    void InitDialog(HWND dialog);
    void FolderChanged(HWND dialog);
    bool HasChosenFolder(HWND dialog) const;

    HINSTANCE module;
    OPENFILENAMEA record;
    WNDPROC previousDialogProc;
    QXSTRING okText;
    QXSTRING openText;
    QXSTRING currentFolderLabel;
    QXSTRING chosenFolderLabel;
    QXSTRING cancelText;
    QXSTRING title;
};

// Drive letters A to Z.
constexpr int QX_DRIVE_LETTERS = 26;
// For each letter: 1 for a fixed disk; 0 for an unknown, removable or remote drive; other
// entries (no drive, CD-ROM, RAM disk) are left as the caller set them.
QXBASE_API void GetLocalFixedDrives(int drives[QX_DRIVE_LETTERS]);

// One entry of the search's file table: a full path and its terminator.
constexpr int QX_FOUND_PATH_CHARS = 128;
// Appends to table[*count] every file under `folder` (ending with '\') and its sub-folders
// that matches `pattern`, showing each folder searched as the text of `status` (when given).
// Folders whose attributes are anything but the plain directory attribute, and names
// beginning with '.', are not entered; paths that do not fit an entry are left out.
// 1 when the table was full before a match could be added, else 0.
QXBASE_API int pff(const char* folder, const char* pattern, char (*table)[QX_FOUND_PATH_CHARS], int* count,
                   int capacity, HWND status);
