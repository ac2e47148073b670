// Painting the current picture of an image series, and its slot in the millisecond table.
#include "anim.h"

#include "pacing_clock.h"
#include "qxbmp.h"

void ANIM::FreeTimer()
{
    if (slot_ >= 0)
        MillisecondTimers().Remove(slot_);
    slot_ = -1;
}

bool ANIM::TimerHandled()
{
    return slot_ >= 0 && MillisecondTimers().SetPending(slot_, false);
}

void ANIM::Paint(HDC dc, const std::function<void(HDC)>& background)
{
    bool drawn = false;
    if (current_ >= 0 && current_ < Count()) {
        AnimFrame& frame = Frame(current_);
        if (!frame.loaded)
            LoadOne(current_);
        drawn = frame.loaded && frame.picture->Draw(dc, x_, y_, width_, height_, SRCCOPY, paletteMode_) != 0;
    }
    if (!drawn && background)
        background(dc);
    // The slot is taken at the paint, so that the first interval starts once a picture shows.
    if (state_ == Playing && Count() > 1 && slot_ < 0 && window_)
        slot_ = MillisecondTimers().Add(window_, QX_ANIM_TIMER, interval_, 0);
}
