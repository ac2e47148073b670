// Resource ids of the page module.
#pragma once

#define IDS_MENU_PATH 200
#define IDS_FILE_ERROR 202
#define IDS_BAD_PAGE_RECORD 203
#define IDS_PAGE_OBJECT_NAME 217
