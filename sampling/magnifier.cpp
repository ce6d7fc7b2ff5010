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

namespace {

// Screen coordinate for destination index i of a stretch from `sourceSize`
// onto `destSize` pixels: the source pixel under the destination pixel's
// centre, (i + 1/2) * sourceSize / destSize. Wine's StretchBlt maps so
// (measured with odd bitmap sizes, which 144 DPI gives); for an exact
// ratio of 2 it is i / 2. 64-bit so that a large view cannot overflow.
long long SourceCoordinate(int source, int i, int sourceSize, int destSize)
{
    return source + (2 * static_cast<long long>(i) + 1) * sourceSize / (2 * static_cast<long long>(destSize));
}

bool OnImage(const Image& image, long long x, long long y)
{
    return x >= 0 && y >= 0 && x < image.width && y < image.height;
}

} // namespace

void Magnify(const Image& screen, const ZoomGeometry& g, Image& bitmap)
{
    const int right = std::min(g.destX + g.destWidth, bitmap.width);
    const int bottom = std::min(g.destY + g.destHeight, bitmap.height);
    const int left = std::max(g.destX, 0);
    const int top = std::max(g.destY, 0);

    // An empty source rectangle (a bitmap narrower or lower than 2 pixels)
    // copies nothing, as StretchBlt does, so such a bitmap stays black.
    const bool copies = g.sourceWidth > 0 && g.sourceHeight > 0;
    for (int j = top; j < bottom; ++j) {
        const long long sy = SourceCoordinate(g.sourceY, j - g.destY, g.sourceHeight, g.destHeight);
        for (int i = left; i < right; ++i) {
            COLORREF pixel = 0;
            if (copies) {
                const long long sx = SourceCoordinate(g.sourceX, i - g.destX, g.sourceWidth, g.destWidth);
                if (OnImage(screen, sx, sy))
                    pixel = screen.at(static_cast<int>(sx), static_cast<int>(sy)) & kColorMask;
            }
            bitmap.at(i, j) = pixel;
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
