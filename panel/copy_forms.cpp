#include "panel/copy_forms.h"

#include <cstdio>

std::array<CopyForm, kCopyFormCount> ComputeCopyForms(COLORREF color)
{
    const unsigned red = color & 0xFF;
    const unsigned green = color >> 8 & 0xFF;
    const unsigned blue = color >> 16 & 0xFF;
    // The byte above blue is not part of the colour.
    const unsigned value = color & 0xFFFFFF;

    // 24 bytes hold the longest, "rgb(255, 255, 255)", and its terminator.
    char text[3][24];
    std::snprintf(text[0], sizeof text[0], "#%02x%02x%02x", red, green, blue);
    std::snprintf(text[1], sizeof text[1], "rgb(%u, %u, %u)", red, green, blue);
    std::snprintf(text[2], sizeof text[2], "%u, %u, %u", red, green, blue);
    const std::string decimal = std::to_string(value);
    return {{{text[0], text[0]},
             {text[1], text[1]},
             {text[2], text[2]},
             {decimal + " (COLORREF)", decimal}}};
}
