// Seeded random sequences of style changes: after every step the runs keep their invariants,
// every use count equals the references recounted, and no handle stays locked.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "document_fixture.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "style_checks.h"

namespace {

class StyleProperties : public DocumentTest {
protected:
    // One random step; its description goes into the log.
    void Step(RteHandle doc, std::mt19937& random, std::ostringstream& log);

    int32_t length_ = 0;
};

int32_t Pick(std::mt19937& random, int32_t from, int32_t to)
{
    return std::uniform_int_distribution<int32_t>(from, to)(random);
}

RteRange RandomRange(std::mt19937& random, int32_t length)
{
    return RteRange{Pick(random, 0, length), Pick(random, 0, length)};
}

// A style and a mask over a few units that matter: attribute words, sizes, colours, small capitals.
void RandomStyle(std::mt19937& random, RteCharStyle* style, RteCharStyle* mask)
{
    *style = {};
    RteClearCharStyle(mask, 0);
    for (int i = Pick(random, 1, 3); i > 0; --i) {
        switch (Pick(random, 0, 5)) {
        case 0: style->bold = static_cast<int16_t>(Pick(random, 0, 1)); mask->bold = -1; break;
        case 1: style->italic = static_cast<int16_t>(Pick(random, 0, 1)); mask->italic = -1; break;
        case 2: style->pointSize = Pick(random, 8, 14) << 16; mask->pointSize = -1; break;
        case 3: style->smallCaps = static_cast<int16_t>(Pick(random, 0, 1) ? -1 : 0); mask->smallCaps = -1; break;
        case 4: style->textColor.red = static_cast<uint16_t>(Pick(random, 0, 2) * 0x7F00); mask->textColor.red = -1; break;
        default: style->underline = static_cast<int16_t>(Pick(random, 0, 1)); mask->underline = -1; break;
        }
    }
}

void RandomFormat(std::mt19937& random, RteParFormat* format, RteParFormat* mask)
{
    *format = {};
    RteClearParFormat(mask, 0);
    if (Pick(random, 0, 1)) {
        format->alignment = static_cast<int16_t>(Pick(random, 0, 3));
        mask->alignment = -1;
    } else {
        format->spaceAfter = Pick(random, 0, 2) * 6;
        mask->spaceAfter = -1;
    }
}

void StyleProperties::Step(RteHandle doc, std::mt19937& random, std::ostringstream& log)
{
    RteCharStyle style, mask;
    RteParFormat format, formatMask;
    RteRange range = RandomRange(random, length_);
    int32_t entries = RteNamedCharStyleMaxId(doc);
    switch (Pick(random, 0, 9)) {
    case 0:
    case 1:
        RandomStyle(random, &style, &mask);
        log << "char [" << range.start << "," << range.end << ") ";
        RteSetCharStyle(doc, &range, &style, &mask, 0);
        break;
    case 2:
        RandomFormat(random, &format, &formatMask);
        log << "par [" << range.start << "," << range.end << ") ";
        RteSetParFormat(doc, &range, &format, &formatMask, 0);
        break;
    case 3: {
        RandomStyle(random, &style, &mask);
        int32_t caret = Pick(random, 0, length_);
        log << "insertion at " << caret << " ";
        RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
        points[0].offset = points[1].offset = caret;
        break;
    }
    case 4:
        RandomStyle(random, &style, &mask);
        log << "insertion style ";
        RteSetCharStyle(doc, nullptr, &style, &mask, 0);
        break;
    case 5:
        RandomStyle(random, &style, &mask);
        log << "named add ";
        if (Pick(random, 0, 1)) {
            RandomFormat(random, &format, &formatMask);
            std::string name = "style " + std::to_string(Pick(random, 0, 4));
            RteNewStyleName(doc, name.c_str(), &style, nullptr, &format);
        } else {
            RteAddNamedCharStyle(doc, &style, nullptr);
        }
        break;
    case 6:
        log << "named apply [" << range.start << "," << range.end << ") ";
        if (Pick(random, 0, 1))
            RteApplyNamedCharStyle(doc, &range, Pick(random, 1, entries + 1), 0);
        else
            RteApplyStyleNameIndex(doc, &range, Pick(random, 1, RteStyleNameCount(doc) + 1), 0);
        break;
    case 7:
        RandomStyle(random, &style, &mask);
        log << "named redefine ";
        RteChangeNamedCharStyle(doc, Pick(random, 1, entries + 1), &style, nullptr, 0);
        RandomFormat(random, &format, &formatMask);
        RteChangeNamedParStyle(doc, Pick(random, 1, RteNamedParStyleMaxId(doc) + 1), &format, 0);
        break;
    case 8:
        log << "named delete ";
        if (Pick(random, 0, 1))
            RteDeleteNamedCharStyle(doc, Pick(random, 1, entries + 1));
        else
            RteDeleteNamedParStyle(doc, Pick(random, 1, RteNamedParStyleMaxId(doc) + 1));
        break;
    default:
        log << "name delete ";
        RteDeleteStyleName(doc, Pick(random, 1, RteStyleNameCount(doc) + 1));
        break;
    }
}

TEST_F(StyleProperties, RandomChangesKeepRunsAndUseCountsTrue)
{
    const std::string text = "The first paragraph\rand the second one\r\rshort\rlast without end";
    length_ = static_cast<int32_t>(text.size());
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        RteHandle doc = MakeDocument(text);
        std::ostringstream log;
        for (int step = 0; step < 60; ++step) {
            Step(doc, random, log);
            std::string problems = RunProblems(doc);
            int locked = LockedHandles();
            if (!problems.empty() || locked != 0) {
                ADD_FAILURE() << "seed " << seed << " step " << step << ": " << problems << " locked " << locked
                              << "\nsteps: " << log.str() << "\nruns: " << CharRuns(doc) << "| " << ParRuns(doc);
                RteDocDestroy(doc);
                return;
            }
        }
        RteDocDestroy(doc);
    }
}

}  // namespace
