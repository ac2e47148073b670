// The colour and font choosers of the settings dialog.
#include "bouton_dialog_parts.h"

#include "accessors.h"
#include "kernel.h"
#include "qxcolour.h"
#include "qxfonts.h"

constexpr int CustomColours = 16;

int ChooseButtonColour(HWND dialog, KERNEL* kernel, BUTCOLOR& colour)
{
    COLORREF custom[CustomColours] = {};
    KernGetCustomColor(kernel, custom);
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpCustColors = custom;
    choice.Flags = CC_RGBINIT;
    // The top byte tells the chooser which of colour and transparent to offer first.
    choice.rgbResult = colour.Rgb() | (colour.flag ? 0 : QX_COLOUR_OPAQUE);
    if (!QXChooseColor(&choice))
        return 0;
    KernSetCustomColor(kernel, custom);
    colour.flag = (choice.rgbResult & QX_COLOUR_OPAQUE) == 0;
    colour.red = GetRValue(choice.rgbResult);
    colour.green = GetGValue(choice.rgbResult);
    colour.blue = GetBValue(choice.rgbResult);
    return 1;
}

int ChooseButtonFont(HWND dialog, BOUTON& copy)
{
    LOGFONTA font = copy.font;
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    choice.rgbColors = copy.textColour.Rgb();
    if (!QXChooseFont(&choice))
        return 0;
    copy.textColour = {GetRValue(choice.rgbColors), GetGValue(choice.rgbColors), GetBValue(choice.rgbColors), 0};
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // The point size comes in tenths.
    font.lfHeight = -static_cast<LONG>(pixelsPerInch * choice.iPointSize / 720.0 + 0.5);
    font.lfWidth = 0;
    copy.font = font;
    copy.fontHeight = KernS2Uy(copy.kernel, -font.lfHeight) - KernS2Uy(copy.kernel, 0);
    copy.fontWidth = 0;
    return 1;
}
