// Reading RTF into the tests' documents.
#include "rtf_fixture.h"

#include <fstream>
#include <sstream>

#include "rte_fonts.h"
#include "rte_rtf_export.h"
#include "rte_rtf_import.h"
#include "rte_typed.h"
#include "rte_styles.h"

RteHandle RtfTest::Import(const std::string& rtf, uint32_t flags)
{
    RteHandle doc = MakeDocument();
    RteHandle source = RteNewFromData(&context_, rtf.data(), 1, static_cast<int32_t>(rtf.size()));
    ImportInto(doc, source, flags);
    RteFree(source);
    return doc;
}

void RtfTest::ImportInto(RteHandle doc, RteHandle source, uint32_t flags)
{
    RteRTFImportFilter filter;
    // Every face is known: the names read are the names kept.
    filter.SetFontQuery([](const char*, int32_t) { return true; });
    EXPECT_EQ(filter.SetSource(&env_, 0, source, nullptr, 0, -1), 0);
    result_ = filter.ImportInto(doc, -1, flags, 0, false);
}

std::string RtfTest::Export(RteHandle doc)
{
    RteHandle target = RteAlloc(&context_, 1, 0, 256, false);
    RteRTFExportFilter filter;
    filter.SetTarget(&env_, 0, target, nullptr, 0);
    result_ = filter.ExportFrom(doc, nullptr, 1, 0);
    std::string bytes;
    {
        RteLocked<char> locked(target);
        bytes.assign(locked.get(), static_cast<size_t>(locked.size()));
    }
    RteFree(target);
    return bytes;
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
