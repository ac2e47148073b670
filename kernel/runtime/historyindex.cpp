// The indexes of the history's pages and of the loaded pages by name, case aside.
#include "history.h"

#include "kernel.h"
#include "nameset.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class STACK::Index {
public:
    // How many entries of each page the history holds: a page may be added twice.
    std::unordered_map<std::string, int> counts;
    // The entries in their order: the one before the last is at hand when the last goes.
    std::vector<STACKFILE*> entries;
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
    if (entry && !LIST::AddTail(entry)) {
        ++index_->counts[NAME_SET::Folded(entry->name)];
        index_->entries.push_back(entry);
    }
}

void STACK::Pop()
{
    KernClearTopLoaded(kernel);
    STACKFILE* last = Last();
    std::vector<STACKFILE*>& entries = index_->entries;
    if (!last || entries.empty() || entries.back() != last)
        return;
    if (LIST::RemoveAfter(entries.size() > 1 ? entries[entries.size() - 2] : nullptr, last))
        return;
    entries.pop_back();
    const auto counted = index_->counts.find(NAME_SET::Folded(last->name));
    if (counted != index_->counts.end() && --counted->second == 0)
        index_->counts.erase(counted);
    delete last;
}

void STACK::Clear()
{
    LIST::Clear();
    index_->counts.clear();
    index_->entries.clear();
}

int STACK::isInStack(const char* name)
{
    return index_->counts.count(NAME_SET::Folded(name)) != 0;
}

class LOADED_PAGES::Index {
public:
    // The pages of each name, in the order they were loaded.
    std::unordered_map<std::string, std::vector<TREE*>> pages;
    // The page before each page (null before the first): any page, the one shown above all,
    // is unlinked at once.
    std::unordered_map<const HUGELNODE*, HUGELNODE*> before;
    // The place of each page in the order of loading, the open pages (those with a root) by
    // their places, and the place of each root.
    std::unordered_map<const HUGELNODE*, unsigned long> placeOf;
    std::map<unsigned long, TREE*> open;
    std::unordered_map<const OBJET*, unsigned long> placeOfRoot;
    unsigned long placed = 0;

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
    void Open(TREE* page, unsigned long place)
    {
        if (!page->root)
            return;
        open[place] = page;
        placeOfRoot[page->root] = place;
    }
    void Close(TREE* page, unsigned long place)
    {
        open.erase(place);
        if (page->root)
            placeOfRoot.erase(page->root);
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
    HUGELNODE* last = tail;
    const int refused = HUGELIST::AddTail(page);
    if (!refused) {
        index_->Add(page);
        index_->before[page] = last;
        const unsigned long place = ++index_->placed;
        index_->placeOf[page] = place;
        index_->Open(page, place);
    }
    return refused;
}

int LOADED_PAGES::Remove(HUGELNODE* page)
{
    const auto listed = index_->before.find(page);
    if (listed == index_->before.end())
        return 1;
    HUGELNODE* previous = listed->second;
    HUGELNODE* next = page->next;
    const int refused = HUGELIST::RemoveAfter(previous, page);
    if (refused)
        return refused;
    auto* tree = static_cast<TREE*>(page);
    index_->Drop(tree);
    index_->before.erase(listed);
    if (next)
        index_->before[next] = previous;
    const auto placed = index_->placeOf.find(page);
    index_->Close(tree, placed->second);
    index_->placeOf.erase(placed);
    return 0;
}

void LOADED_PAGES::Clear()
{
    HUGELIST::Clear();
    index_->pages.clear();
    index_->before.clear();
    index_->placeOf.clear();
    index_->open.clear();
    index_->placeOfRoot.clear();
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

void LOADED_PAGES::SetRoot(TREE* page, OBJET* root)
{
    const auto placed = index_->placeOf.find(page);
    if (placed == index_->placeOf.end()) {
        page->root = root;
        return;
    }
    index_->Close(page, placed->second);
    page->root = root;
    index_->Open(page, placed->second);
}

TREE* LOADED_PAGES::BeforeLast() const
{
    if (!tail)
        return nullptr;
    const auto listed = index_->before.find(tail);
    return listed == index_->before.end() ? nullptr : static_cast<TREE*>(listed->second);
}

std::vector<OBJET*> LOADED_PAGES::OpenRoots() const
{
    std::vector<OBJET*> roots;
    roots.reserve(index_->open.size());
    for (const auto& page : index_->open)
        roots.push_back(page.second->root);
    return roots;
}

OBJET* LOADED_PAGES::OpenAfter(const OBJET* root) const
{
    const auto placed = index_->placeOfRoot.find(root);
    const auto next = placed == index_->placeOfRoot.end() ? index_->open.begin()
                                                          : index_->open.upper_bound(placed->second);
    return next == index_->open.end() ? nullptr : next->second->root;
}
