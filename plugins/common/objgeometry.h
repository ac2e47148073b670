// The two rectangles of a plug-in object (pixels and universe units) and the geometry line
// of its record, kept in step the same way by every object kind.
#pragma once

#include "objet.h"
#include "recordio.h"

// The geometry line: x, y, width, height.
constexpr const char* QX_GEOMETRY_FORMAT = "%-10.2lf%-10.2lf%-10.2lf%-50.2lf";

// Universe units from the pixel rectangle; widths and heights as the difference against the
// conversion of the origin.
void UnitsFromPixels(OBJET* object);
void PixelsFromUnits(OBJET* object);
// Reads the geometry line: universe units with a non-zero flag, else pixels (truncated);
// the other rectangle is computed. False when the line is missing.
bool ReadGeometry(QXFILE file, OBJET* object, int universe);
void WriteGeometry(RECORDWRITER& out, const OBJET* object, int universe);
// WM_MOVE and WM_SIZE of an object window: the pixel rectangle follows; the units only
// while the object is selected (an author moved it).
void FollowMoveOrSize(OBJET* object, const MSGL* msg);
// The pixel position on the page: the object's plus those of all its ancestors.
POINT PagePosition(const OBJET* object);
// The name of the object in an exported page: its user identifier, or "object<index>".
QXSTRING DHTMLName(OBJET* object, int index);
// The timer of branch 0 on re-linking: for an object whose delayed show has already run.
void ArmBranchTimerAfterDelayedShow(OBJET* object);
// Writes "<text>" of a file name for an exported page: the export name made relative to the
// page, escaped, or "" when the file is not exported.
QXSTRING DHTMLFileName(KERNEL* kernel, const char* exportedName);
// The top-left corner of a dropped object of that size: centred on the drop point (screen
// coordinates) mapped into the top page's window, then kept inside its client area (before
// the left or top edge on that edge, past the right or bottom edge 10 pixels inside it).
POINT DroppedPlace(OBJET* top, const POINT* drop, int width, int height);
// A file name line of a record: "NULL" gives "", any other name is made absolute against the
// page and located (the older way too for pages without a version line).
void ReadRecordFileName(KERNEL* kernel, const char* line, QXSTRING& name);
// Writes a file name relative to the publication, or "NULL" for none.
void WriteRecordFileName(RECORDWRITER& out, KERNEL* kernel, const char* name);
