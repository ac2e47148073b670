// Object records by kind and their type-20 records: made, saved after the document's records
// and read back onto the styles that carry them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "rte_io.h"
#include "rte_record_codec.h"
#include "rte_object_draw.h"
#include "rte_object_queries.h"
#include "rte_object_stream.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "object_fixture.h"
#include "test_canvas.h"

namespace {

class ObjectTest : public ObjectStreamTest {
protected:
    RteHandle Object(uint32_t typeWord, const void* data, int32_t sizeArgument = 0)
    {
        return RteNewObjectRecord(&context_, typeWord, data, sizeArgument);
    }

    // A document whose styles carry the objects, one style each over its own two characters.
    RteHandle DocumentWith(const std::vector<RteHandle>& objects)
    {
        std::vector<std::pair<int32_t, RteHandle>> placed;
        for (size_t i = 0; i < objects.size(); ++i)
            placed.emplace_back(static_cast<int32_t>(i * 2), objects[i]);
        return DocumentWithObjects(std::string(objects.size() * 2, 'o'), placed);
    }

    std::vector<RteObject> ObjectsOf(RteHandle doc)
    {
        std::vector<RteObject> objects;
        for (const RteCharStyle& style : Elements<RteCharStyle>(DocumentOf(doc).charStyles))
            if (style.object) {
                RteObject object;
                RteGetElement(reinterpret_cast<RteHandle>(style.object), 0, &object);
                objects.push_back(object);
            }
        return objects;
    }
};

int Count(const Bytes& bytes, int16_t type)
{
    int n = 0;
    RteRecordHeader header;
    for (size_t at = 0; at + RTE_HEADER_BYTES <= bytes.size() && RteParseHeader(bytes.data() + at, &header);
         at += RTE_HEADER_BYTES + static_cast<size_t>(header.length))
        n += header.type == type;
    return n;
}

TEST_F(ObjectTest, EdgeCasesOfMakingObjects)
{
    std::string text42(42, 't'), text43(43, 't');
    RteRect rect = {0, 0, 40, 30};
    struct Case {
        uint32_t typeWord;
        const void* data;
        int32_t size;
        const char* why;
        bool inlineText;
        int32_t width, height, descent, kindValue;
    } cases[] = {
        {RTE_KIND_TEXT, text42.c_str(), 0, "42 characters stay inline", true, 0, 0, 0, 0},
        {RTE_KIND_TEXT, text43.c_str(), 0, "43 characters take a handle", false, 0, 0, 0, 0},
        {RTE_KIND_FRAME, &rect, 25 << 16, "25 per cent of 40", false, 30, 40, 10, 0},
        {RTE_KIND_RECT, &rect, -(7 << 16), "7 pixels", false, 30, 40, 7, 0},
        {RTE_KIND_ROUND_FRAME, &rect, 0, "the corner defaults to 16", false, 30, 40, 0, 16 << 16},
    };
    for (const Case& c : cases) {
        RteHandle handle = Object(c.typeWord, c.data, c.size);
        RteObject object = Elements<RteObject>(handle)[0];
        EXPECT_EQ(RTE_OBJECT_VERSION, object.version) << c.why;
        if (c.typeWord == RTE_KIND_TEXT) {
            EXPECT_EQ(c.inlineText, object.data == 0) << c.why;
            RteHandle locked;
            EXPECT_STREQ(static_cast<const char*>(c.data), RteObjectText(&object, &locked)) << c.why;
            if (locked)
                RteUnlock(locked);
        } else {
            EXPECT_EQ(c.width, object.width) << c.why;
            EXPECT_EQ(c.height, object.height) << c.why;
            EXPECT_EQ(c.descent, object.descent) << c.why;
            EXPECT_EQ(c.kindValue, object.kindValue) << c.why;
            EXPECT_EQ(1, object.insets[RTE_INSET_LEFT]) << c.why;
        }
        RteFreeObjectData(&object, RteObjectKindOf(object));
        RteFree(handle);
    }
    RteMetafileData empty = {CopyMetaFileA(CloseMetaFile(CreateMetaFileA(nullptr)), nullptr), 0, 0, 0, {}};
    RteObject metafile = Elements<RteObject>(Object(RTE_KIND_METAFILE, &empty))[0];
    EXPECT_EQ(32, metafile.width) << "a null bounds rect gives 32 x 32";
    EXPECT_EQ(32, metafile.height);
}

TEST_F(ObjectTest, KindFourDrawsOnlyItsLabel)
{
    RteHandle mac = Object(RTE_KIND_MAC, nullptr);
    TestCanvas canvas(80, 40);
    RtePicturePort port = {canvas.Dc(), &context_, nullptr, nullptr};
    RteRect rect = {0, 0, 40, 80};
    RteDrawObjectDefault(&port, mac, &rect);
    int inked = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            if (canvas.Pixel(x, y) != RGB(255, 255, 255)) {
                ++inked;
                outside += x < 20 || x >= 60 || y < 8 || y >= 32;
            }
    EXPECT_GT(inked, 10) << "the label";
    EXPECT_EQ(0, outside) << "nothing but the centred label";
}

TEST_F(ObjectTest, ObjectsOfEachStoredKindReadBackOntoTheirStyles)
{
    HDC recorder = CreateMetaFileA(nullptr);
    Rectangle(recorder, 2, 2, 20, 12);
    RteMetafileData meta = {CloseMetaFile(recorder), MM_TEXT, 0, 0, {0, 0, 16, 24}};
    std::vector<uint8_t> bitmap(sizeof(RtePictureBlock) + 2 * 2 * 4, 0x5A);
    RtePictureBlock header = {};
    header.rect = {0, 0, 2, 2};
    header.values16a[0] = 32;
    header.values32[0] = 16;
    std::memcpy(bitmap.data(), &header, sizeof header);
    std::string longText(60, 'L');
    RteRect rect = {0, 0, 10, 20};
    std::vector<RteHandle> objects = {
        Object(RTE_KIND_FRAME, &rect, 50 << 16),
        Object(RTE_KIND_MAC, nullptr),
        Object(RTE_KIND_BITMAP, bitmap.data()),
        Object(RTE_KIND_VALUE, reinterpret_cast<const void*>(intptr_t{0x1234})),
        Object(RTE_KIND_METAFILE, &meta),
        Object(RTE_KIND_TEXT, "court"),
        Object(RTE_KIND_TEXT, longText.c_str()),
        Object(RTE_KIND_BYTE_HANDLE, RteNewFromData(&context_, "\x01\x02\x03", 1, 3)),
    };
    RteHandle linked = Object(RTE_KIND_TEXT, "suite");
    RteLocked<RteObject>(objects[5])->linked = linked;
    RteHandle doc = DocumentWith(objects);
    Bytes first = SaveWithObjects(doc);
    EXPECT_EQ(static_cast<int>(objects.size()) + 1, Count(first, 20)) << "one record an object, one more linked";

    uint16_t code = 1;
    RteHandle back = Load(first, &code);
    ASSERT_EQ(0, code);
    std::vector<RteObject> was = ObjectsOf(doc), read = ObjectsOf(back);
    ASSERT_EQ(was.size(), read.size());
    for (size_t i = 0; i < was.size(); ++i) {
        EXPECT_EQ(was[i].typeWord, read[i].typeWord) << i;
        EXPECT_EQ(was[i].width, read[i].width) << i;
        EXPECT_EQ(was[i].height, read[i].height) << i;
        EXPECT_EQ(was[i].descent, read[i].descent) << i;
        EXPECT_EQ(0, std::memcmp(&was[i].picture, &read[i].picture, sizeof was[i].picture)) << i;
        EXPECT_EQ(1, read[i].useCount) << i;
    }
    EXPECT_EQ(Contents(reinterpret_cast<RteHandle>(was[2].data)), Contents(reinterpret_cast<RteHandle>(read[2].data)))
        << "the bitmap's record";
    EXPECT_EQ(0x1234, read[3].data);
    UINT size = GetMetaFileBitsEx(reinterpret_cast<HMETAFILE>(read[4].data), 0, nullptr);
    EXPECT_EQ(GetMetaFileBitsEx(reinterpret_cast<HMETAFILE>(was[4].data), 0, nullptr), size) << "the bits survive";
    EXPECT_EQ(Bytes({1, 2, 3}), Contents(reinterpret_cast<RteHandle>(read[7].data)));
    ASSERT_NE(nullptr, read[5].linked);
    RteHandle locked;
    RteObject suite = Elements<RteObject>(read[5].linked)[0];
    EXPECT_STREQ("suite", RteObjectText(&suite, &locked));

    // A second save is the first, byte for byte.
    EXPECT_EQ(Printable(first), Printable(SaveWithObjects(back)));
}

TEST_F(ObjectTest, TwoStylesWithOneRecordWriteOneObjectRecord)
{
    RteRect rect = {0, 0, 5, 5};
    RteHandle shared = Object(RTE_KIND_FRAME, &rect);
    RteHandle doc = DocumentWith({shared, shared});
    Bytes bytes = SaveWithObjects(doc);
    EXPECT_EQ(1, Count(bytes, 20));
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    ASSERT_EQ(0, code);
    std::vector<RteObject> read = ObjectsOf(back);
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ(2, read[0].useCount) << "both styles use the one record";
}

TEST_F(ObjectTest, AStreamWithObjectStylesButNoObjectRecordsLeavesNoObject)
{
    RteRect rect = {0, 0, 5, 5};
    RteHandle doc = DocumentWith({Object(RTE_KIND_FRAME, &rect)});
    Bytes bytes = Save(doc);  // no type-20 records
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    ASSERT_EQ(0, code);
    EXPECT_TRUE(ObjectsOf(back).empty());
    for (const RteCharStyle& style : Elements<RteCharStyle>(DocumentOf(back).charStyles))
        EXPECT_EQ(env_.defaultStyle.hooks.metrics, style.hooks.metrics);
}

}  // namespace

