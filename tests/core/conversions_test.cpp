#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "color/conversions.h"
#include "tests/core/triple.h"

namespace {

struct EdgeCase {
    Triple in;
    Triple out;
    const char* why;
};

void CheckTable(Conversion f, const std::vector<EdgeCase>& table)
{
    for (const EdgeCase& row : table) {
        SCOPED_TRACE(testing::Message() << "input " << row.in << ": " << row.why);
        EXPECT_EQ(Convert(f, row.in), row.out);
    }
}

TEST(ConversionEdges, RgbToHsv)
{
    CheckTable(RgbToHsv, {
        {{0, 0, 0}, {0, 0, 0}, "black: v = 0 gives s = 0"},
        {{128, 128, 128}, {0, 0, 128}, "grey: hue 0"},
        {{255, 255, 255}, {0, 0, 255}, "white"},
        {{255, 0, 0}, {0, 255, 255}, "red: the last sector's 360 folds to 0"},
        {{1, 0, 0}, {0, 255, 1}, "the darkest red is fully saturated"},
        {{255, 255, 0}, {60, 255, 255}, "tie between r and g"},
        {{0, 255, 0}, {120, 255, 255}, "green"},
        {{0, 255, 255}, {180, 255, 255}, "tie between g and b"},
        {{0, 0, 255}, {240, 255, 255}, "blue"},
        {{255, 0, 255}, {300, 255, 255}, "tie between r and b"},
        {{255, 0, 1}, {359, 255, 255}, "359.76 rounded down"},
        {{255, 128, 0}, {30, 255, 255}, "30.12 rounded down"},
        {{100, 50, 25}, {20, 191, 100}, "s = 191.25 rounded down"},
        {{300, -5, 128}, {329, 255, 255}, "inputs clamped to (255, 0, 128)"},
        {{INT_MAX, INT_MIN, INT_MIN}, {0, 255, 255}, "extremes clamp to pure red"},
    });
}

TEST(ConversionEdges, HsvToRgb)
{
    CheckTable(HsvToRgb, {
        {{123, 0, 77}, {77, 77, 77}, "s = 0 gives a grey at any hue"},
        {{0, 255, 255}, {255, 0, 0}, "red"},
        {{59, 255, 255}, {255, 250, 0}, "t = 255 * 59 / 60 = 250"},
        {{60, 255, 255}, {255, 255, 0}, "sector boundary: t = 0"},
        {{120, 255, 255}, {0, 255, 0}, "green"},
        {{180, 255, 255}, {0, 255, 255}, "cyan"},
        {{240, 255, 255}, {0, 0, 255}, "blue"},
        {{300, 255, 255}, {255, 0, 255}, "magenta"},
        {{359, 255, 255}, {255, 0, 5}, "last sector: b = v - t = 255 - 250"},
        {{360, 255, 255}, {255, 0, 0}, "hue 360 becomes 0"},
        {{720, 255, 255}, {255, 0, 0}, "hue 720 becomes 0"},
        {{721, 255, 255}, {255, 4, 0}, "hue 721 becomes 1"},
        {{-1, 255, 255}, {255, 0, 5}, "hue -1 becomes 359"},
        {{-359, 255, 255}, {255, 4, 0}, "hue -359 becomes 1"},
        {{-360, 255, 255}, {255, 0, 0}, "hue -360 becomes 360, then 0"},
        {{-361, 255, 255}, {255, 0, 5}, "hue -361 becomes 359"},
        {{30, 128, 200}, {200, 149, 99}, "m = 99, t = 50"},
        {{100, 300, -5}, {0, 0, 0}, "s clamped to 255, v to 0"},
        {{0, -1, 300}, {255, 255, 255}, "s clamped to 0, v to 255"},
    });
}

TEST(ConversionEdges, RgbToHls)
{
    CheckTable(RgbToHls, {
        {{0, 0, 0}, {0, 0, 0}, "black"},
        {{128, 128, 128}, {0, 128, 0}, "grey: s = 0, hue 0"},
        {{255, 255, 255}, {0, 255, 0}, "white"},
        {{255, 0, 0}, {0, 127, 255}, "pure red has l = 127 (127.5 rounded down)"},
        {{1, 0, 0}, {0, 0, 255}, "l = 0, yet fully saturated"},
        {{0, 255, 0}, {120, 127, 255}, "green"},
        {{0, 0, 255}, {240, 127, 255}, "blue"},
        {{200, 55, 55}, {0, 127, 145}, "max + min = 255: l = 127, divisor max + min"},
        {{200, 56, 56}, {0, 128, 144}, "max + min = 256: l = 128, divisor 510 - max - min"},
        {{255, 2, 1}, {0, 128, 255}, "light side, fully saturated"},
        {{100, 50, 25}, {20, 62, 153}, "ordinary colour"},
        {{-10, 300, 128}, {150, 127, 255}, "inputs clamped to (0, 255, 128)"},
        {{INT_MIN, INT_MIN, INT_MAX}, {240, 127, 255}, "extremes clamp to pure blue"},
    });
}

TEST(ConversionEdges, HlsToRgb)
{
    CheckTable(HlsToRgb, {
        {{0, 127, 0}, {127, 127, 127}, "s = 0 gives the grey (l, l, l)"},
        {{0, 128, 0}, {128, 128, 128}, "grey on the light side"},
        {{0, 255, 255}, {255, 255, 255}, "l = 255 is white at any s"},
        {{0, 127, 255}, {254, 0, 0}, "m2 = 254, m1 = 0"},
        {{0, 128, 255}, {255, 1, 1}, "m2 = 255, m1 = 1"},
        {{120, 127, 255}, {0, 254, 0}, "green"},
        {{240, 127, 255}, {0, 0, 254}, "blue"},
        {{30, 100, 200}, {178, 100, 22}, "l < 128: m2 = 178, m1 = 22"},
        {{10, 145, 200}, {231, 87, 59}, "l >= 128: m2 = 231, m1 = 59"},
        {{-1, 127, 255}, {254, 0, 4}, "hue -1 becomes 359"},
        {{360, 127, 255}, {254, 0, 0}, "hue 360 becomes 0"},
        {{-360, 127, 255}, {254, 0, 0}, "hue -360 becomes 360, then 0"},
        {{0, 300, -4}, {255, 255, 255}, "l clamped to 255, s to 0"},
        {{0, -4, 300}, {0, 0, 0}, "l clamped to 0, s to 255"},
    });
}

TEST(ConversionEdges, Ymc)
{
    CheckTable(RgbToYmc, {
        {{255, 0, 0}, {255, 255, 0}, "red: yellow and magenta, no cyan"},
        {{10, 20, 30}, {225, 235, 245}, "yellow from blue, cyan from red"},
        {{0, 0, 0}, {255, 255, 255}, "black"},
        {{300, -5, 256}, {-1, 260, -45}, "no clamping"},
        {{0, INT_MIN + 256, INT_MAX}, {INT_MIN + 256, INT_MAX, 255}, "widest complements"},
    });
    CheckTable(YmcToRgb, {
        {{225, 235, 245}, {10, 20, 30}, "red from cyan, blue from yellow"},
        {{255, 255, 0}, {255, 0, 0}, "red"},
        {{255, 255, 255}, {0, 0, 0}, "black"},
        {{-1, 260, -45}, {300, -5, 256}, "no clamping"},
        {{INT_MAX, INT_MIN + 256, 0}, {255, INT_MAX, INT_MIN + 256}, "widest complements"},
    });
}

// One trip as the panel makes it: into the format, then back to RGB.
struct TripExample {
    Conversion into;
    Conversion back;
    const char* format;
    Triple picked;
    Triple formatTriple;
    Triple stored;
};

TEST(ConversionRoundTrip, Examples)
{
    const TripExample examples[] = {
        {RgbToHsv, HsvToRgb, "HSV", {255, 128, 0}, {30, 255, 255}, {255, 127, 0}},
        {RgbToHsv, HsvToRgb, "HSV", {0, 1, 7}, {231, 255, 7}, {0, 2, 7}},
        {RgbToHsv, HsvToRgb, "HSV", {46, 217, 30}, {114, 219, 217}, {49, 217, 30}},
        {RgbToHsv, HsvToRgb, "HSV", {255, 0, 0}, {0, 255, 255}, {255, 0, 0}},
        {RgbToHsv, HsvToRgb, "HSV", {200, 100, 50}, {20, 191, 200}, {200, 100, 50}},
        {RgbToHls, HlsToRgb, "HLS", {255, 0, 0}, {0, 127, 255}, {254, 0, 0}},
        {RgbToHls, HlsToRgb, "HLS", {0, 0, 255}, {240, 127, 255}, {0, 0, 254}},
        {RgbToHls, HlsToRgb, "HLS", {255, 128, 0}, {30, 127, 255}, {254, 127, 0}},
        {RgbToHls, HlsToRgb, "HLS", {0, 1, 7}, {231, 3, 255}, {0, 0, 6}},
        {RgbToHls, HlsToRgb, "HLS", {51, 102, 153}, {210, 102, 127}, {51, 102, 153}},
        {RgbToHls, HlsToRgb, "HLS", {128, 128, 128}, {0, 128, 0}, {128, 128, 128}},
        {RgbToYmc, YmcToRgb, "YMC", {10, 20, 30}, {225, 235, 245}, {10, 20, 30}},
    };
    for (const TripExample& e : examples) {
        SCOPED_TRACE(testing::Message() << e.format << " " << e.picked);
        const Triple inFormat = Convert(e.into, e.picked);
        EXPECT_EQ(inFormat, e.formatTriple);
        EXPECT_EQ(Convert(e.back, inFormat), e.stored);
    }
}

// The hue wrap as the documented rule defines it, in 64 bits so that no
// step can overflow: the remainder keeps the dividend's sign.
int NormalisedHue(std::int64_t h)
{
    if (h < 0)
        h = h % 360 + 360;
    if (h > 359)
        h = h % 360;
    return static_cast<int>(h);
}

TEST(HueNormalisation, WholeIntRangeBoundaries)
{
    const int hues[] = {INT_MIN, INT_MIN + 1, -361, -360, -359, -1, 0,
                        359, 360, 361, 719, 720, INT_MAX - 1, INT_MAX};
    // 2^31 = 360 * 5965232 + 128.
    EXPECT_EQ(NormalisedHue(INT_MIN), 232);
    EXPECT_EQ(NormalisedHue(INT_MAX), 127);
    const int levels[][2] = {{255, 255}, {128, 200}, {77, 31}};
    for (int h : hues) {
        const int wrapped = NormalisedHue(h);
        ASSERT_GE(wrapped, 0);
        ASSERT_LE(wrapped, 359);
        for (const auto& x : levels) {
            SCOPED_TRACE(testing::Message() << "hue " << h << " -> " << wrapped
                                            << ", components " << x[0] << ", " << x[1]);
            EXPECT_EQ(Convert(HsvToRgb, {h, x[0], x[1]}), Convert(HsvToRgb, {wrapped, x[0], x[1]}));
            EXPECT_EQ(Convert(HlsToRgb, {h, x[1], x[0]}), Convert(HlsToRgb, {wrapped, x[1], x[0]}));
        }
    }
}

TEST(HueNormalisation, SeveralTurnsEitherWay)
{
    // The pure colours of the 360 whole degrees are all distinct, so a hue
    // that wraps to a wrong degree changes the result.
    std::set<std::tuple<int, int, int>> hsvColours, hlsColours;
    for (int h = 0; h < 360; ++h) {
        const Triple hsv = Convert(HsvToRgb, {h, 255, 255});
        const Triple hls = Convert(HlsToRgb, {h, 127, 255});
        hsvColours.insert({hsv.a, hsv.b, hsv.c});
        hlsColours.insert({hls.a, hls.b, hls.c});
    }
    ASSERT_EQ(hsvColours.size(), 360u);
    ASSERT_EQ(hlsColours.size(), 360u);

    for (int h = -3 * 360 - 1; h <= 3 * 360 + 1; ++h) {
        const int wrapped = NormalisedHue(h);
        ASSERT_EQ(Convert(HsvToRgb, {h, 255, 255}), Convert(HsvToRgb, {wrapped, 255, 255}))
            << "hue " << h;
        ASSERT_EQ(Convert(HlsToRgb, {h, 127, 255}), Convert(HlsToRgb, {wrapped, 127, 255}))
            << "hue " << h;
    }
}

TEST(HlsToRgbProperties, HueZeroShowsBothBounds)
{
    // At hue 0 the channels are (m2, m1, m1): the documented ordering
    // 0 <= m1 <= l <= m2 <= 255 and m1 + m2 = 2l can be read off directly.
    for (int l = 0; l <= 255; ++l) {
        for (int s = 0; s <= 255; ++s) {
            const Triple rgb = Convert(HlsToRgb, {0, l, s});
            ASSERT_EQ(rgb.b, rgb.c) << l << ", " << s;
            ASSERT_LE(0, rgb.b) << l << ", " << s;
            ASSERT_LE(rgb.b, l) << l << ", " << s;
            ASSERT_LE(l, rgb.a) << l << ", " << s;
            ASSERT_LE(rgb.a, 255) << l << ", " << s;
            ASSERT_EQ(rgb.a + rgb.b, 2 * l) << l << ", " << s;
        }
    }
}

} // namespace
