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
