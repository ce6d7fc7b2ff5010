#include <gtest/gtest.h>

#include <string>

#include "color/conversions.h"
#include "panel/color_format.h"

namespace {

struct FormatRow {
    ColorFormat format;
    const char* letters;
    int maxima[3];
    TripleConversion fromRgb;
    TripleConversion toRgb;
};

const FormatRow kExpected[] = {
    {FORMAT_RGB, "RGB", {255, 255, 255}, nullptr, nullptr},
    {FORMAT_HSV, "HSV", {359, 255, 255}, RgbToHsv, HsvToRgb},
    {FORMAT_HLS, "HLS", {359, 255, 255}, RgbToHls, HlsToRgb},
    {FORMAT_YMC, "YMC", {255, 255, 255}, RgbToYmc, YmcToRgb},
};

TEST(FormatTable, EveryFormat)
{
    ASSERT_EQ(kFormatCount, 4);
    for (const FormatRow& row : kExpected) {
        SCOPED_TRACE(row.letters);
        const FormatInfo& info = GetFormatInfo(row.format);
        EXPECT_EQ(&info, &kFormatTable[static_cast<int>(row.format)]);
        EXPECT_EQ(std::string(info.letters, 3), row.letters);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(info.maxima[i], row.maxima[i]) << "slider " << i;
        EXPECT_EQ(info.fromRgb, row.fromRgb);
        EXPECT_EQ(info.toRgb, row.toRgb);
    }
}

TEST(FormatTable, EnumeratorValues)
{
    EXPECT_EQ(static_cast<int>(FORMAT_RGB), 0);
    EXPECT_EQ(static_cast<int>(FORMAT_HSV), 1);
    EXPECT_EQ(static_cast<int>(FORMAT_HLS), 2);
    EXPECT_EQ(static_cast<int>(FORMAT_YMC), 3);
}

TEST(FormatTable, ForwardConversionsStayWithinTheSliderRanges)
{
    // Every position the panel sets from an RGB colour must fit its slider.
    // The corners and mid-points of the cube reach every hue sector and both
    // extremes of each component.
    const int levels[] = {0, 1, 127, 128, 254, 255};
    for (const FormatRow& row : kExpected) {
        const FormatInfo& info = GetFormatInfo(row.format);
        if (!info.fromRgb)
            continue;
        for (int r : levels) {
            for (int g : levels) {
                for (int b : levels) {
                    int out[3];
                    info.fromRgb(r, g, b, out[0], out[1], out[2]);
                    for (int i = 0; i < 3; ++i) {
                        EXPECT_GE(out[i], 0) << row.letters << " " << r << "," << g << "," << b;
                        EXPECT_LE(out[i], info.maxima[i])
                            << row.letters << " " << r << "," << g << "," << b;
                    }
                }
            }
        }
    }
}

TEST(FormatTable, OutOfRangeFormatFallsBackToRgb)
{
    for (int value : {-1, 4, 1000}) {
        const FormatInfo& info = GetFormatInfo(static_cast<ColorFormat>(value));
        EXPECT_EQ(&info, &kFormatTable[FORMAT_RGB]) << value;
    }
}

} // namespace
