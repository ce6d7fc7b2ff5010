#include "sampling/zoom_geometry.h"

namespace {

constexpr int kWheelDelta = 120;

// Whether the stroke inverts (x, y): on its line, from `from` up to `to`.
bool OnStroke(const CrosshairSegment& s, int x, int y)
{
    const bool horizontal = s.fromY == s.toY;
    if (horizontal ? y != s.fromY : x != s.fromX)
        return false;
    const int v = horizontal ? x : y, from = horizontal ? s.fromX : s.fromY, to = horizontal ? s.toX : s.toY;
    return from < to ? v >= from && v < to : v <= from && v > to;
}

bool OnCrosshair(const ZoomGeometry& g, int x, int y)
{
    for (const CrosshairSegment& s : g.crosshair)
        if (OnStroke(s, x, y))
            return true;
    return false;
}

// One side of the outline, without the pixel at (gapX, gapY) if a crosshair
// stroke inverts it.
void AddOutlineSide(ZoomGeometry& g, const CrosshairSegment& side, int gapX, int gapY)
{
    if (!OnStroke(side, gapX, gapY) || !OnCrosshair(g, gapX, gapY)) {
        g.outline.push_back(side);
        return;
    }
    const int stepX = side.fromY == side.toY, stepY = 1 - stepX;
    g.outline.push_back({side.fromX, side.fromY, gapX, gapY});
    g.outline.push_back({gapX + stepX, gapY + stepY, side.toX, side.toY});
}

// The sampled square, centred on the pick's screen pixel, and its frame.
void AddSample(ZoomGeometry& g, int size)
{
    const int k = g.factor;
    g.sample = {g.pickScreenX - size / 2, g.pickScreenY - size / 2, size};
    if (size <= 1)
        return;
    // The frame's columns and rows, just outside the square's blocks.
    const int left = k * (g.sample.left - g.sourceX) - 1, right = left + k * size + 1;
    const int top = k * (g.sample.top - g.sourceY) - 1, bottom = top + k * size + 1;
    AddOutlineSide(g, {left, top, right + 1, top}, g.centerX, top);
    AddOutlineSide(g, {left, bottom, right + 1, bottom}, g.centerX, bottom);
    AddOutlineSide(g, {left, top + 1, left, bottom}, left, g.centerY);
    AddOutlineSide(g, {right, top + 1, right, bottom}, right, g.centerY);
}

} // namespace

int StepZoomFactor(int factor, int steps)
{
    for (; steps > 0 && factor < kMaxZoomFactor; --steps)
        factor *= 2;
    for (; steps < 0 && factor > kMinZoomFactor; ++steps)
        factor /= 2;
    return factor;
}

int TakeWheelNotches(int& rest, int delta)
{
    // A turn of direction starts afresh: half a notch forward does not
    // swallow half of the next one back.
    if ((rest < 0 && delta > 0) || (rest > 0 && delta < 0))
        rest = 0;
    rest += delta;
    const int notches = rest / kWheelDelta;
    rest -= notches * kWheelDelta;
    return notches;
}

