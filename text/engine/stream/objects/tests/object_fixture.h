// Documents saved with their object records after their own, as the engine's clipboard does.
#pragma once

#include "rte_object_stream.h"
#include "stream_fixture.h"

class ObjectStreamTest : public StreamTest {
protected:
    void SetUp() override;
    // The document's records, its type-20 records, the end record.
    Bytes SaveWithObjects(RteHandle doc);
};
