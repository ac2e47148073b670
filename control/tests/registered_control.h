// The control as the tests find it: registered with the system's regsvr32 for the whole test
// program, and the sample publication's files.
#pragma once

#include "scratch_dir.h"

#include <windows.h>

#include <unknwn.h>

#include <string>
#include <vector>

// The control's file beside the test program.
std::string ControlFile();
// Runs regsvr32 silently on the file (unregistering with `unregister`): its exit code.
DWORD RunRegsvr32(const std::string& file, bool unregister);
// A copy of the control alone in a scratch folder, loaded as a container that loads the file
// itself loads it, and freed with the object: it must outlive the controls it made.
class LooseControl {
public:
    LooseControl();
    ~LooseControl();
    LooseControl(const LooseControl&) = delete;
    LooseControl& operator=(const LooseControl&) = delete;

    const ScratchDir& Folder() const { return folder_; }
    // A control made by the copy's own class object; null when it cannot be made.
    IUnknown* Create() const;

private:
    ScratchDir folder_;
    HMODULE module_ = nullptr;
};
// A value under HKEY_CLASSES_ROOT; "<missing>" when the key or value is not there.
std::string ClassesValue(const std::string& key, const char* name = nullptr);

// The sample publication copied into the folder (pages, pictures, sounds, settings).
void CopySamplePublication(const ScratchDir& folder);
// The records of a page file, split at the lines of 73 '-': the header, then one per object.
std::string PageSeparator();

// The sample's first page with its size changed to width x height and its title to `title`,
// holding only its root object and, as its children, the buttons given as whole records.
std::string PageOf(const std::string& title, int width, int height, const std::vector<std::string>& buttons = {});
// A button record of the sample, named and placed anew, whose one branch goes to `target`.
std::string ButtonRecord(const std::string& name, const std::string& target, int x, int y);
