// The engine as the benchmark programs run it: started on the GDI device with a memory context
// of its own, shut down with the program.
#pragma once

#include "rte_gdi.h"

class BenchEngine {
public:
    BenchEngine()
    {
        RteSetDevice(&RteGdiDevice());
        RteMemInit(&context_, 0);
        RteEngineStartup(&env_, &context_);
    }
    ~BenchEngine()
    {
        RteEngineShutdown(&env_);
        RteMemFree(&context_);
    }
    BenchEngine(const BenchEngine&) = delete;
    BenchEngine& operator=(const BenchEngine&) = delete;

protected:
    RteMemContext context_ = {};
    RteEnvironment env_ = {};
};
