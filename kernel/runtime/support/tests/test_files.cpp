#include "qxsupport.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

class FileHelpers : public testing::Test {
protected:
    void SetUp() override
    {
        file = CreateFileA(dir.operator/("f.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { CloseHandle(file); }

    ScratchDir dir;
    QXFILE file = nullptr;
};

TEST_F(FileHelpers, WritesReadsAndSeeksWithTheSystemConventions)
{
    EXPECT_EQ(QXWriteString(file, "ligne 1\r\n"), 9);
    EXPECT_EQ(QXWriteFile(file, "abc", 3), 3);
    EXPECT_EQ(QXGetFileSize(file), 12u);

    EXPECT_EQ(QXSeekFile(file, 0, 0), 0);
    char buffer[32] = {};
    EXPECT_EQ(QXReadFile(file, buffer, 9), 9);
    EXPECT_STREQ(buffer, "ligne 1\r\n");
    EXPECT_EQ(QXSeekFile(file, 1, 1), 10);
    EXPECT_EQ(QXSeekFile(file, -1, 2), 11);
    EXPECT_EQ(QXReadFile(file, buffer, sizeof buffer), 1);
    EXPECT_EQ(buffer[0], 'c');
    EXPECT_EQ(QXReadFile(file, buffer, sizeof buffer), 0) << "end of file";

    EXPECT_EQ(QXSeekFile(file, 5, 3), -1) << "unknown origin";
    EXPECT_EQ(QXSeekFile(file, 0, 1), 12) << "the position did not move";
}

TEST_F(FileHelpers, FailuresAnswerMinusOne)
{
    EXPECT_EQ(QXReadFile(INVALID_HANDLE_VALUE, nullptr, 4), -1);
    EXPECT_EQ(QXWriteFile(INVALID_HANDLE_VALUE, "x", 1), -1);
}

TEST(NullSafeWrappers, RefuseNullWithoutCalling)
{
    EXPECT_EQ(QXDeleteFile(nullptr), 0);
    EXPECT_EQ(QXRemoveDirectory(nullptr), 0);
    EXPECT_EQ(QXInvalidateRect(nullptr, nullptr, TRUE), 0);
}

TEST(NullSafeWrappers, PassThroughOtherwise)
{
    ScratchDir dir;
    dir.Write("gone.txt", "x");
    EXPECT_NE(QXDeleteFile((dir / "gone.txt").c_str()), 0);
    EXPECT_EQ(GetFileAttributesA((dir / "gone.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    CreateDirectoryA((dir / "sub").c_str(), nullptr);
    EXPECT_NE(QXRemoveDirectory((dir / "sub").c_str()), 0);
}

}  // namespace
