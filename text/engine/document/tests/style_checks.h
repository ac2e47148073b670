// Checks of a document's runs and tables that the style tests share: the run invariants and
// the use counts recounted from every reference.
#pragma once

#include <string>

#include "rte_document.h"

// An empty string when the runs keep their invariants and every record's use count equals its
// references; otherwise what is wrong.
std::string RunProblems(RteHandle doc);
// The runs as "offset:index ..." (sentinel included).
std::string CharRuns(RteHandle doc);
std::string ParRuns(RteHandle doc);
