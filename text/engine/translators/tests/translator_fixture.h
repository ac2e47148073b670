// Translators run on documents of the tests' environment, from and into memory streams.
#pragma once

#include <string>

#include "stream_fixture.h"
#include "rte_translator.h"

class TranslatorTest : public StreamTest {
protected:
    // The whole text, blocks still in their source read through the document's hook.
    std::string Text(RteHandle doc);
    // A file of the fixtures folder.
    Bytes Fixture(const std::string& name);
    // The bytes imported into a new document (or the given one) with the flags; the code out.
    RteHandle Import(RteImportFilter& filter, const Bytes& bytes, uint32_t flags = RTE_IMPORT_TEXT | RTE_IMPORT_STYLES,
                     int16_t* code = nullptr, RteHandle doc = nullptr, int32_t offset = -1);
    // The document (range mode 0) written by the filter into memory.
    Bytes Export(RteExportFilter& filter, RteHandle doc, int16_t* code = nullptr);
};

// A device that knows only the listed faces, each in one way of matching or both.
struct KnownFonts {
    static const char* family;  // known in both ways
    static const char* other;   // known only the other way
    static bool Query(const char* name, int32_t way);
};
