// The engine started on the GDI device for each test, documents with text and a font, and a
// canvas their ports can draw into.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "block_positions.h"

#include "rte_gdi.h"
#include "rte_typed.h"

class DeviceTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A document whose first block holds the text, its runs covering it, in the font named (of
    // a character set when one is given).
    RteHandle MakeDocument(const std::string& text, const char* font = "Liberation Serif", int32_t points = 12,
                           int32_t charset = 0);
    // Gives [start, end) the font named, of a character set when one is given.
    void SetFont(RteHandle doc, int32_t start, int32_t end, const char* font, int32_t charset = 0);
    // Sets the style of [start, end) by the units the mask selects.
    void SetStyle(RteHandle doc, int32_t start, int32_t end, const RteCharStyle& values, const RteCharStyle& mask);

    RteMemContext context_ = {};
    RteEnvironment env_ = {};
};

// A mask that selects nothing, and one unit of it set.
RteCharStyle NoUnits();

// A copy of the character style in force at an offset.
RteCharStyle StyleAt(RteHandle doc, int32_t offset);
// A copy of the document record.
RteDocument DocumentOf(RteHandle doc);
