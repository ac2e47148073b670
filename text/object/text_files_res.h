// String ids of the text object's file choosers and file boxes.
#pragma once

#define IDS_TEXTFILE_ERROR 132
#define IDS_TEXTFILE_NOT_CREATED 133
#define IDS_TEXTFILE_NOT_OPENED 134
#define IDS_TEXTFILE_IMPORT_FILTER 740
#define IDS_TEXTFILE_DISPLAY_FILTER 741
