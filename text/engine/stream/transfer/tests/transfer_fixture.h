// Documents with styled text for the transfer tests, and what they are read back as.
#pragma once

#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_runs.h"

class TransferTest : public DocumentTest {
protected:
    void TearDown() override;

    // A document owned by the test (destroyed at its end).
    RteHandle Own(RteHandle doc);
    RteHandle Text(const std::string& text) { return Own(MakeDocument(text)); }
    static void Insert(RteHandle doc, const std::string& text, int32_t offset);
    static void SetBold(RteHandle doc, int32_t start, int32_t end);
    static void SetHidden(RteHandle doc, int32_t start, int32_t end);
    static void SetAlignment(RteHandle doc, int32_t start, int32_t end, int16_t alignment);
    // The text with every bold character in capitals' place marked by brackets: "a[bc]d".
    static std::string Marked(RteHandle doc);
    static int16_t AlignmentAt(RteHandle doc, int32_t offset);

    std::vector<RteHandle> docs_;
};
