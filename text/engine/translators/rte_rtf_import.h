// RTF import: the translator that reads Rich Text Format into a document through the import
// protocol, one chunk of the RTF reader at a time.
#pragma once

#include <memory>

#include "rte_rtf_document.h"
#include "rte_translator.h"
#include "rtf_reader.h"

// A document older than this cannot take RTF.
constexpr uint32_t RTF_OLDEST_DOCUMENT = 0x10015;
constexpr int16_t RTF_ERR_OLD_DOCUMENT = 528;
// The type-word flag of an object's result picture.
constexpr uint32_t RTF_RESULT_PICTURE = 0x8000000;

class RteRTFImportFilter : public RteImportFilter, private RtfInput {
public:
    RteRTFImportFilter();
    ~RteRTFImportFilter() override;

    int16_t VerifyFormat() override;
    int16_t BeginImport() override;
    int32_t ReadChunk() override;
    int16_t EndImport() override;

private:
    int32_t NextByte() override { return RteImportFilter::NextByte(); }
    // An embedded object of the picture (its data taken), null when its kind is not kept.
    intptr_t MakeObject(RtfPicture& picture, intptr_t owner);

    std::unique_ptr<RtfDocumentHost> host_;
    std::unique_ptr<RtfReader> reader_;
    RtfChunk chunk_;
};
