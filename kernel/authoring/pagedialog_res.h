// Resource identifiers of the page dialog frame "KERNDIA" and of the sound chooser's preview
// pane "D_PLAYSOUND" (both named resources).
#pragma once

// Buttons of the preview pane.
#define IDC_PLAYSOUND_STOP 101
#define IDC_PLAYSOUND_START 102