namespace {

class ObjectQueryTest : public ObjectStreamTest {
protected:
    // "aa" then an object over "[]" at 2 and at 6, a text object at 10.
    RteHandle Objects()
    {
        RteRect rect = {0, 0, 8, 8};
        frame_ = RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, 0);
        mac_ = RteNewObjectRecord(&context_, RTE_KIND_MAC | RTE_OBJECT_SHAREABLE, nullptr, 0);
        text_ = RteNewObjectRecord(&context_, RTE_KIND_TEXT, "note", 0);
        RteLocked<RteObject>(frame_)->referenceValue = 11;
        RteLocked<RteObject>(mac_)->referenceValue = 22;
        RteLocked<RteObject>(mac_)->key = 7;
        return DocumentWithObjects("aa[]bb[]cc[]", {{2, frame_}, {6, mac_}, {10, text_}});
    }

    RteHandle frame_ = nullptr, mac_ = nullptr, text_ = nullptr;
};

TEST_F(ObjectQueryTest, ObjectsAreCountedNumberedAndFoundByTheirRuns)
{
    RteHandle doc = Objects();
    struct Count {
        RteRange range;
        int32_t objects;
    } counts[] = {{{0, 12}, 3}, {{0, 2}, 0}, {{3, 7}, 2}, {{11, 12}, 1}, {{4, 6}, 0}};
    for (const Count& c : counts)
        EXPECT_EQ(c.objects, RteCountObjects(doc, &c.range)) << c.range.start << "-" << c.range.end;
    EXPECT_EQ(3, RteCountObjects(doc, nullptr)) << "a caret: the whole text";

    RteRange all = {0, 12};
    int32_t offset = -1, style = -1;
    EXPECT_EQ(nullptr, RteNthObject(doc, &all, 0, &offset, &style)) << "n = 0 gives nothing";
    EXPECT_EQ(mac_, RteNthObject(doc, &all, 2, &offset, &style));
    EXPECT_EQ(6, offset);
    EXPECT_EQ(nullptr, RteNthObject(doc, &all, 4, &offset, &style));

    offset = 3;
    EXPECT_EQ(mac_, RteNextObject(doc, &offset, 0, 0));
    EXPECT_EQ(6, offset);
    offset = 0;
    EXPECT_EQ(text_, RteNextObject(doc, &offset, RTE_KIND_TEXT, RTE_OBJECT_KIND_MASK));
    EXPECT_EQ(10, offset);
    offset = 0;
    EXPECT_EQ(mac_, RteNextObject(doc, &offset, RTE_OBJECT_SHAREABLE, RTE_OBJECT_SHAREABLE));
    offset = 11;
    EXPECT_EQ(nullptr, RteNextObject(doc, &offset, 0, 0));
    EXPECT_EQ(12, offset) << "none found: the text length";

    EXPECT_EQ(2, RteObjectIndex(doc, 22));
    EXPECT_EQ(0, RteObjectIndex(doc, 99));
    EXPECT_EQ(mac_, RteObjectByKey(doc, 7));
    EXPECT_EQ(frame_, RteObjectById(doc, 11));
    EXPECT_EQ(nullptr, RteObjectById(doc, 5));
}

