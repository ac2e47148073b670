#include "dialog_answerer.h"
#include "qxsupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool AllZero(const void* block, size_t bytes)
{
    const auto* p = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < bytes; ++i)
        if (p[i])
            return false;
    return true;
}

TEST(Allocator, EveryBlockStartsZeroFilledEvenWhenTheHeapReusesMemory)
{
    for (int round = 0; round < 50; ++round) {
        auto* block = new unsigned char[4096];
        ASSERT_TRUE(AllZero(block, 4096)) << "round " << round;
        std::memset(block, 0xFF, 4096);
        delete[] block;
    }
    struct Record { int a; double b; char name[40]; void* p; };
    Record* record = new Record;  // no initialiser: the zero fill is the contract
    EXPECT_TRUE(AllZero(record, sizeof *record));
    delete record;
}

TEST(Allocator, ZeroBytesGiveABlockAndNoBox)
{
    DialogAnswerer answerer;
    void* block = ::operator new(0);
    EXPECT_NE(block, nullptr);
    ::operator delete(block);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(Allocator, OutOfMemoryShowsTheFrenchBoxAndYieldsNull)
{
    DialogAnswerer answerer;
    void* block = ::operator new(size_t(1) << 62);
    EXPECT_EQ(block, nullptr);
    char* array = new char[size_t(1) << 61];
    EXPECT_EQ(array, nullptr);
    ASSERT_EQ(answerer.Shown().size(), 2u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Erreur");
    EXPECT_EQ(answerer.Shown()[0].text,
              "Le système est en manque de mémoire\n"
              "Veuillez fermer des applications avant de continuer.");
}

TEST(Allocator, CallocZeroFailsQuietly)
{
    DialogAnswerer answerer;
    EXPECT_EQ(QXCallocZero(size_t(1) << 31, size_t(1) << 31), nullptr);
    void* block = QXCallocZero(10, 10);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(AllZero(block, 100));
    free(block);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(Allocator, ArrayCleanerReleasesItsArray)
{
    // Released through the module's own delete[]: nothing to observe but that it runs cleanly
    // with and without an array.
    { TArrayCleaner<long> none; }
    TArrayCleaner<long> cleaner(new long[16]);
    EXPECT_NE(cleaner.Get(), nullptr);
}

}  // namespace
