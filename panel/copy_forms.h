#pragma once

#include <array>
#include <string>

#include "color/colorref.h"

// One way of writing a colour for pasting elsewhere: the menu item that
// offers it and the text that item puts on the clipboard.
struct CopyForm {
    std::string itemText;
    std::string copyText;
};

constexpr int kCopyFormCount = 4;

// "#rrggbb" (CSS and design tools), "rgb(r, g, b)" (CSS), "r, g, b", and the
// COLORREF's decimal value that VB, VBA and Win32 code take.
std::array<CopyForm, kCopyFormCount> ComputeCopyForms(COLORREF color);
