// Document slot 24 on the GDI device: a typed straight quote becomes the display's opening
// quote at a block's start or after a blank, its closing quote elsewhere.
#include <gtest/gtest.h>

#include "device_fixture.h"
#include "rte_quote_filter.h"

namespace {

using QuoteFilterTest = DeviceTest;

TEST_F(QuoteFilterTest, TypedQuotesOpenAfterABlankAndCloseAfterAWord)
{
    RteHandle doc = MakeDocument("il dit oui");
    RteCharStyle style = StyleAt(doc, 0);
    auto classesOf = [&](uint8_t typed) { return style.hooks.charInfo(doc, &style, reinterpret_cast<intptr_t>(&typed), 1, 0, 0); };
    struct Case {
        uint8_t typed;
        int32_t offset;
        uint8_t quote;  // CP1252; 0: the character stays
        const char* why;
    } cases[] = {
        {'"', 0, 0x93, "the start of the block: opening double"},
        {'"', 7, 0x93, "after a blank"},
        {'"', 10, 0x94, "after a word: closing double"},
        {'\'', 3, 0x91, "opening single"},
        {'\'', 2, 0x92, "closing single"},
        {'a', 5, 0, "a letter stays"},
    };
    RteHookTable hooks = DocumentOf(doc).hooks;
    for (const Case& c : cases) {
        uint8_t counted[3] = {0, 0, 0};
        intptr_t replaced = hooks.specialChar(doc, c.offset, classesOf(c.typed), reinterpret_cast<intptr_t>(counted), 0, 0);
        EXPECT_EQ(c.quote != 0, replaced != 0) << c.why;
        EXPECT_EQ(c.quote != 0 ? 1 : 0, counted[0]) << c.why;
        EXPECT_EQ(c.quote, counted[1]) << c.why;
    }
}

}  // namespace
