// Resource identifiers of the control.
#pragma once

#define IDD_PROPPAGE 100
#define IDS_PROPPAGE_CAPTION 100
#define IDD_ABOUTBOX 101
#define IDS_CTRL_TYPE 101
#define IDC_ABOUT_TEXT 1000
