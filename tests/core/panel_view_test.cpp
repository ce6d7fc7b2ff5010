#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "color/conversions.h"
#include "panel/copy_forms.h"
#include "panel/panel_view.h"
#include "panel/recent_colors.h"
#include "tests/core/triple.h"

namespace {

const ColorFormat kFormats[] = {FORMAT_RGB, FORMAT_HSV, FORMAT_HLS, FORMAT_YMC};

Triple Positions(const PanelView& view)
{
    return {view.positions[0], view.positions[1], view.positions[2]};
}

// Red, green and blue of a COLORREF (0x00BBGGRR).
Triple ColorChannels(COLORREF color)
{
    return {static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
            static_cast<int>(color >> 16 & 0xFF)};
}

// The next call a repaint makes: the stored colour's bytes as RGB.
PanelView Repaint(const PanelView& view, ColorFormat format)
{
    const Triple rgb = ColorChannels(view.color);
    return ComputePanelView(rgb.a, rgb.b, rgb.c, false, format);
}

int Clamp(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

// Everything a view must agree with itself on, whatever produced it: the
// labels read the positions, the colour has no bits above blue, and both
// texts are the colour's 0x00RRGGBB read back by the C library.
void ExpectConsistent(const PanelView& view)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(view.valueTexts[i], FormatComponent(view.positions[i])) << "label " << i;
    EXPECT_EQ(view.color & 0xFF000000u, 0u);
    const Triple rgb = ColorChannels(view.color);
    const long display = static_cast<long>(PackRgb(rgb.a, rgb.b, rgb.c));

    char* end = nullptr;
    EXPECT_EQ(std::strtol(view.decimalText.c_str(), &end, 10), display);
    EXPECT_EQ(*end, '\0') << view.decimalText;
    EXPECT_NE(view.decimalText[0], '-');

    ASSERT_EQ(view.hexText.size(), 6u) << view.hexText;
    for (char ch : view.hexText)
        EXPECT_TRUE((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f')) << view.hexText;
    EXPECT_EQ(std::strtol(view.hexText.c_str(), nullptr, 16), display);
}

TEST(PanelView, InitialBlack)
{
    const PanelView view = ComputePanelView(0, 0, 0, false, FORMAT_RGB);
    EXPECT_EQ(Positions(view), (Triple{0, 0, 0}));
    for (const std::string& text : view.valueTexts)
        EXPECT_EQ(text, "0");
    EXPECT_EQ(view.color, 0u);
    EXPECT_EQ(view.decimalText, "0");
    EXPECT_EQ(view.hexText, "000000");
}

TEST(PanelView, DocumentedCases)
{
    struct Case {
        const char* what;
        Triple in;
        bool fromSliders;
        ColorFormat format;
        Triple positions;
        COLORREF color;
        const char* decimal;
        const char* hex;
    };
    const Case cases[] = {
        {"white in RGB", {255, 255, 255}, false, FORMAT_RGB,
         {255, 255, 255}, 0x00FFFFFF, "16777215", "ffffff"},
        {"RGB sliders pass unconverted", {10, 20, 30}, true, FORMAT_RGB,
         {10, 20, 30}, 0x001E140A, "660510", "0a141e"},
        {"YMC positions are complements", {10, 20, 30}, false, FORMAT_YMC,
         {225, 235, 245}, 0x001E140A, "660510", "0a141e"},
        {"YMC sliders convert back", {225, 235, 245}, true, FORMAT_YMC,
         {225, 235, 245}, 0x001E140A, "660510", "0a141e"},
        {"HSV trip that keeps the colour", {18, 52, 86}, false, FORMAT_HSV,
         {210, 201, 86}, 0x00563412, "1193046", "123456"},
        {"HLS trip loses a unit of red", {255, 0, 0}, false, FORMAT_HLS,
         {0, 127, 255}, 0x000000FE, "16646144", "fe0000"},
        {"HSV trip gains a unit of green", {0, 5, 35}, false, FORMAT_HSV,
         {231, 255, 35}, 0x00230600, "1571", "000623"},
        {"HSV slider triple whose colour is grey", {200, 0, 128}, true, FORMAT_HSV,
         {200, 0, 128}, 0x00808080, "8421504", "808080"},
        {"out-of-range RGB sliders are clamped", {300, -5, 128}, true, FORMAT_RGB,
         {300, -5, 128}, 0x008000FF, "16711808", "ff0080"},
        {"out-of-range YMC sliders are clamped", {-1, 256, 1000}, true, FORMAT_YMC,
         {-1, 256, 1000}, 0x00FF0000, "255", "0000ff"},
        {"extreme RGB sliders", {INT_MIN, INT_MAX, INT_MIN}, true, FORMAT_RGB,
         {INT_MIN, INT_MAX, INT_MIN}, 0x0000FF00, "65280", "00ff00"},
        {"extreme YMC sliders", {INT_MAX, INT_MIN + 256, INT_MAX}, true, FORMAT_YMC,
         {INT_MAX, INT_MIN + 256, INT_MAX}, 0x0000FF00, "65280", "00ff00"},
        {"out-of-range RGB input through YMC", {-7, 256, 70000}, false, FORMAT_YMC,
         {-69745, -1, 262}, 0x00FFFF00, "65535", "00ffff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PanelView view = ComputePanelView(c.in.a, c.in.b, c.in.c, c.fromSliders, c.format);
        EXPECT_EQ(Positions(view), c.positions);
        EXPECT_EQ(view.color, c.color);
        EXPECT_EQ(view.decimalText, c.decimal);
        EXPECT_EQ(view.hexText, c.hex);
        ExpectConsistent(view);
    }
}

TEST(PanelView, RepaintsSettleStepByStep)
{
    struct Sequence {
        ColorFormat format;
        std::vector<Triple> colours;  // each the next call's stored colour
    };
    const Sequence sequences[] = {
        {FORMAT_HSV, {{0, 3, 21}, {0, 4, 21}, {0, 5, 21}, {0, 6, 21}, {0, 7, 21}}},
        {FORMAT_HLS, {{0, 9, 6}, {0, 8, 5}, {0, 8, 4}}},
        {FORMAT_RGB, {{0, 3, 21}}},
        {FORMAT_YMC, {{0, 9, 6}}},
    };
    for (const Sequence& seq : sequences) {
        SCOPED_TRACE(testing::Message() << "format " << seq.format << " from "
                                        << seq.colours.front());
        const Triple first = seq.colours.front();
        PanelView view = ComputePanelView(first.a, first.b, first.c, false, seq.format);
        for (std::size_t i = 1; i < seq.colours.size(); ++i) {
            EXPECT_EQ(ColorChannels(view.color), seq.colours[i]) << "call " << i;
            view = Repaint(view, seq.format);
        }
        // The last colour is where it stays.
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ColorChannels(view.color), seq.colours.back());
            view = Repaint(view, seq.format);
        }
    }
}

TEST(PanelView, SliderTripleReplacedAtNextRepaint)
{
    const PanelView fromSliders = ComputePanelView(200, 0, 128, true, FORMAT_HSV);
    EXPECT_EQ(ColorChannels(fromSliders.color), (Triple{128, 128, 128}));
    const PanelView repainted = Repaint(fromSliders, FORMAT_HSV);
    EXPECT_EQ(Positions(repainted), (Triple{0, 0, 128}));
    EXPECT_EQ(repainted.color, fromSliders.color);
}

TEST(PanelView, LabelsCarryNoPadding)
{
    const PanelView view = ComputePanelView(5, 40, 255, true, FORMAT_RGB);
    EXPECT_EQ(view.valueTexts[0], "5");
    EXPECT_EQ(view.valueTexts[1], "40");
    EXPECT_EQ(view.valueTexts[2], "255");
}

TEST(FormatComponent, Extremes)
{
    const struct {
        int value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {5, "5"},
        {-5, "-5"},
        {359, "359"},
        {1000000, "1000000"},
        {INT_MAX, "2147483647"},
        {INT_MIN + 1, "-2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatComponent(c.value), c.text) << c.value;
}

// Every form keeps its leading zeros, and the COLORREF puts red in the low
// byte, so a colour whose red and blue differ shows the order. The hue and
// both percentages round halves up, 360 degrees is 0; the name is the
// nearest one, a shared value's first name, marked exact or near.
TEST(CopyForms, EveryFormOfAFewColours)
{
    const struct {
        COLORREF color;
        std::array<const char*, kCopyFormCount> items;
        const char* colorref;
        const char* name;
    } cases[] = {
        {0x00000000, {"#000000", "#000000", "000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "0, 0, 0", "0 (COLORREF)",
                      "black (色名)"}, "0", "black"},
        {0x000C0B0A, {"#0a0b0c", "#0A0B0C", "0A0B0C", "rgb(10, 11, 12)", "hsl(210, 9%, 4%)", "10, 11, 12",
                      "789258 (COLORREF)", "black (近い色名)"}, "789258", "black"},
        {0x00FFFFFF, {"#ffffff", "#FFFFFF", "FFFFFF", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "255, 255, 255",
                      "16777215 (COLORREF)", "white (色名)"}, "16777215", "white"},
        {0x000080FF, {"#ff8000", "#FF8000", "FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)", "255, 128, 0",
                      "33023 (COLORREF)", "darkorange (近い色名)"}, "33023", "darkorange"},
        {0x00808080, {"#808080", "#808080", "808080", "rgb(128, 128, 128)", "hsl(0, 0%, 50%)", "128, 128, 128",
                      "8421504 (COLORREF)", "gray (色名)"}, "8421504", "gray"},
        {0x000100FF, {"#ff0001", "#FF0001", "FF0001", "rgb(255, 0, 1)", "hsl(0, 100%, 50%)", "255, 0, 1",
                      "65791 (COLORREF)", "red (近い色名)"}, "65791", "red"},
        {0x00FFFE00, {"#00feff", "#00FEFF", "00FEFF", "rgb(0, 254, 255)", "hsl(180, 100%, 50%)", "0, 254, 255",
                      "16776704 (COLORREF)", "aqua (近い色名)"}, "16776704", "aqua"},
        {0x00001178, {"#781100", "#781100", "781100", "rgb(120, 17, 0)", "hsl(9, 100%, 24%)", "120, 17, 0",
                      "4472 (COLORREF)", "maroon (近い色名)"}, "4472", "maroon"},
    };
    for (const auto& c : cases) {
        const std::array<CopyForm, kCopyFormCount> forms = ComputeCopyForms(c.color);
        for (int i = 0; i < kCopyFormCount; ++i) {
            EXPECT_EQ(forms[i].itemText, c.items[i]) << c.color;
            EXPECT_EQ(forms[i].copyText, i < 6 ? c.items[i] : i == 6 ? c.colorref : c.name) << c.color;
        }
    }
    EXPECT_EQ(PositionForm(-1280, 7).itemText, "位置 -1280, 7");
    EXPECT_EQ(PositionForm(-1280, 7).copyText, "-1280, 7");
}

// Newest first, each colour once, at most ten.
TEST(RecentColors, FrontMoveToFrontAtMostTen)
{
    const struct {
        std::vector<COLORREF> added;
        std::vector<COLORREF> listed;
    } cases[] = {
        {{1, 2, 2}, {2, 1}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}, {1, 10, 9, 8, 7, 6, 5, 4, 3, 2}},
    };
    for (const auto& c : cases) {
        RecentColors recent;
        for (COLORREF color : c.added)
            recent.Add(color);
        EXPECT_EQ(recent.Colors(), c.listed);
    }
}

// A deterministic spread of triples, in range and out: the ranges' ends,
// values just outside them and the 32-bit extremes.
std::vector<int> ProbeValues()
{
    return {INT_MIN, INT_MIN + 1, -70000, -256, -1, 0, 1, 17, 127, 128,
            254, 255, 256, 359, 360, 1000, 70000, INT_MAX - 1, INT_MAX};
}

TEST(PanelViewProperties, ConsistentForAnyTriple)
{
    const std::vector<int> values = ProbeValues();
    for (ColorFormat format : kFormats) {
        for (bool fromSliders : {false, true}) {
            for (int a : values) {
                for (int b : values) {
                    for (int c : values) {
                        SCOPED_TRACE(testing::Message() << "format " << format << " sliders "
                                                        << fromSliders << " " << (Triple{a, b, c}));
                        const PanelView view = ComputePanelView(a, b, c, fromSliders, format);
                        ExpectConsistent(view);
                        if (fromSliders) {
                            EXPECT_EQ(Positions(view), (Triple{a, b, c}));
                        }
                        if (HasFailure())
                            return;
                    }
                }
            }
        }
    }
}

TEST(PanelViewProperties, RgbAndYmcClampEachChannelOnItsOwn)
{
    // Packing an out-of-range channel without clamping would spill into its
    // neighbour: every channel must be the clamped component and nothing else.
    const std::vector<int> values = ProbeValues();
    for (int a : values) {
        for (int b : values) {
            for (int c : values) {
                const Triple clamped{Clamp(a), Clamp(b), Clamp(c)};
                const PanelView rgb = ComputePanelView(a, b, c, true, FORMAT_RGB);
                ASSERT_EQ(ColorChannels(rgb.color), clamped) << Triple{a, b, c};
                ASSERT_EQ(rgb.color >> 24, 0u);
                const PanelView viaYmc = ComputePanelView(a, b, c, false, FORMAT_YMC);
                ASSERT_EQ(ColorChannels(viaYmc.color), clamped) << Triple{a, b, c};
                ASSERT_EQ(viaYmc.color >> 24, 0u);
            }
        }
    }
}

TEST(PanelViewProperties, ColourIsTheRoundTripOfThePositions)
{
    // Sampled over the RGB cube: the positions are the forward conversion
    // and the colour is their conversion back. RGB and YMC keep every colour.
    const Conversion into[] = {nullptr, RgbToHsv, RgbToHls, RgbToYmc};
    const Conversion back[] = {nullptr, HsvToRgb, HlsToRgb, YmcToRgb};
    for (std::uint32_t rgb = 0; rgb < 0x1000000; rgb += 4099) {
        const Triple in = UnpackRgb(rgb);
        for (ColorFormat format : kFormats) {
            SCOPED_TRACE(testing::Message() << "format " << format << " " << in);
            const PanelView view = ComputePanelView(in.a, in.b, in.c, false, format);
            const Triple positions = into[format] ? Convert(into[format], in) : in;
            ASSERT_EQ(Positions(view), positions);
            const Triple stored = back[format] ? Convert(back[format], positions) : positions;
            ASSERT_EQ(ColorChannels(view.color), stored);
            if (format == FORMAT_RGB || format == FORMAT_YMC) {
                ASSERT_EQ(stored, in);
            }
            ExpectConsistent(view);
            if (HasFailure())
                return;
        }
    }
}

} // namespace
