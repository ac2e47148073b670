// Working lists of the set operations, freed whichever way the operation leaves.
#pragma once

#include "rect_list.h"

class ScratchRectList {
public:
    // An empty area in the same memory context as the list it works for.
    explicit ScratchRectList(RteRectList sibling);
    ~ScratchRectList();
    ScratchRectList(const ScratchRectList&) = delete;
    ScratchRectList& operator=(const ScratchRectList&) = delete;

    RteRectList List() const { return list_; }

private:
    RteRectList list_;
};

// to takes from's entries; neither may be locked by the caller.
void RteCopyRectList(RteRectList from, RteRectList to);
