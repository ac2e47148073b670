// A link range: a named stretch of text with a callback and the named styles of its looks. A
// document keeps two tables of them (links and marks), ordered by end, each closed by a
// sentinel at the text length + 2.
#pragma once

#include <cstdint>

#include "rte_types.h"

struct RteLinkRange;

// Told of an activation (code 0) and of a range that an edit removed (code 3).
typedef void (*RteLinkProc)(RteHandle doc, const RteLinkRange* range, int32_t code, int32_t start, const char* name);

constexpr int RTE_LINK_NAME_BYTES = 64;  // names shorter than this are kept inline

struct RteLinkRange {
    int32_t start;
    int32_t end;  // exclusive
    char name[RTE_LINK_NAME_BYTES];
    RteHandle nameHandle;  // the name of 64 characters or more, with its NUL
    RteLinkProc callback;  // null (a range read from a stream): its table's default
    int16_t currentStyle;  // named style ids
    int16_t kindStyles[3];
};

constexpr int32_t RTE_LINK_REMOVED = 3;
constexpr int32_t RTE_LINK_ACTIVATED = 0;
