// Every RGB colour through the panel computation in the two formats that
// must keep it: RGB converts nothing, YMC converts there and back exactly.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "panel/panel_view.h"
#include "tests/core/triple.h"

namespace {

// Six lower-case hexadecimal digits, built without the C library.
std::string Hex6(std::uint32_t value)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text(6, '0');
    for (int i = 5; i >= 0; --i, value >>= 4)
        text[i] = kDigits[value & 0xF];
    return text;
}

// Decimal digits, built without the C library.
std::string Decimal(std::uint32_t value)
{
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + value % 10));
        value /= 10;
    } while (value != 0);
    return text;
}

void SweepFormat(ColorFormat format)
{
    for (std::uint32_t display = 0; display < (1u << 24); ++display) {
        const Triple rgb = UnpackRgb(display);
        const PanelView view = ComputePanelView(rgb.a, rgb.b, rgb.c, false, format);
        const Triple positions = format == FORMAT_YMC
                                     ? Triple{255 - rgb.c, 255 - rgb.b, 255 - rgb.a}
                                     : rgb;
        ASSERT_EQ(view.positions[0], positions.a) << rgb;
        ASSERT_EQ(view.positions[1], positions.b) << rgb;
        ASSERT_EQ(view.positions[2], positions.c) << rgb;
        const COLORREF expected = static_cast<COLORREF>(rgb.a | rgb.b << 8 | rgb.c << 16);
        ASSERT_EQ(view.color, expected) << rgb;
        ASSERT_EQ(view.hexText, Hex6(display)) << rgb;
        ASSERT_EQ(view.decimalText, Decimal(display)) << rgb;
    }
}

TEST(PanelSweep, RgbKeepsEveryColour)
{
    SweepFormat(FORMAT_RGB);
}

TEST(PanelSweep, YmcKeepsEveryColour)
{
    SweepFormat(FORMAT_YMC);
}

} // namespace
