// The template library on disk: the templates of a category and the files of a template.
#pragma once

#include <string>
#include <vector>

struct TEMPLATE_ITEM {
    std::string name;                // as the list shows it: the file or folder name
    std::vector<std::string> files;  // full names, in name order
};

// The library's root folder, ending in a backslash: the folder named by the environment
// variable, else "TEMPLATES" beside `module`'s file.
std::string LibraryRoot(void* module);

// The templates of `category` under `root`, sorted by name without regard to case; empty when
// the category has no folder.
std::vector<TEMPLATE_ITEM> ListTemplates(const std::string& root, const std::string& category);
