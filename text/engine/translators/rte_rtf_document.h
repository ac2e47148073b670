// What the RTF reader needs of the document it reads into: units at the document's
// resolution, its default format and tab edge, named styles, fonts and embedded objects.
#pragma once

#include <functional>
#include <optional>
#include <unordered_map>

#include "rte_document.h"
#include "rtf_reader.h"

class RtfDocumentHost : public RtfReaderHost {
public:
    RtfDocumentHost(RteHandle doc, bool keepPictures) : doc_(doc), keepPictures_(keepPictures) {}

    int32_t TwipsToDevice(int32_t twips) override;
    RteParFormat DocumentFormat() override;
    int32_t TabOffset() override;
    uint8_t UnicodeByte(uint16_t character) override;
    void MapFont(RteFont& font) override;
    void DefaultFontRead(const RteFont& font) override;
    int32_t AddNamedStyle(const char* name, const RteCharStyle& style, const RteFont* font,
                          const RteParFormat* format) override;
    void DefaultNamedStyle(int32_t index, const RteParFormat* format) override;
    void ApplyNamedStyle(int32_t index, RteCharStyle& style, RteFont& font, RteParFormat& format) override;
    bool KeepsPictures() override { return keepPictures_; }
    intptr_t MakeObject(RtfPicture& picture, intptr_t owner) override;

    // The translator's font mapping, for the font table's default font, and its making of
    // embedded objects.
    void SetFontMapper(std::function<void(RteFont&)> mapper) { mapper_ = std::move(mapper); }
    void SetObjectMaker(std::function<intptr_t(RtfPicture&, intptr_t)> maker) { maker_ = std::move(maker); }

private:
    // RTF repeats the same few lengths and "\pard" in every paragraph: both are worked out once.
    std::unordered_map<int32_t, int32_t> lengths_;
    std::optional<RteParFormat> format_;
    std::function<void(RteFont&)> mapper_;
    std::function<intptr_t(RtfPicture&, intptr_t)> maker_;
    RteHandle doc_;
    bool keepPictures_;
};

// The left edge of the wrap area's bounds when the document's tab base is not -1, else 0: the
// part of a tab position that RTF does not carry.
int32_t RtfTabEdge(RteHandle doc);
