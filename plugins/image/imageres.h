// Resource ids of the image module.
#pragma once

#define IDS_MENU_PATH 200
#define IDS_FILE_ERROR 203
#define IDS_BAD_IMAGE_RECORD 204
#define IDS_TOOLTIP 208
#define IDS_ALL_FORMATS 212
#define IDS_IMAGE_OBJECT_NAME 215
