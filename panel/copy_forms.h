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

constexpr int kCopyFormCount = 8;

// "#rrggbb" (CSS and design tools), "#RRGGBB" and "RRGGBB" (the case and
// shape other tools take), "rgb(r, g, b)" and "hsl(h, s%, l%)" (CSS),
// "r, g, b", the COLORREF's decimal value that VB, VBA and Win32 code take,
// and the nearest CSS name. Texts are UTF-8.
std::array<CopyForm, kCopyFormCount> ComputeCopyForms(COLORREF color);

// "#rrggbb" alone, as the recent colours show it.
std::string HexForm(COLORREF color);

// The screen pixel a pick read: "位置 x, y", copying "x, y".
CopyForm PositionForm(int x, int y);

// The copy menu's submenu of recent colours, and its one item while empty.
extern const char kRecentColorsText[];
extern const char kNoRecentColorsText[];