TEST_F(ObjectQueryTest, BordersWidenTheirInsets)
{
    struct Case {
        uint8_t type, kind;
        int16_t width;
        int16_t insets[4];  // top, bottom, left, right, from 1 each
    } cases[] = {
        {RTE_BORDER_FRAME, 0, 2, {3, 3, 3, 3}},
        {RTE_BORDER_FRAME, RTE_BORDER_DOUBLE, 2, {3, 5, 3, 5}},
        {RTE_BORDER_FRAME, RTE_BORDER_QUARTERS, 1, {5, 5, 5, 5}},
        {RTE_BORDER_TOP, 0, 2, {3, 1, 1, 1}},
        {RTE_BORDER_BOTTOM, 0, 2, {1, 3, 1, 1}},
        {RTE_BORDER_LEFT, 0, 2, {1, 1, 3, 1}},
        {RTE_BORDER_BOTTOM_2, 0, 2, {1, 1, 1, 3}},
    };
    RteRect rect = {0, 0, 8, 8};
    for (const Case& c : cases) {
        RteObject object = Elements<RteObject>(RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, 0))[0];
        RteSetObjectBorder(&object, c.type, c.kind, nullptr, c.width);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.insets[i], object.insets[i]) << int(c.type) << "/" << int(c.kind) << " inset " << i;
    }
}

