// The catalogue's inner seam: each group of record types writes its bodies and reads them back.
// A reader parses a whole body before it changes the document, so that a damaged record
// (raised as 776) leaves the tables as they were before it.
#pragma once

#include "rte_record_codec.h"
#include "rte_record_fields.h"
#include "rte_record_stream.h"

namespace rte_catalogue {

// Writes the body of the type (nothing for a type it does not carry); the header value out.
typedef void (*WriteProc)(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
// Reads the body of the type with the header's value.
typedef void (*ReadProc)(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);

void WriteSettings(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
void ReadSettings(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);
void WriteText(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
void ReadText(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);
void WriteStyles(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
void ReadStyles(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);
void WriteLinks(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
void ReadLinks(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);
void WriteTables(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass);
void ReadTables(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass);

// Numbers the records of the tables that a save writes (deleted ones are left out).
void PrepareSave(RteDocument* doc, RteStreamPass* pass);

// A count from a header is refused (776) when the body could not hold that many entries.
void CheckCount(RteDocument* doc, int32_t count, const RteBodyReader& body, size_t bodySize);
// Raises 776 when the body could not be read whole, or held fewer values than its fields.
void CheckBody(RteDocument* doc, const RteBodyReader& body);

// The count's entries of a body, parsed whole before anything is stored.
template <class T, class Fields>
std::vector<T> ReadEntries(RteDocument* doc, RteBodyReader& body, int32_t count, const RteStreamPass* pass,
                           int32_t version, Fields fields)
{
    CheckCount(doc, count, body, static_cast<size_t>(pass->bodySize));
    std::vector<T> entries;
    RteFieldReader reader(body, version);
    for (int32_t i = 0; i < count && !body.failed(); ++i) {
        T entry = {};
        fields(reader, entry);
        entries.push_back(entry);
    }
    CheckBody(doc, body);
    return entries;
}
// The per-save number of a table index after the deleted records are left out, and back.
int32_t SavedIndex(const std::vector<int32_t>& map, int32_t index);

}  // namespace rte_catalogue
