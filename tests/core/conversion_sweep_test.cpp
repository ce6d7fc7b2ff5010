// Exhaustive sweeps: every RGB colour through the forward conversions and
// every slider-range triple through the conversions back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "color/conversions.h"
#include "tests/core/triple.h"

namespace {

// The exact hue of a colour that is not grey, as the fraction N / D degrees
// with D = max - min: the classic hexagon, sector chosen by the largest
// channel and measured from that channel's primary (red 0, green 120, blue
// 240). Equal largest channels give the same value from either side.
struct ExactHue {
    int numerator;
    int denominator;
};

ExactHue HueOf(int r, int g, int b)
{
    const int max = std::max({r, g, b});
    const int d = max - std::min({r, g, b});
    int n;
    if (max == r)
        n = 60 * (g - b);
    else if (max == g)
        n = 60 * (b - r) + 120 * d;
    else
        n = 60 * (r - g) + 240 * d;
    if (n < 0)
        n += 360 * d;
    return {n, d};
}

// h is the exact hue rounded down: h <= N / D < h + 1, compared as
// cross-products so that nothing is rounded on the way.
bool IsFloorOf(int h, ExactHue exact)
{
    return h * exact.denominator <= exact.numerator &&
           exact.numerator < (h + 1) * exact.denominator;
}

TEST(RgbSweep, HsvRangesAndExactHue)
{
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const Triple hsv = Convert(RgbToHsv, {r, g, b});
                const int max = std::max({r, g, b});
                const bool grey = r == g && g == b;
                ASSERT_TRUE(hsv.a >= 0 && hsv.a <= 359 && hsv.b >= 0 && hsv.b <= 255 &&
                            hsv.c >= 0 && hsv.c <= 255)
                    << Triple{r, g, b} << " -> " << hsv;
                ASSERT_EQ(hsv.c, max) << Triple{r, g, b};
                ASSERT_EQ(hsv.b == 0, grey) << Triple{r, g, b} << " -> " << hsv;
                if (grey) {
                    ASSERT_EQ(hsv.a, 0) << Triple{r, g, b};
                } else {
                    ASSERT_TRUE(IsFloorOf(hsv.a, HueOf(r, g, b))) << Triple{r, g, b} << " -> " << hsv;
                }
            }
        }
    }
}

TEST(RgbSweep, HlsRangesAndSameHueAsHsv)
{
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const Triple hls = Convert(RgbToHls, {r, g, b});
                const bool grey = r == g && g == b;
                ASSERT_TRUE(hls.a >= 0 && hls.a <= 359 && hls.b >= 0 && hls.b <= 255 &&
                            hls.c >= 0 && hls.c <= 255)
                    << Triple{r, g, b} << " -> " << hls;
                // A lightness outside the colour's own channel span would be
                // no average of its largest and smallest channel.
                ASSERT_TRUE(std::min({r, g, b}) <= hls.b && hls.b <= std::max({r, g, b}))
                    << Triple{r, g, b} << " -> " << hls;
                if (grey) {
                    ASSERT_EQ(hls, (Triple{0, r, 0})) << Triple{r, g, b};
                } else {
                    ASSERT_GE(hls.c, 1) << Triple{r, g, b};
                    ASSERT_TRUE(IsFloorOf(hls.a, HueOf(r, g, b))) << Triple{r, g, b} << " -> " << hls;
                }
            }
        }
    }
}

TEST(RgbSweep, YmcIsAnExactInverse)
{
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const Triple ymc = Convert(RgbToYmc, {r, g, b});
                ASSERT_TRUE(ymc.a >= 0 && ymc.a <= 255 && ymc.b >= 0 && ymc.b <= 255 &&
                            ymc.c >= 0 && ymc.c <= 255)
                    << Triple{r, g, b} << " -> " << ymc;
                ASSERT_EQ(ymc.a + b, 255) << "yellow is the complement of blue";
                ASSERT_EQ(ymc.b + g, 255) << "magenta is the complement of green";
                ASSERT_EQ(ymc.c + r, 255) << "cyan is the complement of red";
                ASSERT_EQ(Convert(YmcToRgb, ymc), (Triple{r, g, b}));
            }
        }
    }
}

TEST(SliderSweep, HsvToRgbStaysInRange)
{
    for (int h = 0; h < 360; ++h) {
        for (int s = 0; s < 256; ++s) {
            for (int v = 0; v < 256; ++v) {
                const Triple rgb = Convert(HsvToRgb, {h, s, v});
                ASSERT_TRUE(rgb.a >= 0 && rgb.a <= 255 && rgb.b >= 0 && rgb.b <= 255 &&
                            rgb.c >= 0 && rgb.c <= 255)
                    << Triple{h, s, v} << " -> " << rgb;
                // The value is the largest channel; no saturation is a grey.
                ASSERT_EQ(std::max({rgb.a, rgb.b, rgb.c}), v) << Triple{h, s, v};
                if (s == 0) {
                    ASSERT_EQ(rgb, (Triple{v, v, v})) << Triple{h, s, v};
                }
            }
        }
    }
}

TEST(SliderSweep, HlsToRgbStaysInRange)
{
    // m1 and m2 are the smallest and largest channel: one of the three hues
    // 120 degrees apart always falls on the m2 plateau (60..179) and one on
    // the m1 plateau (240..359). So 0 <= m1 <= l <= m2 <= 255 and
    // m1 + m2 = 2l show in the channels.
    for (int h = 0; h < 360; ++h) {
        for (int l = 0; l < 256; ++l) {
            for (int s = 0; s < 256; ++s) {
                const Triple rgb = Convert(HlsToRgb, {h, l, s});
                const int min = std::min({rgb.a, rgb.b, rgb.c});
                const int max = std::max({rgb.a, rgb.b, rgb.c});
                ASSERT_TRUE(0 <= min && min <= l && l <= max && max <= 255)
                    << Triple{h, l, s} << " -> " << rgb;
                ASSERT_EQ(min + max, 2 * l) << Triple{h, l, s} << " -> " << rgb;
                if (s == 0) {
                    ASSERT_EQ(rgb, (Triple{l, l, l})) << Triple{h, l, s};
                }
            }
        }
    }
}

} // namespace
