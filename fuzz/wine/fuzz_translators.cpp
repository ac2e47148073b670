// The rich-text engine's translators as readers of outside files: plain text (in any byte
// order), the text object's command markup, HTML and the engine's own record stream (its line
// records and sub-documents included), each imported into a new document with everything its
// flags can carry.
#include <windows.h>

#include <cstring>
#include <optional>

#include "fuzz_files.h"
#include "fuzz_targets.h"
#include "rte_html_import.h"
#include "rte_markup_import.h"
#include "rte_native_translators.h"
#include "rte_record_stream.h"

namespace {

constexpr uint32_t kEverything = RTE_IMPORT_TEXT | RTE_IMPORT_STYLES | RTE_IMPORT_FORMATS | RTE_IMPORT_PAGE;

RteHandle g_subDocument;

uint16_t TakeSubDocument(RteHandle, int16_t, RteHandle, int32_t*, intptr_t argument, int32_t*)
{
    *reinterpret_cast<RteHandle*>(argument) = g_subDocument;
    return 1;
}

// The records a stream may carry beyond the registered ones: line records, and sub-documents,
// all read into one more document; registered so that their readers are fuzzed too.
class OptionalRecords {
public:
    explicit OptionalRecords(RteEnvironment* env)
    {
        RteRegisterRecordType(env, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
        RteRegisterRecordType(env, RTE_REC_SUBDOCUMENT, TakeSubDocument, nullptr, nullptr, nullptr);
        g_subDocument = RteNewDocument(env);
    }
    ~OptionalRecords() { RteDocDestroy(g_subDocument); }
    OptionalRecords(const OptionalRecords&) = delete;
    OptionalRecords& operator=(const OptionalRecords&) = delete;
};

template <class Filter>
void ImportFile(const std::string& path, int32_t charset, bool optionalRecords = false)
{
    std::string bytes = FileBytes(path);
    RteMemContext context = {};
    RteEnvironment env = {};
    RteMemInit(&context, 0);
    RteEngineStartup(&env, &context);
    RteTry(&context, [&] {
        RteHandle source = RteAlloc(&context, 1, static_cast<int32_t>(bytes.size()), 0, false);
        std::memcpy(RteLock(source), bytes.data(), bytes.size());
        RteUnlock(source);
        RteHandle doc = RteNewDocument(&env);
        {
            std::optional<OptionalRecords> optional;
            if (optionalRecords)
                optional.emplace(&env);
            Filter filter;
            filter.SetSourceCharset(charset);
            if (filter.SetSource(&env, 0, source, nullptr, 0, -1) == 0 && filter.VerifyFormat() != RTE_ERR_STREAM_DAMAGED)
                filter.ImportInto(doc, -1, kEverything, 0, false);
        }
        RteDocDestroy(doc);
        RteFree(source);
    });
    RteEngineShutdown(&env);
    RteMemFree(&context);
}

}  // namespace

void ImportPlainText(const std::string& path)
{
    ImportFile<RteImportFilter>(path, RTE_CHARSET_ANSI);
    ImportFile<RteImportFilter>(path, RTE_CHARSET_MAC);
}

void ImportMarkup(const std::string& path) { ImportFile<RteQXTEXTImportFilter>(path, RTE_CHARSET_ANSI); }

void ImportHtml(const std::string& path) { ImportFile<HTMLImportFilter>(path, RTE_CHARSET_ANSI); }

void ImportNativeStream(const std::string& path) { ImportFile<RteNativeImportFilter>(path, RTE_CHARSET_ANSI, true); }
