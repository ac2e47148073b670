// Documents saved to and read from memory streams, and a document that fills every record
// type the catalogue writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_record_stream.h"
#include "style_checks.h"

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const std::string& text);
std::string Printable(const Bytes& bytes);
// A stream written by an older version of the engine (fixtures/make_old_streams.py).
Bytes OldStream(const std::string& name);

class StreamTest : public DocumentTest {
protected:
    void TearDown() override;

    // A byte handle of the context holding exactly the bytes (the memory reader's source).
    RteHandle Source(const Bytes& bytes);
    Bytes Contents(RteHandle handle);
    // The document saved with the types (null: the registry's) and the end record.
    Bytes Save(RteHandle doc, const int16_t* types = nullptr, int32_t count = 0, uint16_t* code = nullptr);
    // A new document read from the bytes; the code out.
    RteHandle Load(const Bytes& bytes, uint16_t* code);
    // A document with text in three blocks, several styles, formats with tabs, two fonts, a
    // selection of two ranges, areas, page settings, value lists, points, named entries and
    // runs of list C.
    RteHandle MakeRichDocument();

    std::vector<RteHandle> handles_;
};
