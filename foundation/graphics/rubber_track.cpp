// RUBBER: full tracking with the grid and the Shift key.
#include "qxrubber.h"
#include "rubber_grid.h"

#include <cstdlib>

namespace {

bool IsCorner(int mode)
{
    return mode == RUBBER::TopLeft || mode == RUBBER::TopRight || mode == RUBBER::BottomLeft ||
           mode == RUBBER::BottomRight || mode == RUBBER::FromPoint;
}

// Modes whose proportion line falls from top-left to bottom-right.
bool FallingDiagonal(int mode) { return mode == RUBBER::TopLeft || mode == RUBBER::BottomRight || mode == RUBBER::FromPoint; }

}  // namespace

void RUBBER::move(int x, int y, int keys, int gridX, int gridY, int stepX, int stepY)
{
    Draw();
    if (keys & MK_SHIFT) {
        if (!constrained) {
            constrained = 1;
            // A move keeps its rectangle at construction; the handles keep the band as it
            // stood when Shift went down, whose proportions the drag then preserves.
            if (mode != Whole) {
                refLeft = left;
                refTop = top;
                refRight = right;
                refBottom = bottom;
            }
        }
    } else {
        constrained = 0;
    }
    const GRID grid{gridX, gridY, stepX, stepY};
    if (IsCorner(mode)) {
        if (!constrained || !MoveCornerConstrained(x, y, grid))
            MoveCorner(x, y, grid);
        KeepCornerOffItsFixedEdges();
    } else if (mode == Whole) {
        if (constrained)
            MoveWholeOnOneAxis(x, y, grid);
        else
            MoveWhole(x, y, grid);
    } else if (!constrained) {
        MoveEdge(x, y, grid);
    }
    lastX = x;
    lastY = y;
    Draw();
}

void RUBBER::MoveCorner(int x, int y, const GRID& grid)
{
    switch (mode) {
    case TopLeft:
        left = SnapToGrid(x, grid.x, grid.stepX);
        top = SnapToGrid(y, grid.y, grid.stepY);
        break;
    case TopRight:
        right = SnapToGridPositive(x + offsetX, grid.x, grid.stepX);
        top = SnapToGrid(y + offsetY, grid.y, grid.stepY);
        break;
    case BottomLeft:
        left = SnapToGrid(x + offsetX, grid.x, grid.stepX);
        bottom = SnapToGridPositive(y + offsetY, grid.y, grid.stepY);
        break;
    default:  // BottomRight, FromPoint
        right = SnapToGridPositive(x, grid.x, grid.stepX);
        bottom = SnapToGridPositive(y, grid.y, grid.stepY);
        break;
    }
}

// Keeps the dragged corner on the diagonal of the reference rectangle. False when that
// rectangle is flat (slope 0): no x lies on a horizontal line for a given y, so the caller
// moves the corner unconstrained instead of dividing by zero.
bool RUBBER::MoveCornerConstrained(int x, int y, const GRID& grid)
{
    const bool falling = FallingDiagonal(mode);
    const int refWidth = refRight - refLeft;
    double slope = 1.0;
    if (refWidth != 0)
        slope = static_cast<double>(falling ? refBottom - refTop : refTop - refBottom) / refWidth;
    if (slope == 0)
        return false;
    const double intercept = (falling ? refBottom : refTop) - slope * refRight;

    // The dragged corner's coordinates and the fixed corner opposite it.
    int* cornerX = (mode == TopLeft || mode == BottomLeft) ? &left : &right;
    int* cornerY = (mode == TopLeft || mode == TopRight) ? &top : &bottom;
    const int fixedX = cornerX == &left ? right : left;
    const int fixedY = cornerY == &top ? bottom : top;
    const bool positiveX = cornerX == &right, positiveY = cornerY == &bottom;
    if (mode == TopRight || mode == BottomLeft) {
        x += offsetX;
        y += offsetY;
    }
    const double pointerSlope = x == fixedX ? 1.0 : static_cast<double>(y - fixedY) / (x - fixedX);
    const bool yFollows = falling ? pointerSlope > slope : pointerSlope < slope;
    if (yFollows) {
        *cornerY = positiveY ? SnapToGridPositive(y, grid.y, grid.stepY) : SnapToGrid(y, grid.y, grid.stepY);
        *cornerX = static_cast<int>((*cornerY - intercept) / slope);
    } else {
        *cornerX = positiveX ? SnapToGridPositive(x, grid.x, grid.stepX) : SnapToGrid(x, grid.x, grid.stepX);
        *cornerY = static_cast<int>(slope * *cornerX + intercept);
    }
    return true;
}

void RUBBER::KeepCornerOffItsFixedEdges()
{
    if (left == right) {
        if (mode == TopLeft || mode == BottomLeft)
            --left;
        else
            ++right;
    }
    if (top == bottom) {
        if (mode == TopLeft || mode == TopRight)
            --top;
        else
            ++bottom;
    }
}

void RUBBER::MoveEdge(int x, int y, const GRID& grid)
{
    switch (mode) {
    case Top: top = SnapToGrid(y + offsetY, grid.y, grid.stepY); break;
    case Bottom: bottom = SnapToGridPositive(y + offsetY, grid.y, grid.stepY); break;
    case Left: left = SnapToGrid(x + offsetX, grid.x, grid.stepX); break;
    case Right: right = SnapToGridPositive(x + offsetX, grid.x, grid.stepX); break;
    default: break;
    }
}

void RUBBER::MoveWhole(int x, int y, const GRID& grid)
{
    const int width = right - left, height = bottom - top;
    left = SnapToGrid(x - offsetX, grid.x, grid.stepX);
    top = SnapToGrid(y - offsetY, grid.y, grid.stepY);
    right = left + width;
    bottom = top + height;
}

// Shift locks a move to the axis of the pointer's motion; the lock holds while the rectangle
// stays farther than a small share of the screen width from where it started on that axis.
void RUBBER::MoveWholeOnOneAxis(int x, int y, const GRID& grid)
{
    const int dx = std::abs(x - offsetX - refLeft);
    const int dy = std::abs(y - offsetY - refTop);
    const int threshold = GetSystemMetrics(SM_CXSCREEN) / 128;
    bool horizontal;
    if (axisLock == 1 && dx > threshold) {
        horizontal = true;
    } else if (axisLock == 2 && dy > threshold) {
        horizontal = false;
    } else {
        horizontal = std::abs(x - lastX) >= std::abs(y - lastY);
        axisLock = horizontal ? 1 : 2;
    }
    const int width = right - left, height = bottom - top;
    if (horizontal) {
        left = SnapToGrid(x - offsetX, grid.x, grid.stepX);
        right = left + width;
        top = refTop;
        bottom = refBottom;
    } else {
        top = SnapToGrid(y - offsetY, grid.y, grid.stepY);
        bottom = top + height;
        left = refLeft;
        right = refRight;
    }
}
