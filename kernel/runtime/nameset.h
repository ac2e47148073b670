// Sets of file names, case ignored, for the questions asked of every file or button of a page:
// a lookup costs the same however many names the process has met.
#pragma once

#include "history.h"

#include <string>
#include <unordered_set>

class NAME_SET {
public:
    bool Holds(const char* name) const { return names.count(Folded(name)) != 0; }
    void Add(const char* name) { names.insert(Folded(name)); }
    void Clear() { names.clear(); }
    int Items() const { return static_cast<int>(names.size()); }
    // The name in the one case that stands for all its cases.
    static std::string Folded(const char* name);

private:
    std::unordered_set<std::string> names;
};

// The pages visited since the publication was opened, each once: a slide show going round
// for days visits the same pages again and again, and each button drawn asks whether its
// page was visited.
class VISITED_PAGES : public NAME_SET {
public:
    // Takes the history's entry and keeps its page.
    void AddTail(STACKFILE* visit)
    {
        Add(visit->name);
        delete visit;
    }
};
