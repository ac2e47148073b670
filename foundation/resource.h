// Resource identifiers of the foundation library.
#pragma once

#define IDS_PREVIEW_ENABLE 214  // check box of the open-file dialog with preview

// Font chooser: the extra colour entry, and what a font's embedding rights allow.
#define IDS_FONT_OTHER_COLOUR 216
#define IDS_FONT_EMBED_FREE 217
#define IDS_FONT_EMBED_READONLY 218
#define IDS_FONT_EMBED_LICENCE 219
#define IDS_FONT_EMBED_NOT_TRUETYPE 220
#define IDS_FONT_EMBED_TEMPORARY 221

// Texts of the directory chooser.
#define IDS_SELECTDIR_TITLE 300
#define IDS_SELECTDIR_OK 301
#define IDS_SELECTDIR_OPEN 302          // the OK button while a folder of the list is selected
#define IDS_SELECTDIR_CURRENT 303       // label of the folder box
#define IDS_SELECTDIR_CHOSEN 304        // label of the chosen-folder edit
#define IDS_SELECTDIR_CANCEL 305
