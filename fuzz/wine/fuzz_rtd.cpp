// The rich-text engine's record stream target: an "RTD" file (the form the text object's
// records and the "RTEDOC" clipboard data take) read into a document with the object, line and
// sub-document records registered, then each document saved and read again, as an editor
// would keep what it opened.
#include "fuzz_targets.h"

#include "rte_io.h"
#include "rte_memory_internal.h"
#include "rte_object_stream.h"

namespace {

RteHandle g_subDocument;

// Every sub-document of the stream goes into one second document.
uint16_t TakeSubDocument(RteHandle, int16_t, RteHandle, int32_t*, intptr_t argument, int32_t*)
{
    *reinterpret_cast<RteHandle*>(argument) = g_subDocument;
    return 1;
}

// The document saved into memory and read back into a second one.
void SaveAndReread(RteEnvironment* env, RteHandle doc)
{
    RteHandle saved = RteAlloc(env->context, 1, 0, 256, false);
    auto reference = reinterpret_cast<intptr_t>(saved);
    int32_t position = 0;
    if (RteSaveDoc(doc, &position, nullptr, 0, RteMemWriter, reference, 0) == 0 &&
        RteSaveDocEnd(doc, &position, RteMemWriter, reference) == 0) {
        RteHandle again = RteNewDocument(env);
        position = 0;
        RteReadDoc(again, &position, nullptr, 0, RteMemReader, reference);
        RteDocDestroy(again);
    }
    RteFree(saved);
}

}  // namespace

void ReadRecordStream(const std::string& path)
{
    RteMemContext context;
    RteEnvironment env;
    RteMemInit(&context, 0);
    RteEngineStartup(&env, &context);
    RteRegisterObjectRecords(&env, nullptr, 0);
    RteRegisterRecordType(&env, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    RteRegisterRecordType(&env, RTE_REC_SUBDOCUMENT, TakeSubDocument, nullptr, nullptr, nullptr);
    g_subDocument = RteNewDocument(&env);
    RteHandle name = RteNewString(&context, path.c_str());
    intptr_t file = 0;
    if (RteFileOpen(name, 0, &file) == 0) {
        // The file callbacks take a handle whose first element is the file.
        RteHandle reference = RteNewFromData(&context, &file, sizeof file, 1);
        RteHandle doc = RteNewDocument(&env);
        int32_t position = 0;
        RteReadDoc(doc, &position, nullptr, 0, nullptr, reinterpret_cast<intptr_t>(reference));
        RteFileClose(file);
        SaveAndReread(&env, doc);
        RteDocDestroy(doc);
        RteFree(reference);
    }
    SaveAndReread(&env, g_subDocument);
    RteDocDestroy(g_subDocument);
    RteFree(name);
    RteEngineShutdown(&env);
    RteMemFree(&context);
}
