#include <gtest/gtest.h>

#include <vector>

#include "sampling/zoom_geometry.h"

TEST(ZoomGeometry, StandardView)
{
    const ZoomGeometry g = ComputeZoomGeometry(102, 102, 500, 300);
    EXPECT_EQ(g.innerLeft, 1);
    EXPECT_EQ(g.innerTop, 1);
    EXPECT_EQ(g.innerRight, 101);
    EXPECT_EQ(g.innerBottom, 101);
    EXPECT_EQ(g.width, 100);
    EXPECT_EQ(g.height, 100);
    EXPECT_EQ(g.centerX, 50);
    EXPECT_EQ(g.centerY, 50);
    EXPECT_EQ(g.sourceX, 475);
    EXPECT_EQ(g.sourceY, 275);
    EXPECT_EQ(g.sourceWidth, 50);
    EXPECT_EQ(g.sourceHeight, 50);
    EXPECT_EQ(g.destX, 0);
    EXPECT_EQ(g.destY, 0);
    EXPECT_EQ(g.destWidth, 100);
    EXPECT_EQ(g.destHeight, 100);
    EXPECT_EQ(g.viewX, 1);
    EXPECT_EQ(g.viewY, 1);
    EXPECT_EQ(g.pickX, 51);
    EXPECT_EQ(g.pickY, 51);
}

TEST(ZoomGeometry, TruncatingSizes)
{
    struct Case {
        int W, H, x, y;
        int w, h, cx, cy, sx, sy, sw, sh, px, py;
    };
    const Case cases[] = {
        // Odd bitmap sizes: quarters and halves truncate, the source rounds up.
        {7, 9, 10, 10, 5, 7, 2, 3, 9, 9, 3, 4, 3, 4},
        {103, 62, 0, 0, 101, 60, 50, 30, -25, -15, 51, 30, 51, 31},
        // Wide and flat: each axis on its own.
        {300, 4, 40, 2, 298, 2, 149, 1, -34, 2, 149, 1, 150, 2},
        // One pixel still has a source pixel; none has none.
        {3, 3, 5, 5, 1, 1, 0, 0, 5, 5, 1, 1, 1, 1},
        {2, 2, 5, 5, 0, 0, 0, 0, 5, 5, 0, 0, 1, 1},
        // Negative cursor positions (a display left of the primary one).
        {42, 42, -100, -7, 40, 40, 20, 20, -110, -17, 20, 20, 21, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " at " << c.x << "," << c.y);
        const ZoomGeometry g = ComputeZoomGeometry(c.W, c.H, c.x, c.y);
        EXPECT_EQ(g.width, c.w);
        EXPECT_EQ(g.height, c.h);
        EXPECT_EQ(g.centerX, c.cx);
        EXPECT_EQ(g.centerY, c.cy);
        EXPECT_EQ(g.sourceX, c.sx);
        EXPECT_EQ(g.sourceY, c.sy);
        EXPECT_EQ(g.sourceWidth, c.sw);
        EXPECT_EQ(g.sourceHeight, c.sh);
        EXPECT_EQ(g.destWidth, 2 * c.sw);
        EXPECT_EQ(g.destHeight, 2 * c.sh);
        EXPECT_EQ(g.pickX, c.px);
        EXPECT_EQ(g.pickY, c.py);
        EXPECT_EQ(g.innerRight, c.W - 1);
        EXPECT_EQ(g.innerBottom, c.H - 1);
    }
}

// The pick sits one right of and one below the crosshair centre for every
// view of at least 2 x 2, whichever parity the sizes have.
TEST(ZoomGeometry, PickIsDiagonalNeighbourOfCentre)
{
    for (int W = 2; W <= 200; ++W) {
        for (int H = 2; H <= 200; H += 7) {
            const ZoomGeometry g = ComputeZoomGeometry(W, H, 3, 4);
            ASSERT_EQ(g.pickX, g.centerX + 1) << W << "x" << H;
            ASSERT_EQ(g.pickY, g.centerY + 1) << W << "x" << H;
        }
    }
}

