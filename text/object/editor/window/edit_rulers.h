// The two tab rulers of the edit frame, above and below the text: made once the control
// exists, kept in step with the paragraphs under the selection, and the tabs dialog whose
// stops they carry to the text.
#pragma once

#include "edit_session.h"

// The interval at which the tabs of the selected paragraphs step where they have no stop (the
// paragraphs' default tab spacing, in pixels); 0 when the paragraphs have none.
int TextTabInterval(EDITSESSION* session);
// Every paragraph of the text steps its tabs at the interval, which the rulers' grid shows.
void SetTextTabInterval(EDITSESSION* session, int interval);

// Makes the rulers on the frame (narrower by a vertical scroll bar when the text has one) and
// shows them when the text's ruler flag is on.
void CreateEditRulers(EDITSESSION* session);
// The stops of the selected paragraphs read again; the rulers shown or hidden by the flag.
void RefreshRulers(EDITSESSION* session);
// On OK: the rulers' stops given to the selected paragraphs, so that the text keeps what they show.
void TakeRulerTabs(EDITSESSION* session);
// With the frame: the rulers and their marks go.
void DestroyEditRulers(EDITSESSION* session);
// "&Tabulation...": the stops of the selected paragraphs, the default interval and the ruler
// flag edited in "D_TABS" and applied on OK as one Undo step.
void EditTabsOfSelection(EDITSESSION* session);
