// Documents of the text object and the files imported into them.
#include "text_document.h"

#include "filefetch.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "rte_edit_control.h"
#include "rte_editing.h"
#include "rte_error.h"
#include "rte_html_import.h"
#include "rte_io.h"
#include "rte_markup_import.h"
#include "rte_native_translators.h"
#include "rte_rtf_import.h"
#include "rte_runs.h"
#include "rte_styles.h"
#include "text_files.h"
#include "text_trailer.h"

#include <cstring>
#include <memory>

namespace {

// What a document of the object is: multi-line text that wraps.
constexpr uint32_t TextDocFlags = 0x826 | 0x10000;
// What an import brings across: text, styles, formats, page settings and their areas.
constexpr uint32_t ImportFlags = 0x71F;

RteRect EngineRect(const RECT& r) { return RteRect{r.top, r.left, r.bottom, r.right}; }

// The native translator that tells where the record stream ended, so that the trailer after
// it is found.
class NativeImport : public RteNativeImportFilter {
public:
    int32_t StreamBytes() const { return Consumed(); }
};

std::unique_ptr<RteImportFilter> TranslatorFor(int format)
{
    switch (format) {
    case TEXTFORMAT_RTF: return std::make_unique<RteRTFImportFilter>();
    case TEXTFORMAT_NATIVE: return std::make_unique<NativeImport>();
    case TEXTFORMAT_HTML: return std::make_unique<HTMLImportFilter>();
    case TEXTFORMAT_PLAIN: return std::make_unique<RteImportFilter>();
    default: return std::make_unique<RteQXTEXTImportFilter>();
    }
}

bool IsHtmlName(const char* path)
{
    QXSTRING extension;
    QXfnsplitStr(path, nullptr, nullptr, nullptr, &extension);
    return lstrcmpiA(extension, ".HTM") == 0 || lstrcmpiA(extension, ".HTML") == 0;
}

// The trailer of a TQX file: exactly QX_TRAILER_BYTES after the record stream.
void ReadTrailerAfter(QXFILE file, int32_t streamBytes, TEXTE* text)
{
    const long size = static_cast<long>(QXGetFileSize(file));
    if (size - streamBytes != QX_TRAILER_BYTES || QXSeekFile(file, streamBytes, 0) != streamBytes)
        return;
    BYTE trailer[QX_TRAILER_BYTES];
    if (QXReadFile(file, trailer, sizeof trailer) == QX_TRAILER_BYTES)
        ReadTextTrailer(trailer, text);
}

}  // namespace

bool EngineDo(const std::function<void()>& work)
{
    RteMemContext* context = TextEngine() ? RteControlContext() : nullptr;
    return context && RteTry(context, work) == 0;
}

RteHandle NewTextDocument(TEXTE* owner, HWND window, const RECT& view, const RECT& wrap)
{
    RteEnvironment* env = TextEngine();
    if (!env)
        return nullptr;
    RteHandle doc = nullptr;
    const RteRect viewRect = EngineRect(view), wrapRect = EngineRect(wrap);
    RteRectList viewList = nullptr, wrapList = nullptr;
    EngineDo([&] {
        viewList = RteNewRectList(RteControlContext(), &viewRect);
        wrapList = RteNewRectList(RteControlContext(), &wrapRect);
        doc = RteDocCreate(env, window ? static_cast<void*>(window) : RTE_PORT_ENVIRONMENT, viewList, wrapList,
                           nullptr, TextDocFlags);
        RteSetDocRef(doc, reinterpret_cast<intptr_t>(owner));
    });
    EngineDo([&] {
        if (viewList)
            RteFreeRectList(viewList);
        if (wrapList)
            RteFreeRectList(wrapList);
    });
    return doc;
}

int TextFormatOf(const char* path)
{
    QXFILE file = QXopen(path, 0);
    if (!file)
        return TEXTFORMAT_NONE;
    int16_t kind = RTE_STREAM_UNKNOWN;
    EngineDo([&] { kind = RteProbeStream(reinterpret_cast<intptr_t>(file), RteDirectFileReader, 0); });
    QXclose(file);
    switch (kind) {
    case RTE_STREAM_RTF: return TEXTFORMAT_RTF;
    case RTE_STREAM_RECORDS: return TEXTFORMAT_NATIVE;
    case RTE_STREAM_WORD: return TEXTFORMAT_QXTEXT;
    case 1: return TEXTFORMAT_PLAIN;
    default: return IsHtmlName(path) ? TEXTFORMAT_HTML : TEXTFORMAT_QXTEXT;
    }
}

