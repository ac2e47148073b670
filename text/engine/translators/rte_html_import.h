// HTML read for its text and line structure only: the title, styles and scripts are left out,
// paragraph and line-break tags become paragraph ends, runs of control characters fold into
// one space and character entities become bytes of code page 1252; every other tag and all
// formatting are dropped.
#pragma once

#include <string>

#include "rte_translator.h"

class HTMLImportFilter : public RteImportFilter {
public:
    HTMLImportFilter();

    int16_t VerifyFormat() override;  // chosen by the caller, never recognised by probing
    int16_t BeginImport() override;
    int32_t ReadChunk() override;

private:
    void ReadTag();
    void RunTag();
    void ReadEntity();
    void TakeChar(uint8_t byte);

    RteFont font_ = {};
    RteCharStyle style_ = {};
    std::string tag_;
    bool tagPending_ = false;
    bool entityPending_ = false;
    bool output_ = true;
    bool whiteSpace_ = false;
    bool paragraphStart_ = false;  // nothing written since a paragraph end
    std::string hiddenUntil_;  // the closing tag that ends the part left out
};

// The byte of an entity's name or number ("amp", "#233", "#x20AC"); -1 for a name it does not
// know (the entity then gives nothing), '?' for a character code page 1252 lacks.
int32_t RteHtmlEntityByte(const std::string& entity);
