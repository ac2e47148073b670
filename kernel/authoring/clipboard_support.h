// What the object clipboard's operations share: the window that opens the clipboard, the
// scratch files they write records through, and the wait cursor they show.
#pragma once

#include "../runtime/qxkernel.h"

#include <string>

// The page shown owns the clipboard; without a page window, the host window does (a null
// owner would make every SetClipboardData after EmptyClipboard fail).
HWND KernClipboardWindow(KERNEL* kernel);

// A scratch file in the kernel's cache folder (the temporary folder while no cache is
// open), deleted when it goes out of scope.
class CLIPTEMPFILE {
public:
    explicit CLIPTEMPFILE(KERNEL* kernel);
    ~CLIPTEMPFILE();
    CLIPTEMPFILE(const CLIPTEMPFILE&) = delete;
    CLIPTEMPFILE& operator=(const CLIPTEMPFILE&) = delete;

    // False when no name could be made.
    bool Made() const { return name_.length() > 0; }
    const char* Name() const { return name_; }
    // The whole file; false when it cannot be read.
    bool ReadAll(std::string* bytes) const;
    // Replaces the file's content; false when the write fails.
    bool WriteAll(const char* bytes, size_t count) const;

private:
    QXSTRING name_;
};

// The wait cursor for the life of the object, then the cursor shown before.
class CLIPWAITCURSOR {
public:
    CLIPWAITCURSOR() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CLIPWAITCURSOR() { SetCursor(previous_); }
    CLIPWAITCURSOR(const CLIPWAITCURSOR&) = delete;
    CLIPWAITCURSOR& operator=(const CLIPWAITCURSOR&) = delete;

private:
    HCURSOR previous_;
};
