// Doors: each step moves what is left of each door one step outwards and shows the new image
// in the band that the door leaves behind. A door's last step may move less than a step.
#include "doors.h"

void OpenDoors(const Lane& lane, int step, DWORD pause, EffectCanvas& canvas)
{
    int length = lane.Length();
    int nearEdge = lane.Half();  // the inner edge of the near door
    int farEdge = lane.Half();   // the inner edge of the far door
    while (nearEdge > 0 || farEdge <= length) {
        canvas.BeginStep();
        if (nearEdge > 0) {
            RECT door = lane.Band(0, nearEdge);
            nearEdge -= step;
            canvas.ScrollAndFill(ScrollMove{door, lane.Shift(-step), lane.At(nearEdge), lane.InImage(nearEdge), {}});
        }
        if (farEdge <= length) {
            RECT door = lane.Band(farEdge, length);
            canvas.ScrollAndFill(ScrollMove{door, lane.Shift(step), lane.At(farEdge), lane.InImage(farEdge), {}});
            farEdge += step;
        }
        canvas.EndStep(pause);
    }
}
