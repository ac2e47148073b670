// The indexes of the history's pages and of the loaded pages by name, case aside.
#include "history.h"

#include "kernel.h"
#include "nameset.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

class STACK::Index {
public:
    // How many entries of each page the history holds: a page may be added twice.
    std::unordered_map<std::string, int> counts;
};

STACK::STACK(KERNEL* kernel) : kernel(kernel), index_(new Index) {}

STACK::~STACK()
{
    Clear();
    delete index_;
}

void STACK::Add(const char* name)
{
    STACKFILE* entry = new STACKFILE(name);
    if (entry && !LIST::AddTail(entry))
        ++index_->counts[NAME_SET::Folded(entry->name)];
}

void STACK::Pop()
{
    KernClearTopLoaded(kernel);
    STACKFILE* last = Last();
    if (!last || LIST::Remove(last))
        return;
    const auto counted = index_->counts.find(NAME_SET::Folded(last->name));
    if (counted != index_->counts.end() && --counted->second == 0)
        index_->counts.erase(counted);
    delete last;
}

void STACK::Clear()
{
    LIST::Clear();
    index_->counts.clear();
}

int STACK::isInStack(const char* name)
{
    return index_->counts.count(NAME_SET::Folded(name)) != 0;
}

class LOADED_PAGES::Index {
public:
    // The pages of each name, in the order they were loaded.
    std::unordered_map<std::string, std::vector<TREE*>> pages;

    void Add(TREE* page) { pages[NAME_SET::Folded(page->name)].push_back(page); }
    void Drop(TREE* page)
    {
        const auto named = pages.find(NAME_SET::Folded(page->name));
        if (named == pages.end())
            return;
        std::vector<TREE*>& list = named->second;
        list.erase(std::remove(list.begin(), list.end(), page), list.end());
        if (list.empty())
            pages.erase(named);
    }
};

LOADED_PAGES::LOADED_PAGES() : index_(new Index) {}

LOADED_PAGES::~LOADED_PAGES()
{
    Clear();
    delete index_;
}

int LOADED_PAGES::AddTail(TREE* page)
{
    const int refused = HUGELIST::AddTail(page);
    if (!refused)
        index_->Add(page);
    return refused;
}

int LOADED_PAGES::Remove(HUGELNODE* page)
{
    const int refused = HUGELIST::Remove(page);
    if (!refused)
        index_->Drop(static_cast<TREE*>(page));
    return refused;
}

void LOADED_PAGES::Clear()
{
    HUGELIST::Clear();
    index_->pages.clear();
}

TREE* LOADED_PAGES::LastNamed(const char* name) const
{
    const auto named = index_->pages.find(NAME_SET::Folded(name));
    return named == index_->pages.end() ? nullptr : named->second.back();
}

void LOADED_PAGES::Rename(TREE* page, const char* name)
{
    index_->Drop(page);
    page->name = name;
    index_->Add(page);
}
