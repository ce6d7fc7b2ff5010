#include "panel/copy_forms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "panel/css_names.h"

namespace {

// n / d rounded to the nearest integer, halves up; n >= 0, d > 0.
int RoundDiv(int n, int d)
{
    return (2 * n + d) / (2 * d);
}

// CSS hsl(): hue in degrees from the hexcone, saturation and lightness in
// percent, each rounded to the nearest integer, halves up; grey has hue 0.
struct Hsl {
    int h, s, l;
};

Hsl ToHsl(int r, int g, int b)
{
    const int max = std::max({r, g, b}), min = std::min({r, g, b});
    const int d = max - min;
    Hsl hsl{0, 0, RoundDiv(100 * (max + min), 510)};
    if (d == 0)
        return hsl;
    hsl.s = RoundDiv(100 * d, 255 - std::abs(max + min - 255));
    // The hue as a sixth of the circle times d, from 0 up to 6d.
    const int sixths = max == r ? (g - b + 6 * d) % (6 * d) : max == g ? b - r + 2 * d : r - g + 4 * d;
    hsl.h = RoundDiv(60 * sixths, d) % 360;
    return hsl;
}

} // namespace

const char kRecentColorsText[] = "最近の色(&R)";
const char kNoRecentColorsText[] = "(なし)";

std::string HexForm(COLORREF color)
{
    const unsigned value = color;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF);
    return text;
}

std::array<CopyForm, kCopyFormCount> ComputeCopyForms(COLORREF color)
{
    const int red = color & 0xFF;
    const int green = color >> 8 & 0xFF;
    const int blue = color >> 16 & 0xFF;
    // The byte above blue is not part of the colour.
    const unsigned value = color & 0xFFFFFF;
    const Hsl hsl = ToHsl(red, green, blue);
    const CssColorName name = NearestCssName(color);

    // Room for any int, which the compiler cannot tell lies in 0..360.
    char text[5][48];
    std::snprintf(text[0], sizeof text[0], "#%02X%02X%02X", red, green, blue);
    std::snprintf(text[1], sizeof text[1], "%02X%02X%02X", red, green, blue);
    std::snprintf(text[2], sizeof text[2], "rgb(%d, %d, %d)", red, green, blue);
    std::snprintf(text[3], sizeof text[3], "hsl(%d, %d%%, %d%%)", hsl.h, hsl.s, hsl.l);
    std::snprintf(text[4], sizeof text[4], "%d, %d, %d", red, green, blue);
    const std::string hex = HexForm(color), decimal = std::to_string(value);
    return {{{hex, hex},
             {text[0], text[0]},
             {text[1], text[1]},
             {text[2], text[2]},
             {text[3], text[3]},
             {text[4], text[4]},
             {decimal + " (COLORREF)", decimal},
             {std::string(name.name) + (name.exact ? " (色名)" : " (近い色名)"), name.name}}};
}

CopyForm PositionForm(int x, int y)
{
    const std::string position = std::to_string(x) + ", " + std::to_string(y);
    return {"位置 " + position, position};
}
