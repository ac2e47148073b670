// Resource ids of the text editor's window: the edit frame, the tools palette with its menu
// bar, the context menu of the text and their strings.
#pragma once

// The control that holds the text in the edit frame.
#define IDC_EDIT_TEXT 100

// Commands of the palette, its menu bar and its buttons.
#define CMD_CLOSE 2
#define CMD_BOLD 101
#define CMD_ITALIC 102
#define CMD_UNDERLINE 103
#define CMD_CUT 104
#define CMD_BRANCH 105
#define CMD_COPY 106
#define CMD_PASTE 107
#define CMD_NEXT_BRANCH 108
#define CMD_OK 109
#define CMD_DELETE 110
#define CMD_CANCEL 111
#define CMD_ALIGN_LEFT 113
#define CMD_ALIGN_CENTRE 114
#define CMD_ALIGN_RIGHT 115
#define CMD_ALIGN_JUSTIFY 116
#define CMD_FONT_LIST 117
#define CMD_SIZE_LIST 118
#define CMD_COLOUR 119
#define CMD_SELECT_ALL 120
#define CMD_UNDO 121
#define CMD_PROPERTIES 123
#define CMD_HELP 124
#define CMD_MODIFY_BRANCH 202
#define CMD_FONT 240
#define CMD_TEXT_BACKGROUND 241
#define CMD_SHOW_FILE 243
#define CMD_PARAGRAPH 244
#define CMD_IMPORT 245
#define CMD_EXPORT 246
#define CMD_TABS 247
#define CMD_BULLET 251
#define IDC_EMBEDDING_NOTE 1093

// The context menu's commands.
#define CTX_CUT 2500
#define CTX_COPY 2501
#define CTX_PASTE 2502
#define CTX_DELETE 2503
#define CTX_SELECT_ALL 2504
#define CTX_FONT 2506
#define CTX_PARAGRAPH 2507
#define CTX_BRANCH 2509
#define CTX_NEXT_BRANCH 2510

// Strings.
#define IDS_MODIFIED_CAPTION 130
#define IDS_MODIFIED_TEXT 131
#define IDS_BRANCH_LABEL 166
#define IDS_BRANCH_LABEL_CREATE 186
#define IDS_BRANCH_LABEL_MODIFY 187
#define IDS_IMPORT_CAPTION 730
#define IDS_IMPORT_TEXT 731
#define IDS_BRANCH_HINT_CAPTION 733
#define IDS_BRANCH_HINT_TEXT 734
#define IDS_CONTEXT_CREATE_BRANCH 738
#define IDS_CONTEXT_MODIFY_BRANCH 739
#define IDS_EMPTY_TEXT 742
#define IDS_EMPTY_CAPTION 743
