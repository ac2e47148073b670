// The engine on the GDI device for the tests.
#include "device_fixture.h"

#include <cstring>

#include "rte_fonts.h"
#include "rte_runs.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

void DeviceTest::SetUp()
{
    RteSetDevice(&RteGdiDevice());
    RteMemInit(&context_, 0);
    RteEngineStartup(&env_, &context_);
}

void DeviceTest::TearDown()
{
    RteEngineShutdown(&env_);
    RteMemFree(&context_);
    RteSetDevice(nullptr);
}

RteHandle DeviceTest::MakeDocument(const std::string& text, const char* fontName, int32_t points, int32_t charset)
{
    RteHandle handle = RteNewDocument(&env_);
    {
        RteLocked<RteDocument> doc(handle);
        int32_t length = static_cast<int32_t>(text.size());
        {
            RteLocked<RteTextBlock> blocks(doc->blocks);
            RteSetCount(blocks[0].text, length);
            if (length)
                std::memcpy(RteLocked<char>(blocks[0].text).get(), text.data(), text.size());
            blocks[0].length = length;
        }
        doc->textLength = length;
        RteLocked<RteStyleRun>(doc->charRuns)[1].offset = length + 2;
        RteLocked<RteStyleRun>(doc->parRuns)[1].offset = length + 2;
    }
    SetFont(handle, 0, static_cast<int32_t>(text.size()), fontName, charset);
    RteCharStyle style = {};
    style.pointSize = points << 16;
    RteCharStyle mask = NoUnits();
    mask.pointSize = -1;
    SetStyle(handle, 0, static_cast<int32_t>(text.size()), style, mask);
    return handle;
}

void DeviceTest::SetFont(RteHandle doc, int32_t start, int32_t end, const char* fontName, int32_t charset)
{
    RteRange range{start, end};
    RteFont font = {};
    std::strcpy(font.name, fontName);
    font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
    RteFont fontMask = {};
    std::memset(fontMask.name, 0xFF, sizeof fontMask.name);
    font.values[RTE_FONT_CHARSET] = charset;
    if (charset)
        fontMask.values[RTE_FONT_CHARSET] = -1;
    RteCharStyle style = {};
    RteCharStyle mask = NoUnits();
    RteSetFontAndStyle(doc, &range, &style, &mask, &font, &fontMask, 0);
}

void DeviceTest::SetStyle(RteHandle doc, int32_t start, int32_t end, const RteCharStyle& values,
                          const RteCharStyle& mask)
{
    RteRange range{start, end};
    RteSetCharStyle(doc, &range, &values, &mask, 0);
}

RteCharStyle NoUnits()
{
    RteCharStyle mask;
    std::memset(&mask, 0, sizeof mask);
    return mask;
}

RteDocument DocumentOf(RteHandle doc)
{
    RteDocument copy;
    RteGetElement(doc, 0, &copy);
    return copy;
}

RteCharStyle StyleAt(RteHandle doc, int32_t offset)
{
    RteCharStyle style = *RteCharStyleAt(doc, offset);
    RteUnlock(DocumentOf(doc).charStyles);
    return style;
}

