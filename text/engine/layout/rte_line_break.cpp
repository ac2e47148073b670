// The default line break: back from the first character that did not fit to the last place a
// line may end, keeping blanks on the line, never inside a multi-byte character, never before a
// character that may not begin a line nor after one that may not end it, and never empty.
#include "rte_line_break.h"

namespace {

class BreakSearch {
public:
    BreakSearch(RteHandle doc, RteLineBreak* request) : doc_(doc), r_(request) {}

    intptr_t Run()
    {
        int32_t start = r_->lineStart;
        int32_t b = r_->breakIndex;
        bool atTab = false;
        int32_t at = Search(start, b, &atTab);
        // Off continuation bytes, towards the character that did not fit.
        if (at < b) {
            while (at < b && Continuation(at))
                ++at;
        } else {
            at = LeadOf(at);
        }
        at = FarEastRules(start, at, &atTab);
        if (!r_->force && at <= start) {
            at = LeadOf(b);
            if (at <= start)
                at = NextChar(start);
        }
        r_->breakIndex = at;
        if (atTab && at != 0)
            r_->tabWidth = r_->positions[at] - r_->positions[at - 1];
        return atTab ? 1 : 0;
    }

private:
    RteCharStyle* StyleAt(int32_t index)
    {
        RteStyleWalkSet(r_->walker, r_->blockStart + index);
        return r_->walker->style;
    }

    bool IsRunStart(int32_t index)
    {
        StyleAt(index);
        return r_->walker->charRuns[r_->walker->charRun].offset == r_->blockStart + index;
    }

    intptr_t Bits(int32_t index)
    {
        if (index >= r_->blockEnd - r_->blockStart)
            return 0;
        int32_t blockLength = r_->blockEnd - r_->blockStart;
        int32_t length = index + 1 < blockLength && Continuation(index + 1) ? 2 : 1;
        RteCharStyle* style = StyleAt(index);
        // Where one script meets another is a break too: the hook sees the runs around.
        RteCharContext context = RteStyleWalkCharContext(r_->walker, length, blockLength - index - 1);
        return style->hooks.charInfo(doc_, style, reinterpret_cast<intptr_t>(r_->text + index),
                                     reinterpret_cast<intptr_t>(&context), RTE_BREAK_MASK | RTE_CLASS_IN_CONTEXT,
                                     index);
    }

    bool Continuation(int32_t index)
    {
        RteCharStyle* style = StyleAt(index);
        return (style->hooks.charInfo(doc_, style, reinterpret_cast<intptr_t>(r_->text + index), 1,
                                      RTE_BREAK_CONTINUATION, index) &
                RTE_BREAK_CONTINUATION) != 0;
    }

    int32_t LeadOf(int32_t index)
    {
        while (index > 0 && index < r_->blockEnd - r_->blockStart && Continuation(index))
            --index;
        return index;
    }

    int32_t NextChar(int32_t index)
    {
        int32_t end = r_->blockEnd - r_->blockStart;
        ++index;
        while (index < end && Continuation(index))
            ++index;
        return index;
    }

    bool CountsTab(intptr_t bits) const
    {
        return (bits & RTE_BREAK_TAB) && !(r_->walker->doc->flags & RTE_DOC_TABS_DONT_BREAK);
    }

    // The break before the far-East rules, or the line start when the line holds no place to
    // end. A place after a character is taken only where that character still fits.
    int32_t Search(int32_t start, int32_t b, bool* atTab)
    {
        for (int32_t p = b; p > start; --p) {
            uint32_t classes = StyleAt(p)->styleBits;
            if (classes & RTE_STYLE_NO_BREAK_SEARCH)
                continue;
            if (classes & RTE_STYLE_ONE_PIECE) {
                if (IsRunStart(p))
                    return p;
                if (p + 1 <= b && !(StyleAt(p + 1)->styleBits & RTE_STYLE_ONE_PIECE))
                    return p + 1;
                continue;
            }
            p = LeadOf(p);
            if (p <= start)
                break;
            intptr_t bits = Bits(p);
            // A tab is blank too, but a line ends after it, or, where tabs do not count, it is
            // no place to end at all.
            if ((bits & RTE_BREAK_TAB) && !CountsTab(bits))
                continue;
            if ((bits & RTE_BREAK_BLANK) && !(bits & RTE_BREAK_TAB)) {
                while (p > start && (Bits(p - 1) & RTE_BREAK_BLANK))
                    --p;
                return p;
            }
            bool tab = CountsTab(bits);
            bool farEast = (bits & (RTE_BREAK_NO_BEGIN | RTE_BREAK_NO_END)) != 0;
            if ((bits & (RTE_BREAK_AFTER | RTE_BREAK_WORD)) || tab) {
                int32_t after = NextChar(p);
                if ((tab || !farEast) && after <= b) {
                    *atTab = tab;
                    return after;
                }
                if (farEast)
                    return p;
            }
        }
        return start;
    }

    // A character that may not end a line goes to the next; one that may not begin a line
    // takes the character before it along.
    int32_t FarEastRules(int32_t start, int32_t at, bool* atTab)
    {
        while (at > start) {
            int32_t before = LeadOf(at - 1);
            if (Bits(before) & RTE_BREAK_NO_END) {
                at = before;
                *atTab = false;
                if (at <= start)
                    break;
            }
            if (!(Bits(at) & RTE_BREAK_NO_BEGIN))
                break;
            at = LeadOf(at - 1);
        }
        return at;
    }

    RteHandle doc_;
    RteLineBreak* r_;
};

}  // namespace

intptr_t RteDefaultLineBreak(RteHandle doc, intptr_t request, intptr_t, intptr_t, intptr_t, intptr_t)
{
    return BreakSearch(doc, reinterpret_cast<RteLineBreak*>(request)).Run();
}

intptr_t RteFarEastBreakClass(RteHandle, intptr_t character, intptr_t length, intptr_t, intptr_t font, intptr_t bits)
{
    const auto* record = reinterpret_cast<const RteFont*>(font);
    return RteFarEastClass(reinterpret_cast<const uint8_t*>(character), static_cast<int32_t>(length),
                           record->values[RTE_FONT_CHARSET], bits);
}
