// Documents saved with their object records after their own, as the engine's clipboard does.
#pragma once

#include "rte_object_stream.h"
#include "stream_fixture.h"

#include <string>
#include <utility>
#include <vector>

class ObjectStreamTest : public StreamTest {
protected:
    void SetUp() override;
    // A document of the text whose styles carry the objects, each over two characters from
    // its offset, equipped as reading equips them (the object's hooks and metrics).
    RteHandle DocumentWithObjects(const std::string& text, const std::vector<std::pair<int32_t, RteHandle>>& objects);
    // The document's records, its type-20 records, the end record.
    Bytes SaveWithObjects(RteHandle doc);
};
