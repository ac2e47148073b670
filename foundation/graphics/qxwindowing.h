// Mapping between screen pixels and the universe units in which objects are placed: one
// affine mapping per axis, plus the mapping that stood before the last extent change so that
// a pixel computed under the old extents can be carried to the new ones.
#pragma once

#include "qxbase.h"

class QXBASE_API WINDOWING {
public:
    WINDOWING();

    void ScreenSetExtent(int left, int top, int right, int bottom);
    void UniverseSetExtent(double left, double top, double right, double bottom);
    void ScreenGetExtent(int& left, int& top, int& right, int& bottom) const;
    void UniverseGetExtent(double& left, double& top, double& right, double& bottom) const;

    int U2Sx(double u) const;
    int U2Sy(double u) const;
    double S2Ux(int s) const;
    double S2Uy(int s) const;
    // A pixel computed under the previous mapping, carried to the current one.
    int OS2Nx(int s) const;
    int OS2Ny(int s) const;

    // Moves the current mapping into the previous one and derives the current one from
    // the extents.
    void SetWinParams();

    // One axis: screen span, universe span and offset.
    struct AXIS {
        double screen;
        double universe;
        double offset;
    };

private:
    double screenLeft, screenTop, screenRight, screenBottom;
    double universeLeft, universeTop, universeRight, universeBottom;
    AXIS x, y;
    AXIS previousX, previousY;
};
