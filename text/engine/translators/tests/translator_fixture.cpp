// Imports and exports through memory for the translator tests.
#include "translator_fixture.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "rte_position_queries.h"

const char* KnownFonts::family = "Arial";
const char* KnownFonts::other = "";

bool KnownFonts::Query(const char* name, int32_t way)
{
    return std::strcmp(name, family) == 0 || (way == 1 && std::strcmp(name, other) == 0);
}

std::string TranslatorTest::Text(RteHandle doc)
{
    std::string text;
    int32_t length = RteTextLength(doc);
    while (static_cast<int32_t>(text.size()) < length) {
        RteHandle handle = nullptr;
        int32_t left = 0;
        const uint8_t* bytes = RteTextPointer(doc, static_cast<int32_t>(text.size()), &handle, &left);
        if (!bytes)
            break;
        text.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(left));
        RteUnlock(handle);
    }
    return text;
}

Bytes TranslatorTest::Fixture(const std::string& name)
{
    std::ifstream in(std::string(QX_TRANSLATOR_FIXTURES) + "/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

RteHandle TranslatorTest::Import(RteImportFilter& filter, const Bytes& bytes, uint32_t flags, int16_t* code,
                                 RteHandle doc, int32_t offset)
{
    if (!doc)
        doc = MakeDocument();
    uint16_t bound = filter.SetSource(&env_, 0, Source(bytes), nullptr, 0, -1);
    int16_t result = filter.ImportInto(doc, offset, flags, 0, false);
    if (code)
        *code = bound ? static_cast<int16_t>(bound) : result;
    else
        EXPECT_EQ(result, 0);
    return doc;
}

Bytes TranslatorTest::Export(RteExportFilter& filter, RteHandle doc, int16_t* code)
{
    RteHandle target = Source(Bytes());
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    int16_t result = filter.ExportFrom(doc, nullptr, 1, 0);
    if (code)
        *code = result;
    else
        EXPECT_EQ(result, 0);
    return Contents(target);
}
