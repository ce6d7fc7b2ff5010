#include "sampling/magnifier.h"

#include <algorithm>

Image::Image(int width, int height, COLORREF fill)
    : width(std::max(width, 0)), height(std::max(height, 0)),
      pixels(static_cast<std::size_t>(this->width) * static_cast<std::size_t>(this->height), fill)
{
}

Image CreateZoomImage(int viewWidth, int viewHeight)
{
    return Image(viewWidth - 2, viewHeight - 2, 0);
}

void Magnify(const Image& screen, const ZoomGeometry& g, Image& bitmap)
{
    const int right = std::min(g.destX + g.destWidth, bitmap.width);
    const int bottom = std::min(g.destY + g.destHeight, bitmap.height);
    const int left = std::max(g.destX, 0);
    const int top = std::max(g.destY, 0);

    // The ratio is exactly k whatever the sizes, so each source pixel is one
    // k x k block on every platform; the destination reaches past a bitmap
    // whose size k does not divide, and the clipping above cuts it off.
    for (int j = top; j < bottom; ++j) {
        const int sy = g.sourceY + (j - g.destY) / g.factor;
        for (int i = left; i < right; ++i) {
            const int sx = g.sourceX + (i - g.destX) / g.factor;
            bitmap.at(i, j) = screen.contains(sx, sy) ? screen.at(sx, sy) & kColorMask : 0;
        }
    }

    for (const CrosshairSegment& segment : g.crosshair)
        InvertSegment(bitmap, segment);
    for (const CrosshairSegment& segment : g.outline)
        InvertSegment(bitmap, segment);
}

void InvertSegment(Image& bitmap, const CrosshairSegment& s)
{
    const int dx = (s.toX > s.fromX) - (s.toX < s.fromX);
    const int dy = (s.toY > s.fromY) - (s.toY < s.fromY);
    // Only horizontal and vertical strokes occur; a diagonal one is not drawn
    // rather than drawn wrongly.
    if (dx != 0 && dy != 0)
        return;
    for (int x = s.fromX, y = s.fromY; x != s.toX || y != s.toY; x += dx, y += dy) {
        if (bitmap.contains(x, y))
            bitmap.at(x, y) ^= kColorMask;
    }
}

COLORREF AverageSample(const Image& screen, int screenLeft, int screenTop, const SampleSquare& square,
                       const std::vector<ScreenRect>& monitors)
{
    const auto onAMonitor = [&](int x, int y) {
        return std::any_of(monitors.begin(), monitors.end(), [&](const ScreenRect& m) {
            return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
        });
    };
    long sums[3] = {0, 0, 0};
    long count = 0;
    for (int y = square.top; y < square.top + square.size; ++y) {
        for (int x = square.left; x < square.left + square.size; ++x) {
            if (!onAMonitor(x, y) || !screen.contains(x - screenLeft, y - screenTop))
                continue;
            const COLORREF c = screen.at(x - screenLeft, y - screenTop);
            for (int channel = 0; channel < 3; ++channel)
                sums[channel] += static_cast<long>(c >> (8 * channel) & 0xFF);
            ++count;
        }
    }
    if (count == 0)
        return 0;
    COLORREF mean = 0;
    for (int channel = 0; channel < 3; ++channel)
        mean |= static_cast<COLORREF>((2 * sums[channel] + count) / (2 * count)) << (8 * channel);
    return mean;
}

COLORREF GetCenterPixel(const Image& bitmap, int viewWidth, int viewHeight)
{
    const ZoomGeometry g = ComputeZoomGeometry(viewWidth, viewHeight);
    const COLORREF raw = bitmap.contains(g.pickX, g.pickY) ? bitmap.at(g.pickX, g.pickY) : kInvalidColor;
    return MaskPickedPixel(raw);
}