ZoomGeometry ComputeZoomGeometry(int viewWidth, int viewHeight, int cursorX, int cursorY, int factor,
                                 int sampleSize)
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

    const int k = factor;
    g.factor = k;
    g.sourceX = cursorX - w / (2 * k);
    g.sourceY = cursorY - h / (2 * k);
    // Rounded up, so that a size k does not divide gets its last columns or
    // rows from a source pixel of its own rather than from a stretch by a
    // ratio that is not an integer, whose mapping of rows the platforms do
    // not agree on.
    g.sourceWidth = w > 0 ? (w + k - 1) / k : 0;
    g.sourceHeight = h > 0 ? (h + k - 1) / k : 0;

    g.destX = 0;
    g.destY = 0;
    g.destWidth = k * g.sourceWidth;
    g.destHeight = k * g.sourceHeight;

    g.viewX = 1;
    g.viewY = 1;

    // Taken from the full client size, not the inner one, so the pick lands
    // beside the crosshair centre rather than on it and is never inverted.
    g.pickX = viewWidth / 2;
    g.pickY = viewHeight / 2;
    g.pickScreenX = g.sourceX + g.pickX / k;
    g.pickScreenY = g.sourceY + g.pickY / k;

    // The right stroke starts at cx + 2 while the left one ends before cx - 1:
    // the centre and its neighbours stay clear so the sampled pixels show.
    const int cx = g.centerX;
    const int cy = g.centerY;
    const int r = kCrosshairReach;
    g.crosshair[CROSSHAIR_UP] = {cx, cy - r, cx, cy - 1};
    g.crosshair[CROSSHAIR_DOWN] = {cx, cy + 1, cx, cy + r};
    g.crosshair[CROSSHAIR_LEFT] = {cx - r, cy, cx - 1, cy};
    g.crosshair[CROSSHAIR_RIGHT] = {cx + 2, cy, cx + r, cy};
    AddSample(g, sampleSize);
    return g;
}

namespace {

// One axis: the source span [start, start + length) clipped to [low, high),
// and where it lands, `scale` times as large, in a destination that begins at 0.
void ClipAxis(int start, int length, int low, int high, int scale, int& clippedStart,
              int& clippedLength, int& destStart, int& destLength)
{
    const int from = start > low ? start : low;
    const int to = start + length < high ? start + length : high;
    clippedStart = from;
    clippedLength = to > from ? to - from : 0;
    destStart = clippedLength > 0 ? scale * (from - start) : 0;
    destLength = scale * clippedLength;
}

// The source rectangle clipped to one screen rectangle, `scale` times as large at (0, 0).
ZoomCopy ClipCopy(const ScreenRect& source, int scale, const ScreenRect& screen)
{
    ZoomCopy copy;
    ClipAxis(source.left, source.right - source.left, screen.left, screen.right, scale, copy.sourceX,
             copy.sourceWidth, copy.destX, copy.destWidth);
    ClipAxis(source.top, source.bottom - source.top, screen.top, screen.bottom, scale, copy.sourceY,
             copy.sourceHeight, copy.destY, copy.destHeight);
    return copy;
}

// The non-empty ones of clip(monitor) over the monitors.
template <class Clip>
std::vector<ZoomCopy> ClipToEach(const std::vector<ScreenRect>& monitors, Clip clip)
{
    std::vector<ZoomCopy> copies;
    for (const ScreenRect& m : monitors) {
        const ZoomCopy copy = clip(m);
        if (!copy.IsEmpty())
            copies.push_back(copy);
    }
    return copies;
}

ScreenRect SourceRect(const ZoomGeometry& g)
{
    return {g.sourceX, g.sourceY, g.sourceX + g.sourceWidth, g.sourceY + g.sourceHeight};
}

} // namespace

ZoomCopy ClipZoomCopy(const ZoomGeometry& g, int screenLeft, int screenTop, int screenRight,
                      int screenBottom)
{
    ZoomCopy copy = ClipCopy(SourceRect(g), g.factor, {screenLeft, screenTop, screenRight, screenBottom});
    copy.destX += g.destX;
    copy.destY += g.destY;
    return copy;
}

std::vector<ZoomCopy> ClipZoomCopies(const ZoomGeometry& g, const std::vector<ScreenRect>& monitors)
{
    return ClipToEach(monitors, [&](const ScreenRect& m) {
        return ClipZoomCopy(g, m.left, m.top, m.right, m.bottom);
    });
}

std::vector<ZoomCopy> ClipSampleCopies(const SampleSquare& s, const std::vector<ScreenRect>& monitors)
{
    const ScreenRect square{s.left, s.top, s.left + s.size, s.top + s.size};
    return ClipToEach(monitors, [&](const ScreenRect& m) { return ClipCopy(square, 1, m); });
}
