// WINDOWING: screen pixels <-> universe units.
#include "qxwindowing.h"

namespace {

// Both spans count the end points ("+1"), so the ranges are inclusive on both sides;
// a degenerate span falls back to the identity plus 1.0 rather than dividing by zero.
WINDOWING::AXIS DeriveAxis(double screenLow, double screenHigh, double universeLow, double universeHigh)
{
    const double screen = screenHigh - screenLow + 1;
    const double universe = universeHigh - universeLow + 1;
    if (screen == 0 || universe == 0)
        return {1.0, 1.0, 1.0};
    return {screen, universe, screenLow - universeLow * screen / universe};
}

// Extended precision, in the order multiply, divide, add offset, add 0.5; the conversion
// truncates toward zero, so results just below zero round to 0.
int UniverseToScreen(const WINDOWING::AXIS& axis, double u)
{
    long double value = static_cast<long double>(u) * axis.screen;
    value /= axis.universe;
    value += axis.offset;
    value += 0.5L;
    return static_cast<int>(value);
}

double ScreenToUniverse(const WINDOWING::AXIS& axis, int s)
{
    return (s - axis.offset) * axis.universe / axis.screen;
}

}  // namespace

WINDOWING::WINDOWING()
    : screenLeft(0), screenTop(0), screenRight(0), screenBottom(0),
      universeLeft(0), universeTop(0), universeRight(0), universeBottom(0),
      // The previous mapping starts as the current one, so that converting from it before
      // any extent was set gives the position back instead of dividing by zero.
      x{1.0, 1.0, 1.0}, y{1.0, 1.0, 1.0}, previousX{1.0, 1.0, 1.0}, previousY{1.0, 1.0, 1.0}
{
}

void WINDOWING::ScreenSetExtent(int left, int top, int right, int bottom)
{
    screenLeft = left;
    screenTop = top;
    screenRight = right;
    screenBottom = bottom;
    SetWinParams();
}

void WINDOWING::UniverseSetExtent(double left, double top, double right, double bottom)
{
    universeLeft = left;
    universeTop = top;
    universeRight = right;
    universeBottom = bottom;
    SetWinParams();
}

void WINDOWING::ScreenGetExtent(int& left, int& top, int& right, int& bottom) const
{
    left = static_cast<int>(screenLeft);
    top = static_cast<int>(screenTop);
    right = static_cast<int>(screenRight);
    bottom = static_cast<int>(screenBottom);
}

void WINDOWING::UniverseGetExtent(double& left, double& top, double& right, double& bottom) const
{
    left = universeLeft;
    top = universeTop;
    right = universeRight;
    bottom = universeBottom;
}

int WINDOWING::U2Sx(double u) const { return UniverseToScreen(x, u); }
int WINDOWING::U2Sy(double u) const { return UniverseToScreen(y, u); }
double WINDOWING::S2Ux(int s) const { return ScreenToUniverse(x, s); }
double WINDOWING::S2Uy(int s) const { return ScreenToUniverse(y, s); }
int WINDOWING::OS2Nx(int s) const { return UniverseToScreen(x, ScreenToUniverse(previousX, s)); }
int WINDOWING::OS2Ny(int s) const { return UniverseToScreen(y, ScreenToUniverse(previousY, s)); }

void WINDOWING::SetWinParams()
{
    previousX = x;
    previousY = y;
    x = DeriveAxis(screenLeft, screenRight, universeLeft, universeRight);
    y = DeriveAxis(screenTop, screenBottom, universeTop, universeBottom);
}
