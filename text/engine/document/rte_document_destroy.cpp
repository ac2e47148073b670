// Sharing parts between documents, and destroying documents with what they own.
#include "rte_device.h"
#include "rte_document_internal.h"
#include "rte_position_cache.h"

using namespace rte_document;

namespace {

template <class Record>
void GiveBackRunUses(RteHandle runs, RteHandle table)
{
    RteLocked<RteStyleRun> entries(runs);
    RteLocked<Record> records(table);
    for (int32_t i = 0; i < entries.size(); ++i)
        --records[entries[i].index].useCount;
}

template <class Record>
void TakeRunUses(RteHandle runs, RteHandle table)
{
    RteLocked<RteStyleRun> entries(runs);
    RteLocked<Record> records(table);
    for (int32_t i = 0; i < entries.size(); ++i)
        ++records[entries[i].index].useCount;
}

void ShareArea(RteRectList& mine, RteRectList theirs)
{
    RteFreeRectList(mine);
    mine = theirs;
}

}  // namespace

void RteShareParts(RteHandle newHandle, RteHandle handle, uint32_t parts)
{
    DocLock doc(newHandle);
    DocLock other(handle);
    if (parts & RTE_SHARE_STYLES) {
        RteFree(doc->charStyles);
        RteFree(doc->parFormats);
        RteFree(doc->fonts);
        RteFree(doc->styleNames);
        doc->tableOwner = other->tableOwner ? other->tableOwner : handle;
        doc->charStyles = other->charStyles;
        doc->parFormats = other->parFormats;
        doc->fonts = other->fonts;
        doc->styleNames = other->styleNames;
        doc->insertStyle = other->insertStyle;
        DocLock(doc->tableOwner)->sharers += 1;
        TakeRunUses<RteCharStyle>(doc->charRuns, doc->charStyles);
        TakeRunUses<RteParFormat>(doc->parRuns, doc->parFormats);
    }
    if (parts & RTE_SHARE_PORT) {
        if (!(doc->flags & RTE_DOC_BORROWED_PORT))
            RteCurrentDevice().releasePort(&doc->port);
        doc->port = other->port;
        doc->flags |= RTE_DOC_BORROWED_PORT;
    }
    if (parts & RTE_SHARE_VIEW)
        ShareArea(doc->viewArea, other->viewArea);
    if (parts & RTE_SHARE_WRAP)
        ShareArea(doc->wrapArea, other->wrapArea);
    if (parts & RTE_SHARE_EXTRA)
        ShareArea(doc->extraArea, other->extraArea);
    doc->shared |= parts;
}

void RteDocDestroy(RteHandle handle)
{
    RteEnvironment* env = RteLocked<RteDocument>(handle)->env;
    RteMemContext* context = env->context;
    env->ownerHook(handle, RTE_OWNER_DESTROYING);
    RteDropDocPositions(handle);
    if (int32_t place = RteIsBoundDoc(context, handle))
        RteDelete(context->boundDocuments, place - 1, 1);
    uint32_t key;
    {
        DocLock doc(handle);
        key = doc->key;
        for (RteHandle& linked : doc->linked) {
            if (linked)
                RteDocDestroy(linked);
            linked = nullptr;
        }
        // A view's runs give back the uses they hold on the tables of the document it shares.
        if (doc->shared & RTE_SHARE_STYLES) {
            GiveBackRunUses<RteCharStyle>(doc->charRuns, doc->charStyles);
            GiveBackRunUses<RteParFormat>(doc->parRuns, doc->parFormats);
            DocLock(doc->tableOwner)->sharers -= 1;
        }
        if (doc->furtherLinked)
            RteDocDestroy(doc->furtherLinked);
        doc->furtherLinked = nullptr;
        if (!(doc->flags & RTE_DOC_BORROWED_PORT))
            RteCurrentDevice().releasePort(&doc->port);
    }
    RteFreeByKey(context, key);
}

void RteDestroyLinked(RteHandle doc)
{
    if (doc)
        RteDocDestroy(doc);
}
