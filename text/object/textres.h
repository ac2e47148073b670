// Resource ids of the text object's own strings; the editor and its dialogs keep theirs in
// their own fragments.
#pragma once

#define IDS_TEXT_OBJECT_NAME 100
#define IDS_TEXT_TOOLTIP 106
#define IDS_TEXT_MENU_PATH 299
#define IDS_TEXT_FILE_ERROR 703
#define IDS_TEXT_BAD_RECORD 704
#define IDS_TEXT_NOT_LOADED 716
#define IDS_TEXT_LOAD_ERROR 717
#define IDS_TEXT_READONLY_CAPTION 727
#define IDS_TEXT_READONLY_FONTS 728
#define IDS_TEXT_CONFIGURATION 737
#define IDS_TEXT_SAVE_MOVE_FAILED 760
