// The sort keys of the browse views: a key given directly, or a click on a column that sorts
// by it ascending, and descending when the same column is clicked again.
#pragma once

// Codes from here on are clicks on column (code - BROWSE_COLUMN_CLICK).
constexpr int BROWSE_COLUMN_CLICK = 30;
constexpr int BROWSE_COLUMNS = 5;

// The key after `code`: a code below 30 is the key itself; a click on column c gives 2c,
// or 2c + 1 when the last key was 2c. Even keys sort ascending, odd ones descending.
inline int NextSortKey(int code, int lastKey)
{
    if (code < BROWSE_COLUMN_CLICK || code >= BROWSE_COLUMN_CLICK + BROWSE_COLUMNS)
        return code;
    const int ascending = 2 * (code - BROWSE_COLUMN_CLICK);
    return lastKey == ascending ? ascending + 1 : ascending;
}
