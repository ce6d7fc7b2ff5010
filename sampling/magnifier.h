#pragma once

#include <vector>

#include "color/colorref.h"
#include "sampling/zoom_geometry.h"

// A true-colour picture, row by row from the top, one COLORREF per pixel.
// It stands in for the screen and for the zoom bitmap where there is no GDI.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    Image() = default;
    // A negative size gives an empty image, as a failed bitmap creation would.
    Image(int width, int height, COLORREF fill = 0);

    bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    COLORREF& at(int x, int y) { return pixels[Index(x, y)]; }
    COLORREF at(int x, int y) const { return pixels[Index(x, y)]; }

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

// Colour channels of a COLORREF; the top byte is not a colour.
constexpr COLORREF kColorMask = 0x00FFFFFF;
// What GetPixel gives for a point outside the bitmap.
constexpr COLORREF kInvalidColor = 0xFFFFFFFF;

// The zoom bitmap for a view of W x H: (W - 2) x (H - 2), all black.
Image CreateZoomImage(int viewWidth, int viewHeight);

// Redraws `bitmap` from `screen` the way the GDI calls do: the destination is
// filled black, the source rectangle is stretched onto it exactly k times
// (bitmap pixel (i, j) comes from screen pixel (sx + i/k, sy + j/k) at every
// size; source points off the screen leave black), then the crosshair's and
// the outline's strokes are inverted. Writes are clipped to the bitmap,
// whatever its size.
void Magnify(const Image& screen, const ZoomGeometry& geometry, Image& bitmap);

// Inverts one stroke: every pixel from `from` up to, not including, `to`,
// clipped to the bitmap. R2_NOT complements all colour bits.
void InvertSegment(Image& bitmap, const CrosshairSegment& segment);

// The pick: the bitmap pixel at (W/2, H/2) with the top byte cleared. A point
// outside the bitmap reads as CLR_INVALID, so the mask makes it white.
COLORREF GetCenterPixel(const Image& bitmap, int viewWidth, int viewHeight);

// The mask GetCenterPixel puts on whatever GetPixel returned.
constexpr COLORREF MaskPickedPixel(COLORREF raw)
{
    return raw & kColorMask;
}

// The averaged pick: the mean of the square's pixels that lie on one of the
// monitors, each channel rounded to the nearest integer, halves up; black
// when none does, as the single pixel is off every monitor. `screen` holds
// the pixels read, its (0, 0) at the screen point (screenLeft, screenTop).
COLORREF AverageSample(const Image& screen, int screenLeft, int screenTop, const SampleSquare& square,
                       const std::vector<ScreenRect>& monitors);

// Red, green and blue of a picked colour, as PickColor hands them to UpdateColor.
struct RgbTriple {
    int red, green, blue;
};
constexpr RgbTriple SplitColor(COLORREF color)
{
    return {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
            static_cast<int>((color >> 16) & 0xFF)};
}
