// Pictures through the translator bases: metafile bits made into a metafile on import, and an
// embedded object's picture bytes handed to an exporter and given back.
#include <windows.h>

#include <vector>

#include "rte_object_records.h"
#include "translator_fixture.h"

namespace {

std::vector<uint8_t> BitsOf(HMETAFILE metafile)
{
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::vector<uint8_t> bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    return bits;
}

HMETAFILE DrawnMetafile()
{
    HDC dc = CreateMetaFileA(nullptr);
    Rectangle(dc, 1, 2, 30, 40);
    return CloseMetaFile(dc);
}

class OpenImport : public RteImportFilter {
public:
    using RteImportFilter::ConvertPicture;
};

class OpenExport : public RteExportFilter {
public:
    using RteExportFilter::GetPictureData;
    using RteExportFilter::ReleasePictureData;
};

}  // namespace

TEST_F(TranslatorTest, MetafileBitsBecomeAMetafileAndOtherPicturesPassAsTheyAre)
{
    HMETAFILE drawn = DrawnMetafile();
    std::vector<uint8_t> bits = BitsOf(drawn);
    RteHandle data = RteNewFromData(&context_, bits.data(), 1, static_cast<int32_t>(bits.size()));
    OpenImport filter;
    auto metafile = reinterpret_cast<HMETAFILE>(filter.ConvertPicture(data, RTE_KIND_METAFILE));
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(BitsOf(metafile), bits);
    DeleteMetaFile(metafile);
    DeleteMetaFile(drawn);
    int live = LiveHandles();
    RteHandle other = RteNewFromData(&context_, "data", 1, 4);
    EXPECT_EQ(filter.ConvertPicture(other, RTE_KIND_BYTE_HANDLE), reinterpret_cast<intptr_t>(other));
    EXPECT_EQ(LiveHandles(), live + 1);
    RteFree(other);
}

TEST_F(TranslatorTest, AnObjectsPictureBytesAreLentToTheExporter)
{
    HMETAFILE drawn = DrawnMetafile();
    RteObject object = {};
    object.typeWord = RTE_KIND_METAFILE;
    object.data = reinterpret_cast<intptr_t>(drawn);
    RteHandle record = RteNewFromData(&context_, &object, sizeof object, 1);
    OpenExport filter;
    int32_t count = 0;
    void* copy = nullptr;
    const uint8_t* bytes = filter.GetPictureData(record, &count, &copy);
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(copy, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + count), BitsOf(drawn));
    filter.ReleasePictureData(record, copy);

    RteHandle data = RteNewFromData(&context_, "abcdef", 1, 6);
    object.typeWord = RTE_KIND_BYTE_HANDLE;
    object.data = reinterpret_cast<intptr_t>(data);
    RteHandle byteRecord = RteNewFromData(&context_, &object, sizeof object, 1);
    bytes = filter.GetPictureData(byteRecord, &count, &copy);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count)), "abcdef");
    EXPECT_EQ(copy, nullptr);
    filter.ReleasePictureData(byteRecord, copy);
    EXPECT_EQ(LockedHandles(), 0);

    object.typeWord = RTE_KIND_FRAME;
    RteHandle frame = RteNewFromData(&context_, &object, sizeof object, 1);
    EXPECT_EQ(filter.GetPictureData(frame, &count, &copy), nullptr);
    EXPECT_EQ(count, 0);
    for (RteHandle h : {record, byteRecord, frame, data})
        RteFree(h);
    DeleteMetaFile(drawn);
}
