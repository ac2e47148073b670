// The registry of record types of the record stream, and the small readers of stream bodies.
#include <cstring>

#include "rte_environment.h"
#include "rte_typed.h"

namespace {

constexpr uint16_t kRegistryGrowth = 8;
constexpr uint32_t kDefaultFlags = RTE_RECORD_DEFAULT_READER | RTE_RECORD_DEFAULT_WRITER;

bool Ignored(int16_t type) { return type < 0; }  // the top bit of the 16-bit type

RteRecordHandler DefaultEntry(int16_t type) { return RteRecordHandler{type, kDefaultFlags, nullptr, nullptr, nullptr, nullptr}; }

void AppendEntry(RteHandle registry, const RteRecordHandler& entry)
{
    *static_cast<RteRecordHandler*>(RteAppend(registry, 1, true)) = entry;
    RteUnlock(registry);
}

RteHandle Registry(RteEnvironment* env)
{
    if (!env->registry)
        RteMakeRegistry(env);
    return env->registry;
}

}  // namespace

void RteMakeRegistry(RteEnvironment* env)
{
    if (!env->registry)
        env->registry = RteAllocOf<RteRecordHandler>(env->context, 0, kRegistryGrowth, true);
    else
        RteSetCount(env->registry, 0);
    for (int16_t type = 0; type <= 26; ++type)
        if (type != 3 && type != 20 && type != 24)
            AppendEntry(env->registry, DefaultEntry(type));
    AppendEntry(env->registry, DefaultEntry(296));
    AppendEntry(env->registry, DefaultEntry(297));
}

RteRecordHandler* RteFindRecordType(RteHandle registry, int16_t type, int32_t* index)
{
    auto* entries = static_cast<RteRecordHandler*>(RteLock(registry));
    int32_t count = RteCount(registry);
    int32_t i = 0;
    while (i < count && entries[i].type < type)
        ++i;
    if (index)
        *index = i;
    if (i < count && entries[i].type == type)
        return &entries[i];
    RteUnlock(registry);
    return nullptr;
}

void RteRegisterRecordType(RteEnvironment* env, int16_t type, RteRecordProc reader, RteRecordProc writer,
                           RteIoProc readIo, RteIoProc writeIo)
{
    RteHandle registry = Registry(env);
    if (Ignored(type))
        return;
    int32_t index = 0;
    if (RteFindRecordType(registry, type, &index)) {
        RteUnlock(registry);
    } else {
        *static_cast<RteRecordHandler*>(RteInsert(registry, index, 1)) = DefaultEntry(type);
        RteUnlock(registry);
    }
    RteLocked<RteRecordHandler> entries(registry);
    RteRecordHandler& entry = entries[index];
    if (reader) {
        entry.reader = reader;
        entry.flags &= ~RTE_RECORD_DEFAULT_READER;
    }
    if (writer) {
        entry.writer = writer;
        entry.flags &= ~RTE_RECORD_DEFAULT_WRITER;
    }
    if (readIo)
        entry.readIo = readIo;
    if (writeIo)
        entry.writeIo = writeIo;
}

uint16_t RteGetRecordType(RteEnvironment* env, RteRecordHandler* entry)
{
    RteRecordHandler* found = RteFindRecordType(Registry(env), entry->type, nullptr);
    if (!found)
        return RTE_ERR_UNKNOWN_RECORD;
    *entry = *found;
    RteUnlock(env->registry);
    return 0;
}

uint16_t RteUnregisterRecordType(RteEnvironment* env, int16_t type)
{
    if (!env->registry)
        return RTE_ERR_UNKNOWN_RECORD;
    int32_t index = 0;
    if (!RteFindRecordType(env->registry, type, &index))
        return RTE_ERR_UNKNOWN_RECORD;
    RteUnlock(env->registry);
    RteDelete(env->registry, index, 1);
    if (RteCount(env->registry) == 0) {
        RteFree(env->registry);
        env->registry = nullptr;
    }
    return 0;
}

RteHandle RteRecordTypeList(RteEnvironment* env, const int16_t* types, int32_t count)
{
    RteHandle registry = Registry(env);
    if (!types)
        return RteDuplicate(registry);
    RteHandle list = RteAllocOf<RteRecordHandler>(env->context, 0, kRegistryGrowth, true);
    for (int32_t i = 0; i < count; ++i) {
        RteRecordHandler* found = RteFindRecordType(registry, types[i], nullptr);
        if (!found)
            continue;
        RteRecordHandler entry = *found;
        RteUnlock(registry);
        RteTryOrUndo(env->context, [&] { AppendEntry(list, entry); }, [&] { RteFree(list); });
    }
    return list;
}

void RteReaderInit(RteReader* reader, RteHandle body, size_t position)
{
    const auto* start = static_cast<const uint8_t*>(RteLock(body));
    size_t size = RteByteSize(body);
    position = position < size ? position : size;
    reader->start = start;
    reader->current = start + position;
    reader->left = size - position;
}

int32_t RteHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int32_t RteParseHex(const char* text, int32_t* value)
{
    int32_t used = text[0] == '-' ? 1 : 0;
    uint32_t result = 0;
    int32_t digits = 0;
    for (int32_t digit; (digit = RteHexDigit(text[used])) >= 0; ++used, ++digits)
        result = result * 16 + static_cast<uint32_t>(digit);
    if (digits == 0)
        return 0;
    *value = static_cast<int32_t>(text[0] == '-' ? 0u - result : result);
    return used;
}
