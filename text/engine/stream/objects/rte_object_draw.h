// The default drawing of embedded objects and the metafile playback it uses.
#pragma once

#include <windows.h>

#include "rte_object_records.h"
#include "rte_picture.h"

// Draws the object into the rect by its kind, as the default object callback's message 1.
void RteDrawObjectDefault(RtePicturePort* port, RteHandle object, const RteRect* rect);
// Plays a kind-9 object's metafile at the rect: its own mapping records are skipped, so that
// the object's place, not the recorded origin, decides where it lands.
void RtePlayMetafile(void* dc, const RteObject& object, const RteRect& rect);
// The enumeration procedure of the playback.
int CALLBACK RteMetafileFilter(HDC dc, HANDLETABLE* table, METARECORD* record, int objects, LPARAM data);

// The width a run of count characters of the object's style takes: the object's width (its
// text's for text kinds; at least its kind value when empty), the side insets added, over the
// object's characters.
int32_t RteObjectRunWidth(RteHandle doc, RteCharStyle* style, int32_t count);
// Slot 5 of an object's style: the object drawn in its place on the line (a text kind's text,
// any other kind through its callback's code 1), request being the device's run to draw.
intptr_t RteDrawObjectRun(RteHandle doc, RteCharStyle* style, intptr_t request, intptr_t, intptr_t, intptr_t);
// The object's text at a point (its baseline).
void RteDrawObjectText(RtePicturePort* port, const RteObject& object, const RtePoint* point);
