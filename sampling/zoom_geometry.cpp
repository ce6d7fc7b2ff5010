#include "sampling/zoom_geometry.h"

ZoomGeometry ComputeZoomGeometry(int viewWidth, int viewHeight, int cursorX, int cursorY)
{
    ZoomGeometry g;
    g.innerLeft = 1;
    g.innerTop = 1;
    g.innerRight = viewWidth - 1;
    g.innerBottom = viewHeight - 1;

    const int w = viewWidth - 2;
    const int h = viewHeight - 2;
    g.width = w;
    g.height = h;
    g.centerX = w / 2;
    g.centerY = h / 2;

    g.sourceX = cursorX - w / 4;
    g.sourceY = cursorY - h / 4;
    // Rounded up, so that an odd size gets its last column or row from a
    // source pixel of its own rather than from a stretch by a ratio that is
    // not an integer, whose mapping of rows the platforms do not agree on.
    g.sourceWidth = w > 0 ? (w + 1) / 2 : 0;
    g.sourceHeight = h > 0 ? (h + 1) / 2 : 0;

    g.destX = 0;
    g.destY = 0;
    g.destWidth = 2 * g.sourceWidth;
    g.destHeight = 2 * g.sourceHeight;

    g.viewX = 1;
    g.viewY = 1;

    // Taken from the full client size, not the inner one, so the pick lands
    // beside the crosshair centre rather than on it and is never inverted.
    g.pickX = viewWidth / 2;
    g.pickY = viewHeight / 2;

    // The right stroke starts at cx + 2 while the left one ends before cx - 1:
    // the centre and its neighbours stay clear so the sampled pixels show.
    const int cx = g.centerX;
    const int cy = g.centerY;
    const int r = kCrosshairReach;
    g.crosshair[CROSSHAIR_UP] = {cx, cy - r, cx, cy - 1};
    g.crosshair[CROSSHAIR_DOWN] = {cx, cy + 1, cx, cy + r};
    g.crosshair[CROSSHAIR_LEFT] = {cx - r, cy, cx - 1, cy};
    g.crosshair[CROSSHAIR_RIGHT] = {cx + 2, cy, cx + r, cy};
    return g;
}

namespace {

// One axis: the source span [start, start + length) clipped to [low, high),
// and where it lands, twice as large, in a destination that begins at 0.
void ClipAxis(int start, int length, int low, int high, int& clippedStart, int& clippedLength,
              int& destStart, int& destLength)
{
    const int from = start > low ? start : low;
    const int to = start + length < high ? start + length : high;
    clippedStart = from;
    clippedLength = to > from ? to - from : 0;
    destStart = clippedLength > 0 ? 2 * (from - start) : 0;
    destLength = 2 * clippedLength;
}

} // namespace

ZoomCopy ClipZoomCopy(const ZoomGeometry& g, int screenLeft, int screenTop, int screenRight,
                      int screenBottom)
{
    ZoomCopy copy;
    ClipAxis(g.sourceX, g.sourceWidth, screenLeft, screenRight, copy.sourceX, copy.sourceWidth,
             copy.destX, copy.destWidth);
    ClipAxis(g.sourceY, g.sourceHeight, screenTop, screenBottom, copy.sourceY, copy.sourceHeight,
             copy.destY, copy.destHeight);
    copy.destX += g.destX;
    copy.destY += g.destY;
    return copy;
}

std::vector<ZoomCopy> ClipZoomCopies(const ZoomGeometry& g, const std::vector<ScreenRect>& monitors)
{
    std::vector<ZoomCopy> copies;
    for (const ScreenRect& m : monitors) {
        const ZoomCopy copy = ClipZoomCopy(g, m.left, m.top, m.right, m.bottom);
        if (!copy.IsEmpty())
            copies.push_back(copy);
    }
    return copies;
}
