// WINDOWING: screen <-> universe conversion tables, round trips, the fallback of degenerate
// extents and the carrying of pixels from the previous mapping to the current one.
#include "qxwindowing.h"

#include <gtest/gtest.h>

namespace {

struct Extents {
    int sl, st, sr, sb;
    double ul, ut, ur, ub;
};

WINDOWING Make(const Extents& e)
{
    WINDOWING w;
    w.UniverseSetExtent(e.ul, e.ut, e.ur, e.ub);
    w.ScreenSetExtent(e.sl, e.st, e.sr, e.sb);
    return w;
}

}  // namespace

TEST(Windowing, FreshMappingIsIdentityPlusOne)
{
    WINDOWING w;
    EXPECT_EQ(1, w.U2Sx(0));
    EXPECT_EQ(1, w.U2Sy(0));
    EXPECT_DOUBLE_EQ(0.0, w.S2Ux(1));
    EXPECT_DOUBLE_EQ(0.0, w.S2Uy(1));
    EXPECT_EQ(11, w.U2Sx(10));
    EXPECT_EQ(37, w.OS2Nx(37)) << "no previous mapping yet: the position comes back";
    EXPECT_EQ(120, w.OS2Ny(120));
    int l = -1, t = -1, r = -1, b = -1;
    w.ScreenGetExtent(l, t, r, b);
    EXPECT_EQ(0, l);
    EXPECT_EQ(0, t);
    EXPECT_EQ(0, r);
    EXPECT_EQ(0, b);
}

TEST(Windowing, UniverseToScreenTable)
{
    struct Case {
        Extents e;
        double u;
        int sx, sy;
    };
    const Case cases[] = {
        {{0, 0, 639, 479, 0, 0, 639, 479}, 0, 0, 0},
        {{0, 0, 639, 479, 0, 0, 639, 479}, 639, 639, 639},
        {{0, 0, 639, 479, 0, 0, 639, 479}, 100.49, 100, 100},
        {{0, 0, 639, 479, 0, 0, 639, 479}, 100.5, 101, 101},
        {{0, 0, 639, 479, 0, 0, 639, 479}, -0.7, 0, 0},  // truncation toward zero, not -1
        {{0, 0, 639, 479, 0, 0, 639, 479}, -1.7, -1, -1},
        {{10, 20, 649, 499, 0, 0, 639, 479}, 0, 10, 20},
        {{10, 20, 649, 499, 0, 0, 639, 479}, 5, 15, 25},
        {{0, 0, 319, 239, 0, 0, 639, 479}, 1, 1, 1},
        {{0, 0, 319, 239, 0, 0, 639, 479}, 639, 320, 320},  // y extrapolates past its universe
        {{0, 0, 319, 239, 0, 0, 639, 479}, 479, 240, 240},
        {{0, 0, 319, 239, 0, 0, 639, 479}, 2, 1, 1},
        {{0, 0, 1279, 959, 0, 0, 639, 479}, 1, 2, 2},
        {{0, 0, 639, 479, 100, 100, 739, 579}, 100, 0, 0},
        {{0, 0, 639, 479, 100, 100, 739, 579}, 150, 50, 50},
    };
    for (const Case& c : cases) {
        WINDOWING w = Make(c.e);
        EXPECT_EQ(c.sx, w.U2Sx(c.u)) << "u=" << c.u << " screen " << c.e.sl << ".." << c.e.sr;
        EXPECT_EQ(c.sy, w.U2Sy(c.u)) << "u=" << c.u << " screen " << c.e.st << ".." << c.e.sb;
    }
}

