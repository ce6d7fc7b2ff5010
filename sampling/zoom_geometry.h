#pragma once

#include <array>
#include <vector>

// One inverted stroke of the crosshair or the sampled square's outline, in
// bitmap coordinates, drawn as MoveTo(from) then LineTo(to): every pixel from
// `from` up to but not including `to` is inverted. Each stroke is horizontal
// or vertical.
struct CrosshairSegment {
    int fromX, fromY;
    int toX, toY;  // not drawn
};

// Order in which the strokes are drawn.
enum CrosshairStroke : int { CROSSHAIR_UP = 0, CROSSHAIR_DOWN, CROSSHAIR_LEFT, CROSSHAIR_RIGHT };
constexpr int kCrosshairSegmentCount = 4;

// How far each stroke reaches from the crosshair centre.
constexpr int kCrosshairReach = 20;

// The magnification k steps by doubling, from 2 (each start's) up to 16.
constexpr int kMinZoomFactor = 2;
constexpr int kMaxZoomFactor = 16;

// `steps` doublings (halvings when negative) of `factor`, held to 2..16.
int StepZoomFactor(int factor, int steps);

// Wheel notches of `delta` added to what `rest` kept of earlier ones: the
// whole notches (WHEEL_DELTA = 120 each; forward positive) come back, the
// part of one stays in `rest` for the next message of a fine-grained wheel,
// unless that turns the other way.
int TakeWheelNotches(int& rest, int delta);

// The size x size screen pixels an averaged pick reads (screen coordinates),
// centred on the one the single-pixel pick shows.
struct SampleSquare {
    int left, top, size;
};

// Everything the magnifier needs, worked out afresh from the zoom view's
// client size W x H, the cursor position in screen coordinates, the factor k
// and the side of the sampled square. All divisions truncate toward zero, as
// the integer operators do.
struct ZoomGeometry {
    // Inner rectangle of the view, inside its one-pixel frame (view coordinates).
    int innerLeft, innerTop, innerRight, innerBottom;
    // Size of the zoom bitmap: w = W - 2, h = H - 2.
    int width, height;
    // Crosshair centre (cx, cy), bitmap coordinates.
    int centerX, centerY;
    // Each screen pixel is a factor x factor block of the bitmap.
    int factor;
    // Source rectangle on the screen: (x - w/(2k), y - h/(2k)), ceil(w/k) x ceil(h/k).
    int sourceX, sourceY, sourceWidth, sourceHeight;
    // Destination of the stretch: k times the source at (0, 0), so that every
    // source pixel becomes one k x k block at any size. Where k does not
    // divide w or h it reaches past the bitmap, which clips it.
    int destX, destY, destWidth, destHeight;
    // Where the bitmap is copied into the view (view coordinates).
    int viewX, viewY;
    // The pixel that becomes the current colour: (W/2, H/2), read in bitmap
    // coordinates, which is one right of and one below the crosshair centre.
    int pickX, pickY;
    // The screen pixel the pick point shows, the source pixel of its block.
    // At k = 2 that is the cursor's column when w % 4 is 0 or 1, the next
    // one when it is 2 or 3; rows alike by h.
    int pickScreenX, pickScreenY;
    // Strokes in drawing order: up, down, left, right.
    std::array<CrosshairSegment, kCrosshairSegmentCount> crosshair;
    SampleSquare sample;
    // A one-pixel frame just outside the sampled square's blocks; none for a
    // single pixel. Where a crosshair stroke crosses it the frame leaves that
    // pixel to the stroke, so each line stays whole instead of both losing
    // the pixel that two inversions would restore.
    std::vector<CrosshairSegment> outline;
};

// The cursor only moves the source rectangle; operations that do not read the
// screen (creating the bitmap, repainting, reading the pick point) may leave
// it at 0, 0.
ZoomGeometry ComputeZoomGeometry(int viewWidth, int viewHeight, int cursorX = 0, int cursorY = 0,
                                 int factor = kMinZoomFactor, int sampleSize = 1);

// The part of the stretch that reads pixels which exist: the source rectangle
// clipped to the screen's bounds, and the part of the bitmap it lands on.
// Copying only that part leaves the rest of the bitmap black on every
// platform; some blacken the whole destination when the source reaches past
// the screen. The destination is exactly k times the source, so each part
// lands where the whole stretch would put it.
struct ZoomCopy {
    int sourceX, sourceY, sourceWidth, sourceHeight;
    int destX, destY, destWidth, destHeight;
    bool IsEmpty() const { return sourceWidth <= 0 || sourceHeight <= 0; }
};

ZoomCopy ClipZoomCopy(const ZoomGeometry& geometry, int screenLeft, int screenTop, int screenRight,
                      int screenBottom);

// A rectangle of the desktop in screen coordinates, right and bottom
// excluded. Screen coordinates are those of the virtual screen: the primary
// monitor's top-left corner is (0, 0), and monitors left of or above it lie
// at negative coordinates.
struct ScreenRect {
    int left, top, right, bottom;
};

// The copies that read every source pixel lying on one of the monitors, one
// per monitor the source rectangle meets; source pixels on no monitor (off
// the desktop, or in a gap of an L-shaped arrangement) are never read and
// stay black. Monitors do not overlap; should two rectangles overlap (a
// mirroring pseudo-monitor), both copies write the same pixels alike.
std::vector<ZoomCopy> ClipZoomCopies(const ZoomGeometry& geometry, const std::vector<ScreenRect>& monitors);

// The same for the sampled square, copied 1:1 into a bitmap of its own size.
std::vector<ZoomCopy> ClipSampleCopies(const SampleSquare& square, const std::vector<ScreenRect>& monitors);