int ImportTextFile(TEXTE* text, RteHandle doc, const char* path)
{
    RteEnvironment* env = TextEngine();
    const int format = TextFormatOf(path);
    if (!doc || !env || format == TEXTFORMAT_NONE)
        return TEXTFORMAT_NONE;
    QXFILE file = QXopen(path, 0);
    if (!file)
        return TEXTFORMAT_NONE;
    std::unique_ptr<RteImportFilter> translator = TranslatorFor(format);
    int16_t result = -1;
    const bool ran = EngineDo([&] {
        if (translator->SetSource(env, reinterpret_cast<intptr_t>(file), nullptr, RteDirectFileReader, 0, -1) == 0)
            result = translator->ImportInto(doc, RteTextLength(doc), ImportFlags, 0, false);
    });
    if (ran && result == 0 && format == TEXTFORMAT_NATIVE)
        ReadTrailerAfter(file, static_cast<NativeImport*>(translator.get())->StreamBytes(), text);
    QXclose(file);
    return ran && (result & 0xFFFF) == 0 ? format : TEXTFORMAT_NONE;
}

void ClearTextBackground(RteHandle doc)
{
    EngineDo([&] {
        const RteRange all{0, RteTextLength(doc)};
        RteCharStyle values{}, mask{};
        values.backColor = RteColor{0xFFFF, 0xFFFF, 0xFFFF};
        std::memset(&mask.backColor, 0xFF, sizeof mask.backColor);
        RteSetCharStyle(doc, &all, &values, &mask, 0);
    });
}

namespace {

// A document of no window for work on files.
RteHandle ScratchDocument(TEXTE* text)
{
    const RECT area{0, 0, 300, 200};
    return NewTextDocument(text, nullptr, area, area);
}

void DisposeDocument(RteHandle doc)
{
    if (doc)
        EngineDo([&] { RteDocDestroy(doc); });
}

}  // namespace

bool TakeDroppedFile(TEXTE* text, const char* path)
{
    RteHandle doc = ScratchDocument(text);
    bool taken = false;
    if (doc && ImportTextFile(text, doc, path) != TEXTFORMAT_NONE) {
        QXSTRING name = KernGetCachePath(text->GetKernel());
        name += "x";
        MakeTextTempName(text, &name);
        // The file is written from the scratch document, lent as the object's for the write.
        text->document = doc;
        taken = WriteTextFile(text, name) != 0;
        text->document = nullptr;
        if (taken) {
            text->fileName = name;
            text->localCopy = name;
            text->ownsTempFile = 1;
        } else {
            QXDeleteFile(name);
        }
    }
    DisposeDocument(doc);
    return taken;
}

bool ReplaceTextOfFile(TEXTE* text, const char* file, const char* replacement)
{
    RteHandle doc = ScratchDocument(text);
    bool done = false;
    if (doc && ImportTextFile(text, doc, file) != TEXTFORMAT_NONE) {
        const auto length = static_cast<int32_t>(std::strlen(replacement));
        done = EngineDo([&] {
            RteInsertText(doc, reinterpret_cast<const uint8_t*>(replacement), length, 0, 2, 0, 0);
            const RteRange rest{length, RteTextLength(doc)};
            if (rest.end > rest.start)
                RteDeleteRange(doc, &rest, 0);
        });
        text->document = doc;
        done = done && WriteTextFile(text, file) != 0;
        text->document = nullptr;
    }
    DisposeDocument(doc);
    return done;
}

bool LendScratchDocument(TEXTE* text)
{
    if (text->document)
        return false;
    QXSTRING local = text->ownsTempFile ? text->fileName : text->localCopy;
    if (!local.length() && text->fileName.length()) {
        GETFILE_STRUCT request;
        KernGetFile(text->GetKernel(), text->fileName, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
        local = request.localFile;
    }
    text->document = ScratchDocument(text);
    if (text->document && local.length() && DoFileExist(local))
        ImportTextFile(text, text->document, local);
    return text->document != nullptr;
}

void DropScratchDocument(TEXTE* text)
{
    DisposeDocument(text->document);
    text->document = nullptr;
}
