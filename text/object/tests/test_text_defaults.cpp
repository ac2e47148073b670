// The defaults a new text reads from the author's settings in the registry: first-run values on
// an empty key, the effect module written as "NULL" read as none, and the tooltip background
// always opaque.
#include "texttest.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A text made by the module for the host's kernel, its defaults read from the settings.
TEXTE* NewText(PageHost& host) { return static_cast<TEXTE*>(AllocFrom(TextModuleFile, host)); }

// A host without a settings key (the ActiveX control names none) gives the same as an empty key.
class TextDefaultsFirstRun : public testing::TestWithParam<bool> {};

TEST_P(TextDefaultsFirstRun, AreTheFirstRunValues)
{
    PageHost host;
    std::optional<TextSettings> settings;
    if (GetParam())
        settings.emplace(host);
    TEXTE* text = NewText(host);
    ASSERT_NE(nullptr, text);
    const TEXTDEFAULTS& d = text->defaults;
    EXPECT_EQ(0xFFFFFFu, d.properties.background);  // white, transparent
    EXPECT_EQ(1, text->transparent);
    EXPECT_EQ(0xFFFFFFu, d.properties.textBackground);
    EXPECT_EQ(-16, d.properties.font.lfHeight);
    EXPECT_EQ(400, d.properties.font.lfWeight);
    EXPECT_STREQ("Times New Roman", d.properties.font.lfFaceName);
    EXPECT_EQ(0u, d.properties.fontColour);
    EXPECT_EQ(25, d.properties.tabInterval);
    EXPECT_EQ(0, d.properties.showTabRuler);
    EXPECT_EQ(0, d.properties.margins.left + d.properties.margins.top + d.properties.margins.right +
                     d.properties.margins.bottom);
    EXPECT_EQ(-1, d.properties.effectIndex);
    EXPECT_STREQ("", d.properties.effectModule);
    EXPECT_EQ(0.0, d.properties.effectDelay);
    EXPECT_EQ(-14, d.branchStyles.tooltip.font.lfHeight);
    EXPECT_STREQ("Times New Roman", d.branchStyles.tooltip.font.lfFaceName);
    EXPECT_EQ(0xFF0000u, d.branchStyles.tooltip.fontColour);
    EXPECT_EQ(0xFFFFFFFFu, d.branchStyles.tooltip.background);
    EXPECT_EQ(0, d.branchStyles.branch.active);
    EXPECT_EQ(1, d.branchStyles.branch.font.lfUnderline);
    EXPECT_EQ(-16, d.branchStyles.branch.font.lfHeight);
    EXPECT_EQ(0xFF0000u, d.branchStyles.branch.fontColour);
    EXPECT_EQ(0, d.branchStyles.visited.active);
    EXPECT_EQ(0x800080u, d.branchStyles.visited.fontColour);
    EXPECT_STREQ("Symbol", d.bullet.face);
    EXPECT_EQ(183, d.bullet.character);
    delete text;
}

INSTANTIATE_TEST_SUITE_P(Settings, TextDefaultsFirstRun, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "EmptyKey" : "NoKey");
                         });

struct Written {
    const char* name;
    const char* subkey;
    const char* value;
    const char* text;
    // The default read, from the text's defaults.
    COLORREF (*read)(const TEXTDEFAULTS& defaults);
    COLORREF expected;
};

const Written WrittenValues[] = {
    // The tooltip's background has no opacity of its own: opaque whatever its blue.
    {"RedTooltipIsOpaque", "Info-bulle", "CouleurFond", "255",
     [](const TEXTDEFAULTS& d) { return d.branchStyles.tooltip.background; }, 0xFF0000FF},
    {"BlueTooltipIsOpaque", "Info-bulle", "CouleurFond", "16711680",
     [](const TEXTDEFAULTS& d) { return d.branchStyles.tooltip.background; }, 0xFFFF0000},
    // The document's opacity is a value of its own, missing here: transparent.
    {"WhiteDocumentWithoutOpacity", "Texte", "CouleurFond", "-1",
     [](const TEXTDEFAULTS& d) { return d.properties.background; }, 0x00FFFFFF},
    {"VisitedColour", "StyleBranchementVisite", "CouleurPolice", "65280",
     [](const TEXTDEFAULTS& d) { return d.branchStyles.visited.fontColour; }, 0x00FF00},
};

void PrintTo(const Written& w, std::ostream* out) { *out << w.name; }

class TextDefaultsWritten : public testing::TestWithParam<Written> {};

TEST_P(TextDefaultsWritten, AreReadBack)
{
    const Written& w = GetParam();
    PageHost host;
    TextSettings settings(host);
    settings.Write(w.subkey, w.value, w.text);
    TEXTE* text = NewText(host);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(w.expected, w.read(text->defaults));
    delete text;
}

INSTANTIATE_TEST_SUITE_P(Values, TextDefaultsWritten, testing::ValuesIn(WrittenValues),
                         [](const testing::TestParamInfo<Written>& info) { return std::string(info.param.name); });

TEST(TextDefaults, TheEffectModuleWrittenAsNullNamesNone)
{
    for (const char* module : {"NULL", "null", "qxfxwipe2.dll"}) {
        PageHost host;
        TextSettings settings(host);
        settings.Write("EffetDefaut", "DLL", module);
        settings.Write("EffetDefaut", "ID", "3");
        TEXTE* text = NewText(host);
        ASSERT_NE(nullptr, text);
        const bool none = lstrcmpiA(module, "NULL") == 0;
        EXPECT_STREQ(none ? "" : module, text->defaults.properties.effectModule) << module;
        EXPECT_EQ(3, text->defaults.properties.effectIndex) << module;
        delete text;
    }
}

}  // namespace
