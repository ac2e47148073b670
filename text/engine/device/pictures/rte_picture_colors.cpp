// Colours of the picture port: the DC keeps the text and background colours, so the queries
// only convert between the engine's 16-bit channels and the DC's COLORREF values.
#include <windows.h>

#include "rte_device_units.h"
#include "rte_picture.h"

void RteGetForeColor(const RtePicturePort* port, RteColor* out) { RteColorFromRGB(GetTextColor(static_cast<HDC>(port->dc)), out); }

void RteGetBackColor(const RtePicturePort* port, RteColor* out) { RteColorFromRGB(GetBkColor(static_cast<HDC>(port->dc)), out); }

void RteSetForeColor(RtePicturePort* port, const RteColor* colour)
{
    COLORREF rgb;
    RteColorToRGB(colour, &rgb);
    SetTextColor(static_cast<HDC>(port->dc), rgb);
}

void RteSetBackColor(RtePicturePort* port, const RteColor* colour)
{
    COLORREF rgb;
    RteColorToRGB(colour, &rgb);
    SetBkColor(static_cast<HDC>(port->dc), rgb);
}
