// Bounds of words, control-delimited runs and paragraphs around an offset.
#include "rte_text_bounds.h"

#include <string>

#include "rte_line_piece.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr intptr_t kControl = RTE_CLASS_CONTROL;
constexpr uint32_t kHiddenClass = 0x100;

class Classifier {
public:
    explicit Classifier(RteHandle doc) : doc_(doc)
    {
        RteLocked<RteDocument> model(doc);
        length_ = model->textLength;
        for (int32_t i = 0; i < length_; ++i)
            text_ += static_cast<char>(RteTextByteAt(model.get(), i));
    }

    int32_t Length() const { return length_; }

    intptr_t At(int32_t offset, intptr_t mask)
    {
        RteCharStyle* style = RteCharStyleAt(doc_, offset);
        RteCharStyle copy = *style;
        RteUnlock(RteLocked<RteDocument>(doc_)->charStyles);
        return copy.hooks.charInfo(doc_, &copy, reinterpret_cast<intptr_t>(text_.data() + offset), 1, mask, offset) &
               mask;
    }

    bool Continuation(int32_t offset) { return offset > 0 && offset < length_ && At(offset, RTE_CLASS_CONTINUATION); }

    int32_t OffChar(int32_t offset, bool backwards)
    {
        while (Continuation(offset))
            offset += backwards ? -1 : 1;
        return offset;
    }

private:
    RteHandle doc_;
    std::string text_;
    int32_t length_ = 0;
};

void Bounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end, bool backwards, bool skipBlanks,
            intptr_t delimiters, bool includeDelimiter)
{
    Classifier text(doc);
    if (text.Length() == 0) {
        *start = *end = 0;
        return;
    }
    int32_t from = offset;
    while (from > 0 && (text.Continuation(from - 1) || !text.At(from - 1, delimiters)))
        --from;
    int32_t to = offset;
    while (to < text.Length() && !text.At(to, delimiters))
        ++to;
    if (includeDelimiter && to < text.Length() && text.At(to, delimiters))
        ++to;
    if (skipBlanks) {
        while (to < text.Length() &&
               ((text.At(to, RTE_CLASS_BLANK | kControl) == RTE_CLASS_BLANK) || text.Continuation(to)))
            ++to;
    }
    if (from == to) {
        if (backwards && from > 0)
            --from;
        else if (to < text.Length())
            ++to;
    }
    *start = text.OffChar(from, true);
    *end = text.OffChar(to, false);
}

}  // namespace

void RteWordBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end, bool backwards, bool skipBlanks)
{
    Bounds(doc, offset, start, end, backwards, skipBlanks, RTE_CLASS_WORD_END, false);
}

void RteCtrlBounds(RteHandle doc, int32_t offset, int32_t* start, int32_t* end, bool backwards)
{
    Bounds(doc, offset, start, end, backwards, false, kControl, true);
}

void RteParagraphBounds(RteHandle handle, int32_t offset, int32_t* start, int32_t* end)
{
    RteParBoundsHook hook = RteLocked<RteDocument>(handle)->hooks.parBounds;
    int32_t from = 0;
    int32_t to = 0;
    hook(handle, offset, &from, &to);
    if (start)
        *start = from;
    if (end)
        *end = to;
}

int32_t RteCharBeforeIsPlain(RteHandle doc, int32_t offset)
{
    RteCharStyle style = *RteCharStyleAt(doc, offset > 0 ? offset - 1 : 0);
    RteUnlock(RteLocked<RteDocument>(doc)->charStyles);
    return (style.styleBits & kHiddenClass) || style.object ? 0 : 1;
}

int32_t RteAlignToChar(RteHandle doc, int32_t offset, uint32_t direction)
{
    return Classifier(doc).OffChar(offset, (direction & RTE_ALIGN_BACKWARDS) != 0);
}

int32_t RteLineOfPiece(RteHandle handle, int32_t block, int32_t* piece, int32_t* start, int32_t* end)
{
    RteLocked<RteDocument> doc(handle);
    RteTextBlock entry = RteLocked<RteTextBlock>(doc->blocks)[block];
    RteLocked<RteLinePiece> pieces(entry.lines);
    int32_t first = *piece;
    while (first > 0 && !(pieces[first].flags & RTE_PIECE_LINE_FIRST))
        --first;
    int32_t last = first;
    while (last + 1 < pieces.size() && pieces[last + 1].flags != RTE_PIECE_SENTINEL &&
           !(pieces[last].flags & RTE_PIECE_LINE_LAST))
        ++last;
    bool atEnd = pieces[*piece].offset >= entry.length;
    int32_t lineStart = atEnd ? pieces[*piece].offset : pieces[first].offset;
    int32_t next = last + 1 < pieces.size() && pieces[last + 1].flags != RTE_PIECE_SENTINEL ? pieces[last + 1].offset
                                                                                          : entry.length;
    int32_t lineEnd = atEnd ? pieces[*piece].offset : next;
    *piece = first;
    if (start)
        *start = lineStart;
    if (end)
        *end = lineEnd;
    return last - first + 1;
}

void RteLineBounds(RteHandle handle, int32_t offset, int32_t* start, int32_t* end)
{
    RteLocked<RteDocument> doc(handle);
    doc->hooks.port(handle, 1);
    int32_t blockStart = 0;
    int32_t block = RteBlockAt(doc.get(), offset, &blockStart);
    RteTextBlock entry = RteLocked<RteTextBlock>(doc->blocks)[block];
    int32_t from = 0;
    int32_t to = entry.length;
    if (entry.lines) {
        int32_t piece = 0;
        {
            RteLocked<RteLinePiece> pieces(entry.lines);
            piece = RtePieceAt(pieces.get(), RtePieceCount(pieces.get(), pieces.size()), offset - blockStart);
        }
        RteLineOfPiece(handle, block, &piece, &from, &to);
    }
    *start = blockStart + from;
    *end = blockStart + to;
    doc->hooks.port(handle, 0);
}
