// Moves of images entering from an edge.
#include "edge_moves.h"

ScrollMove EnterFromNearEdge(const Lane& lane, const RECT& moving, int amount, int travelled, int imageEnd)
{
    return ScrollMove{moving, lane.Shift(amount), lane.At(0), lane.InImage(imageEnd - travelled), {}};
}

ScrollMove EnterFromFarEdge(const Lane& lane, const RECT& moving, int amount, int travelled, int imageStart)
{
    return ScrollMove{moving, lane.Shift(-amount), lane.At(lane.Length() - travelled), lane.InImage(imageStart), {}};
}
