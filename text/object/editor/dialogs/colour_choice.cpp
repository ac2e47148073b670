// The colour dialogs with the kernel's custom colours.
#include "colour_choice.h"

#include "accessors.h"
#include "dialog_support.h"
#include "qxcolour.h"

namespace {

template <class Dialog>
bool ChooseWithCustomColours(KERNEL* kernel, CHOOSECOLORA* choice, Dialog dialog)
{
    if (kernel)
        KernGetCustomColor(kernel, choice->lpCustColors);
    const bool chosen = dialog(choice) != 0;
    if (kernel)
        KernSetCustomColor(kernel, choice->lpCustColors);
    return chosen;
}

}  // namespace

void SetUpColourChoice(CHOOSECOLORA* choice, HWND owner, COLORREF* customColours)
{
    const COLORREF colour = choice->rgbResult;
    *choice = CHOOSECOLORA{};
    choice->lStructSize = sizeof(CHOOSECOLORA);
    choice->hwndOwner = owner;
    choice->hInstance = reinterpret_cast<HWND>(DialogsModule());
    choice->rgbResult = colour;
    choice->lpCustColors = customColours;
    choice->Flags = CC_RGBINIT;
}

bool ChooseColourOrTransparent(KERNEL* kernel, CHOOSECOLORA* choice)
{
    return ChooseWithCustomColours(kernel, choice, QXChooseColor);
}

bool ChooseTextColour(KERNEL* kernel, CHOOSECOLORA* choice)
{
    return ChooseWithCustomColours(kernel, choice, ChooseColorA);
}
