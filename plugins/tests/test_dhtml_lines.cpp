// The script lines of exported pages: names taken from the objects' user IDs are written as
// script strings, so that a quote or a backslash in a name cannot end the string.
#include "pagehost.h"

#include "accessors.h"
#include "qxfile.h"

#include <gtest/gtest.h>

namespace {

std::string ExportLine(OBJET* object, const ScratchDir& dir)
{
    QXFILE file = QXopen((dir / "script.js").c_str(), 1);
    int index = 4;
    EXPECT_EQ(1, object->ExportToDHTML(file, index));
    QXclose(file);
    return dir.Read("script.js");
}

}  // namespace

TEST(DhtmlLine, NamesAreScriptStrings)
{
    PageHost host;
    host.pub.Write("tone.wav", WavFile(100));
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "p\"age\\", NoBranch(), PageBlock("A", 1, 2, 3)),
                                      ObjectRecord("QXAUDIO.DLL", 0, "so\"n", NoBranch(),
                                                   {"SOUND {", "10 10 48 48", ".\\tone.wav", "1", "2", "}"})}));
    ASSERT_EQ(1, host.Go("a.pag"));
    ScratchDir out;
    const std::string page = ExportLine(KernGetTopObjet(host), out);
    EXPECT_EQ(0u, page.find("QXObjects[objindex++] = QXPage(\"p\\\"age\\\\\",")) << page;
    EXPECT_NE(std::string::npos, page.find(",null,\"#010203\",\"\");\r\n")) << page;
    const std::string sound = ExportLine(KernFindObjetEx(host, "so\"n"), out);
    EXPECT_EQ(0u, sound.find("QXObjects[objindex++] = QXSound(\"so\\\"n\",0,")) << sound;
    EXPECT_NE(std::string::npos, sound.find(",1,2);\r\n")) << sound;
}
