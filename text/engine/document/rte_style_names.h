// Named styles: style-sheet entries in the style and format tables (a positive id; records
// derived from an entry carry its id negated), and the name table that names them.
#pragma once

#include "rte_runs.h"

constexpr int RTE_STYLE_NAME_CHARS = 63;

// An entry of the name table: the name, zero-filled, and the ids of the entries it names.
struct RteStyleName {
    char name[RTE_STYLE_NAME_CHARS + 1];
    int16_t charId;
    int16_t parId;
};

int32_t RteAddNamedCharStyle(RteHandle doc, const RteCharStyle* style, const RteFont* font);
int32_t RteAddNamedParStyle(RteHandle doc, const RteParFormat* format);
void RteDeleteNamedCharStyle(RteHandle doc, int32_t id);
void RteDeleteNamedParStyle(RteHandle doc, int32_t id);
int32_t RteNamedCharStyleCount(RteHandle doc);
int32_t RteNamedParStyleCount(RteHandle doc);
int32_t RteNamedCharStyleMaxId(RteHandle doc);
int32_t RteNamedParStyleMaxId(RteHandle doc);
int32_t RteGetNamedCharStyle(RteHandle doc, int32_t id, RteCharStyle* out);
int32_t RteGetNamedParStyle(RteHandle doc, int32_t id, RteParFormat* out);
int32_t RteNamedCharStyleAt(RteHandle doc, int32_t n, RteCharStyle* out);
int32_t RteNamedParStyleAt(RteHandle doc, int32_t n, RteParFormat* out);
int32_t RteFindNamedCharStyle(RteHandle doc, const RteCharStyle* values, const RteCharStyle* mask);
int32_t RteFindNamedParStyle(RteHandle doc, const RteParFormat* values, const RteParFormat* mask);
void RteChangeNamedCharStyle(RteHandle doc, int32_t id, const RteCharStyle* style, const RteFont* font, int16_t redraw);
void RteChangeNamedParStyle(RteHandle doc, int32_t id, const RteParFormat* format, int16_t redraw);
void RteApplyNamedCharStyle(RteHandle doc, const RteRange* range, int32_t id, int16_t redraw);
void RteApplyNamedParStyle(RteHandle doc, const RteRange* range, int32_t id, int16_t redraw);
int32_t RteNamedCharStyleOfRange(RteHandle doc, const RteRange* range, int32_t* id);
int32_t RteNamedParStyleOfRange(RteHandle doc, const RteRange* range, int32_t* id);
int32_t RteResolveCharStyle(RteHandle doc, const RteCharStyle* style, RteCharStyle* result, RteFont* font, int32_t id);

int32_t RteNewStyleName(RteHandle doc, const char* name, const RteCharStyle* style, const RteFont* font,
                        const RteParFormat* format);
int32_t RteDefineStyleName(RteHandle doc, const char* name, int32_t charId, int32_t parId);
void RteApplyStyleName(RteHandle doc, const RteRange* range, const char* name, int16_t redraw);
void RteApplyStyleNameIndex(RteHandle doc, const RteRange* range, int32_t index, int16_t redraw);
int32_t RteStyleNameCount(RteHandle doc);
int32_t RteGetStyleName(RteHandle doc, int32_t index, RteStyleName* out);
void RteGetStyleNameStyles(RteHandle doc, int32_t index, RteCharStyle* style, RteFont* font, RteParFormat* format);
void RteRenameStyleName(RteHandle doc, int32_t index, const char* name);
void RteDeleteStyleName(RteHandle doc, int32_t index);
void RteSetCurrentStyleName(RteHandle doc, int32_t index);
int32_t RteGetCurrentStyleName(RteHandle doc);
int32_t RteFindStyleName(RteHandle doc, const char* name);
int32_t RteStyleNameOfRange(RteHandle doc, const RteRange* range, RteStyleName* out);
