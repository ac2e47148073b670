// The slide show: the bookmarks played in order as branches of the kernel, by hand or, with
// a delay, by the timed branch that each page arms when it comes on screen.
#pragma once

#include "qxkernel.h"

QXCORE_EXPORT void KernStartSlideShow(KERNEL* kernel);
QXCORE_EXPORT void KernEndSlideShow(KERNEL* kernel);
QXCORE_EXPORT void KernNextSlide(KERNEL* kernel);
QXCORE_EXPORT void KernPreviousSlide(KERNEL* kernel);
