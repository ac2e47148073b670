// What the property dialogs of the object plug-ins share: the working copy they edit, the
// show-delay box, the line that shows a branch's target, the open dialog with a preview, the
// outside modules beside the plug-in and the text of a control.
#pragma once

#include "branch.h"
#include "qxpreviewrequest.h"
#include "qxstring.h"

#include <string>

// The working copy that a settings dialog edits: the object's settings under its parent, but
// never its window, on which the copy must not act (its destructor would remove it). Null when
// the objects' allocator refuses.
template <class Object>
Object* NewDialogCopy(const Object& object)
{
    auto* copy = new Object(object.GetKernel(), object.GetHDLL());
    if (!copy)
        return nullptr;
    *copy = object;
    copy->SetParent(object.GetParent());
    copy->window = nullptr;
    return copy;
}

// The copy's settings taken back by the object, which keeps its own window.
template <class Object>
void TakeDialogCopy(Object& object, Object& copy)
{
    copy.window = object.window;  // operator= takes the window along with the settings
    object = copy;
    copy.window = nullptr;
}

// "%-5.1lf" into the box, limited to 6 characters.
void ShowDelayBox(HWND dialog, int id, double delay);
// The box read with "%lf": 0 when it is not a number, else the number bounded as every delay is.
double ReadDelayBox(HWND dialog, int id);
// The branch's target, or its second text when the target is empty.
void ShowBranchTarget(HWND dialog, int id, const BRANCH* branch);
// Makes the branch an empty one, as a new object's branch is.
void ClearBranch(BRANCH* branch);
// Drive and folder of a file name without the final backslash; "" for an empty name.
QXSTRING FolderOf(const char* name);
// The kernel's open dialog with a preview pane of `previewFlags` (QXPREVIEW_...), on the
// folder of `current` (the current folder when it has none) and the '\0'-separated `filter`;
// false when the user cancelled.
bool AskPreviewedFile(KERNEL* kernel, HWND owner, const std::string& filter, const char* current, char previewFlags,
                      QXSTRING* chosen);
// The same with more flags (OFN_...), the pane's callback and its value, into `selection` of
// `size` bytes (a folder then the names, each ending with a zero, for a multiple selection).
bool AskPreviewedFiles(KERNEL* kernel, HWND owner, const std::string& filter, const char* current, char previewFlags,
                       DWORD moreFlags, QXPREVIEW_CALLBACK callback, LPARAM user, char* selection, DWORD size);
// The outside module whose file name `format` makes from this plug-in's folder (one "%s",
// given with its final backslash), loaded from beside `self`; a missing module is a normal
// case, never a reason for a system box. Null when it is not there.
HMODULE LoadModuleBeside(HINSTANCE self, const char* format);
QXSTRING ControlText(HWND dialog, int id);
void EnableControl(HWND dialog, int id, bool on);
