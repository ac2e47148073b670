// RTF export: the translator that writes a document, or a range of it, as Rich Text Format:
// a header (character set, default font, font table, colour table, style sheet, margins),
// then each piece of text as a group holding its style's differences from a base state, with
// paragraph properties after "\pard" where the format changes, and embedded pictures and
// objects as hexadecimal data.
#pragma once

#include <vector>

#include "rte_translator.h"

class RteRTFExportFilter : public RteExportFilter {
public:
    RteRTFExportFilter();

    int16_t BeginExport() override;
    int32_t WriteChunk() override;
    int16_t EndExport() override;
    // Hooks of the header and of each piece; a non-zero code is raised as an engine error.
    virtual int16_t WriteHeaderExtra() { return 0; }
    virtual int16_t WriteHeaderExtra2() { return 0; }
    virtual void WriteObject(RteHandle object);
    virtual int16_t WriteRunExtra() { return 0; }

protected:
    // A control word with an optional parameter, then a space when asked, else the delimiter
    // is left to what follows.
    void Word(const char* word, bool space = false);
    void Word(const char* word, int32_t parameter, bool space = false);
    void Brace(uint8_t brace);
    void Text(const uint8_t* bytes, int32_t count);
    void CharacterProperties(const RteCharStyle& style, const RteCharStyle& reference);
    void ParagraphProperties(const RteParFormat& format, const RteParFormat& reference);
    int32_t Twips(int32_t pixels);

private:
    struct Group {
        RteCharStyle style;
        RteFont font;
    };

    void Hook(int16_t code);
    void LineBreakIfLong();
    void Header();
    void FontTable();
    void ColourTable();
    void StyleSheet();
    int32_t ColourIndex(const RteColor& colour) const;
    bool WritePicture(RteHandle object);
    void WriteHexData(const uint8_t* data, int32_t count);

    char sheetName_[64] = "Normal Text";
    std::vector<Group> groups_;
    std::vector<RteFont> fonts_;
    std::vector<RteColor> colours_;
    RteCharStyle baseStyle_{};
    RteParFormat baseFormat_{};
    RteFont baseFont_{};
    size_t headerDepth_ = 0;
    int32_t lineStart_ = 0;  // bytes written when the last line break was
};

// The RTF family word of a font name ("fswiss", ...; "fnil" when the table lists none).
const char* RtfFontFamily(const char* name);
