// The page snapshot: a page file shown by a hidden kernel of its own and drawn into a
// 640 x 480 bitmap (page thumbnails, picture tests of whole pages).
#pragma once

#include "qxkernel.h"

// The bitmap (owned by the caller), or null for a missing file, a folder, or a page that
// does not load.
QXCORE_EXPORT HBITMAP KernPreviewPage(const char* file);
