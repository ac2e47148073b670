// Small helpers of the drawing port and the style records that the clipboard and the edit
// control use: runs of one character class, font names brought to their stored form, default
// records, and a caller's device context lent to a document's port.
#pragma once

#include <windows.h>

#include "rte_environment.h"
#include "rte_style_records.h"

// The class bit that RteRunOfSameClass compares.
constexpr intptr_t RTE_CLASS_RUN = 0x100000;

// The number of leading characters whose class (the style's character-information hook, this
// bit) equals the first one's; that class into *firstClass.
int32_t RteRunOfSameClass(RteHandle doc, RteCharStyle* style, const uint8_t* text, intptr_t ignored, int32_t count,
                          intptr_t* firstClass);
// Names flagged as C strings become length-prefixed (at most 62 characters), their flags cleared.
void RteNormaliseFontNames(RteFont* font);
// 12 points, a white second colour, the two spare units cleared.
void RteDefaultStyleInit(RteEnvironment* env, RteCharStyle* style);
// The tab spacing of the environment's default format.
void RteDefaultParInit(RteEnvironment* env, RteParFormat* format);

// What RtePortUseDC replaced, for RtePortSetDC to give back.
struct RtePortBinding {
    HDC dc;
    RteScaling scaling;
};
void RtePortUseDC(RteHandle doc, HDC dc, const RteScaling* scaling, RtePortBinding* saved);
void RtePortSetDC(RteHandle doc, const RtePortBinding* saved);
// The DC put into the port, whose acquire count goes down by one (not below 0).
void RtePortDropDC(RteHandle doc, HDC dc);
