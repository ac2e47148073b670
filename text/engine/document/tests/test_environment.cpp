// The environment: start-up, default hooks, the record-type registry and hexadecimal digits.
#include <gtest/gtest.h>

#include <vector>

#include "document_fixture.h"

namespace {

using EnvironmentTest = DocumentTest;

std::vector<int16_t> Types(RteHandle list)
{
    std::vector<int16_t> types;
    for (const RteRecordHandler& entry : Elements<RteRecordHandler>(list))
        types.push_back(entry.type);
    return types;
}

uint16_t SomeReader(RteHandle, int16_t, RteHandle, int32_t*, intptr_t, int32_t*) { return 1; }
uint16_t SomeIo(void*, int32_t, int32_t*, int32_t*, intptr_t) { return 2; }

TEST_F(EnvironmentTest, StartupMakesTheCacheAndTheFreeMemoryHook)
{
    EXPECT_EQ(&context_, env_.context);
    EXPECT_EQ(RteReleaseBoundDocsText, context_.freeMemoryHook);
    for (const RteCacheEntry& entry : env_.cache) {
        ASSERT_NE(nullptr, entry.positions);
        ASSERT_NE(nullptr, entry.types);
        EXPECT_EQ(4, RteElementSize(entry.positions));
        EXPECT_EQ(16, RteGetGrowBy(entry.positions));
        EXPECT_EQ(2, RteElementSize(entry.types));
        EXPECT_EQ(224, RteGetPurgeFlags(entry.positions) & RTE_PURGE_PRIORITY_MASK);
        EXPECT_EQ(224, RteGetPurgeFlags(entry.types) & RTE_PURGE_PRIORITY_MASK);
        EXPECT_EQ(-1, entry.block);
        EXPECT_EQ(0u, entry.owner);
    }
    EXPECT_EQ(nullptr, env_.registry) << "made on first need";
}

TEST_F(EnvironmentTest, EveryHookSlotHoldsAFunction)
{
    const void* const* slots = reinterpret_cast<const void* const*>(&env_.hooks);
    for (int slot = 0; slot < RTE_DOCUMENT_HOOKS; ++slot)
        EXPECT_NE(nullptr, slots[slot]) << "document slot " << slot;
    slots = reinterpret_cast<const void* const*>(&env_.defaultStyle.hooks);
    for (int slot = 0; slot < RTE_CHAR_STYLE_HOOKS; ++slot)
        EXPECT_NE(nullptr, slots[slot]) << "style slot " << slot;
    slots = reinterpret_cast<const void* const*>(&env_.defaultFormat.hooks);
    for (int slot = 0; slot < RTE_PAR_FORMAT_HOOKS; ++slot)
        EXPECT_NE(nullptr, slots[slot]) << "paragraph slot " << slot;
    EXPECT_EQ(42, env_.hooks.lineAdjust(nullptr, 1, 2, 3, 4, 42)) << "slot 4 hands back its sixth argument";
}

TEST_F(EnvironmentTest, TheDefaultRegistry)
{
    RteMakeRegistry(&env_);
    std::vector<int16_t> expected;
    for (int16_t type = 0; type <= 26; ++type)
        if (type != 3 && type != 20 && type != 24)
            expected.push_back(type);
    expected.push_back(296);
    expected.push_back(297);
    EXPECT_EQ(expected, Types(env_.registry));
    for (const RteRecordHandler& entry : Elements<RteRecordHandler>(env_.registry))
        EXPECT_EQ(3u, entry.flags) << entry.type;
    RteMakeRegistry(&env_);
    EXPECT_EQ(expected, Types(env_.registry)) << "made again, not doubled";
}

TEST_F(EnvironmentTest, RegisteringReadersWritersAndTypes)
{
    RteRegisterRecordType(&env_, -5, SomeReader, SomeReader, SomeIo, SomeIo);
    ASSERT_NE(nullptr, env_.registry);
    RteRecordHandler entry = {};
    entry.type = -5;
    EXPECT_EQ(768, RteGetRecordType(&env_, &entry)) << "a type with the top bit set is ignored";

    RteRegisterRecordType(&env_, 2, SomeReader, nullptr, nullptr, nullptr);
    entry = {};
    entry.type = 2;
    ASSERT_EQ(0, RteGetRecordType(&env_, &entry));
    EXPECT_EQ(SomeReader, entry.reader);
    EXPECT_EQ(RTE_RECORD_DEFAULT_WRITER, entry.flags) << "only the reader's default flag goes";

    RteRegisterRecordType(&env_, 1052, nullptr, SomeReader, nullptr, SomeIo);
    entry = {};
    entry.type = 1052;
    ASSERT_EQ(0, RteGetRecordType(&env_, &entry));
    EXPECT_EQ(RTE_RECORD_DEFAULT_READER, entry.flags);
    EXPECT_EQ(SomeIo, entry.writeIo);
    std::vector<int16_t> types = Types(env_.registry);
    EXPECT_EQ(1052, types.back()) << "kept in type order";
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(EnvironmentTest, UnregisteringTheLastEntryFreesTheRegistry)
{
    RteMakeRegistry(&env_);
    EXPECT_EQ(768, RteUnregisterRecordType(&env_, 3));
    for (int16_t type : Types(env_.registry))
        EXPECT_EQ(0, RteUnregisterRecordType(&env_, type));
    EXPECT_EQ(nullptr, env_.registry);
    RteRegisterRecordType(&env_, 1052, SomeReader, nullptr, nullptr, nullptr);
    EXPECT_EQ(27u, Types(env_.registry).size()) << "the default registry first, then the new type";
}

TEST_F(EnvironmentTest, TypeListsKeepListOrderAndLeaveOutUnknownTypes)
{
    const int16_t types[] = {297, 3, 0, 20, 12};
    RteHandle list = RteRecordTypeList(&env_, types, 5);
    EXPECT_EQ((std::vector<int16_t>{297, 0, 12}), Types(list));
    RteFree(list);
    RteHandle whole = RteRecordTypeList(&env_, nullptr, 0);
    EXPECT_EQ(Types(env_.registry), Types(whole));
    RteFree(whole);
}

TEST_F(EnvironmentTest, FindingATypeTellsWhereItWouldStand)
{
    RteMakeRegistry(&env_);
    int32_t index = -1;
    EXPECT_EQ(nullptr, RteFindRecordType(env_.registry, 3, &index));
    EXPECT_EQ(3, index);
    RteRecordHandler* found = RteFindRecordType(env_.registry, 4, &index);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(4, found->type);
    EXPECT_EQ(3, index);
    RteUnlock(env_.registry);
    EXPECT_EQ(0, LockedHandles());
}

struct HexCase {
    const char* text;
    int32_t used;
    int32_t value;
};

TEST_F(EnvironmentTest, HexadecimalNumbers)
{
    const HexCase cases[] = {
        {"FFFE", 4, 0xFFFE}, {"-1A", 3, -0x1A}, {"0009xyz", 4, 9}, {"7fff", 1, 7},
        {":", 0, -99},       {"@", 0, -99},     {"-", 0, -99},     {"00000006", 8, 6},
    };
    for (const HexCase& c : cases) {
        int32_t value = -99;
        EXPECT_EQ(c.used, RteParseHex(c.text, &value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
    EXPECT_EQ(15, RteHexDigit('F'));
    EXPECT_EQ(-1, RteHexDigit('f'));
    EXPECT_EQ(-1, RteHexDigit(':'));
}

TEST_F(EnvironmentTest, ReaderOverABody)
{
    RteHandle body = RteNewFromData(&context_, "abcdef", 1, 6);
    RteReader reader;
    RteReaderInit(&reader, body, 2);
    EXPECT_EQ(4u, reader.left);
    EXPECT_EQ('c', *reader.current);
    EXPECT_EQ(2, reader.current - reader.start);
    RteUnlock(body);
    RteFree(body);
}

TEST_F(EnvironmentTest, TextWidthOfTheNullDevice)
{
    EXPECT_EQ(7 + 5 + 3 + 6, RteTextWidth(&env_.port, "Ab 1", 4));
    EXPECT_EQ(nullptr, env_.port.dc) << "the null device holds no device context";
}

}  // namespace
