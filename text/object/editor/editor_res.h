// Resource names and string ids of the text editor's parts: the tab ruler's marks and the
// verbs of the Undo command.
#pragma once

// The tab-stop marks of the ruler, by tab kind (left, centred, right, decimal).
#define QX_BMP_LEFTTAB "BMP_LEFTTAB"
#define QX_BMP_CENTERTAB "BMP_CENTERTAB"
#define QX_BMP_RIGHTTAB "BMP_RIGHTTAB"
#define QX_BMP_DECIM "BMP_DECIM"

// Verbs of the Undo command.
#define IDS_UNDO_TYPING 170
#define IDS_UNDO_BACKSPACE 172
#define IDS_UNDO_DELETE 173
#define IDS_UNDO_CLEAR 174
#define IDS_UNDO_PASTE 175
#define IDS_UNDO_FORMAT 176
#define IDS_UNDO_BRANCH 177
#define IDS_UNDO_COMMAND 178
#define IDS_UNDO_BLANK 180
#define IDS_UNDO_INSERT 181
#define IDS_UNDO_CUT 182
#define IDS_UNDO_PARAGRAPH 183
#define IDS_UNDO_REPLACE 184
#define IDS_UNDO_COPY 185
#define IDS_UNDO_BULLETS_ON 188
#define IDS_UNDO_BULLETS_OFF 189
