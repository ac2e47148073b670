// Dialog, control and string numbers of the network-settings dialog library.
#pragma once

// The form and its three pages.
#define IDD_NETCONFIG 100
#define IDD_PAGE_FTP 101
#define IDD_PAGE_HTTP 102
#define IDD_PAGE_PROXY 103

// The form: the page tabs; its close button is IDOK.
#define IDC_PAGES 1000

// Page "FTP".
#define IDC_GROUP_FTP_SETTINGS 1101
#define IDC_TEXT_DATA_CONNECTIONS 1102
#define IDC_RADIO_DIRECT_FTP 1103
#define IDC_RADIO_PASSIVE_FTP 1104
#define IDC_GROUP_TCPIP_FTP 1105
#define IDC_LABEL_PORT_FTP 1106
#define IDC_EDIT_PORT_FTP 1107
#define IDC_CHECK_PROXY_FTP 1108

// Page "HTTP".
#define IDC_GROUP_TCPIP_HTTP 1201
#define IDC_LABEL_PORT_HTTP 1202
#define IDC_EDIT_PORT_HTTP 1203
#define IDC_CHECK_PROXY_HTTP 1204

// Page "Proxy". The after-logon buttons follow the stored numbers 0 to 3 and the command
// buttons the order of the command styles, so both are found by adding to the first.
#define IDC_GROUP_PROXY_LOGON 1301
#define IDC_RADIO_PROXY_NO_LOGON 1302
#define IDC_RADIO_PROXY_LOGON 1303
#define IDC_LABEL_PROXY_USERNAME 1304
#define IDC_EDIT_PROXY_USERNAME 1305
#define IDC_LABEL_PROXY_PASSWORD 1306
#define IDC_EDIT_PROXY_PASSWORD 1307
#define IDC_GROUP_TCPIP_PROXY 1308
#define IDC_LABEL_FTP_PROXY_ADDRESS 1309
#define IDC_EDIT_FTP_PROXY_ADDRESS 1310
#define IDC_LABEL_HTTP_PROXY_ADDRESS 1311
#define IDC_EDIT_HTTP_PROXY_ADDRESS 1312
#define IDC_GROUP_REMOTE_CONNECTION 1313
#define IDC_TEXT_AFTER_CONNECTING 1314
#define IDC_RADIO_AFTER_NO_LOGON 1315
#define IDC_RADIO_AFTER_PASS 1316
#define IDC_RADIO_AFTER_USER 1317
#define IDC_RADIO_AFTER_BOTH 1318
#define IDC_TEXT_COMMAND_FORMAT 1319
#define IDC_RADIO_COMMAND_USER 1320
#define IDC_RADIO_COMMAND_SITE 1321
#define IDC_RADIO_COMMAND_OPEN 1322

// Texts that no template carries; the English one is string N. Numbered apart from IDOK and
// IDCANCEL, whose French captions share the same rule.
#define IDS_TAB_FTP 11
#define IDS_TAB_HTTP 12
#define IDS_TAB_PROXY 13
#define IDS_PORT_NOT_A_NUMBER 14

// The French text of anything numbered N (a form, a control or one of the texts above) is
// string IDS_FRENCH + N: the French form is the English one with its captions replaced.
#define IDS_FRENCH 10000
