// The text object's command markup: plain text with "#${" command "}" sequences that set the
// font (as the fields of a Windows logical font), the colours, the background mode and the
// active areas (runs that carry a branch number).
#pragma once

#include <string>

#include "rte_device_units.h"
#include "rte_translator.h"

class RteQXTEXTImportFilter : public RteImportFilter {
public:
    RteQXTEXTImportFilter();

    int16_t VerifyFormat() override;  // chosen by the caller, never recognised by probing
    int16_t BeginImport() override;
    int32_t ReadChunk() override;

private:
    void ReadCommand();
    void RunCommand(std::string command);
    void SetFont(const std::vector<std::string>& fields);
    void TakeChar(uint8_t byte);

    RteFont font_ = {};
    RteCharStyle style_ = {};
    // The font and style the last chunk was given, before the document mapped them.
    RteFont givenFont_ = {};
    RteCharStyle givenStyle_ = {};
    std::string command_;
    bool commandPending_ = false;
    bool afterCr_ = false;
    int32_t branch_ = 0;
    int32_t backMode_ = 1;
    uint32_t backColour_ = RTE_NO_COLOUR;
};
