// Reading RTF into the tests' documents.
#include "rtf_fixture.h"

#include <fstream>
#include <sstream>

#include "rte_fonts.h"
#include "rte_rtf_import.h"
#include "rte_styles.h"

RteHandle RtfTest::Import(const std::string& rtf, uint32_t flags)
{
    RteHandle doc = MakeDocument();
    RteHandle source = RteNewFromData(&context_, rtf.data(), 1, static_cast<int32_t>(rtf.size()));
    RteRTFImportFilter filter;
    // Every face is known: the names read are the names kept.
    filter.SetFontQuery([](const char*, int32_t) { return true; });
    EXPECT_EQ(filter.SetSource(&env_, 0, source, nullptr, 0, -1), 0);
    result_ = filter.ImportInto(doc, -1, flags, 0, false);
    RteFree(source);
    return doc;
}

namespace {

// The record of the one character at the offset, read with a mask as the getters want.
template <class Record, class Getter>
Record At(RteHandle doc, int32_t offset, Getter get)
{
    RteRange range{offset, offset + 1};
    Record record{};
    Record mask{};
    get(doc, &range, false, &record, &mask);
    return record;
}

}  // namespace

RteCharStyle RtfTest::StyleAt(RteHandle doc, int32_t offset) { return At<RteCharStyle>(doc, offset, RteGetCharStyle); }

RteFont RtfTest::FontAt(RteHandle doc, int32_t offset) { return At<RteFont>(doc, offset, RteGetFont); }

RteParFormat RtfTest::FormatAt(RteHandle doc, int32_t offset) { return At<RteParFormat>(doc, offset, RteGetParFormat); }

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
