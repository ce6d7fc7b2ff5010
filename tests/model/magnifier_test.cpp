#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "sampling/magnifier.h"

namespace {

using Pixel = std::pair<int, int>;

// Every screen pixel gets its own colour, from which its position can be read
// back. No pixel is black.
COLORREF Encode(int x, int y)
{
    return static_cast<COLORREF>((x + 1) << 12 | (y + 1));
}

Pixel Decode(COLORREF c)
{
    return {static_cast<int>(c >> 12 & 0xFFF) - 1, static_cast<int>(c & 0xFFF) - 1};
}

Image UniqueScreen(int width, int height)
{
    Image screen(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            screen.at(x, y) = Encode(x, y);
    return screen;
}

// The crosshair of a w x h bitmap, pixel by pixel as the drawing table lists
// it, clipped to the bitmap.
std::set<Pixel> ExpectedCrosshair(int w, int h)
{
    const int cx = w / 2;
    const int cy = h / 2;
    std::set<Pixel> pixels;
    auto add = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            pixels.insert({x, y});
    };
    for (int y = cy - 20; y <= cy - 2; ++y)
        add(cx, y);
    for (int y = cy + 1; y <= cy + 19; ++y)
        add(cx, y);
    for (int x = cx - 20; x <= cx - 2; ++x)
        add(x, cy);
    for (int x = cx + 2; x <= cx + 19; ++x)
        add(x, cy);
    return pixels;
}

std::set<Pixel> InvertedPixels(const Image& bitmap, COLORREF base)
{
    std::set<Pixel> pixels;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if (bitmap.at(x, y) == (base ^ 0x00FFFFFF))
                pixels.insert({x, y});
    return pixels;
}

Image MagnifyAt(const Image& screen, int W, int H, int x, int y)
{
    Image bitmap = CreateZoomImage(W, H);
    Magnify(screen, ComputeZoomGeometry(W, H, x, y), bitmap);
    return bitmap;
}

constexpr COLORREF kGrey = 0x00406080;

} // namespace

TEST(Magnifier, StandardViewPicksPixelUnderCursor)
{
    const Image screen = UniqueScreen(300, 200);
    const Image bitmap = MagnifyAt(screen, 102, 102, 123, 77);
    ASSERT_EQ(bitmap.width, 100);
    ASSERT_EQ(bitmap.height, 100);
    EXPECT_EQ(Decode(GetCenterPixel(bitmap, 102, 102)), Pixel(123, 77));
    // Each screen pixel is a 2 x 2 block: the cursor's pixel covers 50..51.
    EXPECT_EQ(Decode(bitmap.at(50, 50)), Pixel(123, 77));
    EXPECT_EQ(Decode(bitmap.at(51, 51)), Pixel(123, 77));
    EXPECT_EQ(Decode(bitmap.at(0, 0)), Pixel(98, 52));
    EXPECT_EQ(Decode(bitmap.at(99, 99)), Pixel(147, 101));
}

// The crosshair centre always shows the cursor's pixel. w a multiple of 4
// puts it in the left column of the cursor's 2 x 2 block and the pick in its
// right one; so does one more than that, the block cut after its left column.
// Otherwise the centre is in the right column and the pick shows the next
// screen column. Rows alike.
TEST(Magnifier, PickParityFollowsQuarterWidth)
{
    const Image screen = UniqueScreen(400, 400);
    const int cursors[][2] = {{200, 200}, {150, 263}, {201, 199}, {77, 311}};
    for (int W = 4; W <= 120; ++W) {
        for (int H = 4; H <= 120; H += 3) {
            const int w = W - 2;
            const int h = H - 2;
            for (const auto& cursor : cursors) {
                const int x = cursor[0];
                const int y = cursor[1];
                const Image bitmap = MagnifyAt(screen, W, H, x, y);
                const Pixel expected(w % 4 < 2 ? x : x + 1, h % 4 < 2 ? y : y + 1);
                // The geometry that the Wine tests and the averaged pick use says the same.
                const ZoomGeometry g = ComputeZoomGeometry(W, H, x, y);
                ASSERT_EQ(Pixel(g.pickScreenX, g.pickScreenY), expected) << W << "x" << H;
                if (W < 5 || H < 5) {
                    ASSERT_EQ(GetCenterPixel(bitmap, W, H), 0x00FFFFFFu) << W << "x" << H;
                    continue;
                }
                ASSERT_EQ(Decode(GetCenterPixel(bitmap, W, H)), expected) << W << "x" << H;
                // The centre is never inverted either: it shows the cursor's pixel.
                ASSERT_EQ(Decode(bitmap.at(w / 2, h / 2)), Pixel(x, y)) << W << "x" << H;
            }
        }
    }
}

