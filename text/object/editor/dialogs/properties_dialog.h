// "Propriétés du texte" ("D_PROPERTIES"): the default font with its colour and text
// background, the document background, the window margins, the appearance effect, the global
// branch of the text and whether the tab ruler is shown, with two previews ("EXTXTPROP").
#pragma once

#include "face_sample.h"
#include "qxstring.h"
#include "text_defaults.h"

#include <windows.h>
#include <commdlg.h>

class BRANCH;
class OBJET;

// The editor fills `values` from the text and takes them back on 1; with `keepAsDefaults` set
// it also saves them as the defaults of new texts (SaveTextDefaults).
struct PROPERTIESRECORD {
    int busy = 0;                   // commands are ignored while set (during the opening)
    HWND documentPreview = nullptr; // "EXTXTPROP" windows over the frames 113 and 105
    HWND fontPreview = nullptr;
    HWND marginSpins[4]{};          // top, bottom, left, right
    OBJET* text = nullptr;          // its effect and delay are edited in place
    int newText = 0;                // the text has no document yet: it takes the default effect
    TEXTPROPERTIES values;
    BRANCH* branch = nullptr;       // the global branch of the text
    QXSTRING target;                // its target as shown
    CHOOSECOLORA documentColour{};  // the document background (rgbResult)
    CHOOSEFONTA fontChoice{};       // the default font (its colour is rgbColors)
    CHOOSECOLORA textBackgroundColour{};
    COLORREF customColours[16]{};
    FACESAMPLE documentSample;
    FACESAMPLE fontSample;
    int keepAsDefaults = 0;         // out: "Conserver ces paramètres" confirmed
    SampleClassUse classUse{"EXTXTPROP"};
};

// Runs the dialog modally on the owner: 1 on OK, 0.
int PropertiesDialog(HWND owner, PROPERTIESRECORD* record);