TEST_F(ObjectQueryTest, TheDefaultCallbackAnswersItsMessages)
{
    RteHandle doc = Objects();
    EXPECT_EQ(3, RteDefaultObjectProc(doc, text_, 0, 4, 0, 0, 3)) << "the text length, at most the length given";
    EXPECT_EQ(4, RteDefaultObjectProc(doc, text_, 0, 4, 0, 0, 100));
    EXPECT_EQ(22, RteDefaultObjectProc(doc, mac_, 0, 10, 0, 0, 0));
    EXPECT_EQ(0, RteDefaultObjectProc(doc, mac_, 0, 99, 0, 0, 0));

    TestCanvas canvas(40, 20);
    RtePicturePort port = {canvas.Dc(), &context_, nullptr, nullptr};
    RteLocked<RteObject>(frame_)->extension[0] = RTE_BORDER_TOP;
    RteRect rect = {4, 4, 16, 30};
    RteDefaultObjectProc(doc, frame_, 0, RTE_OBJECT_DRAW, reinterpret_cast<intptr_t>(&port),
                         reinterpret_cast<intptr_t>(&rect), 0);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10, 4)) << "the frame and its top border";
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(4, 10));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));

    RteHandle linked = RteNewObjectRecord(&context_, RTE_KIND_TEXT, "x", 0);
    RteLocked<RteObject>(text_)->linked = linked;
    int live = LiveHandles();
    RteDefaultObjectProc(doc, text_, 0, RTE_OBJECT_DISPOSE, 0, 0, 0);
    EXPECT_EQ(live - 2, LiveHandles()) << "the object and its linked one";
}

}  // namespace

