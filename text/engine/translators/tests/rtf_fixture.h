// Documents on the GDI device that RTF is read into, and what the checks read back.
#pragma once

#include <string>

#include "gdi_document_fixture.h"

class RtfTest : public GdiDocumentTest {
protected:
    // Reads the RTF into a new document with every import flag; the result code is kept.
    RteHandle Import(const std::string& rtf, uint32_t flags = 0xF);
    // Reads the bytes of the handle into the document.
    void ImportInto(RteHandle doc, RteHandle source, uint32_t flags = 0xF);
    // The whole document written as RTF; the result code is kept.
    std::string Export(RteHandle doc);
    RteCharStyle StyleAt(RteHandle doc, int32_t offset);
    RteFont FontAt(RteHandle doc, int32_t offset);
    RteParFormat FormatAt(RteHandle doc, int32_t offset);

    int32_t result_ = -1;

public:
    // For checks outside the fixture.
    RteCharStyle StyleAtOf(RteHandle doc, int32_t offset) { return StyleAt(doc, offset); }
    RteFont FontAtOf(RteHandle doc, int32_t offset) { return FontAt(doc, offset); }
    RteParFormat FormatAtOf(RteHandle doc, int32_t offset) { return FormatAt(doc, offset); }
};

std::string ReadFile(const std::string& path);