TEST(ZoomGeometry, CrosshairStrokes)
{
    const ZoomGeometry g = ComputeZoomGeometry(102, 82);
    // Centre (50, 40).
    const CrosshairSegment& up = g.crosshair[CROSSHAIR_UP];
    const CrosshairSegment& down = g.crosshair[CROSSHAIR_DOWN];
    const CrosshairSegment& left = g.crosshair[CROSSHAIR_LEFT];
    const CrosshairSegment& right = g.crosshair[CROSSHAIR_RIGHT];
    EXPECT_EQ(up.fromX, 50);
    EXPECT_EQ(up.fromY, 20);
    EXPECT_EQ(up.toX, 50);
    EXPECT_EQ(up.toY, 39);
    EXPECT_EQ(down.fromX, 50);
    EXPECT_EQ(down.fromY, 41);
    EXPECT_EQ(down.toX, 50);
    EXPECT_EQ(down.toY, 60);
    EXPECT_EQ(left.fromX, 30);
    EXPECT_EQ(left.fromY, 40);
    EXPECT_EQ(left.toX, 49);
    EXPECT_EQ(left.toY, 40);
    EXPECT_EQ(right.fromX, 52);
    EXPECT_EQ(right.fromY, 40);
    EXPECT_EQ(right.toX, 70);
    EXPECT_EQ(right.toY, 40);
}

// The cursor moves only the source rectangle; everything the repaint and the
// pick use stays put.
TEST(ZoomGeometry, CursorMovesOnlyTheSource)
{
    const ZoomGeometry a = ComputeZoomGeometry(90, 70, 0, 0);
    const ZoomGeometry b = ComputeZoomGeometry(90, 70, 1234, -56);
    EXPECT_EQ(b.sourceX - a.sourceX, 1234);
    EXPECT_EQ(b.sourceY - a.sourceY, -56);
    EXPECT_EQ(a.pickX, b.pickX);
    EXPECT_EQ(a.pickY, b.pickY);
    EXPECT_EQ(a.centerX, b.centerX);
    EXPECT_EQ(a.centerY, b.centerY);
    for (int s = 0; s < kCrosshairSegmentCount; ++s) {
        EXPECT_EQ(a.crosshair[s].fromX, b.crosshair[s].fromX);
        EXPECT_EQ(a.crosshair[s].toY, b.crosshair[s].toY);
    }
}

// Wheel messages in turn, each with the factor it leaves: whole notches step,
// parts add up within one direction, the factor stops at 2 and 16.
TEST(ZoomSteps, WheelNotchesAndStops)
{
    const struct {
        int delta, factor;
    } turns[] = {{120, 4}, {60, 4}, {60, 8}, {480, 16}, {-40, 16}, {-80, 8},
                 {60, 8}, {-120, 4}, {-360, 2}, {-120, 2}, {119, 2}, {1, 4}};
    int factor = kMinZoomFactor, rest = 0;
    for (const auto& turn : turns) {
        factor = StepZoomFactor(factor, TakeWheelNotches(rest, turn.delta));
        EXPECT_EQ(factor, turn.factor) << "after " << turn.delta;
    }
}

// The clipped copy covers exactly the bitmap pixels whose source point is on
// the screen, and reads each from the same source pixel as the whole stretch
// would: copying only it gives the picture the full copy would on a screen
// that blackens nothing. Odd sizes too: their last column and row need a
// source pixel of their own.
TEST(ClipZoomCopy, CoversExactlyTheOnScreenPartAtTwiceTheSize)
{
    const int screenW = 64, screenH = 48;
    for (int view : {6, 7, 8, 22, 23, 42, 102}) {
        for (int x = -40; x <= screenW + 40; x += 3) {
            for (int y = -30; y <= screenH + 30; y += 5) {
                const ZoomGeometry g = ComputeZoomGeometry(view, view, x, y);
                const ZoomCopy copy = ClipZoomCopy(g, 0, 0, screenW, screenH);
                for (int j = 0; j < g.height; ++j) {
                    for (int i = 0; i < g.width; ++i) {
                        const int sx = g.sourceX + i / 2, sy = g.sourceY + j / 2;
                        const bool onScreen = sx >= 0 && sy >= 0 && sx < screenW && sy < screenH;
                        const bool copied = !copy.IsEmpty() && i >= copy.destX &&
                                            i < copy.destX + copy.destWidth && j >= copy.destY &&
                                            j < copy.destY + copy.destHeight;
                        ASSERT_EQ(copied, onScreen) << view << " " << x << "," << y << " " << i << "," << j;
                        if (copied) {
                            ASSERT_EQ(copy.sourceX + (i - copy.destX) / 2, sx);
                            ASSERT_EQ(copy.sourceY + (j - copy.destY) / 2, sy);
                        }
                    }
                }
                if (!copy.IsEmpty()) {
                    EXPECT_EQ(copy.destWidth, 2 * copy.sourceWidth);
                    EXPECT_EQ(copy.destHeight, 2 * copy.sourceHeight);
                }
            }
        }
    }
}

