// A file held open by another program for the life of the object, sharing with others only
// what the program allows.
#pragma once

#include <windows.h>

#include <string>

class HeldFile {
public:
    // `share` takes the FILE_SHARE_ flags the holder allows; 0 locks the file.
    HeldFile(const std::string& path, DWORD share);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // False when the file could not be opened so.
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};
