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

std::vector<ScreenRect> ReadableScreenRects()
{
    std::vector<ScreenRect> rects;
    // Without a device context the rectangles are the monitors themselves,
    // in virtual-screen coordinates.
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    if (rects.empty()) {
        // Should the enumeration give nothing, the bounds of the virtual
        // screen stand in for the monitors.
        const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        rects.push_back({left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    }
    return rects;
}
