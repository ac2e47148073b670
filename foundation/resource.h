// Resource identifiers of the foundation library.
#pragma once

#define IDS_PREVIEW_ENABLE 214  // check box of the open-file dialog with preview
