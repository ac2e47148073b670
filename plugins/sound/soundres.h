// Resource ids of the sound module.
#pragma once

#define IDS_MENU_PATH 200
#define IDS_FILE_ERROR 203
#define IDS_BAD_SOUND_RECORD 204
#define IDS_TOOLTIP 207
#define IDS_SOUND_OBJECT_NAME 212
