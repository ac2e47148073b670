// The run clean-up: redundant runs go, the sentinel follows the last run, and records that
// nothing uses leave their tables.
#include "rte_document_internal.h"
#include "rte_runs.h"
#include "rte_style_tables.h"

using namespace rte_document;

namespace {

// The first run that is empty, repeats its predecessor, or starts past the sentinel's place
// (with no text: any run after the first); -1 when none. The sentinel is never one.
int32_t FirstRedundant(RteHandle runs, int32_t length)
{
    RteLocked<RteStyleRun> entries(runs);
    int32_t sentinel = entries.size() - 1;
    for (int32_t i = 0; i < sentinel; ++i) {
        if (i > 0 && (length == 0 || entries[i].index == entries[i - 1].index))
            return i;
        // The first run goes only for a run that starts where it does.
        if (entries[i].offset >= entries[i + 1].offset && (i > 0 || i + 1 < sentinel))
            return i;
    }
    return -1;
}

template <class UseProc>
void DeleteRun(RteHandle runs, int32_t at, UseProc use)
{
    use(ElementOf<RteStyleRun>(runs, at).index, -1);
    RteDelete(runs, at, 1);
}

template <class UseProc>
void TidyRuns(RteDocument* doc, RteHandle runs, UseProc use, bool dropRunAtEnd)
{
    int32_t length = doc->textLength;
    for (int32_t at; (at = FirstRedundant(runs, length)) >= 0;)
        DeleteRun(runs, at, use);
    if (dropRunAtEnd) {
        for (int32_t at = RteCount(runs) - 2; at > 0 && ElementOf<RteStyleRun>(runs, at).offset >= length; --at)
            DeleteRun(runs, at, use);
    }
    int32_t sentinel = RteCount(runs) - 1;
    RteStyleRun last = ElementOf<RteStyleRun>(runs, sentinel - 1);
    RteStyleRun end = ElementOf<RteStyleRun>(runs, sentinel);
    if (end.index != last.index) {
        use(last.index, 1);
        use(end.index, -1);
    }
    SetElement(runs, sentinel, RteStyleRun{length + 2, last.index});
    RteStyleRun first = ElementOf<RteStyleRun>(runs, 0);
    first.offset = 0;
    SetElement(runs, 0, first);
}

void LowerIndices(RteHandle runs, int32_t removed)
{
    RteLocked<RteStyleRun> entries(runs);
    for (int32_t i = 0; i < entries.size(); ++i)
        if (entries[i].index > removed)
            --entries[i].index;
}

void RemoveUnusedStyles(RteDocument* doc)
{
    for (int32_t i = RteCount(doc->charStyles) - 1; i >= 0; --i) {
        RteCharStyle style = RteCharStyleRecord(doc, i);
        if (style.useCount != 0 || i == doc->insertStyle)
            continue;
        {
            RteLocked<RteCharStyle> styles(doc->charStyles);
            styles[i].hooks.leaving(RTE_HOOK_CODE_LEAVING, doc->self, 0, doc->charStyles, &styles[i]);
        }
        RteDelete(doc->charStyles, i, 1);
        LowerIndices(doc->charRuns, i);
        RteLocked<RteCharStyle> styles(doc->charStyles);
        for (int32_t j = 0; j < styles.size(); ++j)
            if (styles[j].smallStyle > i)
                --styles[j].smallStyle;
        if (doc->insertStyle > i)
            --doc->insertStyle;
        if (doc->currentStyle > i)
            --doc->currentStyle;
    }
}

void RemoveUnusedFormats(RteDocument* doc)
{
    for (int32_t i = RteCount(doc->parFormats) - 1; i >= 0; --i) {
        if (RteParFormatRecord(doc, i).useCount != 0)
            continue;
        {
            RteLocked<RteParFormat> formats(doc->parFormats);
            formats[i].hooks.table(RTE_HOOK_CODE_LEAVING, doc->self, 0, doc->parFormats, &formats[i]);
        }
        RteDelete(doc->parFormats, i, 1);
        LowerIndices(doc->parRuns, i);
    }
}

bool EndsWithParagraph(RteDocument* doc) { return (doc->flags & RTE_DOC_FINAL_PARAGRAPH_END) != 0; }

}  // namespace

void RteCleanupRuns(RteDocument* doc, bool characters, bool paragraphs)
{
    // Tables shared with another document are indexed by its runs too: records stay put.
    bool shared = (doc->shared & RTE_SHARE_STYLES) || doc->sharers > 0;
    bool removeUnused = !(doc->flags2 & RTE_DOC2_KEEP_UNUSED) && !shared;
    if (characters) {
        TidyRuns(doc, doc->charRuns, [&](int32_t index, int32_t delta) { RteUseCharStyle(doc, index, delta); }, true);
        if (removeUnused)
            RemoveUnusedStyles(doc);
        RteCompact(doc->charRuns);
        RteCompact(doc->charStyles);
    }
    if (paragraphs) {
        bool dropAtEnd = doc->textLength > 0 && !EndsWithParagraph(doc);
        TidyRuns(doc, doc->parRuns, [&](int32_t index, int32_t delta) { RteUseParFormat(doc, index, delta); },
                 dropAtEnd);
        if (removeUnused)
            RemoveUnusedFormats(doc);
        RteCompact(doc->parRuns);
        RteCompact(doc->parFormats);
    }
}

void RteRunCleanup(RteHandle doc, bool characters, bool paragraphs)
{
    RteCleanupRuns(DocLock(doc).get(), characters, paragraphs);
}