TEST(Windowing, ScreenToUniverseTable)
{
    struct Case {
        Extents e;
        int s;
        double ux, uy;
    };
    const Case cases[] = {
        {{0, 0, 639, 479, 0, 0, 639, 479}, 0, 0, 0},
        {{0, 0, 639, 479, 0, 0, 639, 479}, 300, 300, 300},
        {{10, 20, 649, 499, 0, 0, 639, 479}, 10, 0, -10},
        {{10, 20, 649, 499, 0, 0, 639, 479}, 20, 10, 0},
        {{0, 0, 319, 239, 0, 0, 639, 479}, 1, 2, 2},
        {{0, 0, 319, 239, 0, 0, 639, 479}, 3, 6, 6},  // unrounded doubles
        {{0, 0, 1279, 959, 0, 0, 639, 479}, 3, 1.5, 1.5},
        {{0, 0, 639, 479, 100, 100, 739, 579}, 50, 150, 150},
    };
    for (const Case& c : cases) {
        WINDOWING w = Make(c.e);
        EXPECT_DOUBLE_EQ(c.ux, w.S2Ux(c.s)) << "s=" << c.s;
        EXPECT_DOUBLE_EQ(c.uy, w.S2Uy(c.s)) << "s=" << c.s;
    }
}

TEST(Windowing, RoundTripsScreenThroughUniverse)
{
    const Extents table[] = {
        {0, 0, 639, 479, 0, 0, 639, 479},
        {10, 20, 649, 499, 0, 0, 639, 479},
        {0, 0, 1279, 959, 0, 0, 639, 479},
        {5, 3, 1000, 700, 0, 0, 9999, 7999},
    };
    for (const Extents& e : table) {
        WINDOWING w = Make(e);
        for (int s = e.sl; s <= e.sr; s += 7)
            ASSERT_EQ(s, w.U2Sx(w.S2Ux(s))) << "x pixel " << s;
        for (int s = e.st; s <= e.sb; s += 7)
            ASSERT_EQ(s, w.U2Sy(w.S2Uy(s))) << "y pixel " << s;
    }
}

TEST(Windowing, ExtentsReadBack)
{
    WINDOWING w;
    w.ScreenSetExtent(-3, 4, 640, 480);
    w.UniverseSetExtent(0.25, -1.5, 100.75, 200.125);
    int l, t, r, b;
    w.ScreenGetExtent(l, t, r, b);
    EXPECT_EQ(-3, l);
    EXPECT_EQ(4, t);
    EXPECT_EQ(640, r);
    EXPECT_EQ(480, b);
    double ul, ut, ur, ub;
    w.UniverseGetExtent(ul, ut, ur, ub);
    EXPECT_DOUBLE_EQ(0.25, ul);
    EXPECT_DOUBLE_EQ(-1.5, ut);
    EXPECT_DOUBLE_EQ(100.75, ur);
    EXPECT_DOUBLE_EQ(200.125, ub);
}

TEST(Windowing, DegenerateAxisFallsBackWithoutDividingByZero)
{
    WINDOWING w;
    w.UniverseSetExtent(0, 0, 639, 479);
    w.ScreenSetExtent(100, 0, 99, 479);  // width 0 on x only
    EXPECT_EQ(1, w.U2Sx(0));
    EXPECT_EQ(51, w.U2Sx(50));
    EXPECT_DOUBLE_EQ(49.0, w.S2Ux(50));
    EXPECT_EQ(200, w.U2Sy(200));  // y keeps its real mapping

    w.UniverseSetExtent(0, 10, 639, 9);  // universe height 0
    EXPECT_EQ(8, w.U2Sy(7));
}

TEST(Windowing, CarriesPixelsFromThePreviousMapping)
{
    WINDOWING w;
    w.UniverseSetExtent(0, 0, 639, 479);
    w.ScreenSetExtent(0, 0, 639, 479);
    w.ScreenSetExtent(0, 0, 319, 239);
    EXPECT_EQ(320, w.OS2Nx(639));
    EXPECT_EQ(240, w.OS2Ny(479));
    EXPECT_EQ(0, w.OS2Nx(0));
    EXPECT_EQ(50, w.OS2Nx(100));
    // The current mapping is left as it was.
    EXPECT_EQ(320, w.U2Sx(639));

    // Two changes in a row: only the mapping before the second one is "previous".
    w.ScreenSetExtent(0, 0, 1279, 959);
    EXPECT_EQ(640, w.OS2Nx(160));
    EXPECT_EQ(320, w.OS2Nx(80));
    EXPECT_EQ(1276, w.OS2Nx(319));
}
