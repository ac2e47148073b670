// Resource ids of the sound module.
#pragma once

#define IDS_MENU_PATH 200
#define IDS_FILE_ERROR 203
#define IDS_BAD_SOUND_RECORD 204
#define IDS_TOOLTIP 207
#define IDS_SOUND_OBJECT_NAME 212
#define IDS_SOUND_FILTER 211
#define IDS_BAD_NAME_CAPTION 313
#define IDS_SOUND_NOT_FOUND 314

// "D_SOUND", the settings dialog.
#define IDC_SOUND_HELP 9
#define IDC_SOUND_PLAY 24
#define IDC_SOUND_STOP 25
#define IDC_SOUND_CHOOSE 26
#define IDC_SOUND_UNBRANCH 27
#define IDC_SOUND_LOOP 28
#define IDC_SOUND_ITERATIONS 29
#define IDC_SOUND_DELAY 30
#define IDC_SOUND_LIBRARY 31
#define IDC_SOUND_BRANCH 102
#define IDC_SOUND_FILE 103
#define IDC_SOUND_TARGET 110

// "D_PLAYSOUND", the preview pane shown inside the template chooser; the kernel's hook drives it.
#define IDC_PLAYSOUND_STOP 101
#define IDC_PLAYSOUND_PLAY 102