// At every size and factor k the whole bitmap is known: screen pixel
// (sx + i/k, sy + j/k) or black off the screen, inverted on the crosshair and,
// for an n x n average, on the frame just outside the square's blocks, each
// pixel once at most. Cursors on every edge and corner push the source beyond
// each side; the bitmap starts out dirty to show that every pixel is rewritten.
static void ExpectExactBitmaps(int W, int H, int k, int n)
{
    const Image screen = UniqueScreen(40, 30);
    const int w = W - 2, h = H - 2;
    const int cursors[][2] = {{0, 0},  {39, 0},  {0, 29},  {39, 29}, {20, 0},
                              {0, 15}, {39, 15}, {20, 29}, {20, 15}, {-3, 33}};
    const std::set<Pixel> crosshair = ExpectedCrosshair(w, h);
    for (const auto& cursor : cursors) {
        const int x = cursor[0];
        const int y = cursor[1];
        SCOPED_TRACE(testing::Message() << W << "x" << H << " at " << k << "x, " << n << "x" << n
                                        << ", cursor " << x << "," << y);
        Image bitmap(w, h, 0x00ABCDEF);
        Magnify(screen, ComputeZoomGeometry(W, H, x, y, k, n), bitmap);
        const auto source = [&](int i, int j) { return Pixel(x - w / (2 * k) + i / k, y - h / (2 * k) + j / k); };
        const auto inSquare = [&, picked = source(W / 2, H / 2)](int i, int j) {
            return std::abs(source(i, j).first - picked.first) <= n / 2 &&
                   std::abs(source(i, j).second - picked.second) <= n / 2;
        };
        // Just outside the square, which is at least 2 x 2 pixels: a diagonal neighbour is in it.
        const auto onFrame = [&](int i, int j) {
            return n > 1 && !inSquare(i, j) && (inSquare(i - 1, j - 1) || inSquare(i + 1, j - 1) ||
                                                inSquare(i - 1, j + 1) || inSquare(i + 1, j + 1));
        };
        int black = 0;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                const auto [sx, sy] = source(i, j);
                const bool inverted = crosshair.count({i, j}) || onFrame(i, j);
                COLORREF expected = screen.contains(sx, sy) ? Encode(sx, sy) : 0;
                if (expected == 0 && !inverted)
                    ++black;
                if (inverted)
                    expected ^= 0x00FFFFFF;
                ASSERT_EQ(bitmap.at(i, j), expected) << "pixel " << i << "," << j;
            }
        }
        // Only a small view's source fits on the screen, and only centred.
        if (x != 20 || y != 15 || (W > 100 && k == 2)) {
            EXPECT_GT(black, 0);
        }
    }
}

// Even; both odd; the view at 144 DPI, whose source is larger than the
// screen; at every factor, with one pixel and both averages.
TEST(Magnifier, BlackBeyondEveryScreenEdge)
{
    for (int k = kMinZoomFactor; k <= kMaxZoomFactor; k *= 2) {
        for (int n : {1, 3, 5}) {
            ExpectExactBitmaps(62, 42, k, n);
            ExpectExactBitmaps(61, 43, k, n);
            ExpectExactBitmaps(180, 189, k, n);
        }
    }
}

