// What the pieces of the settings dialog share: the controls of the four picture slots, the
// preview, the style groups, and the choosers the dialog opens.
#pragma once

#include "bouton.h"

// The controls of one picture slot, and the digit that pairs its files ("bouton1.bmp" for
// the released picture, "bouton2.bmp" for the pressed one...).
struct SLOTCONTROLS {
    int image;    // BOUTON_IMAGE_...
    int select;
    int remove;
    int name;
    int picture;
    char digit;
    int missingText;  // the warning when its local copy is gone at OK
};
// In the order of pairing and of the library's answers: released, pressed, mask, mouse-over.
extern const SLOTCONTROLS ButtonSlots[BOUTON_IMAGES];
const SLOTCONTROLS& SlotOf(int image);

// Loads the slot's picture again from its file (fetched with the dialog as owner). A new
// choice resets the rotation, flips and crop and takes the picture's own transparent colour;
// otherwise the stored settings are applied. Resizes the button when asked, repaints.
void RefreshSlot(HWND dialog, BOUTON& copy, int image, bool newChoice);
// The slot's name control lost the focus: the slot takes its name, and empty slots take the
// files paired with it.
void UpdateSlot(HWND dialog, BOUTON& copy, int image);
// The slot's name shown in its name control, its remove button enabled when it has one.
void ShowSlotName(HWND dialog, int image, const char* name);
// The open dialog with a picture preview on the slot's current name; then as UpdateSlot.
void ChooseSlotPicture(HWND dialog, BOUTON& copy, int image);

// The look of the copy changed.
void RepaintPreview(const BOUTON& copy);
bool ButtonPreviewOn();
void SetButtonPreviewOn(bool on);
// A preview window over the frame control, inset by 2 pixels; null when it cannot be made.
HWND CreateButtonPreview(HWND dialog, BOUTON& copy);

// Checks the style's radio alone, shows its group of controls and enables the effect unless
// the button is invisible.
void ShowStyle(HWND dialog, BOUTON& copy);

// The choosers: 1 when the button changed.
int ChooseButtonColour(HWND dialog, KERNEL* kernel, BUTCOLOR& colour);
int ChooseButtonFont(HWND dialog, BOUTON& copy);
// The template chooser's pictures put into the four slots.
void ChooseFromLibrary(HWND dialog, BOUTON& copy);
// The metadata module's editor on the released, pressed and mouse-over pictures.
void EditPictureSettings(HWND dialog, BOUTON& copy);
