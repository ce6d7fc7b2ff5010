#pragma once

// The four colour formats the sliders can show, and everything that differs
// between them: channel letters, slider maxima (minimum is always 0) and the
// conversions into the format and back to RGB. The panel computation and the
// dialog both read this one table.

enum ColorFormat : int { FORMAT_RGB = 0, FORMAT_HSV = 1, FORMAT_HLS = 2, FORMAT_YMC = 3 };

constexpr int kFormatCount = 4;

// Converts a triple; a null pointer means the triple passes unchanged (RGB).
using TripleConversion = void (*)(int, int, int, int&, int&, int&);

struct FormatInfo {
    char letters[3];    // top, middle, bottom
    int maxima[3];      // top, middle, bottom
    TripleConversion fromRgb;
    TripleConversion toRgb;
};

extern const FormatInfo kFormatTable[kFormatCount];

// The table row of a format. Out-of-range values never occur in the program;
// they fall back to RGB rather than reading outside the table.
const FormatInfo& GetFormatInfo(ColorFormat format);
