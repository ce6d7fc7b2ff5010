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

    // The ratio is exactly 2 whatever the sizes, so each source pixel is one
    // 2 x 2 block on every platform; the destination reaches a column or row
    // past an odd bitmap, and the clipping above cuts it off.
    for (int j = top; j < bottom; ++j) {
        const int sy = g.sourceY + (j - g.destY) / 2;
        for (int i = left; i < right; ++i) {
            const int sx = g.sourceX + (i - g.destX) / 2;
            bitmap.at(i, j) = screen.contains(sx, sy) ? screen.at(sx, sy) & kColorMask : 0;
        }
    }

    for (const CrosshairSegment& segment : g.crosshair)
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

COLORREF GetCenterPixel(const Image& bitmap, int viewWidth, int viewHeight)
{
    const ZoomGeometry g = ComputeZoomGeometry(viewWidth, viewHeight);
    const COLORREF raw = bitmap.contains(g.pickX, g.pickY) ? bitmap.at(g.pickX, g.pickY) : kInvalidColor;
    return MaskPickedPixel(raw);
}
