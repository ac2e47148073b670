// Reads the template library from its folders.
#include "template_library.h"

#include "qxtmpl_api.h"

#include <algorithm>
#include <cstring>

namespace {

bool LessWithoutCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

struct FOLDER_ENTRY {
    std::string name;
    bool isFolder;
};

// The entries of `folder` except "." and "..", sorted by name without regard to case.
std::vector<FOLDER_ENTRY> ListFolder(const std::string& folder)
{
    std::vector<FOLDER_ENTRY> entries;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(),
              [](const FOLDER_ENTRY& a, const FOLDER_ENTRY& b) { return LessWithoutCase(a.name, b.name); });
    return entries;
}

}  // namespace

std::string LibraryRoot(void* module)
{
    char root[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, root, sizeof root);
    if (length == 0 || length >= sizeof root) {
        GetModuleFileNameA(static_cast<HMODULE>(module), root, sizeof root);
        char* lastSlash = strrchr(root, '\\');
        if (lastSlash)
            lastSlash[1] = '\0';
        lstrcatA(root, QXTMPL_LIBRARY_FOLDER);
    }
    std::string folder = root;
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::vector<TEMPLATE_ITEM> ListTemplates(const std::string& root, const std::string& category)
{
    const std::string categoryFolder = root + category + "\\";
    std::vector<TEMPLATE_ITEM> items;
    for (const FOLDER_ENTRY& entry : ListFolder(categoryFolder)) {
        TEMPLATE_ITEM item{entry.name, {}};
        if (entry.isFolder) {
            const std::string itemFolder = categoryFolder + entry.name + "\\";
            for (const FOLDER_ENTRY& file : ListFolder(itemFolder))
                if (!file.isFolder)
                    item.files.push_back(itemFolder + file.name);
        } else {
            item.files.push_back(categoryFolder + entry.name);
        }
        items.push_back(std::move(item));
    }
    return items;
}
