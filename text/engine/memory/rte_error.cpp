// Error frames: raising codes to the innermost frame, and the frame-less path.
#include "rte_error.h"

#include "rte_block.h"
#include "rte_memory.h"

namespace {

// With no frame to go to: the host's frame-less hook, else the fatal hook.
void ReportFrameless(RteMemContext* context)
{
    if (context->framelessHook)
        context->framelessHook(context);
    else if (context->fatalHook)
        context->fatalHook(RTE_ERR_NO_FRAME, 0);
}

}  // namespace

RteMemContext* RteTryPush(RteMemContext* context, RteErrorFrame* frame)
{
    frame->next = context->innermostFrame;
    context->innermostFrame = frame;
    context->lastError = 0;
    context->guiltyHandle = nullptr;
    context->extraErrorValue = 0;
    return context;
}

void RteTryPop(RteMemContext* context)
{
    if (!context->innermostFrame) {
        ReportFrameless(context);
        return;
    }
    context->innermostFrame = context->innermostFrame->next;
}

void RteRaise(RteMemContext* context, int32_t code, RteHandle handle)
{
    RteErrorFrame* frame = context->innermostFrame;
    if (!frame) {
        ReportFrameless(context);
        RteEndProcess(1);
    }
    context->lastError = static_cast<uint16_t>(code);
    context->guiltyHandle = handle;
    context->innermostFrame = frame->next;
    throw RteRaised{static_cast<uint16_t>(code), frame};
}

void RteRaiseAgain(RteMemContext* context) { RteRaise(context, context->lastError, context->guiltyHandle); }

void RteRaiseUnless(RteMemContext* context, int32_t tolerated, int32_t code)
{
    uint16_t low = static_cast<uint16_t>(code);
    if (low != 0 && low != static_cast<uint16_t>(tolerated))
        RteRaise(context, code, nullptr);
}

void RteNoteError(RteMemContext* context, int32_t code, RteHandle handle, int32_t value)
{
    context->lastError = static_cast<uint16_t>(code);
    if (!context->guiltyHandle)
        context->guiltyHandle = handle;
    if (!context->extraErrorValue)
        context->extraErrorValue = value;
}

RteHandle RteGuiltyHandle(const RteMemContext* context) { return context->guiltyHandle; }

int32_t RteErrorCode(int32_t value) { return (value & 0xFFFF) ? value : 0; }

RteFrameGuard::RteFrameGuard(RteMemContext* context, RteErrorFrame* frame) : context_(context), frame_(frame)
{
    RteTryPush(context, frame);
}

RteFrameGuard::~RteFrameGuard()
{
    // A raise to this frame has unlinked it already.
    if (context_->innermostFrame == frame_)
        RteTryPop(context_);
}
