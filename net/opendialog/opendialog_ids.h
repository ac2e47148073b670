// Identifiers of the open-file dialog's additions: its texts, icons, the address-list dialog
// and the controls and messages it adds to the system's dialog.
#pragma once

// Texts of the FTP directory view.
#define IDS_FTP_NAME 1
#define IDS_FTP_SIZE 2
#define IDS_FTP_TYPE 3
#define IDS_FTP_MODIFIED 4
#define IDS_FTP_FOLDER 6
#define IDS_FTP_FILE 7
#define IDS_FTP_KILOBYTES 9

// Texts of the saved-address views.
#define IDS_ADDRESS_NAME 51
#define IDS_ADDRESS_SIZE 52
#define IDS_ADDRESS_TYPE 53
#define IDS_ADDRESS_MODIFIED 54
#define IDS_ADDRESS_KIND 56
#define IDS_ADDRESS_ADDREMOVE_KIND 57

// Texts of the dialog.
#define IDS_ADD_REMOVE_SERVERS 501
#define IDS_SERVERS_HEADER 502
#define IDS_SERVERS_MARK 503
#define IDS_ADD_REMOVE_URLS 504
#define IDS_URLS_HEADER 505
#define IDS_URLS_MARK 506
#define IDS_URLS_WORD 507
#define IDS_ERROR_TITLE 508
#define IDS_CONNECTION_TITLE 509
#define IDS_NO_CONNECTION 510
#define IDS_NO_FOLDER 511
#define IDS_NO_PARENT_FOLDER 512
#define IDS_FILE_NOT_FOUND 513
#define IDS_NO_FOLDER_LISTING 514
#define IDS_NO_FILE_LIST 515
#define IDS_NOT_CONNECTED 516
#define IDS_URL_LIST_TITLE 517
#define IDS_REGISTRY_NOT_SAVED 518
#define IDS_NO_CURRENT_FOLDER 519
#define IDS_NO_FOLDER_CHANGE 520
#define IDS_URL_EXAMPLE 521

// The address-list dialog "D_SETUPFTP".
#define IDC_SETUP_DELETE 101
#define IDC_SETUP_ENTRIES 102
#define IDC_SETUP_EXAMPLE 103

// What the library adds to the system's dialog.
#define IDC_INTERNET_LOOKIN 1280
#define IDC_FTP_VIEW 1281
#define IDC_SERVER_VIEW 1282
#define IDC_URL_VIEW 1283
#define WM_OFN_FINISH_SETUP 1347
#define FTP_VIEW_MESSAGE_BASE 1724
#define FTP_VIEW_MESSAGE_COUNT 10
