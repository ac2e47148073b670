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
#define IDS_INTERNAL_ERROR 218
#define IDS_CLASS_NOT_REGISTERED 219
#define IDS_FILE_NOT_FOUND_CAPTION 255
#define IDS_FILE_NOT_FOUND 256      // %s: the file
#define IDS_FILE_LOCATE_QUESTION 263  // %s: the file, asked of an author
#define IDS_CDROM_READ_ERROR 307
#define IDS_CDROM_NOT_THERE 308
#define IDS_CDROM_BROWSE_TITLE 309
#define IDS_GADGETS 257             // the built-in actions, "id;label;function|..."
#define IDS_SAVE_FAILED 260         // %s: the page
#define IDS_NETWORK_ERROR 261
#define IDS_REMOTE_FILE_NOT_FOUND 262  // %s: the source
#define IDS_SERVER_NO_ANSWER 277    // %s: the server
#define IDS_NO_EFFECT 278
#define IDS_SERVER_UNKNOWN 279      // %s: the server
#define IDS_WARNING 284
#define IDS_SOUND_FILTER 245      // the sound file dialogs' filter, '|' between its parts
#define IDS_NO_BRANCH_ON_PAGE 301
#define IDS_BRANCH_ERROR 222
#define IDS_BAD_SUFFIX 223
#define IDS_PROGRAM_NOT_STARTED 230
#define IDS_QUIT_QUESTION 258
#define IDS_QUIT_CAPTION 259
#define IDS_BOOKMARK_FILTER 267     // the save and open dialogs' filter, '|' between its parts
#define IDS_HELP_FOLDER 270
#define IDS_HELP_CAPTION 271
#define IDS_HELP_MISSING 272
#define IDS_CDROM_ERROR 282
#define IDS_CDROM_MISSING 283
#define IDS_ERROR 290
#define IDS_BOOKMARK_REFRESH_FAILED 292
#define IDS_DEPENDENT_NOT_WATCHED 299
#define IDS_NO_ASSOCIATED_APPLICATION 601
#define IDS_DDE_NO_SERVER 605
#define IDS_REMOTE_CODE_REFUSED 610       // %s: the DLL or program
#define IDS_DLL_WRONG_ARCHITECTURE 611    // %s: the DLL
#define DLG_PRINTING 1700
#define DLG_BOOKMARK 1701
#define IDS_PRINT_FAILED 612
// Items of the transfer dialog "DLG_SYNCXFER" (a named resource).
#define IDC_SYNCXFER_TRANSFERRING 500  // %s: the server
#define IDC_SYNCXFER_CONNECTING 501    // %s: the server
// Items of the bookmark dialog.
#define IDC_BOOKMARK_LIST 101
#define IDC_BOOKMARK_GOTO 102
#define IDC_BOOKMARK_ADD 103
#define IDC_BOOKMARK_REMOVE 104
#define IDC_BOOKMARK_TITLE 105
#define IDC_BOOKMARK_SAVE 106
#define IDC_BOOKMARK_OPEN 107
#define IDC_BOOKMARK_START 108
#define IDC_BOOKMARK_LOOP 109
#define IDC_BOOKMARK_NEW 110
#define IDC_BOOKMARK_DELAY 111
#define IDC_BOOKMARK_HELP 9
