// The fonts a text on a shown page asks its page to carry: every TrueType face of its runs that
// may be embedded, with its embedding flags; no raster face, which cannot be carried.
#include "fonts.h"
#include "texttest.h"

#include <gtest/gtest.h>

namespace {

// A raster face the process may use, "" for none. Wine offers none of its own under the null
// driver: its raster Courier (of fonts-wine) is added for the process.
std::string RasterFace()
{
    AddFontResourceExA("Z:\\usr\\share\\wine\\fonts\\coure.fon", FR_PRIVATE, nullptr);
    std::string face;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(
        dc, &wanted,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM found) -> int {
            if (!(type & RASTER_FONTTYPE))
                return 1;
            *reinterpret_cast<std::string*>(found) = font->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, dc);
    return face;
}

// A run of the text in this face, in the object's markup.
std::string RunIn(const std::string& face, const std::string& words)
{
    return "#${FONT(264,0,0,0,400,0,0,0,0,3,2,1,34,\"" + face + "\")}" + words;
}

TEST(TextFonts, ListsTheEmbeddableTrueTypeFacesOfItsRunsAndNoRasterFace)
{
    const std::string raster = RasterFace();
    ASSERT_NE("", raster) << "no raster face";
    PageHost host;
    host.pub.Write("polices.txt", RunIn("DejaVu Sans", "Des mots ") + RunIn(raster, "en points ") +
                                      RunIn("DejaVu Sans Mono", "et d'autres.") + "\n");
    TEXTE* text = ShownText(host, "texte", BoxBlock({host.Page("polices.txt")}, 400, 200));
    ASSERT_TRUE(text && text->document);
    FONTS_LIST list;
    text->GetFonts(&list);
    for (const char* face : {"DejaVu Sans", "DejaVu Sans Mono"}) {
        FONTS* font = list.Find(face);
        ASSERT_NE(nullptr, font) << face;
        EXPECT_EQ(KernGetFontEmbedingFlag(face), font->flags) << face;
        EXPECT_NE(-1, font->flags) << face;
        EXPECT_STREQ("NULL", font->dosName) << face;
    }
    EXPECT_EQ(-1, KernGetFontEmbedingFlag(raster.c_str())) << raster;
    EXPECT_EQ(nullptr, list.Find(raster.c_str())) << raster;
    EXPECT_EQ(2, list.Items());
}

TEST(TextFonts, ATextNotReadYetIsReadForItsFonts)
{
    PageHost host;
    host.pub.Write("polices.txt", RunIn("DejaVu Sans", "Des mots.\n"));
    int loaded = 0;
    TEXTE* text = LoadText(host, TextBlock({host.Page("polices.txt")}), &loaded);
    ASSERT_EQ(1, loaded);
    ASSERT_EQ(nullptr, text->document);
    FONTS_LIST list;
    text->GetFonts(&list);
    EXPECT_NE(nullptr, list.Find("DejaVu Sans"));
    EXPECT_EQ(nullptr, text->document);
    delete text;
}

}  // namespace
