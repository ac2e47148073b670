// Document slot 24, the special-character filter: typed straight quotes become typographic.
#pragma once

#include <cstdint>

#include "rte_types.h"

// Classes of a typed character that the filter acts on (from the character classifier).
constexpr intptr_t RTE_CLASS_QUOTE = 0x4000000;
constexpr intptr_t RTE_CLASS_SINGLE_QUOTE = 0x8000000;

// a: the offset the character goes to; b: its classes; c: a counted character (a length byte
// and up to two bytes) that receives the typographic quote. Opening at the start of the text
// block or after a blank (continuation bytes passed over), else closing; single for a single
// quote. Answers 1 when the character was replaced, 0 when it is no quote.
intptr_t RteTypographicQuotes(RteHandle doc, intptr_t offset, intptr_t classes, intptr_t counted, intptr_t, intptr_t);
