// Memory streams and the rich document of the stream tests.
#include "stream_fixture.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "rect_list.h"
#include "rte_document_internal.h"
#include "rte_fonts.h"
#include "rte_io.h"
#include "rte_line_piece.h"
#include "rte_link_range.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes OldStream(const std::string& name)
{
    std::ifstream in(std::string(QX_STREAM_FIXTURES) + "/old_streams/" + name + ".rtd", std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Printable(const Bytes& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F) {
            text.push_back(static_cast<char>(b));
        } else {
            text += "<";
            text.push_back(kHex[b >> 4]);
            text.push_back(kHex[b & 0xF]);
            text += ">";
        }
    }
    return text;
}

void StreamTest::TearDown()
{
    for (RteHandle handle : handles_)
        RteFree(handle);
    DocumentTest::TearDown();
}

RteHandle StreamTest::Source(const Bytes& bytes)
{
    RteHandle handle = bytes.empty() ? RteAlloc(&context_, 1, 0, 0, false)
                                     : RteNewFromData(&context_, bytes.data(), 1, static_cast<int32_t>(bytes.size()));
    handles_.push_back(handle);
    return handle;
}

Bytes StreamTest::Contents(RteHandle handle)
{
    RteLocked<uint8_t> bytes(handle);
    return Bytes(bytes.get(), bytes.get() + RteByteSize(handle));
}

Bytes StreamTest::Save(RteHandle doc, const int16_t* types, int32_t count, uint16_t* code)
{
    RteHandle target = RteAlloc(&context_, 1, 0, 256, false);
    int32_t position = 0;
    auto reference = reinterpret_cast<intptr_t>(target);
    uint16_t result = RteSaveDoc(doc, &position, types, count, RteMemWriter, reference, 0);
    if (result == 0)
        result = RteSaveDocEnd(doc, &position, RteMemWriter, reference);
    if (code)
        *code = result;
    Bytes bytes = Contents(target);
    RteFree(target);
    return bytes;
}

RteHandle StreamTest::Load(const Bytes& bytes, uint16_t* code)
{
    RteHandle doc = RteNewDocument(&env_);
    RteHandle source = Source(bytes);
    handles_.pop_back();
    int32_t position = 0;
    *code = RteReadDoc(doc, &position, nullptr, 0, RteMemReader, reinterpret_cast<intptr_t>(source));
    RteFree(source);
    return doc;
}

