// Controls of the "Printing" dialog shown while a DIB prints.
#pragma once

#define IDC_PRINT_TITLE 401    // "Printing '%s'"
#define IDC_PRINT_PRINTER 402  // "on %s on %s"
#define IDC_PRINT_STATUS 403   // band number or "Sending bitmap to printer..."
