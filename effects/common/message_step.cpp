// The message step run at the start of every step of an effect.
#include "message_step.h"

#include "fxbase.h"

void RunMessageStep()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}
