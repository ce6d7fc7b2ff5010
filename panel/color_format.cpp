#include "panel/color_format.h"

#include "color/conversions.h"

const FormatInfo kFormatTable[kFormatCount] = {
    {{'R', 'G', 'B'}, {255, 255, 255}, nullptr, nullptr},
    {{'H', 'S', 'V'}, {359, 255, 255}, RgbToHsv, HsvToRgb},
    {{'H', 'L', 'S'}, {359, 255, 255}, RgbToHls, HlsToRgb},
    {{'Y', 'M', 'C'}, {255, 255, 255}, RgbToYmc, YmcToRgb},
};

const FormatInfo& GetFormatInfo(ColorFormat format)
{
    const int index = static_cast<int>(format);
    return kFormatTable[index >= 0 && index < kFormatCount ? index : FORMAT_RGB];
}
