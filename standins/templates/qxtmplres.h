// Resource ids of the template chooser.
#pragma once

#define IDD_CHOOSER "QXTMPL_CHOOSER"
#define IDC_CATEGORY 5010
#define IDC_DESCRIPTION 5011
#define IDC_HOOK_AREA 5012
// 5001, the template list, is QXTMPL_LIST_ID of the callers' header.
#define IDC_TEMPLATE_LIST 5001
