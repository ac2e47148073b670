// The directory of an icon or cursor file checked before the imaging component decodes it:
// some components read the pictures of an icon by the sizes their headers give, whatever
// those are, and fault on a header that lies.
#pragma once

#include <cstddef>

// False for an icon or cursor file whose directory or picture headers cannot be right: an
// entry outside the bytes, or a picture header whose width or height no icon has. Bytes of
// any other format are not looked at (true).
bool IconHeadersSound(const unsigned char* bytes, size_t length);
