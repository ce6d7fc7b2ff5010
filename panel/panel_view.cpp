#include "panel/panel_view.h"

#include <cstdio>

std::string FormatComponent(int value)
{
    // 12 bytes hold "-2147483648" and its terminator.
    char text[12];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

namespace {

unsigned ClampChannel(int value)
{
    return static_cast<unsigned>(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

PanelView ComputePanelView(int a, int b, int c, bool fromSliders, ColorFormat format)
{
    const FormatInfo& info = GetFormatInfo(format);
    if (!fromSliders && info.fromRgb)
        info.fromRgb(a, b, c, a, b, c);

    PanelView view;
    view.positions = {a, b, c};
    for (int i = 0; i < 3; ++i)
        view.valueTexts[i] = FormatComponent(view.positions[i]);

    if (info.toRgb)
        info.toRgb(a, b, c, a, b, c);

    // Triples within the slider ranges always come back as 0..255. A caller's
    // out-of-range RGB or YMC triple is clamped rather than left to spill into
    // the neighbouring channel's bits.
    const unsigned red = ClampChannel(a);
    const unsigned green = ClampChannel(b);
    const unsigned blue = ClampChannel(c);
    view.color = static_cast<COLORREF>(red | green << 8 | blue << 16);

    const unsigned display = red << 16 | green << 8 | blue;
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(display));
    view.decimalText = text;
    std::snprintf(text, sizeof text, "%06x", display);
    view.hexText = text;
    return view;
}
