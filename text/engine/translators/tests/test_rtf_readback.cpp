// A document with bold and italic words written as RTF for other readers: the export holds the
// words in bold and italic groups. With QX_RTF_SAMPLE set, the RTF is also saved there for the
// readers that check it (rtf_readback.sh: pandoc and unrtf).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "rtf_fixture.h"

namespace {

TEST_F(RtfTest, SampleForOtherReaders)
{
    RteHandle doc = Import("{\\rtf1 Plain words, {\\b bold words} and {\\i italic words}.\\par "
                           "Second line with {\\b\\i both} at the end.\\par}");
    std::string rtf = Export(doc);
    EXPECT_NE(rtf.find("{\\b bold words}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\i italic words}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\b\\i both}"), std::string::npos) << rtf;
    if (const char* path = std::getenv("QX_RTF_SAMPLE")) {
        std::ofstream file(path, std::ios::binary);
        file << rtf;
        EXPECT_TRUE(file.good()) << path;
    }
}

}  // namespace
