// What the link operations share: the tables, lookups and names.
#pragma once

#include <string>

#include "rte_document.h"
#include "rte_link_range.h"

RteHandle RteLinkTable(RteDocument* doc, int table);
// The range holding the offset, or with next the first that ends after it; -1 when none.
int32_t RteLinkIndexAt(RteDocument* doc, int table, int32_t offset, bool next);
std::string RteLinkName(const RteLinkRange& range);
// Inline below 64 characters, else in a handle (the old handle freed).
void RteSetLinkName(RteDocument* doc, RteLinkRange* range, const char* name);
// Before the first range that ends after its start; the sentinel follows the text.
void RteInsertLinkRange(RteDocument* doc, int table, const RteLinkRange& range);
void RteRemoveLinkAt(RteDocument* doc, int table, int32_t index);
void RteShiftLinkTable(RteDocument* doc, int table, int32_t at, int32_t delta);
