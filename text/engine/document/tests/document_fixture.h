// A memory context and a started environment for each test, documents with text in their
// first block, and the checks that every test of the model repeats.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rte_document.h"
#include "rte_line_piece.h"
#include "rte_typed.h"

class DocumentTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new document (port -1) whose first block holds the text, its runs covering it.
    RteHandle MakeDocument(const std::string& text = std::string());
    // The block's laid-out pieces, as the line builder leaves them: the sentinel is added and
    // the block's bounds become the union of their rects.
    void LayOutBlock(RteHandle doc, int32_t block, const std::vector<RteLinePiece>& pieces);
    // Handles of the context that are locked (0 when the model left none locked).
    int LockedHandles() const;
    int LiveHandles() const;

    RteMemContext context_ = {};
    RteEnvironment env_ = {};
};

// Copies of a document's tables, for checks.
template <class T>
std::vector<T> Elements(RteHandle handle)
{
    RteLocked<T> elements(handle);
    return std::vector<T>(elements.get(), elements.get() + elements.size());
}

RteDocument DocumentOf(RteHandle doc);
// Hides [start, end) and lets hidden text take no room.
void HideText(RteHandle doc, int32_t start, int32_t end);
