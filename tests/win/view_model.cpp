#include "tests/win/view_model.h"

#include <cstdio>
#include <vector>

#include "tests/win/harness.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
    return TRUE;
}

} // namespace

SIZE ViewSize(CPickerDlg& dlg)
{
    RECT rc;
    ::GetClientRect(dlg.m_stZoomView.m_hWnd, &rc);
    return {rc.right, rc.bottom};
}

Image ViewInside(CPickerDlg& dlg)
{
    const SIZE size = ViewSize(dlg);
    return GrabClient(dlg.m_stZoomView.m_hWnd, {1, 1, size.cx - 1, size.cy - 1});
}

Image ModelView(SIZE viewSize, int x, int y, int k, int n)
{
    const ZoomGeometry g = ComputeZoomGeometry(viewSize.cx, viewSize.cy, x, y, k, n);
    // The model's screen is the source rectangle alone, with its origin at
    // the rectangle's corner; the geometry moves along with it.
    Image source(g.sourceWidth, g.sourceHeight);
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const RECT wanted{g.sourceX, g.sourceY, g.sourceX + g.sourceWidth, g.sourceY + g.sourceHeight};
    for (const RECT& monitor : monitors) {
        RECT part;
        if (!::IntersectRect(&part, &wanted, &monitor))
            continue;
        // Through the device context of the entire screen.
        const Image read = GrabClient(nullptr, part);
        for (int v = 0; v < read.height; ++v)
            for (int u = 0; u < read.width; ++u)
                source.at(part.left - g.sourceX + u, part.top - g.sourceY + v) = read.at(u, v);
    }
    const ZoomGeometry local = ComputeZoomGeometry(viewSize.cx, viewSize.cy, x - g.sourceX, y - g.sourceY, k, n);
    Image view = CreateZoomImage(viewSize.cx, viewSize.cy);
    Magnify(source, local, view);
    return view;
}

POINT ModelPickSource(SIZE viewSize, int x, int y, int k)
{
    const ZoomGeometry g = ComputeZoomGeometry(viewSize.cx, viewSize.cy, x, y, k);
    return {g.pickScreenX, g.pickScreenY};
}

POINT PickedScreenPixel(CPickerDlg& dlg, int x, int y)
{
    return ModelPickSource(ViewSize(dlg), x, y, dlg.m_nZoomFactor);
}

int CountDifferences(const Image& a, const Image& b, std::string& first)
{
    if (a.width != b.width || a.height != b.height) {
        first = "sizes differ";
        return -1;
    }
    int count = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) != b.at(x, y) && count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d): %06lx, expected %06lx", x, y,
                              static_cast<unsigned long>(a.at(x, y)),
                              static_cast<unsigned long>(b.at(x, y)));
                first = text;
            }
        }
    }
    return count;
}
