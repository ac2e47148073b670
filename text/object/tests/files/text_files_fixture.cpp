// Reading the text object's files back for the tests.
#include "text_files_fixture.h"

#include "qxfile.h"
#include "rte_io.h"
#include "rte_native_translators.h"

RteHandle TextFilesTest::ReadBack(const std::string& path)
{
    RteHandle doc = MakeDocument();
    QXFILE file = QXopen(path.c_str(), 0);
    EXPECT_NE(nullptr, file) << path;
    if (!file)
        return doc;
    RteNativeImportFilter native;
    EXPECT_EQ(0, native.SetSource(&env_, reinterpret_cast<intptr_t>(file), nullptr, RteDirectFileReader, 0, -1));
    EXPECT_EQ(0, native.ImportInto(doc, 0, 0x71F, 0, false));
    QXclose(file);
    return doc;
}
