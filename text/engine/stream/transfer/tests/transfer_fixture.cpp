#include "transfer_fixture.h"

#include "block_text.h"
#include "rte_editing.h"
#include "rte_style_units.h"
#include "rte_styles.h"

void TransferTest::TearDown()
{
    for (RteHandle doc : docs_)
        RteDocDestroy(doc);
    DocumentTest::TearDown();
}

RteHandle TransferTest::Own(RteHandle doc)
{
    if (doc)
        docs_.push_back(doc);
    return doc;
}

void TransferTest::Insert(RteHandle doc, const std::string& text, int32_t offset)
{
    RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), offset,
                  RTE_KEYS_NONE, 0, 0);
}

namespace {

// One switch-type unit of the style set over the range.
void SetSwitch(RteHandle doc, int32_t start, int32_t end, int16_t RteCharStyle::*unit)
{
    RteCharStyle style, mask;
    RteClearCharStyle(&style, 0);
    RteClearCharStyle(&mask, 0);
    style.*unit = 1;
    mask.*unit = -1;
    RteRange range = {start, end};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

}  // namespace

void TransferTest::SetBold(RteHandle doc, int32_t start, int32_t end) { SetSwitch(doc, start, end, &RteCharStyle::bold); }

void TransferTest::SetHidden(RteHandle doc, int32_t start, int32_t end)
{
    SetSwitch(doc, start, end, &RteCharStyle::hidden);
}

void TransferTest::SetAlignment(RteHandle doc, int32_t start, int32_t end, int16_t alignment)
{
    RteParFormat format, mask;
    RteClearParFormat(&format, 0);
    RteClearParFormat(&mask, 0);
    format.alignment = alignment;
    mask.alignment = -1;
    RteRange range = {start, end};
    RteSetParFormat(doc, &range, &format, &mask, 0);
}

std::string TransferTest::Marked(RteHandle doc)
{
    std::string text = DocumentText(doc);
    std::string marked;
    bool bold = false;
    for (int32_t i = 0; i < static_cast<int32_t>(text.size()); ++i) {
        RteCharStyle style, mask;
        RteRange one = {i, i + 1};
        RteGetCharStyle(doc, &one, false, &style, &mask);
        if ((style.bold != 0) != bold)
            marked += bold ? "]" : "[";
        bold = style.bold != 0;
        marked += text[i];
    }
    return bold ? marked + "]" : marked;
}

int16_t TransferTest::AlignmentAt(RteHandle doc, int32_t offset)
{
    RteParFormat format, mask;
    RteRange at = {offset, offset};
    RteGetParFormat(doc, &at, false, &format, &mask);
    return format.alignment;
}
