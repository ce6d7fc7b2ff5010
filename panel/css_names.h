#pragma once

#include "color/colorref.h"

// The CSS named colour closest to a colour, for those who cannot tell hues
// apart or want a word to search for.
struct CssColorName {
    const char* name;
    bool exact;  // the colour is the name's own value
};

// Nearest by Euclidean distance in OKLab, where distances follow perceived
// differences far better than in sRGB; ties go to the alphabetically first
// name, so of names that share a value ("aqua" and "cyan") the first wins.
CssColorName NearestCssName(COLORREF color);
