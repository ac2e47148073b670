// Geometry records as failing checks print them.
#pragma once

#include "geometry_types.h"

#include <ostream>

inline void PrintTo(const RteRect& rect, std::ostream* out)
{
    *out << "{top " << rect.top << ", left " << rect.left << ", bottom " << rect.bottom << ", right " << rect.right
         << "}";
}

inline void PrintTo(const RtePoint& point, std::ostream* out)
{
    *out << "{v " << point.v << ", h " << point.h << "}";
}

inline void PrintTo(const RteWinRect& rect, std::ostream* out)
{
    *out << "{left " << rect.left << ", top " << rect.top << ", right " << rect.right << ", bottom " << rect.bottom
         << "}";
}
