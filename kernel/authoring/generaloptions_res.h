// Resource identifiers of the general options dialog of an object ("OPT_GENERAL").
#pragma once

// Size mode.
#define IDC_OPTGEN_MAXIMAL 112
#define IDC_OPTGEN_DEFINED 113
// Position and size, in pixels, with their labels.
#define IDC_OPTGEN_X 106
#define IDC_OPTGEN_Y 107
#define IDC_OPTGEN_WIDTH 108
#define IDC_OPTGEN_HEIGHT 109
#define IDC_OPTGEN_X_LABEL 202
#define IDC_OPTGEN_Y_LABEL 203
#define IDC_OPTGEN_WIDTH_LABEL 201
#define IDC_OPTGEN_HEIGHT_LABEL 200
// The hover message.
#define IDC_OPTGEN_TEXT 102
#define IDC_OPTGEN_FONT 29
#define IDC_OPTGEN_COLOUR 28
#define IDC_OPTGEN_DELAY 103
#define IDC_OPTGEN_LIBRARY_SOUND 51
#define IDC_OPTGEN_SOUND_FILE 25
#define IDC_OPTGEN_REMOVE_SOUND 26
#define IDC_OPTGEN_SOUND 500
// The programmer's row.
#define IDC_OPTGEN_PROGRAMMER_FRAME 204
#define IDC_OPTGEN_ID_LABEL 10000
#define IDC_OPTGEN_PARAMS_LABEL 115
#define IDC_OPTGEN_USER_ID 110
#define IDC_OPTGEN_USER_STRING 116
#define IDC_OPTGEN_HELP 9
// Items the dialog never addresses.
#define IDC_OPTGEN_SIZE_FRAME 3200
#define IDC_OPTGEN_MESSAGE_FRAME 3201
#define IDC_OPTGEN_TEXT_LABEL 3202
#define IDC_OPTGEN_DELAY_LABEL 3203
#define IDC_OPTGEN_SOUND_LABEL 3204

// Warnings of invalid fields: caption, then text.
#define IDS_INVALID_DELAY_CAPTION 247
#define IDS_INVALID_DELAY 248
#define IDS_INVALID_WIDTH_CAPTION 249
#define IDS_INVALID_WIDTH 250
#define IDS_INVALID_HEIGHT_CAPTION 251
#define IDS_INVALID_HEIGHT 252
