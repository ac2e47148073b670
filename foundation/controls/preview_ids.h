// Resource identifiers of the open-file dialog with preview.
#pragma once

#include <dlgs.h>

// The library's child template, placed by the system under the dialog's own controls.
#define QX_PREVIEW_TEMPLATE "D_PREVIEWOFN"
// The template's one control: it gives the preview its width. It bears the number of the
// standard dialogs' selection list, whose notifications the preview also uses.
#define IDC_PREVIEW_WIDTH lst1
