// The index of the kernel's bookmarks by title and page.
#include "history.h"
#include "nameset.h"

#include <string>
#include <unordered_map>

class KERNBOOKMARKS::Index {
public:
    // Title and page joined by a zero, which neither holds, each in the one case that stands
    // for all its cases.
    static std::string Key(const char* page, const char* title)
    {
        return NAME_SET::Folded(title) + '\0' + NAME_SET::Folded(page);
    }

    // How many bookmarks of each title and page the list holds: a file may name one twice.
    std::unordered_map<std::string, int> counts;
};

KERNBOOKMARKS::KERNBOOKMARKS() : index_(new Index) {}

KERNBOOKMARKS::~KERNBOOKMARKS()
{
    Clear();
    delete index_;
}

int KERNBOOKMARKS::AddTail(KERNBOOKMARK* bookmark)
{
    const int refused = LIST::AddTail(bookmark);
    if (!refused)
        ++index_->counts[Index::Key(bookmark->page, bookmark->title)];
    return refused;
}

int KERNBOOKMARKS::Remove(LNODE* node)
{
    const int refused = LIST::Remove(node);
    if (!refused) {
        const auto* bookmark = static_cast<const KERNBOOKMARK*>(node);
        const auto counted = index_->counts.find(Index::Key(bookmark->page, bookmark->title));
        if (counted != index_->counts.end() && --counted->second == 0)
            index_->counts.erase(counted);
    }
    return refused;
}

void KERNBOOKMARKS::Clear()
{
    LIST::Clear();
    index_->counts.clear();
}

bool KERNBOOKMARKS::Holds(const char* page, const char* title) const
{
    return index_->counts.count(Index::Key(page, title)) != 0;
}
