// What an effect lets through between its steps.
#pragma once

// Looks at the thread's queue without taking anything from it. Messages sent from other
// threads are delivered meanwhile and the window is not reported as hung; posted messages,
// input included, stay queued in their order for the caller's loop. In particular the WM_NULL
// with which the kernel runs a pending branch is left alone, so no branch can run, and no
// window can be closed, in the middle of an effect.
void RunMessageStep();