// The averaged pick on two monitors with a gap above the right one, read as
// the dialog reads it: only the square's parts on a monitor are copied, into
// a block that starts out white. Off a monitor nothing counts, at an edge, a
// corner or the gap, and halves round up.
TEST(Magnifier, AverageOverTheSquaresPixelsOnAMonitor)
{
    const std::vector<ScreenRect> monitors = {{0, 0, 40, 30}, {40, 10, 60, 30}};
    const auto colour = [](int x, int y) {
        return static_cast<COLORREF>((3 * x + 1) | (2 * y) << 8 | ((x + y) % 2 ? 0 : 255) << 16);
    };
    struct Case {
        const char* name;
        SampleSquare square;
        COLORREF mean;  // 0xBBGGRR
    };
    const Case cases[] = {
        {"inside", {10, 10, 3}, 0x8E1622},           {"left edge, 6 of 9", {-1, 10, 3}, 0x801603},
        {"corner, 4 of 9", {-1, -1, 3}, 0x800103},   {"across the gap, 16 of 25", {38, 7, 5}, 0x801377},
        {"in the gap alone", {45, 2, 3}, 0x000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image block(c.square.size, c.square.size, 0x00FFFFFF);
        for (const ZoomCopy& copy : ClipSampleCopies(c.square, monitors))
            for (int v = 0; v < copy.sourceHeight; ++v)
                for (int u = 0; u < copy.sourceWidth; ++u)
                    block.at(copy.destX + u, copy.destY + v) = colour(copy.sourceX + u, copy.sourceY + v);
        EXPECT_EQ(AverageSample(block, c.square.left, c.square.top, c.square, monitors), c.mean);
    }
}

TEST(Magnifier, CrosshairOnLargeBitmap)
{
    const Image screen(1000, 1000, kGrey);
    const Image bitmap = MagnifyAt(screen, 202, 162, 500, 500);
    const int cx = 100, cy = 80;
    const std::set<Pixel> inverted = InvertedPixels(bitmap, kGrey);
    EXPECT_EQ(inverted.size(), 19u + 19u + 19u + 18u);
    EXPECT_EQ(inverted, ExpectedCrosshair(200, 160));

    int up = 0, down = 0, left = 0, right = 0;
    for (const Pixel& p : inverted) {
        if (p.first == cx && p.second < cy)
            ++up;
        else if (p.first == cx && p.second > cy)
            ++down;
        else if (p.second == cy && p.first < cx)
            ++left;
        else if (p.second == cy && p.first > cx)
            ++right;
    }
    EXPECT_EQ(up, 19);
    EXPECT_EQ(down, 19);
    EXPECT_EQ(left, 19);
    EXPECT_EQ(right, 18);

    // The gap: two pixels in the vertical line, three in the horizontal.
    EXPECT_EQ(bitmap.at(cx, cy - 1), kGrey);
    EXPECT_EQ(bitmap.at(cx - 1, cy), kGrey);
    EXPECT_EQ(bitmap.at(cx, cy), kGrey);
    EXPECT_EQ(bitmap.at(cx + 1, cy), kGrey);
    // And the ends just past each stroke.
    EXPECT_EQ(bitmap.at(cx, cy - 21), kGrey);
    EXPECT_EQ(bitmap.at(cx, cy + 20), kGrey);
    EXPECT_EQ(bitmap.at(cx - 21, cy), kGrey);
    EXPECT_EQ(bitmap.at(cx + 20, cy), kGrey);
}

// Bitmaps down to nothing: the strokes are cut at the edges, nothing is
// written outside (the sanitizer build checks the accesses).
TEST(Magnifier, CrosshairClippedOnSmallBitmaps)
{
    const Image screen(200, 200, kGrey);
    for (int W = 0; W <= 45; ++W) {
        for (int H = 0; H <= 45; ++H) {
            const Image bitmap = MagnifyAt(screen, W, H, 100, 100);
            const int w = W - 2 > 0 ? W - 2 : 0;
            const int h = H - 2 > 0 ? H - 2 : 0;
            ASSERT_EQ(bitmap.width, w);
            ASSERT_EQ(bitmap.height, h);
            // Even a bitmap of one pixel shows its source pixel.
            const COLORREF base = kGrey;
            const std::set<Pixel> expected = ExpectedCrosshair(w, h);
            ASSERT_EQ(InvertedPixels(bitmap, base), expected) << W << "x" << H;
            for (COLORREF c : bitmap.pixels)
                ASSERT_TRUE(c == base || c == (base ^ 0x00FFFFFF)) << W << "x" << H;
        }
    }
}

// A bitmap bigger than the geometry keeps its outside part untouched, and a
// smaller one is written only where it exists.
TEST(Magnifier, WritesClippedToBitmap)
{
    const Image screen(200, 200, kGrey);
    Image big(120, 90, 0x00112233);
    Magnify(screen, ComputeZoomGeometry(102, 62, 100, 100), big);
    EXPECT_EQ(big.at(99, 59), kGrey);
    EXPECT_EQ(big.at(100, 10), 0x00112233u);
    EXPECT_EQ(big.at(10, 60), 0x00112233u);
    EXPECT_EQ(big.at(119, 89), 0x00112233u);

    Image small(30, 20, 0x00112233);
    Magnify(screen, ComputeZoomGeometry(102, 62, 100, 100), small);
    for (COLORREF c : small.pixels)
        EXPECT_EQ(c, kGrey);
}

// Whatever the screen shows, the pick is never a crosshair pixel.
TEST(Magnifier, PickNeverInverted)
{
    const Image screen(400, 400, kGrey);
    for (int W = 2; W <= 120; ++W) {
        for (int H = 2; H <= 120; ++H) {
            const Image bitmap = MagnifyAt(screen, W, H, 200, 200);
            const COLORREF expected = (W < 5 || H < 5) ? 0x00FFFFFF : kGrey;
            ASSERT_EQ(GetCenterPixel(bitmap, W, H), expected) << W << "x" << H;
        }
    }
}

TEST(Magnifier, TinyViewPicksWhite)
{
    const Image screen(50, 50, 0x00000000);
    const int sizes[][2] = {{4, 4}, {4, 100}, {100, 4}, {2, 2}, {3, 50}, {0, 0}, {1, 1}};
    for (const auto& size : sizes) {
        const Image bitmap = MagnifyAt(screen, size[0], size[1], 25, 25);
        EXPECT_EQ(GetCenterPixel(bitmap, size[0], size[1]), 0x00FFFFFFu) << size[0] << "x" << size[1];
    }
    // The smallest view whose pick lies on the bitmap.
    const Image bitmap = MagnifyAt(screen, 5, 5, 25, 25);
    EXPECT_EQ(GetCenterPixel(bitmap, 5, 5), 0x00000000u);
}

// Only 24 bits are colour: a top byte on the screen or in the bitmap never
// reaches the pick.
TEST(Magnifier, TopByteNeverPicked)
{
    const Image screen(100, 100, 0xFF102030);
    const Image bitmap = MagnifyAt(screen, 42, 42, 50, 50);
    EXPECT_EQ(GetCenterPixel(bitmap, 42, 42), 0x00102030u);

    Image raw(40, 40, 0xAB123456);
    EXPECT_EQ(GetCenterPixel(raw, 42, 42), 0x00123456u);
    EXPECT_EQ(MaskPickedPixel(0xFFFFFFFF), 0x00FFFFFFu);
}

TEST(Magnifier, SplitColorReadsRedFromLowByte)
{
    const RgbTriple t = SplitColor(0x00C08040);
    EXPECT_EQ(t.red, 0x40);
    EXPECT_EQ(t.green, 0x80);
    EXPECT_EQ(t.blue, 0xC0);
}
