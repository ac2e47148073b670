// The outline rectangle that the user drags in creation mode: a new rectangle from a point,
// one of eight handles of an object, or the whole object. Dragged edges snap to a grid; Shift
// keeps the proportions of a corner drag and locks a move to one axis. The outline is drawn by
// inverting pixels, so the owner must not paint the window while a band is shown.
#pragma once

#include "qxbase.h"

class QXBASE_API RUBBER {
public:
    // Modes, by the handle dragged.
    enum : int {
        TopLeft = 0, Top = 1, TopRight = 2, Left = 3, Right = 4,
        BottomLeft = 5, Bottom = 6, BottomRight = 7, Whole = 8, FromPoint = 9
    };

    // Grabs the rectangle at (x, y) by the handle `mode` (0 to 8) and shows the band.
    RUBBER(HWND window, int x, int y, int left, int top, int right, int bottom, int mode);
    // A new rectangle from (x, y) (mode 9), shown collapsed on the point.
    RUBBER(HWND window, int x, int y);
    ~RUBBER();
    RUBBER(const RUBBER&) = delete;
    RUBBER& operator=(const RUBBER&) = delete;

    // Tracking without grid or Shift.
    void move(int x, int y);
    // Full tracking: key flags as in mouse messages (MK_SHIFT), grid origin and steps
    // (a step of 0 leaves that axis unsnapped).
    void move(int x, int y, int keys, int gridX, int gridY, int stepX, int stepY);
    // Inverts the outline: a second call removes it.
    void Draw();
    // The band normalised: left <= right, top <= bottom.
    void GetCoords(int& left, int& top, int& right, int& bottom) const;

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

private:
    struct GRID {
        int x, y, stepX, stepY;
    };
    void MoveCorner(int x, int y, const GRID& grid);
    bool MoveCornerConstrained(int x, int y, const GRID& grid);
    void KeepCornerOffItsFixedEdges();
    void MoveEdge(int x, int y, const GRID& grid);
    void MoveWhole(int x, int y, const GRID& grid);
    void MoveWholeOnOneAxis(int x, int y, const GRID& grid);

    HWND window;
    int refLeft, refTop, refRight, refBottom;
    int left, top, right, bottom;
    int offsetX, offsetY;
    int lastX, lastY;
    int shown;
    int constrained;
    int mode;
    int axisLock;  // 0 none, 1 horizontal, 2 vertical
};
