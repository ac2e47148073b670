// Error frames: failures are raised as 16-bit codes to the innermost frame of the context.
//
// A raise unwinds with a C++ exception (RteRaised) rather than longjmp: longjmp would skip the
// destructors of every C++ local between the raise and the frame, so scoped locks and owned
// buffers would leak or stay locked. The exception never leaves the engine's module: a raise
// with no frame pushed does not throw (it ends in the hooks and the process), and every module
// export and window procedure runs engine calls inside RteTry.
#pragma once

#include "rte_codes.h"
#include "rte_types.h"

// What a raise throws; only RteTry catches it. `frame` is the frame it was raised to.
struct RteRaised {
    uint16_t code;
    const RteErrorFrame* frame;
};

// Links the frame in as the innermost one and clears the last error code, guilty handle and
// extra value.
RteMemContext* RteTryPush(RteMemContext* context, RteErrorFrame* frame);
// Unlinks the innermost frame at the end of the guarded work; with none, the frame-less path.
void RteTryPop(RteMemContext* context);
// Stores the code and guilty handle, unlinks the innermost frame and unwinds to it. With no
// frame: the frame-less hook or the fatal hook (522, 0), then the process ends with exit code 1,
// since the caller cannot go on as if the failed work had been done.
[[noreturn]] void RteRaise(RteMemContext* context, int32_t code, RteHandle handle);
// Raises the context's last error code and guilty handle again, to the next frame out.
[[noreturn]] void RteRaiseAgain(RteMemContext* context);
// Raises code unless its low 16 bits are 0 or the tolerated code.
void RteRaiseUnless(RteMemContext* context, int32_t tolerated, int32_t code);
// Records an error without unwinding; the first handle and value noted stay.
void RteNoteError(RteMemContext* context, int32_t code, RteHandle handle, int32_t value);
// The handle named by the last raise.
RteHandle RteGuiltyHandle(const RteMemContext* context);
// value when its low 16 bits are nonzero, else 0.
int32_t RteErrorCode(int32_t value);

// Keeps a frame pushed for a C++ scope, and unlinks it if anything other than a raise to it
// (a foreign exception) leaves the scope while it is still linked.
class RteFrameGuard {
public:
    RteFrameGuard(RteMemContext* context, RteErrorFrame* frame);
    ~RteFrameGuard();
    RteFrameGuard(const RteFrameGuard&) = delete;
    RteFrameGuard& operator=(const RteFrameGuard&) = delete;

private:
    RteMemContext* context_;
    RteErrorFrame* frame_;
};

// Runs work inside a frame of its own: 0 when it ran through, else the code raised to this
// frame (the context then keeps the code, guilty handle and extra value).
template <class Work>
uint16_t RteTry(RteMemContext* context, Work&& work)
{
    RteErrorFrame frame;
    RteFrameGuard guard(context, &frame);
    try {
        work();
    } catch (const RteRaised& raised) {
        if (raised.frame != &frame)
            throw;
        return raised.code;
    }
    return 0;
}

// The engine's guarded pattern: when work raises, undo releases what it had made, and the same
// code and guilty handle are raised again to the caller's frame.
template <class Work, class Undo>
void RteTryOrUndo(RteMemContext* context, Work&& work, Undo&& undo)
{
    uint16_t code = RteTry(context, work);
    if (code == 0)
        return;
    // Undo may push frames of its own, which clear the context's last error.
    RteHandle guilty = RteGuiltyHandle(context);
    undo();
    RteRaise(context, code, guilty);
}
