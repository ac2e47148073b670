// The work image behind the gradient painters: a colour ramp, one row buffer and a 24-bit
// bitmap that is drawn to the device in one call.
#pragma once

#include "qxbase.h"
#include "qxbmp.h"

class GradientImage {
public:
    // A ramp of rampLength colours from start toward end and a width x height bitmap;
    // Ready() is false when either could not be had.
    GradientImage(RGBQUAD start, RGBQUAD end, int rampLength, int width, int height);
    ~GradientImage();
    GradientImage(const GradientImage&) = delete;
    GradientImage& operator=(const GradientImage&) = delete;

    bool Ready() const { return ready_; }
    // Colours row `row` (0 at the top); index(column) gives the ramp index, clamped here.
    template <class Index>
    void FillRow(int row, Index index)
    {
        for (int c = 0; c < width_; ++c)
            Put(line_ + 3 * c, index(c));
        WriteRow(row);
    }
    // Writes the row last filled once more, to `row`.
    void WriteRow(int row) { bitmap_.DrawDataLine(0, row, width_, line_, 0); }
    void FlipVertically() { bitmap_.FlipVertical(); }
    // Reduced to 8 bits first on a palette device.
    void Draw(HDC dc, int x, int y);

private:
    void Put(BYTE* pixel, long index) const;

    BMP bitmap_;
    RGBQUAD* ramp_;
    BYTE* line_;
    int rampLength_;
    int width_;
    int height_;
    bool ready_;
};

// Uniform jitter 0 .. bound - 1 (0 when bound is 0), from a generator of the painters' own so
// that the process's rand() sequence is left alone.
int GradientJitter(int bound);
