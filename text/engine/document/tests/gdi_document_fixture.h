// The tests' documents on the GDI device instead of the null one: for what needs the device's
// character types, blink clock or drawing.
#pragma once

#include "document_fixture.h"
#include "rte_gdi.h"

class GdiDocumentTest : public DocumentTest {
protected:
    void SetUp() override
    {
        RteSetDevice(&RteGdiDevice());
        DocumentTest::SetUp();
    }
    void TearDown() override
    {
        DocumentTest::TearDown();
        RteSetDevice(nullptr);
    }
};
