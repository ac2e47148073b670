// The pieces of one rect left outside another.
#include "rect_list.h"

#include "rect_ops.h"

int RteRectMinusRect(const RteRect* a, const RteRect* b, RteRect pieces[4])
{
    if (RteRectContains(a, b))
        return -1;
    RteRect common;
    if (!RteSectRect(a, b, &common))
        return 0;
    const RteRect candidates[4] = {
        {b->top, b->left, common.top, b->right},           // above
        {common.top, b->left, common.bottom, common.left},   // left
        {common.top, common.right, common.bottom, b->right}, // right
        {common.bottom, b->left, b->bottom, b->right},     // below
    };
    int count = 0;
    for (const RteRect& piece : candidates) {
        if (!RteEmptyRect(&piece))
            pieces[count++] = piece;
    }
    return count;
}
