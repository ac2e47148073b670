// Documents laid out over given blocks, and their text and block lengths read back.
#pragma once

#include <string>
#include <vector>

#include "rte_document.h"

// Replaces the document's blocks by blocks holding these texts (the runs follow the length).
void SetBlocks(RteHandle doc, const std::vector<std::string>& texts);
std::string DocumentText(RteHandle doc);
std::vector<int32_t> BlockLengths(RteHandle doc);
