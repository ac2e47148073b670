// A fresh folder under the temporary folder for one test, removed with all it holds.
#pragma once

#include <string>
#include <vector>

class ScratchDir {
public:
    ScratchDir();
    // Named from the prefix, the process and a serial number joined by '_' (a prefix of
    // letters gives a name fit for FTP).
    explicit ScratchDir(const char* prefix);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The folder, ending in a backslash.
    const std::string& Path() const { return path_; }
    // Path() + relative name.
    std::string operator/(const std::string& name) const { return path_ + name; }

    // Writes the bytes to Path() + name, making the folders on the way.
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// The names of the files directly in the folder (ending in a backslash), sorted.
std::vector<std::string> FilesIn(const std::string& folder);
