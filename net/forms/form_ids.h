// Identifiers of the internet library's forms and texts, shared by its resource script and code.
#pragma once

// The download error form. Its buttons carry the commands that Esc and Enter give.
#define IDD_ERROR_FORM 200
#define IDC_ERROR_MESSAGE 201
#define IDC_ERROR_FILE 202
#define IDC_ERROR_ADVICE 203
#define IDC_ERROR_NETWORK 204

// The proxy settings form.
#define IDD_PROXY_FORM 300
#define IDC_PROXY_HEAD_ADDRESS 301
#define IDC_PROXY_HEAD_PORT 302
#define IDC_PROXY_HEAD_ACTIVE 303
#define IDC_PROXY_LABEL_HTTP 304
#define IDC_PROXY_HTTP_HOST 305
#define IDC_PROXY_HTTP_PORT 306
#define IDC_PROXY_HTTP_ACTIVE 307
#define IDC_PROXY_LABEL_FTP 308
#define IDC_PROXY_FTP_HOST 309
#define IDC_PROXY_FTP_PORT 310
#define IDC_PROXY_FTP_ACTIVE 311
#define IDC_PROXY_FTP_GROUP 312
#define IDC_PROXY_COMMAND_LABEL 313
#define IDC_PROXY_COMMAND_STYLE 314
#define IDC_PROXY_AUTHENTICATION 315
#define IDC_PROXY_LABEL_USERNAME 316
#define IDC_PROXY_USERNAME 317
#define IDC_PROXY_LABEL_PASSWORD 318
#define IDC_PROXY_PASSWORD 319
#define IDC_PROXY_PASV 320

// The string table: the same texts in both languages.
#define IDS_SERVER_UNREACHABLE 75
#define IDS_CONNECTION_ERROR 80
#define IDS_COMMUNICATION_ERROR 81
#define IDS_TRANSFER_ERROR 82
#define IDS_CONNECTION_ERROR_CAPTION 83
#define IDS_COMMUNICATION_ERROR_CAPTION 84
#define IDS_TRANSFER_ERROR_CAPTION 85