TEST(ClipZoomCopy, ScreenWithANegativeOriginAndASourceFullyOff)
{
    const ZoomGeometry g = ComputeZoomGeometry(102, 102, -1000, 10);
    EXPECT_TRUE(ClipZoomCopy(g, -800, 0, 800, 600).IsEmpty());
    const ZoomGeometry inside = ComputeZoomGeometry(102, 102, -400, 300);
    const ZoomCopy copy = ClipZoomCopy(inside, -800, 0, 800, 600);
    EXPECT_EQ(copy.sourceX, -425);
    EXPECT_EQ(copy.sourceWidth, 50);
    EXPECT_EQ(copy.destX, 0);
    EXPECT_EQ(copy.destWidth, 100);
}

// Desktops of several monitors: every bitmap pixel whose source point lies
// on a monitor is copied exactly once, from that very point; pixels whose
// source lies left of, above, between or beyond the monitors are never
// copied and stay black.
TEST(ClipZoomCopies, EveryPixelOnAMonitorOnceAndNoneOffThem)
{
    struct Desktop {
        const char* name;
        std::vector<ScreenRect> monitors;
    };
    const Desktop desktops[] = {
        {"one monitor", {{0, 0, 64, 48}}},
        {"primary right of a taller one", {{-64, -8, 0, 48}, {0, 0, 48, 36}}},
        {"one above the primary", {{0, -40, 64, 0}, {0, 0, 64, 48}}},
        // Touching only at a corner: the other two quadrants are gaps.
        {"diagonal pair", {{-30, -20, 0, 0}, {0, 0, 40, 30}}},
        {"three in a row, gap at the bottom", {{-50, 0, 0, 20}, {0, 0, 30, 40}, {30, 10, 60, 30}}},
    };
    const auto onAMonitor = [](const std::vector<ScreenRect>& monitors, int x, int y) {
        for (const ScreenRect& m : monitors)
            if (x >= m.left && x < m.right && y >= m.top && y < m.bottom)
                return true;
        return false;
    };
    for (const Desktop& desktop : desktops) {
        SCOPED_TRACE(desktop.name);
        for (int view : {8, 23, 42, 102})
        for (int k = kMinZoomFactor; k <= kMaxZoomFactor; k *= 2) {
            for (int x = -100; x <= 100; x += 7) {
                for (int y = -70; y <= 80; y += 9) {
                    const ZoomGeometry g = ComputeZoomGeometry(view, view, x, y, k);
                    const std::vector<ZoomCopy> copies = ClipZoomCopies(g, desktop.monitors);
                    for (int j = 0; j < g.height; ++j) {
                        for (int i = 0; i < g.width; ++i) {
                            const int sx = g.sourceX + i / k, sy = g.sourceY + j / k;
                            int writes = 0;
                            for (const ZoomCopy& c : copies) {
                                if (i < c.destX || i >= c.destX + c.destWidth || j < c.destY ||
                                    j >= c.destY + c.destHeight)
                                    continue;
                                ++writes;
                                ASSERT_EQ(c.sourceX + (i - c.destX) / k, sx);
                                ASSERT_EQ(c.sourceY + (j - c.destY) / k, sy);
                            }
                            ASSERT_EQ(writes, onAMonitor(desktop.monitors, sx, sy) ? 1 : 0)
                                << view << " at " << x << "," << y << ", pixel " << i << "," << j;
                        }
                    }
                }
            }
        }
    }
}
