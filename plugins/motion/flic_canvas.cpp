// Clipped pixel writes into the bottom-up frame bits.
#include "flic_canvas.h"

#include <algorithm>
#include <cstring>

uint8_t* FlicCanvas::Row(int line) const
{
    return bits_ + Stride(width_) * static_cast<size_t>(height_ - line - 1);
}

bool FlicCanvas::Clip(int line, long x, long count, long* from, long* to) const
{
    if (line < 0 || line >= height_ || count <= 0)
        return false;
    *from = std::max(x, 0L);
    *to = std::min(x + count, static_cast<long>(width_));
    return *from < *to;
}

void FlicCanvas::Fill(int line, long x, long count, uint8_t value)
{
    long from, to;
    if (Clip(line, x, count, &from, &to))
        memset(Row(line) + from, value, static_cast<size_t>(to - from));
}

void FlicCanvas::Copy(int line, long x, const uint8_t* source, long count)
{
    long from, to;
    if (Clip(line, x, count, &from, &to))
        memcpy(Row(line) + from, source + (from - x), static_cast<size_t>(to - from));
}

void FlicCanvas::FillPairs(int line, long x, long count, uint8_t first, uint8_t second)
{
    long from, to;
    if (!Clip(line, x, 2 * count, &from, &to))
        return;
    uint8_t* row = Row(line);
    for (long at = from; at < to; ++at)
        row[at] = (at - x) % 2 == 0 ? first : second;
}

void FlicCanvas::Clear()
{
    for (int line = 0; line < height_; ++line)
        Fill(line, 0, width_, 0);
}
