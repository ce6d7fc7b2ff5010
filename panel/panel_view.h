#pragma once

#include <array>
#include <string>

#include "color/colorref.h"
#include "panel/color_format.h"

// Everything the colour panel shows for one component triple.
struct PanelView {
    std::array<int, 3> positions;           // slider positions, in the format
    std::array<std::string, 3> valueTexts;  // value labels
    COLORREF color;                         // 0x00BBGGRR after the trip back
    std::string decimalText;                // 0xRRGGBB as "%d"
    std::string hexText;                    // 0xRRGGBB as "%06x"
};

// fromSliders false: (a, b, c) is red, green, blue and is first converted into
// the format. fromSliders true: (a, b, c) already is the format's triple.
// Either way the colour is the triple converted back to RGB, so in HSV and HLS
// an RGB input comes back as its round trip, which may differ from it.
PanelView ComputePanelView(int a, int b, int c, bool fromSliders, ColorFormat format);

// The value as "%d" writes it: no padding, minus sign for negatives.
std::string FormatComponent(int value);