namespace {

std::vector<int32_t> g_messages;

intptr_t NoteMessage(RteHandle, RteHandle, intptr_t, int32_t message, intptr_t, intptr_t, int32_t)
{
    g_messages.push_back(message);
    return 0;
}

TEST_F(ObjectQueryTest, AnObjectStyleSetOverARangeMakesOneObjectThere)
{
    RteHandle doc = MakeDocument("ab[]cd");
    RteRect rect = {0, 0, 12, 20};
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, 25 << 16);
    g_messages.clear();
    RteCharStyle style, mask;
    RteFont font;
    EXPECT_EQ(RTE_KIND_FRAME, RteMakeObjectStyle(doc, 2, object, 5, NoteMessage, 0, &style, &mask, &font, nullptr));
    EXPECT_EQ(std::vector<int32_t>{RTE_OBJECT_STYLED}, g_messages);
    EXPECT_EQ(reinterpret_cast<intptr_t>(object), style.object);
    EXPECT_EQ(1, style.units23to34[10]) << "unit 33";
    EXPECT_EQ(2, Elements<RteSelectPoint>(DocumentOf(doc).selection)[0].offset) << "the caret at the offset";
    RteRange range = {2, 4};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
    EXPECT_EQ(1, RteCountObjects(doc, nullptr));
    int32_t offset = 0;
    EXPECT_EQ(object, RteNextObject(doc, &offset, 0, 0));
    EXPECT_EQ(2, offset);
    RteCharStyle styled = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[1];
    EXPECT_EQ(12 + 1 - 3, styled.ascent) << "height and top inset less the descent";
    EXPECT_EQ(3 + 1, styled.descent) << "the descent and the bottom inset";
}

}  // namespace

namespace {

TEST_F(ObjectTest, ADocumentOfSixteenBitTextKeepsItsPictureBlocksWhole)
{
    RteRect rect = {0, 0, 10, 20};
    RteHandle frame = Object(RTE_KIND_FRAME, &rect, 50 << 16);
    {
        // Bytes of every kind, zeros and CP1252's upper half among them.
        RteLocked<RteObject> object(frame);
        auto* bytes = reinterpret_cast<uint8_t*>(&object->picture);
        for (size_t i = 0; i < sizeof(RtePictureBlock); ++i)
            bytes[i] = static_cast<uint8_t>(i * 37);
    }
    RteHandle doc = DocumentWith({frame});
    RteLocked<RteDocument>(doc)->flags2 |= RTE_DOC2_WIDE_NAMES;
    uint16_t code = 1;
    RteHandle back = Load(SaveWithObjects(doc), &code);
    ASSERT_EQ(0, code);
    std::vector<RteObject> was = ObjectsOf(doc), read = ObjectsOf(back);
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(0, std::memcmp(&was[0].picture, &read[0].picture, sizeof(RtePictureBlock)));
}

}  // namespace

namespace {

TEST_F(ObjectQueryTest, AnObjectAppliedToARangeCountsItsCharactersLessOne)
{
    RteHandle doc = MakeDocument("ab[xy]cd");
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_MAC, nullptr, 0);
    RteRange range = {2, 6};
    EXPECT_EQ(RTE_KIND_MAC, RteApplyObject(doc, object, &range, nullptr, 0, 0));
    EXPECT_EQ(1, RteCountObjects(doc, nullptr));
    int32_t offset = 0, style = 0;
    RteRange all = {0, 8};
    EXPECT_EQ(object, RteNthObject(doc, &all, 1, &offset, &style));
    EXPECT_EQ(2, offset);
    EXPECT_EQ(3, Elements<RteCharStyle>(DocumentOf(doc).charStyles)[style].units23to34[10]);
    EXPECT_EQ("", RunProblems(doc));
}

}  // namespace

