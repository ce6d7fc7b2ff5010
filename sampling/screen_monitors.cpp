#include "sampling/screen_monitors.h"

#include "framework/win.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    auto* rects = reinterpret_cast<std::vector<ScreenRect>*>(data);
    rects->push_back({rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

} // namespace

ScreenRect VirtualScreen()
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<ScreenRect> ReadableScreenRects()
{
    std::vector<ScreenRect> rects;
    // Without a device context the rectangles are the monitors themselves,
    // in virtual-screen coordinates.
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    // Should the enumeration give nothing, the bounds of the virtual screen
    // stand in for the monitors.
    if (rects.empty())
        rects.push_back(VirtualScreen());
    return rects;
}
