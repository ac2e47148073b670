// Resource identifiers of the colour chooser's dialog template.
#pragma once

#define QX_COLOUR_TEMPLATE "ChooseColor"
#define IDC_COLOUR_TRANSPARENT 5711  // radio: the answer is transparent
#define IDC_COLOUR_OPAQUE 5712       // radio: the answer is the colour
