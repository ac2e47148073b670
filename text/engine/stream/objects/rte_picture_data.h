// Picture data in an object's record: a handle's element count as a 16-bit value, then its
// bytes; bitmaps add their second handle the same way.
#pragma once

#include <vector>

#include "rte_record_codec.h"

void RteWriteColorTable(RteBodyWriter& body, RteHandle table);
void RteWritePictureData(RteBodyWriter& body, RteHandle data, RteHandle second);
// The bytes written by either; the second handle's only for picture data. The counts are the
// writer's information: the byte strings say how long they are.
std::vector<uint8_t> RteReadColorTable(RteBodyReader& body);
void RteReadPictureData(RteBodyReader& body, std::vector<uint8_t>* data, std::vector<uint8_t>* second);
