// Resource identifiers of the kernel library.
#pragma once

#define IDS_FILE_ERROR 213          // caption of file errors
#define IDS_FILE_NOT_LOADED 214
#define IDS_UNKNOWN_FORMAT 215      // a record's module line is missing or unusable
#define IDS_NO_CHILD_COUNT 216
#define IDS_NO_ALLOCOBJET 217       // %s: the module file
#define IDS_PAGE_MODIFIED_CAPTION 220
#define IDS_PAGE_MODIFIED 221
#define IDS_MODULE_NOT_LOADED 224   // %s: the module file, %ld: the system error
#define IDS_MEMORY_CAPTION 225
#define IDS_MEMORY 226
#define IDS_FILE_NOT_FOUND_CAPTION 255
#define IDS_FILE_NOT_FOUND 256      // %s: the file
#define IDS_GADGETS 257             // the built-in actions, "id;label;function|..."
#define IDS_SAVE_FAILED 260         // %s: the page
#define IDS_WARNING 284
#define IDS_NO_BRANCH_ON_PAGE 301
