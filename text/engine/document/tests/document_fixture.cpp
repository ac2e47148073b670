// The tests' memory context, environment and documents with text.
#include "document_fixture.h"

#include <cstring>

#include "rte_memory_internal.h"
#include "rte_text_blocks.h"

void DocumentTest::SetUp()
{
    RteMemInit(&context_, 0);
    RteEngineStartup(&env_, &context_);
}

void DocumentTest::TearDown()
{
    RteEngineShutdown(&env_);
    RteMemFree(&context_);
}

RteHandle DocumentTest::MakeDocument(const std::string& text)
{
    RteHandle handle = RteNewDocument(&env_);
    if (!handle || text.empty())
        return handle;
    RteLocked<RteDocument> doc(handle);
    int32_t length = static_cast<int32_t>(text.size());
    {
        RteLocked<RteTextBlock> blocks(doc->blocks);
        RteSetCount(blocks[0].text, length);
        std::memcpy(RteLocked<char>(blocks[0].text).get(), text.data(), text.size());
        blocks[0].length = length;
    }
    doc->textLength = length;
    // The runs' sentinels follow the text.
    RteLocked<RteStyleRun>(doc->charRuns)[1].offset = length + 2;
    RteLocked<RteStyleRun>(doc->parRuns)[1].offset = length + 2;
    return handle;
}

int DocumentTest::LockedHandles() const
{
    int locked = 0;
    rte_memory::ForEachHandle(const_cast<RteMemContext*>(&context_), [&](RteHandle handle) {
        if (RteLockCount(handle) > 0)
            ++locked;
    });
    return locked;
}

int DocumentTest::LiveHandles() const
{
    int live = 0;
    rte_memory::ForEachHandle(const_cast<RteMemContext*>(&context_), [&](RteHandle) { ++live; });
    return live;
}

RteDocument DocumentOf(RteHandle doc)
{
    RteDocument copy;
    RteGetElement(doc, 0, &copy);
    return copy;
}
