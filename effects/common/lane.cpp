// Mapping of along-the-axis positions onto the target rectangle.
#include "lane.h"

#include <algorithm>

int Lane::Length() const
{
    return Vertical() ? area_.height : area_.width;
}

RECT Lane::Band(int from, int to) const
{
    from = std::clamp(from, 0, Length());
    to = std::clamp(to, from, Length());
    if (Vertical())
        return {area_.x, area_.y + from, area_.Right(), area_.y + to};
    return {area_.x + from, area_.y, area_.x + to, area_.Bottom()};
}

POINT Lane::Shift(int distance) const
{
    return Vertical() ? POINT{0, distance} : POINT{distance, 0};
}

POINT Lane::At(int along) const
{
    return Vertical() ? POINT{area_.x, area_.y + along} : POINT{area_.x + along, area_.y};
}

POINT Lane::InImage(int along) const
{
    return Shift(along);
}
