// What a redraw draws with in place of the document's own: a port, a view area and an offset
// added to the drawing origin, for one call.
#pragma once

#include "rte_document.h"
#include "rte_typed.h"

// The document's port, view area and origin replaced for one call and given back after it.
class Substitutes {
public:
    Substitutes(RteHandle doc, const RteDrawPort* port, RteRectList view, const RtePoint* offset) : doc_(doc)
    {
        RteLocked<RteDocument> locked(doc);
        savedPort_ = locked->port;
        savedView_ = locked->viewArea;
        if (port)
            locked->port = *port;
        if (view)
            locked->viewArea = view;
        if (offset) {
            locked->port.origin.v += offset->v;
            locked->port.origin.h += offset->h;
        }
    }
    ~Substitutes()
    {
        RteLocked<RteDocument> locked(doc_);
        locked->port = savedPort_;
        locked->viewArea = savedView_;
    }
    Substitutes(const Substitutes&) = delete;
    Substitutes& operator=(const Substitutes&) = delete;

private:
    RteHandle doc_;
    RteDrawPort savedPort_;
    RteRectList savedView_;
};
