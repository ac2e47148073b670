// Resource identifiers of the branch editor: the branch dialog, the program options, the
// conditional branch, the programmer options and the built-in action dialogs.
#pragma once

// Strings. Captions come before their texts.
#define IDS_PAGE_FILTER 227                 // '|' between the parts of every file filter
#define IDS_PROGRAM_FILTER 228
#define IDS_REGISTERED_TYPES_FILTER 600
#define IDS_DLL_NOT_FOUND_CAPTION 232
#define IDS_DLL_NOT_FOUND 233
#define IDS_FUNCTION_NOT_FOUND_CAPTION 234
#define IDS_FUNCTION_NOT_FOUND 235
#define IDS_BAD_BRANCH_FILE_CAPTION 253
#define IDS_BAD_BRANCH_FILE 254
#define IDS_FILE_TYPE_CAPTION 264
#define IDS_FILE_IS_TEMPLATE 265
#define IDS_FILE_FORMAT_UNKNOWN 266
#define IDS_DEFAULT_CODE_ROW 298            // "Par Défaut"
#define IDS_SELECT_ONE_OBJECT 300           // nothing selected
#define IDS_BAD_CODE_CAPTION 302
#define IDS_BAD_CODE 303
#define IDS_CODE_TAKEN_CAPTION 304
#define IDS_CODE_TAKEN 305
#define IDS_SELECT_ONLY_ONE_OBJECT 306      // several selected
#define IDS_DLL_FILTER 3000

// Items shared by the branch dialog and the conditional branch dialog.
#define IDC_BRANCH_NEW_PAGE 102
#define IDC_BRANCH_EXISTING 103
#define IDC_BRANCH_SPECIAL 108
#define IDC_BRANCH_REMOVE 26
#define IDC_BRANCH_TARGET 104
#define IDC_BRANCH_PROGRAM_OPTIONS 107
#define IDC_BRANCH_LIBRARY_SOUND 50
#define IDC_BRANCH_SOUND_FILE 25
#define IDC_BRANCH_REMOVE_SOUND 27
#define IDC_BRANCH_SOUND 30
#define IDC_BRANCH_HELP 9
#define IDC_BRANCH_PROGRAMMER 105
#define IDC_BRANCH_PARAMS_FRAME 204
#define IDC_BRANCH_PARAMS_LABEL 115
#define IDC_BRANCH_PARAMS 116
#define IDC_BRANCH_VISITED 117
// Items of the branch dialog alone.
#define IDC_BRANCH_DELAY 109
#define IDC_BRANCH_KIND_GROUP 28
#define IDC_BRANCH_KIND_NONE 31
#define IDC_BRANCH_KIND_FORWARD 29
#define IDC_BRANCH_KIND_BACK 32
// Items of the conditional branch dialog alone.
#define IDC_CONDBRANCH_CODE 119

// Items of "EXEOPTIONS".
#define IDC_EXE_PARAMS_LABEL 115
#define IDC_EXE_PARAMS 116
#define IDC_EXE_VERB_LABEL 31
#define IDC_EXE_VERB 30
#define IDC_EXE_MINIMISED 106
#define IDC_EXE_NORMAL 107
#define IDC_EXE_MAXIMISED 108
#define IDC_EXE_DEPENDENT 109
#define IDC_EXE_INDEPENDENT 110
#define IDC_EXE_SHORT_OK 27
#define IDC_EXE_SHORT_CANCEL 28
#define IDC_EXE_SHORT_HELP 29
#define IDC_EXE_LIST_GROUP 120
#define IDC_EXE_CODE_HEAD 111
#define IDC_EXE_BRANCH_HEAD 112
#define IDC_EXE_LIST 113
#define IDC_EXE_ADD 103
#define IDC_EXE_EDIT 114
#define IDC_EXE_DELETE 26
#define IDC_EXE_HELP 9

// Items of "PROGOPTIONS".
#define IDC_PROG_DLL_LABEL 111
#define IDC_PROG_DLL 112
#define IDC_PROG_BROWSE 194
#define IDC_PROG_REMOVE_DLL 27
#define IDC_PROG_FUNCTION_LABEL 113
#define IDC_PROG_FUNCTION 114
#define IDC_PROG_PARAMS_LABEL 115
#define IDC_PROG_PARAMS 116
#define IDC_PROG_HELP 9

// Items of "D_GADGET".
#define IDC_GADGET_LIST 101
#define IDC_GADGET_HELP 9
