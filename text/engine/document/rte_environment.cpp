// The environment's start and end.
#include "rte_environment.h"

#include <cstring>

#include "rte_default_hooks.h"
#include "rte_device.h"

namespace {

constexpr int32_t kDefaultPoints = 12;
constexpr uint16_t kPositionsGrowth = 16;

void NoOwner(void*, int32_t) {}

void FillDefaults(RteEnvironment* env)
{
    std::strcpy(env->defaultFont.name, "Arial");
    env->defaultFont.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
    env->defaultStyle.pointSize = kDefaultPoints << 16;
    env->defaultStyle.hScale = 0;
    env->defaultStyle.textColor = {0, 0, 0};
    env->defaultStyle.backColor = {0xFFFF, 0xFFFF, 0xFFFF};
    env->textColor = {0, 0, 0};
    env->backColor = {0xFFFF, 0xFFFF, 0xFFFF};
}

void FreeCache(RteEnvironment* env)
{
    for (RteCacheEntry& entry : env->cache) {
        if (entry.positions)
            RteFree(entry.positions);
        if (entry.types)
            RteFree(entry.types);
        entry = RteCacheEntry{nullptr, nullptr, -1, 0, 0, 0};
    }
    if (env->cacheOverflow) {
        RteUnlockAllAndFree(env->cacheOverflow);
        env->cacheOverflow = nullptr;
    }
}

void MakeCache(RteEnvironment* env)
{
    for (RteCacheEntry& entry : env->cache) {
        entry.positions = RteAlloc(env->context, sizeof(int32_t), 0, kPositionsGrowth, false);
        RteSetPurgeFlags(entry.positions, RTE_CACHE_PRIORITY, false);
        entry.types = RteAlloc(env->context, sizeof(int16_t), 0, 0, false);
        RteSetPurgeFlags(entry.types, RTE_CACHE_PRIORITY, false);
        entry.block = -1;
    }
}

}  // namespace

void RteEngineStartup(RteEnvironment* env, RteMemContext* context)
{
    std::memset(env, 0, sizeof *env);
    env->context = context;
    env->ownerHook = NoOwner;
    FillDefaults(env);
    RteFillDefaultHooks(env);
    context->freeMemoryHook = RteReleaseBoundDocsText;
    RteCurrentDevice().startup(env);
    for (RteCacheEntry& entry : env->cache)
        entry.block = -1;
    RteTryOrUndo(context, [&] { MakeCache(env); },
                 [&] {
                     FreeCache(env);
                     RteCurrentDevice().shutdown(env);
                 });
    env->ownerHook(env, RTE_OWNER_STARTUP);
}

void RteEngineShutdown(RteEnvironment* env)
{
    RteCurrentDevice().shutdown(env);
    FreeCache(env);
    if (env->registry) {
        RteUnlockAllAndFree(env->registry);
        env->registry = nullptr;
    }
}