namespace {

void SetStyle(RteHandle doc, RteRange range, void (*change)(RteCharStyle&))
{
    RteCharStyle style = {};
    RteCharStyle mask;
    RteClearCharStyle(&mask, 0);
    change(style);
    change(mask);
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

void Fill(RteHandle handle, int32_t count, int32_t base)
{
    RteSetCount(handle, count);
    RteLocked<int32_t> values(handle);
    for (int32_t i = 0; i < values.size(); ++i)
        values[i] = base + i * 7 - 3;
}

}  // namespace

RteHandle StreamTest::MakeRichDocument()
{
    RteHandle doc = MakeDocument("First paragraph\rSecond, with a tab\there\rThird\r");
    {
        // The text in three blocks.
        RteLocked<RteDocument> d(doc);
        RteFree(RteLocked<RteTextBlock>(d->blocks)[0].text);
        std::string text = "First paragraph\rSecond, with a tab\there\rThird\r";
        const int32_t cuts[] = {0, 16, 40, static_cast<int32_t>(text.size())};
        RteSetCount(d->blocks, 3);
        RteLocked<RteTextBlock> blocks(d->blocks);
        for (int i = 0; i < 3; ++i) {
            RteTextBlock& block = blocks[i];
            std::memset(&block, 0, sizeof block);
            int32_t length = cuts[i + 1] - cuts[i];
            block.text = RteNewFromData(&context_, text.data() + cuts[i], 1, length);
            RteSetKey(block.text, d->key);
            block.length = length;
            block.flags = RTE_BLOCK_LINES_BUILT;
            block.values[0] = 100 + i;
            block.values[3] = -i;
            block.bounds = {i * 10, 5, i * 10 + 9, 300};
            // Two lines and the closing entry, as layout leaves them.
            const RteLinePiece pieces[] = {
                {0, 0, 0, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST, 0, {i * 10, 5, i * 10 + 5, 300}},
                {static_cast<uint16_t>(length / 2), 3, 2, RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST | RTE_PIECE_PAR_LAST, 1,
                 {i * 10 + 5, 5, i * 10 + 9, 280}},
                {0, 0, 0, RTE_PIECE_SENTINEL, 0, {}}};
            block.lines = RteNewFromData(&context_, pieces, sizeof(RteLinePiece), 3);
            RteSetKey(block.lines, d->key);
        }
    }
    {
        // A link with a short name, one whose name needs a handle, and a marked range.
        RteLocked<RteDocument> d(doc);
        RteLinkRange link = {3, 8, "chapitre-2", nullptr, nullptr, 11, {11, 12, 13}};
        std::string longName(70, 'n');
        RteLinkRange longLink = {20, 25, "", RteNewFromData(&context_, longName.c_str(), 1, 71), nullptr, 14, {14, 0, 0}};
        RteSetKey(longLink.nameHandle, d->key);
        rte_document::InsertElement(d->linkRanges[0], 0, link);
        rte_document::InsertElement(d->linkRanges[0], 1, longLink);
        RteLinkRange mark = {30, 40, "note", nullptr, nullptr, 15, {15, 0, 0}};
        rte_document::InsertElement(d->linkRanges[1], 0, mark);
    }
    SetStyle(doc, {0, 5}, [](RteCharStyle& s) { s.bold = -1; });
    SetStyle(doc, {3, 20}, [](RteCharStyle& s) { s.textColor = {0xFFFF, 0x1234, 0}; });
    SetStyle(doc, {25, 30}, [](RteCharStyle& s) { s.pointSize = 18 << 16; });
    SetStyle(doc, {41, 44}, [](RteCharStyle& s) { s.units23to34[5] = 7; });

    RteFont font = {};
    std::strcpy(font.name, "Liberation Serif");
    std::strcpy(font.altName, "Times");
    font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
    font.values[RTE_FONT_CHARSET] = 0;
    RteFont fontMask;
    RteClearFont(&fontMask, 0);
    std::memset(fontMask.name, 0xFF, sizeof fontMask.name);
    RteRange fontRange = {16, 27};
    RteSetFont(doc, &fontRange, &font, &fontMask, 0);

    RteParFormat format = {};
    RteParFormat formatMask;
    RteClearParFormat(&formatMask, 0);
    format.alignment = 1;
    formatMask.alignment = -1;
    format.leftIndent = 360;
    formatMask.leftIndent = -1;
    RteRange second = {16, 17};
    RteSetParFormat(doc, &second, &format, &formatMask, 0);
    RteTab tab = {RTE_TAB_RIGHT, '.', 1440, 0};
    RteSetTab(doc, &second, &tab, 0);

    RteCharStyle named = {};
    named.italic = -1;
    int32_t id = RteAddNamedCharStyle(doc, &named, &font);
    RteDefineStyleName(doc, "Emphase", id, 0);

    RteLocked<RteDocument> d(doc);
    RteSetCount(d->selection, 4);
    {
        RteLocked<RteSelectPoint> points(d->selection);
        points[0] = {2, 0, {3, 4}, 1, 12, {5, 6, 7}};
        points[1] = {6, 0, {3, 40}, 1, 12, {0, 0, 0}};
        points[2] = {20, 0, {15, 4}, 2, 12, {0, 0, 0}};
        points[3] = {22, 0x10, {15, 30}, 2, 12, {0, 0, 1}};
    }
    RteRect wrap1 = {0, 0, 200, 300};
    RteRect wrap2 = {210, 0, 400, 300};
    RteSetRectList(d->wrapArea, &wrap1);
    RteAddRectToList(d->wrapArea, &wrap2);
    RteRect extra = {50, 50, 60, 90};
    RteSetRectList(d->extraArea, &extra);
    d->page.margins = {720, 720, 720, 720};
    d->page.width = 12240;
    d->page.values[63] = -5;
    Fill(d->valuesA, 5, 1);
    Fill(d->valuesB, 3, -1000);
    d->points = RteAllocKeyedClear(&context_, 8, 0, 4, d->key);
    Fill(d->points, 6, 40);  // three pairs
    RteSetCount(d->points, 3);
    // List C packs an offset and an index into 6 bytes.
    const uint8_t runs[] = {0, 0, 0, 0, 3, 0, 12, 0, 0, 0, 1, 0};
    RteSetCount(d->runListC, 2);
    std::memcpy(RteLocked<uint8_t>(d->runListC).get(), runs, sizeof runs);
    d->scroll = {30, 0};
    d->scalingGiven = 0x10001;
    d->backColor = {0xFFFF, 0xFFFF, 0xEEEE};
    // Laid out: every block's lines stand for its text as it is now.
    RteLocked<RteTextBlock> blocks(d->blocks);
    for (int32_t i = 0; i < blocks.size(); ++i)
        blocks[i].flags &= ~RTE_BLOCK_RELAYOUT;
    return doc;
}
