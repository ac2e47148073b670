#include "scratch_dir.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void MakeFolders(const std::string& path)
{
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

}  // namespace

ScratchDir::ScratchDir() : ScratchDir("qxtest-") {}

ScratchDir::ScratchDir(const char* prefix)
{
    static std::atomic<int> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    std::snprintf(name, sizeof name, "%s%lu_%d\\", prefix, GetCurrentProcessId(), serial++);
    path_ = std::string(temp) + name;
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path_);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void ScratchDir::Write(const std::string& name, const std::string& bytes) const
{
    const std::string full = path_ + name;
    MakeFolders(full);
    std::ofstream(full, std::ios::binary) << bytes;
}

std::string ScratchDir::Read(const std::string& name) const
{
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
