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

RteCharStyle RtfTest::StyleAt(RteHandle doc, int32_t offset)
{
    RteRange range{offset, offset + 1};
    RteCharStyle style{};
    RteCharStyle mask{};
    RteGetCharStyle(doc, &range, false, &style, &mask);
    return style;
}

RteFont RtfTest::FontAt(RteHandle doc, int32_t offset)
{
    RteRange range{offset, offset + 1};
    RteFont font{};
    RteFont mask{};
    RteGetFont(doc, &range, false, &font, &mask);
    return font;
}

RteParFormat RtfTest::FormatAt(RteHandle doc, int32_t offset)
{
    RteRange range{offset, offset + 1};
    RteParFormat format{};
    RteParFormat mask{};
    RteGetParFormat(doc, &range, false, &format, &mask);
    return format;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
