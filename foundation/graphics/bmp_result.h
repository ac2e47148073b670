// The library-wide result of the last imaging call made by a BMP (user-interface thread).
#pragma once

// Stores the code and answers it, so that calls read `return Record(...) == ...`.
int RecordImagingResult(int code);
