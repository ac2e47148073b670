// Records 0, 15 and 19: the document's settings, its page settings and the environment's
// defaults. The settings carry no pointer: the linked document is 0 (itself) or 1, the host
// value a plain number that is never read back into the document.
#include <cstring>

#include "rte_catalogue.h"
#include "rte_record_fields.h"

using namespace rte_catalogue;

namespace {

constexpr uint32_t kFlagsNotRead = 0x00A50000;
constexpr uint32_t kFlagsKept = 0x800000;

template <class V>
void SettingsFields(V& v, RteDocument& d, int32_t& writerVersion, int32_t& linked, int32_t& host)
{
    v.L(writerVersion);
    v.L(d.state);
    v.L(d.flags);
    if (v.Has(0x1000B))
        v.L(d.flags2);
    if (v.Has(0x10010)) {
        v.L(linked);
        v.L(d.tabBase);
        v.L(d.scalingGiven);
    }
    v.L(d.resolution);
    v.L(d.repeatGapV);
    v.L(d.repeatGapH);
    v.L(d.layoutFlags);
    v.S(d.styleSetting);
    v.S(d.value9);
    v.S(d.insertStyle);
    v.S(d.currentStyle);
    v.L(d.scrollMaskH);
    v.L(d.scrollMaskV);
    v.Pair(d.pair1);
    v.Pair(d.pair2);
    v.Pair(d.savedScroll);
    v.L(d.scaling.originV);
    v.L(d.scaling.originH);
    v.L(d.scaling.factor);
    v.Rect(d.textBounds);
    if (!v.More())
        return;
    int16_t spare = 0;
    v.Colour(d.backColor, spare);
    if (!v.More())
        return;
    v.Pair(d.port.origin);
    v.L(d.currentStyleName);
    v.L(host);
    v.L(d.nameChanges);
    v.Pair(d.viewOrigin);
    if (!v.Has(0x10017))
        v.Skip();
    int16_t last = 0;
    v.S(last);
}

template <class V>
void PageFields(V& v, RtePageSettings& p)
{
    v.L(p.flags);
    v.Rect(p.margins);
    v.L(p.width);
    v.L(p.height);
    v.L(p.columns);
    v.L(p.gap);
    for (int32_t& value : p.values)
        v.L(value);
}

template <class V>
void EnvironmentFields(V& v, RteEnvironment& e)
{
    for (int16_t& setting : e.settings)
        v.S(setting);
    v.Bytes(e.defaultsBlock, sizeof e.defaultsBlock, sizeof e.defaultsBlock);
    int16_t spare = 0;
    v.Colour(e.textColor, spare);
    v.Colour(e.backColor, spare);
}

void ReadDocumentSettings(RteDocument* doc, RteBodyReader& body, RteStreamPass* pass)
{
    // The version comes first: it decides which fields follow.
    RteBodyReader peek = body;
    int32_t version = peek.Long();
    RteDocument read = *doc;
    int32_t writerVersion = 0, linked = 0, host = 0;
    RteFieldReader reader(body, version);
    SettingsFields(reader, read, writerVersion, linked, host);
    CheckBody(doc, body);
    pass->version = writerVersion;
    uint32_t flags = (read.flags & ~kFlagsNotRead & ~kFlagsKept) | (doc->flags & kFlagsKept) | RTE_DOC_READING;
    RtePoint scroll = read.savedScroll;
    // Pointers and the host's value stay the document's own.
    read.env = doc->env;
    read.hostRef = doc->hostRef;
    read.linkedDoc = doc->linkedDoc;
    read.port.window = doc->port.window;
    read.flags = flags;
    if (!(doc->flags & RTE_DOC_RESET_SCROLL))
        read.scroll = scroll;
    std::memcpy(doc, &read, sizeof read);
}

}  // namespace

namespace rte_catalogue {

void WriteSettings(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t*, RteStreamPass*)
{
    RteFieldWriter writer(body);
    if (type == RTE_REC_SETTINGS) {
        RteDocument copy = *doc;
        copy.savedScroll = doc->scroll;
        int32_t version = static_cast<int32_t>(RTE_STREAM_VERSION);
        int32_t linked = doc->linkedDoc && doc->linkedDoc != doc->self ? 1 : 0;
        int32_t host = static_cast<int32_t>(doc->hostRef);
        SettingsFields(writer, copy, version, linked, host);
    } else if (type == RTE_REC_PAGE) {
        RtePageSettings page = doc->page;
        page.flags = doc->layoutFlags;
        PageFields(writer, page);
    } else if (type == RTE_REC_ENVIRONMENT) {
        RteEnvironment env = *doc->env;
        EnvironmentFields(writer, env);
    }
}

void ReadSettings(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t, RteStreamPass* pass)
{
    if (type == RTE_REC_SETTINGS) {
        ReadDocumentSettings(doc, body, pass);
    } else if (type == RTE_REC_PAGE) {
        RtePageSettings page = {};
        RteFieldReader reader(body, pass->version);
        PageFields(reader, page);
        CheckBody(doc, body);
        doc->page = page;
        doc->layoutFlags = page.flags;
    } else if (type == RTE_REC_ENVIRONMENT && pass->envCopy) {
        RteEnvironment env = *pass->envCopy;
        RteFieldReader reader(body, pass->version);
        EnvironmentFields(reader, env);
        CheckBody(doc, body);
        *pass->envCopy = env;
    }
}

}  // namespace rte_catalogue
