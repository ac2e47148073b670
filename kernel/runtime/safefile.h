// Writing a file so that a failed write never leaves it short: the text goes to a new file
// beside the target, which replaces the target only once everything was written.
#pragma once

#include "qxkernel.h"

class SAFEFILE {
public:
    explicit SAFEFILE(const char* target);
    ~SAFEFILE();  // a file that was not committed is deleted, the target untouched
    SAFEFILE(const SAFEFILE&) = delete;
    SAFEFILE& operator=(const SAFEFILE&) = delete;

    // Null when no file could be made beside the target.
    QXFILE File() const { return file_; }
    // Puts the written file in the target's place; false when that failed.
    bool Commit();

private:
    QXSTRING target_;
    QXSTRING temporary_;
    QXFILE file_ = nullptr;
};
