// Resource identifiers of the camera stand-in's import box.
#pragma once

#define IDD_IMPORTPICBOX "IMPORTPICBOX"
#define IDC_DESTINATION 102
