// The MCI drivers of sounds and films, held loaded while animation objects live.
//
// An MCI driver plays on a thread of its own and posts the end of a play before that thread
// has left the driver. Closing the device at once on that notice, as a sound of the track is
// closed to free the sound device, unloads the driver when it was its last device, under the
// thread still running in it. Held here, the drivers stay loaded until the last object goes.
#pragma once

void HoldMciDrivers();
void ReleaseMciDrivers();