namespace {

TEST_F(ObjectTest, DataIsCopiedAndReleasedByKind)
{
    HDC recorder = CreateMetaFileA(nullptr);
    Rectangle(recorder, 0, 0, 5, 5);
    RteMetafileData meta = {CloseMetaFile(recorder), MM_TEXT, 0, 0, {0, 0, 5, 5}};
    RteHandle bytes = RteNewFromData(&context_, "abc", 1, 3);
    struct Case {
        RteHandle object;
        bool sharesData;
    } cases[] = {
        {Object(RTE_KIND_METAFILE, &meta), false},
        {Object(RTE_KIND_BYTE_HANDLE, bytes), false},
        {Object(RTE_KIND_FOREIGN_PICT, bytes), true},
        {Object(RTE_KIND_TEXT, std::string(50, 'x').c_str()), false},
    };
    for (const Case& c : cases) {
        RteObject object = Elements<RteObject>(c.object)[0];
        RteObject copy = object;
        int32_t kind = RteObjectKindOf(object);
        RteCopyObjectData(&copy, kind);
        EXPECT_EQ(c.sharesData, copy.data == object.data) << kind;
        if (kind == RTE_KIND_METAFILE)
            EXPECT_EQ(GetMetaFileBitsEx(reinterpret_cast<HMETAFILE>(object.data), 0, nullptr),
                      GetMetaFileBitsEx(reinterpret_cast<HMETAFILE>(copy.data), 0, nullptr));
        else
            EXPECT_EQ(Contents(reinterpret_cast<RteHandle>(object.data)), Contents(reinterpret_cast<RteHandle>(copy.data)))
                << kind;
        if (!c.sharesData) {
            RteFreeObjectData(&copy, kind);
            EXPECT_EQ(0, copy.data) << kind;
        }
    }
}

TEST_F(ObjectTest, ABitmapThatItsStylesCopyGetsARecordOfItsOwn)
{
    static std::vector<int32_t> messages;
    messages.clear();
    std::vector<uint8_t> bitmap(sizeof(RtePictureBlock) + 8, 0);
    RtePictureBlock header = {};
    header.rect = {0, 0, 1, 2};
    header.values16a[0] = 32;
    header.values32[0] = 8;
    std::memcpy(bitmap.data(), &header, sizeof header);
    RteHandle original = Object(RTE_KIND_BITMAP | RTE_OBJECT_COPY_BITMAP, bitmap.data());
    RteHandle doc = MakeDocument("[]");
    RteCharStyle style, mask;
    RteMakeObjectStyle(doc, 0, original, 0,
                       [](RteHandle, RteHandle, intptr_t, int32_t message, intptr_t, intptr_t, int32_t) -> intptr_t {
                           messages.push_back(message);
                           return 0;
                       },
                       0, &style, &mask, nullptr, nullptr);
    RteRange range = {0, 2};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
    std::vector<RteObject> styled = ObjectsOf(doc);
    ASSERT_EQ(1u, styled.size());
    EXPECT_NE(Elements<RteCharStyle>(DocumentOf(doc).charStyles)[1].object, reinterpret_cast<intptr_t>(original));
    EXPECT_EQ(1, styled[0].useCount);
    EXPECT_EQ(0, Elements<RteObject>(original)[0].useCount) << "the original is the caller's";
    EXPECT_EQ((std::vector<int32_t>{RTE_OBJECT_STYLED, RTE_OBJECT_COPIED}), messages);
}

}  // namespace
