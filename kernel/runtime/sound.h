// The branch sound: one sound at a time for the whole process, replaced by the next.
#pragma once

#include "qxkernel.h"

// Plays the file (fetched first); nothing for an empty name or without a wave device.
QXCORE_EXPORT void KernPlaySound(KERNEL* kernel, const char* file);
// Stops and closes the sound that plays.
QXCORE_EXPORT void KernStopSound();
