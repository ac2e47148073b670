// Resource identifiers of the metadata stand-in's dialog.
#pragma once

#define IDD_TAGPICK "TAGPICK"
#define IDC_PICTURE 100
#define IDC_ROTATION 101
#define IDC_TRANSPARENT 102
#define IDC_RED 103
#define IDC_GREEN 104
#define IDC_BLUE 105
#define IDC_CROP1 106
#define IDC_CROP2 107
#define IDC_CROP3 108
#define IDC_CROP4 109
#define IDC_FLIP_VERTICAL 110
#define IDC_FLIP_HORIZONTAL 111
